// Start-up in this process: the single-instance lock, the JPEG writer check and the main
// window, each driven through a StartupEnvironment the test puts in a chosen state.

#include "app/startup.h"
#include "fake_dialogs.h"
#include "ui/document.h"
#include "ui/frm_main.h"
#include "ui/recovery.h"

#include <QApplication>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {
namespace {

using testing::FakeDialogs;
using Shown = FakeDialogs::Shown;

const std::string kAlreadyRunning = "Application is already running";
// The two lines of the message are separated by a lone carriage return (character 13).
const std::string kMissingWriter =
    std::string("Required File Is Missing") + char(13) + "Please Reinstall Software";

// What the start saw while the main window was up.
struct StartResult
{
    int exitCode = -1;
    int windowsShown = 0;
    QString windowName;
    bool windowVisible = false;
    bool lockTakenWhileShown = false; // could another instance take the lock meanwhile?
    qint64 lockOwnerWhileShown = 0;
};

class Startup : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    QString lockPath() const { return m_folder.filePath("tessel.lock"); }

    StartupEnvironment environment(bool canWriteJpeg)
    {
        return {lockPath(), [this, canWriteJpeg] {
                    ++m_jpegChecks;
                    return canWriteJpeg;
                }};
    }

    // Runs the start-up; a window that shows is closed again as soon as the event loop runs,
    // as the user would close it.
    StartResult start(const StartupEnvironment &environment)
    {
        StartResult run;
        run.exitCode = runApplication(*qApp, m_dialogs, environment, [this, &run](FrmMain &window) {
            ++run.windowsShown;
            run.windowName = window.objectName();
            run.windowVisible = window.isVisible();
            QLockFile other(lockPath());
            run.lockTakenWhileShown = other.tryLock(0);
            QString host, application;
            QLockFile(lockPath()).getLockInfo(&run.lockOwnerWhileShown, &host, &application);
            QMetaObject::invokeMethod(&window, &QWidget::close, Qt::QueuedConnection);
        });
        return run;
    }

    bool lockIsFree() const
    {
        QLockFile next(lockPath());
        return next.tryLock(0);
    }

    QTemporaryDir m_folder;
    FakeDialogs m_dialogs;
    int m_jpegChecks = 0;
};

TEST_F(Startup, FirstInstanceShowsMainWindowAndHoldsLockUntilItCloses)
{
    const StartResult run = start(environment(true));

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(m_dialogs.messages.empty());
    EXPECT_EQ(run.windowsShown, 1);
    EXPECT_EQ(run.windowName.toStdString(), "frmMain");
    EXPECT_TRUE(run.windowVisible);
    EXPECT_FALSE(run.lockTakenWhileShown);
    EXPECT_EQ(run.lockOwnerWhileShown, QCoreApplication::applicationPid());
    EXPECT_EQ(m_jpegChecks, 1);
    EXPECT_TRUE(lockIsFree());
    EXPECT_FALSE(QFile::exists(lockPath()));
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST_F(Startup, SecondInstanceSaysSoAndEndsWithoutWindowOrFurtherChecks)
{
    QLockFile firstInstance(lockPath());
    ASSERT_TRUE(firstInstance.tryLock(0));

    // The JPEG writer is missing too: the instance message comes first and alone.
    const StartResult run = start(environment(false));

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(m_dialogs.messages, (std::vector<Shown>{{kAlreadyRunning, Icon::Information}}));
    EXPECT_EQ(run.windowsShown, 0);
    EXPECT_EQ(m_jpegChecks, 0);
    EXPECT_TRUE(m_dialogs.unanswered.empty());

    // The first instance keeps its lock.
    EXPECT_TRUE(firstInstance.isLocked());
    qint64 owner = 0;
    QString host, application;
    ASSERT_TRUE(firstInstance.getLockInfo(&owner, &host, &application));
    EXPECT_EQ(owner, QCoreApplication::applicationPid());
}

TEST_F(Startup, MissingJpegWriterEndsWithCriticalMessageAndFreesLock)
{
    const StartResult run = start(environment(false));

    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(m_dialogs.messages, (std::vector<Shown>{{kMissingWriter, Icon::Critical}}));
    EXPECT_EQ(run.windowsShown, 0);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
    // A start that failed does not keep the next one out.
    EXPECT_TRUE(lockIsFree());
}

TEST_F(Startup, LockLeftByExitedProcessDoesNotBlockStart)
{
    QProcess exited;
    exited.start("true", {});
    ASSERT_TRUE(exited.waitForStarted());
    const qint64 deadPid = exited.processId();
    ASSERT_TRUE(exited.waitForFinished());

    // What a crashed instance leaves behind, in QLockFile's format: pid, program, host, machine
    // and boot identities.
    QFile stale(lockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(deadPid) + "\ntessel\n" + QSysInfo::machineHostName().toUtf8() +
                '\n' + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + '\n');
    stale.close();

    const StartResult run = start(environment(true));

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(m_dialogs.messages.empty());
    EXPECT_EQ(run.windowsShown, 1);
    EXPECT_EQ(run.lockOwnerWhileShown, QCoreApplication::applicationPid());
    EXPECT_FALSE(run.lockTakenWhileShown);
}

TEST_F(Startup, LockThatCannotBeMadeDoesNotKeepTheProgramFromStarting)
{
    StartupEnvironment unwritable = environment(true);
    unwritable.lockFilePath = m_folder.filePath("no such folder/tessel.lock");

    const StartResult run = start(unwritable);

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(m_dialogs.messages.empty());
    EXPECT_EQ(run.windowsShown, 1);
}

// Where the single-instance lock cannot be made at all, a second instance runs beside the
// first: it neither offers nor removes the first's live work, which is offered once the first
// is gone.
TEST_F(Startup, CopyOfAnotherRunningInstanceIsLeftAlone)
{
    StartupEnvironment unlocked = environment(true);
    unlocked.lockFilePath = m_folder.filePath("no such folder/tessel.lock");
    unlocked.recoveryFolder = m_folder.filePath("recovery");
    Document document;
    FakeDialogs firstDialogs;
    auto first = std::make_unique<RecoveryFile>(document, firstDialogs, unlocked.recoveryFolder);
    document.load({}, {"60", "30", Facing::North}, {}, true);
    first->writeNow();
    const QString copy = first->path();

    start(unlocked);
    EXPECT_TRUE(m_dialogs.questions.empty());
    EXPECT_TRUE(QFile::exists(copy));

    first.reset(); // gone without a clean end
    m_dialogs.yesNoAnswers = {false};
    start(unlocked);
    EXPECT_EQ(m_dialogs.questions.size(), 1u);
    EXPECT_FALSE(QFile::exists(copy));
}

TEST(SystemEnvironment, LockLivesInUserRuntimeFolderAndJpegCanBeWritten)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const bool hadRuntime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const StartupEnvironment system = StartupEnvironment::system();
    if (hadRuntime)
        qputenv("XDG_RUNTIME_DIR", previous);
    else
        qunsetenv("XDG_RUNTIME_DIR");

    EXPECT_EQ(QFileInfo(system.lockFilePath).absolutePath().toStdString(),
              QFileInfo(runtime.path()).absoluteFilePath().toStdString());
    ASSERT_TRUE(system.canWriteJpeg);
    // Qt's JPEG writer plugin is installed with Qt itself.
    EXPECT_TRUE(system.canWriteJpeg());
}

} // namespace
} // namespace tessel

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
