// `tessel --report` as a script runs it: a process of its own, with no display.

#include "analysis/report.h"
#include "chart_elements.h"
#include "storage/layout_document.h"
#include "storage/layout_file.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

    // Runs the program where no display exists and no platform is chosen.
    static Outcome run(const QStringList &arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        QProcess process;
        process.setProcessEnvironment(environment);
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
        return QString::fromUtf8(reader.readAllStandardOutput());
    }

    QTemporaryDir m_folder;
    ChartTable m_table;
    QString m_structure;
};

TEST_F(ReportCommand, WritesTheReportOfEitherFormatToStandardOutput)
{
    const Outcome north = run({"--report", m_structure});
    EXPECT_EQ(north.exitCode, 0) << north.err.toStdString();
    EXPECT_EQ(north.out.toStdString(), RunAnalysis(m_table, 0));
    EXPECT_TRUE(north.err.isEmpty());
    EXPECT_EQ(run({"--report", m_structure, "--facing", "West"}).out.toStdString(),
              RunAnalysis(m_table, 2));

    // A document brings its own facing; --facing overrides it.
    const QString document =
        write("plan.tessel", writeLayoutDocument({"60", "30", Facing::East, m_table}));
    EXPECT_EQ(run({"--report", document}).out.toStdString(), RunAnalysis(m_table, 3));
    EXPECT_EQ(run({"--report", document, "--facing", "South"}).out.toStdString(),
              RunAnalysis(m_table, 1));
}

TEST_F(ReportCommand, WritesTextRichTextOrPdfByTheSuffix)
{
    const std::string report = RunAnalysis(m_table, 0);
    ASSERT_EQ(run({"--report", m_structure, "--output", path("r.txt")}).exitCode, 0);
    EXPECT_EQ(read(path("r.txt")).toStdString(), report);

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
    for (const char *expected : {"TESSEL ANALYSIS", "facing North", "Kitchen North West acceptable",
                                 "Hall South move advised North", "Analysis for Kitchen :-",
                                 "Analysis for Hall :-", "North is good for the hall."})
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

    // Usage errors.
    for (const QStringList &arguments :
         {QStringList{"--report", m_structure, "--facing", "north"},
          QStringList{"--report", m_structure, "--facing", "Up"},
          QStringList{"--report", m_structure, "--output", path("r.doc")},
          QStringList{"--facing", "North"}, QStringList{"--report"}}) {
        const Outcome usage = run(arguments);
        EXPECT_EQ(usage.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(usage.out.isEmpty());
        EXPECT_FALSE(usage.err.isEmpty());
    }
}

} // namespace
} // namespace tessel
