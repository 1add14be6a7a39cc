#include "../ui/file_faults.h"
#include "fake_dialogs.h"
#include "sample_plan.h"
#include "storage/layout_document.h"
#include "storage/layout_file.h"
#include "ui/document.h"
#include "ui/document_commands.h"
#include "ui/frm_main.h"
#include "ui/recovery.h"
#include "window_support.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <memory>

using namespace tessel;
using tessel::testing::FakeDialogs;

// Layout documents through the File menu and its shortcuts: saving and opening them, the
// title, recent layouts, the question before work is lost, and the recovery file.
class DocumentTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void documentsRoundTripThroughTheMenus_data();
    void documentsRoundTripThroughTheMenus();
    void unsavedWorkIsAskedAbout_data();
    void unsavedWorkIsAskedAbout();
    void recentLayoutsOpenAndForgetMissingFiles();
    void faultyFilesChangeNothing_data();
    void faultyFilesChangeNothing();
    void aLayoutFileOpensAsANewUntitledLayout();
    void recoveryKeepsUnsavedWorkUntilSaved_data();
    void recoveryKeepsUnsavedWorkUntilSaved();
    void recoveryWritesThePlanImageOnlyWhenItChanges();
    void recoveryThatFailsIsToldOnce_data();
    void recoveryThatFailsIsToldOnce();
    void copiesThatCannotBeRemovedAreNotOfferedAgain();

