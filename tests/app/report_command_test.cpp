// `tessel --report` as a script runs it: a process of its own, with no display.

#include "analysis/report.h"
#include "chart_elements.h"
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
    for (const QString &output :
         {m_structure, path("sub/../Structure.txt"), path("symbolic.txt"), path("hard.txt")}) {
        const Outcome refused = run({"--report", m_structure, "--output", output});
        EXPECT_EQ(refused.exitCode, 2) << output.toStdString();
        EXPECT_EQ(refused.err.count('\n'), 1) << refused.err.toStdString();
        EXPECT_TRUE(refused.err.contains(output)) << refused.err.toStdString();
        EXPECT_EQ(read(m_structure), layout);
    }
    // A symbolic link as the layout is the layout too.
    EXPECT_EQ(run({"--report", path("symbolic.txt"), "--output", m_structure}).exitCode, 2);
    EXPECT_EQ(read(m_structure), layout);
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

} // namespace
} // namespace tessel
