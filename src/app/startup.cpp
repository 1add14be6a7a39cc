#include "app/startup.h"

#include "model/dialogs.h"
#include "ui/frm_main.h"

#include <QApplication>
#include <QDir>
#include <QImageWriter>
#include <QLockFile>
#include <QStandardPaths>

namespace tessel {

StartupEnvironment StartupEnvironment::system()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    // Listing the writers loads every image-format plugin; the main window's menu bar loads
    // them all anyway, so asking for the JPEG writer alone would save nothing.
    return {folder + QStringLiteral("/tessel.lock"), [] {
                return QImageWriter::supportedImageFormats().contains("jpeg");
            }};
}

int runApplication(QApplication &app, Dialogs &dialogs, const StartupEnvironment &environment,
                   const std::function<void(FrmMain &)> &onShown)
{
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
