#include "app/startup.h"

#include "model/dialogs.h"
#include "ui/frm_main.h"

#include "ui/style.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPluginLoader>
#include <QStandardPaths>
#include <QThread>

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

// Hands the files to the instance that listens on `serverName`; false when none answers.
bool handOver(const QString &serverName, const QStringList &files)
{
    if (serverName.isEmpty())
        return false;
    // The running instance may be starting still, its lock taken before it listens.
    QLocalSocket socket;
    const QDeadlineTimer deadline(kHandOverTimeoutMs);
    for (socket.connectToServer(serverName); !socket.waitForConnected(kHandOverTimeoutMs);
         socket.connectToServer(serverName)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    for (const QString &file : files)
        socket.write(QFileInfo(file).absoluteFilePath().toUtf8() + '\n');
    socket.disconnectFromServer();
    return socket.state() == QLocalSocket::UnconnectedState ||
           socket.waitForDisconnected(kHandOverTimeoutMs);
}

// Opens the files later starts hand over, one path a line, and brings the window to the front.
void listenForFiles(QLocalServer &server, const QString &serverName, FrmMain &window)
{
    if (serverName.isEmpty())
        return;
    // A name left by an instance that crashed would keep this one from listening.
    QLocalServer::removeServer(serverName);
    if (!server.listen(serverName))
        return;
    QObject::connect(&server, &QLocalServer::newConnection, &window, [&server, &window] {
        while (QLocalSocket *socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, &window, [socket, &window] {
                const QList<QByteArray> lines = socket->readAll().split('\n');
                socket->deleteLater();
                window.raise();
                window.activateWindow();
                for (const QByteArray &line : lines) {
                    if (!line.isEmpty())
                        window.openLayoutFile(QString::fromUtf8(line));
                }
            });
        }
    });
}

} // namespace

StartupEnvironment StartupEnvironment::system()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return {folder + QStringLiteral("/tessel.lock"), jpegWriterAvailable,
            folder + QStringLiteral("/tessel.socket"), data + QStringLiteral("/recovery.tessel")};
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
        if (!files.isEmpty() && handOver(environment.serverName, files))
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
    QLocalServer server;
    listenForFiles(server, environment.serverName, window);
    if (!environment.recoveryFilePath.isEmpty())
        window.keepRecoveryFile(environment.recoveryFilePath);
    for (const QString &file : files)
        window.openLayoutFile(QFileInfo(file).absoluteFilePath());
    return app.exec();
}

} // namespace tessel
