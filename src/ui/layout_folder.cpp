#include "ui/layout_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tessel {

namespace {

// An installed program sits in <prefix>/bin beside <prefix>/share/applications with its
// launcher entry; it keeps no user files in the prefix even where it could write there.
bool isInstalled(const QString &programFolder)
{
    return QFileInfo::exists(programFolder +
                             QStringLiteral("/../share/applications/io.tessel.Tessel.desktop"));
}

} // namespace

QString layoutFolderFor(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable() && !isInstalled(programFolder))
        return QDir::cleanPath(programFolder);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

QString layoutFolder()
{
    return layoutFolderFor(QCoreApplication::applicationDirPath());
}

} // namespace tessel