private:
    std::unique_ptr<FrmMain> openWindow(FakeDialogs &dialogs) const;
    // A start that keeps its copy in the test's recovery folder.
    std::unique_ptr<FrmMain> restart(FakeDialogs &dialogs) const
    {
        auto window = openWindow(dialogs);
        window->keepRecoveryFile(inDir("recovery"));
        return window;
    }
    // The files of the recovery folder but the locks.
    QStringList recoveryFiles() const
    {
        return QDir(inDir("recovery")).entryList({"*.tessel", "*.plan"}, QDir::Files);
    }
    void keys(const char *sequence) const
    {
        QTest::keySequence(m_window.get(), QKeySequence(sequence));
    }
    QString inDir(const QString &name) const { return m_dir->filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes) const;
    // The window's layout as a document would keep it.
    static std::string shownIn(const FrmMain &window);
    std::string shown() const { return shownIn(*m_window); }
    QString title() const { return m_window->windowTitle(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeDialogs> m_dialogs;
    std::unique_ptr<FrmMain> m_window;
};

std::unique_ptr<FrmMain> DocumentTest::openWindow(FakeDialogs &dialogs) const
{
    auto window = std::make_unique<FrmMain>(dialogs);
    window->setLayoutFolder(m_dir->path());
    window->show();
    return window;
}

void DocumentTest::init()
{
    QSettings().clear();
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs = std::make_unique<FakeDialogs>();
    m_window = openWindow(*m_dialogs);
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void DocumentTest::cleanup()
{
    QVERIFY2(m_dialogs->unanswered.empty(), "a dialog was shown that the test did not answer");
    m_window.reset();
    m_dialogs.reset();
    m_dir.reset();
}

void DocumentTest::writeFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(inDir(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::string DocumentTest::shownIn(const FrmMain &window)
{
    const auto find = [&window](const char *name) {
        return testing::findControl<QLineEdit>(window, name)->text().toStdString();
    };
    const int facing = testing::findControl<QComboBox>(window, "cmbDirection")->currentIndex();
    return writeLayoutDocument({find("txtPlotLength"), find("txtPlotWidth"),
                                static_cast<Facing>(facing), window.editor().txtRoom});
}

void DocumentTest::documentsRoundTripThroughTheMenus_data()
{
    QTest::addColumn<int>("facing");
    for (const Facing facing : {Facing::North, Facing::South, Facing::East, Facing::West})
        QTest::newRow(kFacingNames[std::size_t(facing)]) << int(facing);
}

void DocumentTest::documentsRoundTripThroughTheMenus()
{
    QFETCH(int, facing);
    const LayoutDocument plan = testing::samplePlanDocument(static_cast<Facing>(facing));
    m_window->document().load(plan.table, {plan.plotLength, plan.plotWidth, plan.facing}, {}, true);
    const std::string before = shown();
    QCOMPARE(before, writeLayoutDocument(plan));
    QCOMPARE(title(), "Tessel v1.45[*]");
    QVERIFY(m_window->isWindowModified());

    // Saved under a name given without its suffix.
    m_dialogs->fileAnswers = {inDir("plan").toStdString()};
    keys("Ctrl+Shift+S");
    QCOMPARE(title(), "plan.tessel[*] - Tessel v1.45");
    QVERIFY(!m_window->isWindowModified());
    QCOMPARE(m_window->windowFilePath(), inDir("plan.tessel"));

    // A new layout keeps the plot and starts with an empty chart and no name.
    keys("Ctrl+N");
    QCOMPARE(m_window->editor().txtRoom.elementCount(), 0);
    QCOMPARE(title(), "Tessel v1.45");

    m_dialogs->fileAnswers = {inDir("plan.tessel").toStdString()};
    keys("Ctrl+O");
    QCOMPARE(shown(), before);
    QCOMPARE(title(), "plan.tessel[*] - Tessel v1.45");
    QVERIFY(!m_window->isWindowModified());
    // The entrances and doors of the opened chart are known.
    QCOMPARE(m_window->editor().mainEntranceIndex, 4);
    QVERIFY(m_window->editor().doorsPresent);

    // Saved again where it is kept, without a question.
    QVERIFY(QFile::remove(inDir("plan.tessel")));
    keys("Ctrl+S");
    QVERIFY(QFile::exists(inDir("plan.tessel")));
    QCOMPARE(m_dialogs->prompts.size(), 2u);
    QVERIFY(m_dialogs->messages.empty());
}

void DocumentTest::unsavedWorkIsAskedAbout_data()
{
    QTest::addColumn<Choice>("choice");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("save") << Choice::Save << true;
    QTest::newRow("discard") << Choice::Discard << true;
    QTest::newRow("cancel") << Choice::Cancel << false;
}

void DocumentTest::unsavedWorkIsAskedAbout()
{
    QFETCH(Choice, choice);
    QFETCH(bool, replaced);
    const LayoutDocument plan = testing::samplePlanDocument(Facing::East);
    m_window->document().load(plan.table, {plan.plotLength, plan.plotWidth, plan.facing}, {}, true);
    m_dialogs->choiceAnswers = {choice};
    // A layout with no name is saved under one first.
    if (choice == Choice::Save)
        m_dialogs->fileAnswers = {inDir("kept.tessel").toStdString()};
    testing::findControl<QAction>(*m_window, "mnuNewLayout")->trigger();

    QCOMPARE(m_dialogs->choices,
             std::vector<std::string>{
                 "The layout \"Untitled\" has changes that are not saved. Save them?"});
    QCOMPARE(m_window->editor().txtRoom.elementCount() == 0, replaced);
    QCOMPARE(m_window->isWindowModified(), !replaced);
    QCOMPARE(QFile::exists(inDir("kept.tessel")), choice == Choice::Save);
}

void DocumentTest::recentLayoutsOpenAndForgetMissingFiles()
{
    for (const char *name : {"first.tessel", "second.tessel"}) {
        m_dialogs->fileAnswers = {inDir(name).toStdString()};
        testing::findControl<QAction>(*m_window, "mnuSaveLayoutAs")->trigger();
    }
    auto *recent = testing::findControl<QMenu>(*m_window, "mnuRecentLayouts");
    QStringList items;
    for (const QAction *item : recent->actions())
        items << item->text();
    QCOMPARE(items, (QStringList{"&1 second.tessel", "&2 first.tessel"}));

    QVERIFY(QFile::remove(inDir("second.tessel")));
    recent->actions().at(0)->trigger();
    QCOMPARE(m_dialogs->messages.size(), 1u);
    QVERIFY(m_dialogs->lastMessage().find("second.tessel\" is no longer there") !=
            std::string::npos);
    QCOMPARE(recent->actions().size(), 1);

    // The list is kept for the next start.
    FakeDialogs dialogs;
    const auto next = openWindow(dialogs);
    auto *nextRecent = testing::findControl<QMenu>(*next, "mnuRecentLayouts");
    QCOMPARE(nextRecent->actions().size(), 1);
    nextRecent->actions().at(0)->trigger();
    QCOMPARE(next->windowTitle(), "first.tessel[*] - Tessel v1.45");
    QVERIFY(dialogs.unanswered.empty());
}

void DocumentTest::faultyFilesChangeNothing_data()
{
    const std::string good = writeLayoutDocument(testing::samplePlanDocument(Facing::North));
    std::string newer = good;
    newer.replace(newer.find("\"version\":1"), 11, "\"version\":9");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fault");
    QTest::newRow("truncated") << QByteArray::fromStdString(good.substr(0, good.size() / 2))
                               << "line 1, column";
    QTest::newRow("wrong type") << QByteArray(R"({"format":"tessel-layout","version":1,)"
                                              R"("plotLength":60,"plotWidth":"30",)"
                                              R"("facing":"North","elements":[]})")
                                << "\"plotLength\" is not a text";
    QTest::newRow("newer") << QByteArray::fromStdString(newer) << "made by a newer version";
    QTest::newRow("layout file") << QByteArray("1,\"Hall\",zero,0,800,800,1\r\n") << "line 1";
}

void DocumentTest::faultyFilesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fault);
    const LayoutDocument plan = testing::samplePlanDocument(Facing::West);
    m_window->document().load(plan.table, {plan.plotLength, plan.plotWidth, plan.facing},
                              inDir("mine.tessel"), false);
    const std::string before = shown();
    writeFile("broken.tessel", bytes);

    m_dialogs->fileAnswers = {inDir("broken.tessel").toStdString()};
    testing::findControl<QAction>(*m_window, "mnuOpenLayout")->trigger();

    QCOMPARE(m_dialogs->messages.size(), 1u);
    const std::string &message = m_dialogs->messages.front().text;
    QVERIFY2(message.find(inDir("broken.tessel").toStdString()) != std::string::npos &&
                 message.find(fault.toStdString()) != std::string::npos,
             message.c_str());
    QCOMPARE(shown(), before);
    QCOMPARE(title(), "mine.tessel[*] - Tessel v1.45");
}

void DocumentTest::aLayoutFileOpensAsANewUntitledLayout()
{
    testing::findControl<QLineEdit>(*m_window, "txtPlotLength")->setText("60");
    const ChartTable table = testing::samplePlan().txtRoom;
    writeFile("Structure.txt", QByteArray::fromStdString(writeLayout(table)));
    QVERIFY(m_window->openLayoutFile(inDir("Structure.txt")));
    QCOMPARE(shown(), writeLayoutDocument({"60", "", Facing::North, table}));
    // The chart is in no document yet.
    QCOMPARE(title(), "Tessel v1.45[*]");
    QVERIFY(m_window->isWindowModified());
}

void DocumentTest::recoveryKeepsUnsavedWorkUntilSaved_data()
{
    QTest::addColumn<bool>("restore");
    QTest::newRow("restored") << true;
    QTest::newRow("declined") << false;
}

void DocumentTest::recoveryKeepsUnsavedWorkUntilSaved()
{
    QFETCH(bool, restore);
    m_window->keepRecoveryFile(inDir("recovery"));
    QVERIFY(m_dialogs->questions.empty());
    const QString recovery = m_window->recoveryFile()->path();

    // Written soon after a change, gone once the layout is saved.
    const LayoutDocument plan = testing::samplePlanDocument(Facing::South);
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const PlanImage image{std::make_shared<const std::string>(png.toBase64().toStdString()), 25,
                          false};
    m_window->document().load(plan.table, {plan.plotLength, plan.plotWidth, plan.facing}, {}, true,
                              image);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(recovery), 2000);
    m_dialogs->fileAnswers = {inDir("plan.tessel").toStdString()};
    keys("Ctrl+S");
    QCOMPARE(recoveryFiles(), QStringList());

    // Changed again, then the program is gone without closing.
    m_window->document().load(plan.table, {plan.plotLength, "45", plan.facing},
                              inDir("plan.tessel"), true, image);
    const std::string unsaved = shown();
    m_window->recoveryFile()->writeNow();
    m_window.reset();

    FakeDialogs dialogs;
    dialogs.yesNoAnswers = {restore};
    const auto next = restart(dialogs);
    QCOMPARE(dialogs.questions.size(), 1u);
    QCOMPARE(dialogs.questions.front().text,
             "Tessel was not ended properly last time. Restore the layout \"plan.tessel\" with "
             "the changes that were not saved?");
    if (restore) {
        QCOMPARE(shownIn(*next), unsaved);
        QCOMPARE(*next->editor().plan.base64, *image.base64);
        QCOMPARE(next->editor().plan.opacity, 25);
        QVERIFY(!next->editor().plan.shown);
        QCOMPARE(next->windowTitle(), "plan.tessel[*] - Tessel v1.45");
        QVERIFY(next->isWindowModified());
        // The copy restored is the new run's own: it is kept until the work is saved.
        QCOMPARE(next->recoveryFile()->path(), recovery);
    } else {
        QCOMPARE(recoveryFiles(), QStringList());
        QCOMPARE(next->editor().txtRoom.elementCount(), 0);
    }
}

void DocumentTest::recoveryWritesThePlanImageOnlyWhenItChanges()
{
    m_window->keepRecoveryFile(inDir("recovery"));
    const auto imageOf = [](char fill) {
        return PlanImage{std::make_shared<const std::string>(std::string(64 * 1024, fill))};
    };
    const LayoutDocument plan = testing::samplePlanDocument(Facing::South);
    m_window->document().load(plan.table, {}, {}, true, imageOf('a'));
    RecoveryFile &recovery = *m_window->recoveryFile();
    recovery.writeNow();
    // The image files by name and inode: a file written again is a new one.
    const auto images = [this] {
        QStringList files;
        for (const QString &name : QDir(inDir("recovery")).entryList({"*.plan"}, QDir::Files)) {
            struct stat status = {};
            stat(QFile::encodeName(inDir("recovery/" + name)).constData(), &status);
            files << name + ' ' + QString::number(status.st_ino);
        }
        return files;
    };
    const QStringList first = images();
    QCOMPARE(first.size(), 1);

    m_window->document().nudgeElement(1, m_window->editor().txtRoom.at(1).left + 80,
                                      m_window->editor().txtRoom.at(1).top);
    recovery.writeNow();
    QCOMPARE(images(), first);
    QVERIFY(QFileInfo(recovery.path()).size() < 4096);

    // A new image replaces the one kept.
    m_window->document().setPlanImage(imageOf('b'));
    recovery.writeNow();
    QCOMPARE(images().size(), 1);
    QVERIFY(images() != first);
}

void DocumentTest::recoveryThatFailsIsToldOnce_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only folder") << "read-only"
                                      << "Permission denied";
    QTest::newRow("folder that cannot be made") << "under a file"
                                                << "Not a directory";
    QTest::newRow("full disk") << "full"
                               << "File too large";
}

