#include "app/startup.h"

#include "app/file_handoff.h"

#include "model/dialogs.h"
#include "ui/frm_main.h"

#include "ui/style.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonObject>
#include <QLockFile>
#include <QPluginLoader>
#include <QStandardPaths>

namespace tessel {

namespace {

// Whether Qt's image writer can write JPEG: whether Qt's JPEG image-format plugin is there.
// It is looked up by its file name and recognised by its metadata, which is read without
// loading it; asking QImageWriter for its formats would list the plugin folder and load
// every image-format plugin there is before the first frame.
bool jpegWriterAvailable()
{
    const QString format = QStringLiteral("jpeg");
    const QStringList fileNames = {QStringLiteral("libqjpeg.so"), QStringLiteral("qjpeg.dll"),
                                   QStringLiteral("libqjpeg.dylib")};
    for (const QString &folder : QCoreApplication::libraryPaths()) {
        for (const QString &fileName : fileNames) {
            const QString path = folder + QStringLiteral("/imageformats/") + fileName;
            if (!QFileInfo::exists(path))
                continue;
            const QJsonObject metaData =
                QPluginLoader(path).metaData().value("MetaData").toObject();
            if (metaData.value("Keys").toArray().contains(format))
                return true;
        }
    }
    // Qt may have been built with JPEG inside, or name its plugin otherwise.
    return QImageWriter::supportedImageFormats().contains(format.toLatin1());
}

constexpr int kHandOverTimeoutMs = 5000;

// Opens the files later starts hand over and brings the window to the front.
void listenForFiles(FileHandoffServer &server, const QString &path, FrmMain &window)
{
    if (path.isEmpty() || !server.listen(path))
        return;
    QObject::connect(&server, &FileHandoffServer::filesReceived, &window,
                     [&window](const QStringList &files) {
                         window.raise();
                         window.activateWindow();
                         for (const QString &file : files)
                             window.openLayoutFile(file);
                     });
}

} // namespace

StartupEnvironment StartupEnvironment::system()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return {folder + QStringLiteral("/tessel.lock"), jpegWriterAvailable,
            folder + QStringLiteral("/tessel.socket"), data + QStringLiteral("/recovery")};
}

int runApplication(QApplication &app, Dialogs &dialogs, const StartupEnvironment &environment,
                   const std::function<void(FrmMain &)> &onShown, const QStringList &files)
{
    installLook();
    QLockFile instanceLock(environment.lockFilePath);
    // The lock is held for the whole run, however long; a lock left behind by a process
    // that no longer runs is taken over at once.
    instanceLock.setStaleLockTime(0);
    // Only a lock held by another instance keeps this one out. A lock that cannot be made at
    // all (a folder that cannot be written) says nothing of other instances.
    if (!instanceLock.tryLock(0) && instanceLock.error() == QLockFile::LockFailedError) {
        if (!files.isEmpty() && handFilesOver(environment.handoffSocket, files, kHandOverTimeoutMs))
            return 0;
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
    FileHandoffServer server;
    listenForFiles(server, environment.handoffSocket, window);
    if (!environment.recoveryFolder.isEmpty())
        window.keepRecoveryFile(environment.recoveryFolder);
    for (const QString &file : files)
        window.openLayoutFile(QFileInfo(file).absoluteFilePath());
    return app.exec();
}

} // namespace tessel
