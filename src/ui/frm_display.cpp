#include "ui/frm_display.h"

#include "model/dialogs.h"
#include "storage/rtf.h"
#include "ui/chart_painter.h"
#include "ui/frm_main.h"
#include "ui/print_job.h"
#include "ui/qt_file_access.h"
#include "ui/report_view.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace tessel {

namespace {

// Twips: the report view's size.
constexpr double kViewWidth = 8720;
constexpr double kViewHeight = 3645;

QPushButton *makeButton(const char *name, const char *caption)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

class DocumentPrintJob : public PrintJob
{
public:
    explicit DocumentPrintJob(QTextDocument &document)
        : m_document(document)
    {}
    void print(QPrinter &printer) override { m_document.print(&printer); }

private:
    QTextDocument &m_document;
};

} // namespace

FrmDisplay::FrmDisplay(Dialogs &dialogs, std::string report, QWidget *parent)
    : FrmDisplay(dialogs, std::move(report), ReportSubject{}, parent)
{}

FrmDisplay::FrmDisplay(Dialogs &dialogs, std::string report, ReportSubject subject, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_report(std::move(report))
    , m_subject(std::move(subject))
{
    setObjectName("frmDisplay");
    setWindowTitle(kWindowCaption);
    setAttribute(Qt::WA_DeleteOnClose);

    QMenu *file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    QAction *backItem = file->addAction("&Back");
    backItem->setObjectName("mnuBack");
    connect(backItem, &QAction::triggered, this, &FrmDisplay::back);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    m_view = new ReportView;
    m_view->setObjectName("txtRoomAnalysis");
    m_view->setText(m_report);
    m_view->setMinimumSize(twipsToPixels(kViewWidth, *this), twipsToPixels(kViewHeight, *this));
    layout->addWidget(m_view);

    auto *buttons = new QHBoxLayout;
    auto *print = makeButton("cmdPrint", "&Print");
    auto *preview = makeButton("cmdPrintPreview", "Print Pre&view...");
    auto *save = makeButton("cmdSave", "&Save");
    auto *pdf = makeButton("cmdExportPdf", "Export &PDF...");
    auto *backButton = makeButton("cmdBack", "&Back");
    buttons->addStretch();
    for (QPushButton *button : {print, preview, save, pdf, backButton})
        buttons->addWidget(button);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(print, &QPushButton::clicked, this, &FrmDisplay::printReport);
    connect(preview, &QPushButton::clicked, this, &FrmDisplay::previewReport);
    connect(save, &QPushButton::clicked, this, &FrmDisplay::saveReport);
    connect(pdf, &QPushButton::clicked, this, &FrmDisplay::exportPdf);
    connect(backButton, &QPushButton::clicked, this, &FrmDisplay::back);
    setCentralWidget(central);

    m_printCopy = new QTextDocument(this);
    m_printCopy->setObjectName("RTB");
    const RtfFont copyFont = reportFont();
    QFont font(QString::fromStdString(copyFont.name));
    font.setPointSizeF(copyFont.pointSize);
    font.setBold(copyFont.bold);
    m_printCopy->setDefaultFont(font);
}

FrmDisplay::~FrmDisplay() = default;

QTextDocument &FrmDisplay::printCopy()
{
    if (m_printCopy->isEmpty())
        m_printCopy->setPlainText(QString::fromStdString(m_report));
    return *m_printCopy;
}

void FrmDisplay::printReport()
{
    DocumentPrintJob job(printCopy());
    m_dialogs.askPrinter(job);
}

void FrmDisplay::previewReport()
{
    DocumentPrintJob job(printCopy());
    m_dialogs.showPrintPreview(job);
}

void FrmDisplay::exportPdf()
{
    const auto path = m_dialogs.askSaveFileName("PDF (*.pdf)", "pdf", "");
    if (!path)
        return;
    const QByteArray pdf = renderReportPdf(m_subject, m_report, localPageSize());
    const auto failure = QtFileAccess().writeAtomically(
        *path, std::string_view(pdf.constData(), std::size_t(pdf.size())));
    if (failure)
        m_dialogs.showMessage("The report could not be exported as \"" + *path + "\": " + *failure,
                              Icon::Critical);
}

void FrmDisplay::saveReport()
{
    const auto path = m_dialogs.askSaveFileName("Rich Text Format (*.rtf)", "txt", "");
    if (!path)
        return;
    // Written like the layout file: a failed write leaves the previous file as it was.
    const auto failure =
        QtFileAccess().writeAtomically(*path, plainTextToRtf(m_report, reportFont()));
    if (failure)
        m_dialogs.showMessage("The report could not be saved as \"" + *path + "\": " + *failure,
                              Icon::Critical);
}

void FrmDisplay::back()
{
    close();
}

void FrmDisplay::closeEvent(QCloseEvent *event)
{
    m_view->clear();
    emit left();
    event->accept();
}

} // namespace tessel
