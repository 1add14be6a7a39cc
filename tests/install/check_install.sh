#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks that every file lands in its
# freedesktop place and that the launcher entry and the software-centre description validate.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null

for file in bin/tessel share/applications/io.tessel.Tessel.desktop \
    share/icons/hicolor/scalable/apps/io.tessel.Tessel.svg \
    share/metainfo/io.tessel.Tessel.metainfo.xml share/mime/packages/io.tessel.Tessel.xml; do
    [[ -f "$prefix/$file" ]] || { echo "not installed: $file"; exit 1; }
done
[[ -x "$prefix/bin/tessel" ]] || { echo "bin/tessel cannot be run"; exit 1; }
desktop-file-validate "$prefix/share/applications/io.tessel.Tessel.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/io.tessel.Tessel.metainfo.xml"
# The file type is known by its name, and the launcher entry opens it, handed the file.
mime="$prefix/share/mime"
update-mime-database "$mime"
grep -qx 'application/x-tessel-layout:\*\.tessel' "$mime/globs" ||
    { echo "*.tessel is not known as application/x-tessel-layout"; exit 1; }
entry="$prefix/share/applications/io.tessel.Tessel.desktop"
grep -qx 'MimeType=application/x-tessel-layout;' "$entry" || { echo "no MimeType in the entry"; exit 1; }
grep -qx 'Exec=tessel %f' "$entry" || { echo "the entry is not handed the file"; exit 1; }
echo "installed and valid"
