#pragma once

#include <QString>

namespace tessel {

// The folder that holds the layout file Structure.txt: the program's own folder when the
// program may keep files there (a build tree or a portable copy), otherwise, for an
// installed program, the user's data folder, made when missing. Saving and opening both
// ask here, so they always agree.
QString layoutFolderFor(const QString &programFolder);
QString layoutFolder();

} // namespace tessel
