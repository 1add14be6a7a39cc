#include "fake_dialogs.h"
#include "file_faults.h"
#include "sample_plan.h"
#include "storage/layout_commands.h"
#include "storage/layout_file.h"
#include "ui/qt_file_access.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tessel;
using tessel::testing::FakeDialogs;

// The layout file on a real disk: a save replaces it only when the new one is complete.
class LayoutFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveAndOpenThroughTheDisk();
    void aReadOnlyFolderKeepsThePreviousFile();
    void aFullDiskKeepsThePreviousFile();
    void readingStopsJustPastTheLimit();

private:
    QString layoutPath() const { return m_dir->filePath("Structure.txt"); }
    std::string folder() const { return m_dir->path().toStdString(); }
    void writePrevious();
    QByteArray layoutBytes() const;
    // Saves the sample plan, answering Yes; the bytes the chart held.
    void saveFailsKeepingEverything();

    std::unique_ptr<QTemporaryDir> m_dir;
    QtFileAccess m_files;
    const QByteArray m_previous = "1,\"Hall\",0,0,800,800,0\r\n";
};

void LayoutFilesTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void LayoutFilesTest::cleanup()
{
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_dir.reset();
}

void LayoutFilesTest::writePrevious()
{
    QFile file(layoutPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(m_previous);
}

QByteArray LayoutFilesTest::layoutBytes() const
{
    QFile file(layoutPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void LayoutFilesTest::saveFailsKeepingEverything()
{
    Editor editor = testing::samplePlan();
    const std::string chart = writeLayout(editor.txtRoom);
    FakeDialogs dialogs;
    dialogs.yesNoAnswers = {true};

    SaveLayout(editor, dialogs, m_files, folder());

    QCOMPARE(writeLayout(editor.txtRoom), chart);
    QCOMPARE(dialogs.messages.size(), std::size_t(1));
    QCOMPARE(dialogs.messages[0].icon, Icon::Critical);
    QVERIFY(dialogs.lastMessage().find(layoutPath().toStdString()) != std::string::npos);
}

void LayoutFilesTest::saveAndOpenThroughTheDisk()
{
    writePrevious();
    Editor editor = testing::samplePlan();
    const std::string chart = writeLayout(editor.txtRoom);
    FakeDialogs dialogs;
    dialogs.yesNoAnswers = {true};
    SaveLayout(editor, dialogs, m_files, folder());
    QCOMPARE(layoutBytes().toStdString(), chart);
    // Nothing is left beside it.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"Structure.txt"});

    Editor opened;
    opened.scales = {10, 5};
    OpenLayout(opened, dialogs, m_files, folder());
    QCOMPARE(writeLayout(opened.txtRoom), chart);
    QVERIFY(dialogs.messages.empty());
}

void LayoutFilesTest::aReadOnlyFolderKeepsThePreviousFile()
{
    writePrevious();
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
    testing::WithoutPermissionOverride asUser;
    if (QFile probe(m_dir->filePath("probe")); probe.open(QIODevice::WriteOnly))
        QSKIP("this process can write into read-only folders");

    saveFailsKeepingEverything();
    QCOMPARE(layoutBytes(), m_previous);
}

void LayoutFilesTest::aFullDiskKeepsThePreviousFile()
{
    writePrevious();
    {
        testing::FileSizeLimit fullAfter(m_previous.size() + 10);
        saveFailsKeepingEverything();
    }
    QCOMPARE(layoutBytes(), m_previous);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"Structure.txt"});
}

void LayoutFilesTest::readingStopsJustPastTheLimit()
{
    writePrevious();
    const FileAccess::Content content = m_files.readAll(layoutPath().toStdString(), 10);
    QVERIFY(content.ok);
    QCOMPARE(content.bytes, m_previous.left(11).toStdString());
    QVERIFY(!m_files.readAll(m_dir->filePath("none").toStdString(), 10).ok);
}

QTEST_GUILESS_MAIN(LayoutFilesTest)
#include "layout_files_test.moc"
