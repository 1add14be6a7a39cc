// `tessel --report` as a script runs it: a process of its own, with no display.

#include "analysis/report.h"
#include "analysis/rule_table.h"
#include "analysis/zone_texts.h"
#include "chart_elements.h"
#include "model/placement.h"
#include "plan_images.h"
#include "storage/layout_document.h"
#include "storage/layout_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <simdjson.h>

#include <unistd.h>

namespace tessel {
namespace {

struct Outcome
{
    int exitCode;
    QByteArray out;
    QString err;
};

class ReportCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        testing::placeElement(m_table, "Kitchen", 100, 100, 800, 800);
        testing::placeElement(m_table, "", 300, 300, 0, 200);
        testing::placeElement(m_table, "Hall", 2000, 4000, 800, 800);
        m_structure = write("Structure.txt", writeLayout(m_table));
    }

    QString path(const QString &name) const { return m_folder.filePath(name); }

    QString write(const QString &name, const std::string &bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
        return path(name);
    }

    static QByteArray read(const QString &file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    // Runs the program where no display exists and no platform is chosen; its standard output
    // goes to `standardOutput` when given.
    static Outcome run(const QStringList &arguments, const QString &standardOutput = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        QProcess process;
        process.setProcessEnvironment(environment);
        if (!standardOutput.isEmpty())
            process.setStandardOutputFile(standardOutput);
        process.start(TESSEL_EXECUTABLE, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), process.readAllStandardOutput(),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    static QString pdfText(const QString &pdf)
    {
        QProcess reader;
        reader.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", pdf, "-"});
        reader.waitForFinished();
        // Compatibility forms undo the ligatures of the typesetting ("fi" in "file").
        return QString::fromUtf8(reader.readAllStandardOutput())
            .normalized(QString::NormalizationForm_KC);
    }

    // The report as the command writes it as text: its last line ended as every other.
    static std::string asText(const std::string &report) { return report + "\r\n"; }

    // What the analysis in this process gives for the chart, on the plot of 60 by 30 feet
    // or, without a plot, on a square.
    std::string zonesJson(ZoneMethod method, int facing, double bearing, bool measured) const
    {
        const RuleTable rules;
        const ZoneSettings settings{method, facing, *Bearing::fromDegrees(bearing),
                                    measured ? PlotFeet{30, 60} : PlotFeet{1, 1}};
        return zoneAnalysisJson(m_table,
                                analyseZones(m_table, settings, builtInRuleSet(rules), rules)) +
               "\n";
    }

    // A document of the chart on a plot of 60 by 30 feet facing East, turned to 17.5 degrees.
    QString document(ZoneMethod method) const
    {
        return write(
            "plan.tessel",
            writeLayoutDocument(
                {"60", "30", Facing::East, m_table, {}, {}, Bearing::fromTenths(175), method}));
    }

    // A usage error or a fault: one line on standard error, nothing on standard output.
    static void expectOneLine(const Outcome &outcome, int exitCode, const QString &what)
    {
        EXPECT_EQ(outcome.exitCode, exitCode) << what.toStdString();
        EXPECT_TRUE(outcome.out.isEmpty()) << what.toStdString();
        EXPECT_EQ(outcome.err.count('\n'), 1) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.startsWith("tessel: ")) << outcome.err.toStdString();
    }

    QTemporaryDir m_folder;
    ChartTable m_table;
    QString m_structure;
};

TEST_F(ReportCommand, WritesTheReportOfEitherFormatToStandardOutput)
{
    const Outcome north = run({"--report", m_structure});
    EXPECT_EQ(north.exitCode, 0) << north.err.toStdString();
    EXPECT_EQ(north.out.toStdString(), asText(RunAnalysis(m_table, 0)));
    EXPECT_TRUE(north.err.isEmpty());
    EXPECT_EQ(run({"--report", m_structure, "--facing", "West"}).out.toStdString(),
              asText(RunAnalysis(m_table, 2)));

    // A document brings its own facing; --facing overrides it.
    const QString document =
        write("plan.tessel", writeLayoutDocument({"60", "30", Facing::East, m_table}));
    EXPECT_EQ(run({"--report", document}).out.toStdString(), asText(RunAnalysis(m_table, 3)));
    EXPECT_EQ(run({"--report", document, "--facing", "South"}).out.toStdString(),
              asText(RunAnalysis(m_table, 1)));

    // A full disk is no success.
    const Outcome full = run({"--report", m_structure}, "/dev/full");
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.err.count('\n'), 1) << full.err.toStdString();
    EXPECT_TRUE(full.err.contains("standard output")) << full.err.toStdString();
}

