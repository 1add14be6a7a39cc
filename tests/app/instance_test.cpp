// Start-up across processes: the real tessel executable against a probe that starts the same
// way and prints what it is told (see startup_probe.cpp). Each test gives its processes a
// runtime folder of their own, so that the lock they share is the test's alone.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessel {
namespace {

// Generous: the processes may run under the sanitizers on a busy machine.
constexpr int kTimeoutMs = 60'000;

struct Output
{
    int exitCode = -1;
    std::vector<std::string> lines; // of standard output
};

using Lines = std::vector<std::string>;

class Instances : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_runtime.isValid()); }

    void TearDown() override
    {
        for (QProcess *process : m_started) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(kTimeoutMs);
            }
            delete process;
        }
    }

    QString lockPath() const { return m_runtime.filePath("tessel.lock"); }

    // Each start shares the test's home; `runtime` is its runtime folder, the test's own unless
    // given.
    QProcess *launch(const QString &program, const QStringList &arguments = {},
                     const QString &runtime = {})
    {
        auto *process = new QProcess;
        m_started.push_back(process);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_RUNTIME_DIR", runtime.isEmpty() ? m_runtime.path() : runtime);
        environment.insert("XDG_DATA_HOME", m_runtime.filePath("data"));
        environment.insert("XDG_CONFIG_HOME", m_runtime.filePath("config"));
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->start(program, arguments);
        return process;
    }

    // Starts the probe and waits for it to end on its own.
    Output runProbe(const QStringList &arguments = {}, const QString &runtime = {})
    {
        QProcess *probe = launch(TESSEL_PROBE, arguments, runtime);
        Output output;
        if (!probe->waitForFinished(kTimeoutMs) || probe->exitStatus() != QProcess::NormalExit) {
            ADD_FAILURE() << "the probe did not end by itself: "
                          << probe->readAllStandardError().toStdString();
            return output;
        }
        output.exitCode = probe->exitCode();
        for (const QByteArray &line : probe->readAllStandardOutput().split('\n')) {
            if (!line.isEmpty())
                output.lines.push_back(line.toStdString());
        }
        return output;
    }

    // Waits until `process` holds the lock: QLockFile writes the owner's pid into the file
    // only once it holds the file's lock.
    bool waitForLock(QProcess &process)
    {
        QDeadlineTimer deadline(kTimeoutMs);
        while (!deadline.hasExpired() && process.state() == QProcess::Running) {
            if (lockOwner() == process.processId())
                return true;
            QThread::msleep(20);
        }
        return false;
    }

    // A layout file of two elements, which an instance opens as unsaved work.
    QString layoutFile() const
    {
        const QString layout = m_runtime.filePath("Structure.txt");
        QFile file(layout);
        if (file.open(QIODevice::WriteOnly))
            file.write("1,\"Kitchen\",0,0,1600,800,0\r\n2,\"\",800,800,400,0,1\r\n");
        return layout;
    }

    // The copies of unsaved work the instances keep.
    QStringList recoveryCopies() const
    {
        return QDir(m_runtime.filePath("data/Tessel/Tessel/recovery"))
            .entryList({"*.tessel"}, QDir::Files);
    }

    bool waitForRecoveryCopy() const
    {
        const QDeadlineTimer deadline(kTimeoutMs);
        while (recoveryCopies().isEmpty() && !deadline.hasExpired())
            QThread::msleep(50);
        return !recoveryCopies().isEmpty();
    }

    qint64 lockOwner() const
    {
        qint64 pid = 0;
        QString host, application;
        QLockFile(lockPath()).getLockInfo(&pid, &host, &application);
        return pid;
    }

    QTemporaryDir m_runtime;
    std::vector<QProcess *> m_started;
};

TEST_F(Instances, SecondInstanceReportsFirstAndLeavesItRunning)
{
    QProcess *first = launch(TESSEL_EXECUTABLE);
    ASSERT_TRUE(first->waitForStarted(kTimeoutMs));
    ASSERT_TRUE(waitForLock(*first)) << first->readAllStandardError().toStdString();

    const Output second = runProbe();

    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.lines, Lines{"information\tApplication is already running"});
    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_EQ(lockOwner(), first->processId());
}

TEST_F(Instances, InstanceThatWasKilledDoesNotBlockNextStart)
{
    QProcess *crashed = launch(TESSEL_EXECUTABLE);
    ASSERT_TRUE(crashed->waitForStarted(kTimeoutMs));
    ASSERT_TRUE(waitForLock(*crashed));
    crashed->kill();
    ASSERT_TRUE(crashed->waitForFinished(kTimeoutMs));
    ASSERT_TRUE(QFile::exists(lockPath())) << "a killed process leaves its lock file behind";

    const Output next = runProbe();

    EXPECT_EQ(next.exitCode, 0);
    EXPECT_EQ(next.lines, Lines{"shown\tfrmMain"});
    EXPECT_FALSE(QFile::exists(lockPath()));
}

