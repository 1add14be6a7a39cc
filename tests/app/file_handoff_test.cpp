// Files handed from a later start to the running instance over its socket.

#include "app/file_handoff.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace tessel {
namespace {

// The paths the server took from one hand-over, waiting for them.
QStringList received(QSignalSpy &spy)
{
    if (spy.isEmpty() && !spy.wait(5000))
        return {};
    return spy.takeFirst().at(0).toStringList();
}

TEST(FileHandoff, PathsArriveWholeAndInOrderEvenWithLineBreaksInThem)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString socket = folder.filePath("tessel.socket");
    FileHandoffServer server;
    ASSERT_TRUE(server.listen(socket));
    QSignalSpy spy(&server, &FileHandoffServer::filesReceived);

    const QStringList files = {folder.filePath("plan.tessel"),
                               folder.filePath(QString::fromUtf8("two\nlines \xc3\xa9.tessel"))};
    ASSERT_TRUE(handFilesOver(socket, files, 1000));
    EXPECT_EQ(received(spy), files);

    // A relative path is made absolute by the start that was given it.
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    ASSERT_TRUE(handFilesOver(socket, {"Structure.txt"}, 1000));
    EXPECT_EQ(received(spy), QStringList{folder.filePath("Structure.txt")});
}

TEST(FileHandoff, ASocketLeftByACrashIsTakenOverAndRemovedAtTheEnd)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("tessel.socket");
    // A socket file that no process listens on any more.
    ASSERT_EQ(::mknod(QFile::encodeName(path).constData(), S_IFSOCK | 0600, 0), 0);
    EXPECT_FALSE(handFilesOver(path, {"a.tessel"}, 100));

    {
        FileHandoffServer server;
        ASSERT_TRUE(server.listen(path));
        QSignalSpy spy(&server, &FileHandoffServer::filesReceived);
        ASSERT_TRUE(handFilesOver(path, {"/a.tessel"}, 1000));
        EXPECT_EQ(received(spy), QStringList{"/a.tessel"});
    }
    EXPECT_FALSE(QFile::exists(path));
}

// Another user who can reach the socket still cannot have files opened by this instance.
TEST(FileHandoff, AnotherUsersFilesAreRefused)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to connect as another user";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("tessel.socket");
    FileHandoffServer server;
    ASSERT_TRUE(server.listen(path));
    QSignalSpy spy(&server, &FileHandoffServer::filesReceived);
    QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7777));
    QFile::setPermissions(path, QFileDevice::Permissions(0x7777));

    const pid_t child = ::fork();
    if (child == 0) {
        const bool sent = ::setuid(65534) == 0 && handFilesOver(path, {"/a.tessel"}, 1000);
        ::_exit(sent ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the other user could not connect";
    EXPECT_FALSE(spy.wait(300));

    ASSERT_TRUE(handFilesOver(path, {"/b.tessel"}, 1000));
    EXPECT_EQ(received(spy), QStringList{"/b.tessel"});
}

TEST(FileHandoff, NoListenerOrAPathTooLongForASocketIsAFailure)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_FALSE(handFilesOver(folder.filePath("none.socket"), {"/a.tessel"}, 100));
    const QString tooLong = folder.filePath(QString(200, 'x'));
    FileHandoffServer server;
    EXPECT_FALSE(server.listen(tooLong));
    EXPECT_FALSE(handFilesOver(tooLong, {"/a.tessel"}, 100));
}

} // namespace
} // namespace tessel

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