void DocumentTest::recoveryThatFailsIsToldOnce()
{
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    QString folder = inDir("recovery");
    QVERIFY(QDir().mkpath(folder));
    std::optional<testing::WithoutPermissionOverride> readOnly;
    std::optional<testing::FileSizeLimit> full;
    if (fault == "read-only") {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        // Also for the writer's thread, which the first write starts from this one.
        readOnly.emplace();
    } else if (fault == "under a file") {
        writeFile("file", "x");
        folder = inDir("file/recovery");
    } else {
        full.emplace(16 * 1024);
    }
    m_window->keepRecoveryFile(folder);
    const LayoutDocument plan = testing::samplePlanDocument(Facing::South);
    for (const char fill : {'a', 'b'}) {
        m_window->document().load(plan.table, {}, {}, true,
                                  {std::make_shared<const std::string>(64 * 1024, fill)});
        m_window->recoveryFile()->writeNow();
        QTest::qWait(10);
    }
    readOnly.reset();
    full.reset();
    QFile::setPermissions(inDir("recovery"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(m_dialogs->messages.size(), 1u);
    QCOMPARE(m_dialogs->messages.front().icon, Icon::Critical);
    QCOMPARE(QString::fromStdString(m_dialogs->lastMessage()),
             "Unsaved changes cannot be protected against a crash: no copy of them can be kept in "
             "\"" +
                 folder + "\": " + reason + ".\n\nSave the layout to keep your work.");
}

// Offered only where it can be removed after, and never once its work was saved or let go.
void DocumentTest::copiesThatCannotBeRemovedAreNotOfferedAgain()
{
    const auto setWritable = [this](bool writable) {
        QFile::setPermissions(inDir("recovery"),
                              QFile::ReadOwner | QFile::ExeOwner |
                                  (writable ? QFile::WriteOwner : QFile::Permissions()));
    };
    {
        FakeDialogs dialogs;
        auto crashed = restart(dialogs);
        crashed->document().load({}, {"60", "30", Facing::North}, {}, true);
        crashed->recoveryFile()->writeNow();
    }
    for (int start = 0; start < 2; ++start) {
        setWritable(false);
        testing::WithoutPermissionOverride readOnly;
        FakeDialogs dialogs;
        restart(dialogs);
        QVERIFY(dialogs.questions.empty());
        QVERIFY(dialogs.lastMessage().ends_with("The unsaved work an earlier run left there is "
                                                "kept, and will be offered once the folder can "
                                                "be written again."));
    }
    setWritable(true);
    m_dialogs->yesNoAnswers = {true};
    m_window = restart(*m_dialogs);
    QCOMPARE(testing::findControl<QLineEdit>(*m_window, "txtPlotLength")->text(), "60");

    // Saved while the copy cannot be removed; it never comes back.
    setWritable(false);
    {
        testing::WithoutPermissionOverride readOnly;
        m_dialogs->fileAnswers = {inDir("plan.tessel").toStdString()};
        QVERIFY(m_window->documentCommands().saveLayout());
    }
    m_window.reset();
    setWritable(true);
    QCOMPARE(recoveryFiles().size(), 1);
    FakeDialogs dialogs;
    restart(dialogs);
    QVERIFY(dialogs.questions.empty());
    QCOMPARE(recoveryFiles(), QStringList());
}

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