TEST_F(Instances, MissingJpegWriterPluginIsReportedAndEndsStart)
{
    QTemporaryDir noPlugins;
    ASSERT_TRUE(noPlugins.isValid());

    const Output start = runProbe({"--plugins", noPlugins.path()});

    EXPECT_NE(start.exitCode, 0);
    EXPECT_EQ(start.lines, Lines{"critical\tRequired File Is Missing\rPlease Reinstall Software"});
    // The next start is not kept out by the one that failed.
    const Output next = runProbe();
    EXPECT_EQ(next.lines, Lines{"shown\tfrmMain"});
}

// Started to be timed, the program ends by itself after its first frame, as after a close:
// exit code 0 and its lock given back. The option is not offered to users.
TEST_F(Instances, QuitAfterFirstFrameEndsLikeAClose)
{
    QProcess *tessel = launch(TESSEL_EXECUTABLE, {"--quit-after-first-frame"});
    ASSERT_TRUE(tessel->waitForFinished(kTimeoutMs)) << "did not end by itself";
    EXPECT_EQ(tessel->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tessel->exitCode(), 0) << tessel->readAllStandardError().toStdString();
    EXPECT_FALSE(QFile::exists(lockPath()));

    QProcess *help = launch(TESSEL_EXECUTABLE, {"--help"});
    ASSERT_TRUE(help->waitForFinished(kTimeoutMs));
    EXPECT_FALSE(help->readAllStandardOutput().contains("quit-after-first-frame"));
}

// The program answers --version and --help and refuses what it does not know, all without a
// display and without starting a window.
TEST_F(Instances, CommandLineAnswersWithoutAWindow)
{
    struct Case
    {
        QStringList arguments;
        int exitCode;
        QByteArray standardOutput; // its start
    } cases[] = {
        {{"--version"}, 0, "Tessel 1.45\n"},
        {{"--help"}, 0, "Usage: "},
        {{"--no-such-option"}, 2, ""},
        {{"one", "two"}, 2, ""},
    };
    for (const Case &c : cases) {
        // With no display at all, an application object would end the process.
        QProcess *tessel = new QProcess;
        m_started.push_back(tessel);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.insert("XDG_RUNTIME_DIR", m_runtime.path());
        tessel->setProcessEnvironment(environment);
        tessel->start(TESSEL_EXECUTABLE, c.arguments);
        ASSERT_TRUE(tessel->waitForFinished(kTimeoutMs)) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(tessel->exitCode(), c.exitCode) << c.arguments.join(' ').toStdString();
        const QByteArray output = tessel->readAllStandardOutput();
        EXPECT_TRUE(output.startsWith(c.standardOutput)) << output.toStdString();
        EXPECT_EQ(tessel->readAllStandardError().isEmpty(), c.exitCode == 0);
        // No instance ran: the lock was never taken.
        EXPECT_FALSE(QFile::exists(lockPath()));
    }
}

// A layout file given to a second start is opened by the first, which keeps a copy of the
// unsaved work. An instance of the same home that the single-instance lock does not keep out
// (another runtime folder) neither offers nor removes that live copy; killed, the first leaves
// it, and the next start brings the work back.
TEST_F(Instances, FileGivenToASecondStartOpensInTheFirstAndSurvivesAKill)
{
    QProcess *first = launch(TESSEL_EXECUTABLE);
    ASSERT_TRUE(first->waitForStarted(kTimeoutMs));
    ASSERT_TRUE(waitForLock(*first));
    QProcess *second = launch(TESSEL_EXECUTABLE, {layoutFile()});
    ASSERT_TRUE(second->waitForFinished(kTimeoutMs));
    EXPECT_EQ(second->exitCode(), 0);
    ASSERT_TRUE(waitForRecoveryCopy());

    QTemporaryDir otherRuntime;
    EXPECT_EQ(runProbe({}, otherRuntime.path()).lines, Lines{"shown\tfrmMain"});
    EXPECT_EQ(recoveryCopies().size(), 1);
    first->kill();
    ASSERT_TRUE(first->waitForFinished(kTimeoutMs));

    const Output next = runProbe({"--yes", "--tell-layout"}, otherRuntime.path());
    EXPECT_EQ(
        next.lines,
        (Lines{"shown\tfrmMain",
               "question none\tTessel was not ended properly last time. Restore the "
               "layout \"Untitled\" with the changes that were not saved?",
               "layout\tTessel v1.45[*]\t2",
               "choice\tThe layout \"Untitled\" has changes that are not saved. Save them?"}));
    // Closed, it asked about the work and let it go: nothing is left to recover.
    EXPECT_TRUE(recoveryCopies().isEmpty());
}

} // namespace
} // namespace tessel

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