TEST_F(ReportCommand, WritesTextRichTextOrPdfByTheSuffix)
{
    const std::string report = RunAnalysis(m_table, 0);
    ASSERT_EQ(run({"--report", m_structure, "--output", path("r.txt")}).exitCode, 0);
    EXPECT_EQ(read(path("r.txt")).toStdString(), asText(report));

    const Outcome rtf = run({"--report", m_structure, "--output", path("r.rtf")});
    ASSERT_EQ(rtf.exitCode, 0);
    EXPECT_TRUE(rtf.out.isEmpty());
    const QByteArray rich = read(path("r.rtf"));
    EXPECT_TRUE(rich.startsWith("{\\rtf1"));
    EXPECT_TRUE(rich.contains("Analysis for Hall :-"));
    EXPECT_TRUE(rich.contains("Verdana"));

    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is needed to read the PDF";
    const Outcome pdf = run({"--report", m_structure, "--output", path("r.pdf")});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    EXPECT_TRUE(pdf.err.isEmpty()) << pdf.err.toStdString();
    EXPECT_TRUE(read(path("r.pdf")).startsWith("%PDF"));
    const QString text = pdfText(path("r.pdf")).simplified();
    // Structure.txt keeps the chart alone.
    EXPECT_FALSE(text.contains("?")) << text.toStdString();
    for (const char *expected :
         {"TESSEL ANALYSIS", "The layout file holds no plot size; facing North",
          "Kitchen North West acceptable", "Hall South move advised North",
          "Analysis for Kitchen :-", "Analysis for Hall :-", "North is good for the hall."})
        EXPECT_TRUE(text.contains(expected)) << expected;

    // On a wheel the PDF tables the shares in place of the corner zones.
    const Outcome wheel =
        run({"--report", m_structure, "--zones", "16", "--output", path("w.pdf")});
    ASSERT_EQ(wheel.exitCode, 0) << wheel.err.toStdString();
    const QString wheelText = pdfText(path("w.pdf")).simplified();
    EXPECT_TRUE(wheelText.contains("16-zone wheel from the plot's centre, bearing 0 degrees"));
    EXPECT_TRUE(wheelText.contains("Room Shares Main zone Verdict"));
    EXPECT_FALSE(wheelText.contains("Room Zone Verdict Best zone"));
}

