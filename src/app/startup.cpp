#include "app/startup.h"

#include "model/dialogs.h"
#include "ui/frm_main.h"

#include "ui/style.h"

#include <QApplication>
#include <QDir>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonObject>
#include <QLockFile>
#include <QPluginLoader>
#include <QStandardPaths>

namespace tessel {

namespace {

// Whether Qt's image writer can write JPEG: whether Qt has a JPEG image-format plugin. The
// plugin is recognised by its metadata, which is read without loading it; asking
// QImageWriter for its formats would load every image-format plugin there is before the
// first frame.
bool jpegWriterAvailable()
{
    const QString format = QStringLiteral("jpeg");
    for (const QString &folder : QCoreApplication::libraryPaths()) {
        const QDir plugins(folder + QStringLiteral("/imageformats"));
        for (const QString &name : plugins.entryList(QDir::Files)) {
            const QJsonObject metaData =
                QPluginLoader(plugins.filePath(name)).metaData().value("MetaData").toObject();
            if (metaData.value("Keys").toArray().contains(format))
                return true;
        }
    }
    // Qt may have been built with JPEG inside.
    return QImageWriter::supportedImageFormats().contains(format.toLatin1());
}

} // namespace

StartupEnvironment StartupEnvironment::system()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return {folder + QStringLiteral("/tessel.lock"), jpegWriterAvailable};
}

int runApplication(QApplication &app, Dialogs &dialogs, const StartupEnvironment &environment,
                   const std::function<void(FrmMain &)> &onShown)
{
    installLook();
    QLockFile instanceLock(environment.lockFilePath);
    // The lock is held for the whole run, however long; a lock left behind by a process
    // that no longer runs is taken over at once.
    instanceLock.setStaleLockTime(0);
    if (!instanceLock.tryLock(0)) {
        dialogs.showMessage("Application is already running", Icon::Information);
        return 0;
    }
    if (!environment.canWriteJpeg()) {
        dialogs.showMessage("Required File Is Missing\rPlease Reinstall Software", Icon::Critical);
        return 1;
    }

    FrmMain window(dialogs);
    window.show();
    if (onShown)
        onShown(window);
    return app.exec();
}

} // namespace tessel
