#include "ui/layout_folder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class LayoutFolderTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void aPortableCopyKeepsTheLayoutBesideIt()
    {
        QTemporaryDir folder;
        QCOMPARE(tessel::layoutFolderFor(folder.path()), QDir::cleanPath(folder.path()));
    }

    void anInstalledProgramUsesTheUsersDataFolder()
    {
        QTemporaryDir prefix;
        QVERIFY(QDir(prefix.path()).mkpath("bin"));
        QVERIFY(QDir(prefix.path()).mkpath("share/applications"));
        QFile entry(prefix.path() + "/share/applications/io.tessel.Tessel.desktop");
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.close();

        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QCOMPARE(tessel::layoutFolderFor(prefix.path() + "/bin"), data);
        QVERIFY(QDir(data).exists());
    }

    void aFolderThatCannotBeWrittenUsesTheUsersDataFolder()
    {
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QCOMPARE(tessel::layoutFolderFor("/nonexistent/tessel/bin"), data);
    }
};

QTEST_GUILESS_MAIN(LayoutFolderTest)
#include "layout_folder_test.moc"