TEST_F(ReportCommand, RefusesWhatItCannotReadOrDo)
{
    // A faulty layout: one line naming the file and the line; nothing on standard output.
    std::string bytes = writeLayout(m_table);
    bytes.insert(bytes.find("2000"), "x");
    const QString faulty = write("faulty.txt", bytes);
    const Outcome broken = run({"--report", faulty, "--output", path("out.txt")});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_TRUE(broken.out.isEmpty());
    EXPECT_EQ(broken.err.count('\n'), 1) << broken.err.toStdString();
    EXPECT_TRUE(broken.err.contains(faulty));
    EXPECT_TRUE(broken.err.contains("line 3")) << broken.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.txt")));

    const Outcome missing = run({"--report", path("none.txt")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.count('\n'), 1);
    EXPECT_TRUE(missing.err.contains(path("none.txt")));

    const Outcome unwritable = run({"--report", m_structure, "--output", path("no/such/r.txt")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.contains(path("no/such/r.txt")));

    // Usage errors, each one line.
    for (const QStringList &arguments :
         {QStringList{"--report", m_structure, "--facing", "north"},
          QStringList{"--report", m_structure, "--facing", "Up"},
          QStringList{"--report", m_structure, "--output", path("r.doc")},
          QStringList{"--facing", "North"}, QStringList{"--report"}, QStringList{"--report", ""},
          QStringList{"--report", m_structure, "--report", m_structure},
          QStringList{"--report", m_structure, "--output", path("a.txt"), "--output",
                      path("b.txt")}}) {
        const Outcome usage = run(arguments);
        EXPECT_EQ(usage.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(usage.out.isEmpty());
        EXPECT_EQ(usage.err.count('\n'), 1) << usage.err.toStdString();
        EXPECT_TRUE(usage.err.startsWith("tessel: ")) << usage.err.toStdString();
    }
}

TEST_F(ReportCommand, NeverWritesOverTheLayout)
{
    const QByteArray layout = read(m_structure);
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("sub"));
    ASSERT_TRUE(QFile::link(m_structure, path("symbolic.txt")));
    ASSERT_EQ(::link(QFile::encodeName(m_structure).constData(),
                     QFile::encodeName(path("hard.txt")).constData()),
              0);
    for (const char *command : {"--report", "--arrange"}) {
        for (const QString &output :
             {m_structure, path("sub/../Structure.txt"), path("symbolic.txt"), path("hard.txt")}) {
            const Outcome refused = run({command, m_structure, "--output", output});
            expectOneLine(refused, 2, output);
            EXPECT_TRUE(refused.err.contains(output)) << refused.err.toStdString();
            EXPECT_EQ(read(m_structure), layout);
        }
        // A symbolic link as the layout is the layout too.
        EXPECT_EQ(run({command, path("symbolic.txt"), "--output", m_structure}).exitCode, 2);
        EXPECT_EQ(read(m_structure), layout);
    }
}

TEST_F(ReportCommand, APdfDrawsTheDocumentsPlanImageAsItsWindowShowsIt)
{
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to draw the PDF";
    QImage green(64, 64, QImage::Format_RGB32);
    green.fill(testing::kPlanGreen);
    const QByteArray png = testing::encoded(green, "PNG");
    const auto bytes = std::make_shared<const std::string>(png.toBase64().toStdString());
    for (const bool shown : {true, false}) {
        const QString document = write(
            "traced.tessel",
            writeLayoutDocument({"60", "30", Facing::North, m_table, {}, {bytes, 100, shown}}));
        const Outcome pdf = run({"--report", document, "--output", path("traced.pdf")});
        ASSERT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
        EXPECT_TRUE(pdf.err.isEmpty()) << pdf.err.toStdString();
        const std::vector<QColor> plan =
            testing::planGreenPixels(testing::firstPageOf(path("traced.pdf")));
        if (shown) {
            ASSERT_GT(plan.size(), 1000u);
            // Opaque, as the document keeps it.
            EXPECT_LT(plan[plan.size() / 2].red(), 30);
        } else {
            EXPECT_TRUE(plan.empty());
        }
    }
}

TEST_F(ReportCommand, WritesTheZonesAsJsonByTheDocumentsOrTheGivenSettings)
{
    // A document's own method and bearing, its plot's proportions and its facing's pada.
    const QString plan = document(ZoneMethod::Wheel16);
    ASSERT_EQ(run({"--report", plan, "--output", path("z.json")}).exitCode, 0);
    const std::string json = read(path("z.json")).toStdString();
    EXPECT_EQ(json, zonesJson(ZoneMethod::Wheel16, 3, 17.5, true));
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    ASSERT_FALSE(parser.parse(json).get(root)) << json;
    for (const char *key : {"bearing", "zones", "rules", "rooms", "entrances"})
        EXPECT_FALSE(root[key].error()) << key;
    for (const char *key : {"index", "name", "shares", "mainZone", "verdict", "brahmasthan"})
        EXPECT_FALSE(root["rooms"].at(0)[key].error()) << key;
    // The text report adds the wheel's section.
    EXPECT_TRUE(
        run({"--report", plan}).out.contains("16 zones from the plot's centre, bearing 17.5"));

    // The options override the document's; a facing sets its bearing.
    const auto zonesOf = [&](const QString &layout, QStringList options) {
        options << "--report" << layout << "--output" << path("z.json");
        const Outcome outcome = run(options);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
        return read(path("z.json")).toStdString();
    };
    EXPECT_EQ(zonesOf(plan, {"--zones", "8", "--bearing", "200.25"}),
              zonesJson(ZoneMethod::Wheel8, 3, 200.2, true));
    EXPECT_EQ(zonesOf(plan, {"--facing", "West"}), zonesJson(ZoneMethod::Wheel16, 2, 270, true));
    EXPECT_EQ(zonesOf(document(ZoneMethod::ByCorner), {}),
              zonesJson(ZoneMethod::ByCorner, 3, 17.5, true));
    // A layout file holds no plot: a square, its facing's bearing, the corner method.
    EXPECT_EQ(zonesOf(m_structure, {"--zones", "16", "--facing", "South"}),
              zonesJson(ZoneMethod::Wheel16, 1, 180, false));
    EXPECT_EQ(zonesOf(m_structure, {"--bearing", "90"}),
              zonesJson(ZoneMethod::ByCorner, 0, 90, false));
}

TEST_F(ReportCommand, RefusesZoneOptionsAndRuleSetsItCannotTake)
{
    for (const QStringList &options :
         {QStringList{"--zones", "12"}, QStringList{"--zones", "corner"},
          QStringList{"--bearing", "360"}, QStringList{"--bearing", "-0.5"},
          QStringList{"--bearing", "1e999"}, QStringList{"--bearing", "17.5 deg"},
          QStringList{"--bearing", ""}, QStringList{"--rules", ""},
          QStringList{"--zones", "8", "--zones", "16"},
          QStringList{"--bearing", "1", "--bearing", "1"},
          QStringList{"--rules", "a", "--rules", "a"}}) {
        for (const char *command : {"--report", "--arrange"})
            expectOneLine(
                run(QStringList{command, m_structure, "--output", path("o.tessel")} + options), 2,
                options.join(' '));
        expectOneLine(run(options), 2, options.join(' '));
    }
    expectOneLine(run({"--arrange", m_structure}), 2, "no output");
    expectOneLine(run({"--arrange", m_structure, "--report", m_structure}), 2, "both");
    EXPECT_FALSE(QFile::exists(path("o.tessel")));

    // A rule set file that cannot be used: one line naming it with the reader's reason.
    const RuleTable rules;
    for (const std::string &bytes :
         {std::string("{\"format\": \"tessel-rules\", \"rooms\": [1,"), std::string("[]"),
          std::string("\"\xff\""), std::string(kMaxRuleSetBytes + 1, ' ')}) {
        const QString file = write("rules.json", bytes);
        const std::string reason = std::get<std::string>(readRuleSet(bytes, rules));
        for (const char *command : {"--report", "--arrange"}) {
            const Outcome refused = run(
                {command, m_structure, "--zones", "8", "--rules", file, "--output", path("o.txt")});
            expectOneLine(refused, 1, file);
            EXPECT_TRUE(refused.err.contains(file + ": " + QString::fromStdString(reason)))
                << refused.err.toStdString();
        }
    }
    expectOneLine(run({"--report", m_structure, "--rules", path("none.json")}), 1, "missing");
    EXPECT_FALSE(QFile::exists(path("o.txt")));
}

TEST_F(ReportCommand, ArrangesIntoANewLayoutAndSaysWhatItAchieved)
{
    testing::placeElement(m_table, "Master BedRoom", 2400, 2400, 1200, 1200);
    testing::placeElement(m_table, "Puja Room", 3600, 3600, 800, 800);
    const QString plan = document(ZoneMethod::Wheel16);
    const QByteArray before = read(plan);
    const Outcome arranged = run({"--arrange", plan, "--output", path("arranged.tessel")});
    ASSERT_EQ(arranged.exitCode, 0) << arranged.err.toStdString();
    EXPECT_TRUE(arranged.out.contains("rooms in their best zone")) << arranged.out.toStdString();
    EXPECT_EQ(read(plan), before);
    const DocumentReadResult result =
        readLayoutDocument(read(path("arranged.tessel")).toStdString());
    ASSERT_TRUE(result.document) << result.error;
    const ChartTable &table = result.document->table;
    EXPECT_EQ(result.document->zoneMethod, ZoneMethod::Wheel16);
    ASSERT_EQ(table.elementCount(), m_table.elementCount());
    int moved = 0;
    for (int i = 1; i <= table.elementCount(); ++i) {
        const ChartElement &room = table.at(i);
        EXPECT_EQ(room.text, m_table.at(i).text);
        moved += room.left != m_table.at(i).left || room.top != m_table.at(i).top;
        if (!blocksRooms(room))
            continue;
        EXPECT_TRUE(room.left >= 0 && room.top >= 0 && room.left + room.width <= 4800 &&
                    room.top + room.height <= 4800)
            << room.text;
        for (int j = 1; j < i; ++j)
            EXPECT_FALSE(blocksRooms(table.at(j)) &&
                         roomsOverlap(roomBounds(room), roomBounds(table.at(j))))
                << room.text << " overlaps " << table.at(j).text;
    }
    EXPECT_GT(moved, 0);

    // Any other suffix writes a layout file: the same records, only their places changed.
    ASSERT_EQ(run({"--arrange", m_structure, "--output", path("arranged.lay")}).exitCode, 0);
    const LayoutReadResult records = readLayout(read(path("arranged.lay")).toStdString());
    const LayoutReadResult original = readLayout(read(m_structure).toStdString());
    ASSERT_FALSE(records.fault);
    ASSERT_EQ(records.records.size(), original.records.size());
    for (std::size_t i = 0; i < records.records.size(); ++i) {
        LayoutRecord record = records.records[i];
        record.left = original.records[i].left;
        record.top = original.records[i].top;
        EXPECT_EQ(record, original.records[i]);
    }

    expectOneLine(run({"--arrange", path("none.txt"), "--output", path("a.txt")}), 1, "missing");
    expectOneLine(run({"--arrange", m_structure, "--output", path("no/such/a.txt")}), 1, "folder");
}

} // namespace
} // namespace tessel
