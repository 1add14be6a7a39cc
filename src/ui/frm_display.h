#pragma once

#include "ui/report_pdf.h"

#include <QMainWindow>

#include <string>

class QTextDocument;

namespace tessel {

class Dialogs;
class ReportView;

// The report window: shows the analysis report, prints it, saves it as rich text and goes
// back to the main window. It deletes itself when left.
class FrmDisplay : public QMainWindow
{
    Q_OBJECT
public:
    // report: as RunAnalysis gave it, UTF-8 with CR LF between lines.
    FrmDisplay(Dialogs &dialogs, std::string report, QWidget *parent = nullptr);
    // subject: what the report was made from, for the first page of its PDF.
    FrmDisplay(Dialogs &dialogs, std::string report, ReportSubject subject,
               QWidget *parent = nullptr);
    ~FrmDisplay() override;

    void printReport();
    // Shows what printReport prints, through the dialogs.
    void previewReport();
    void saveReport();
    void exportPdf();
    // Leaves the report, as the close box does.
    void back();

signals:
    // The window has been left and is going away.
    void left();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Dialogs &m_dialogs;
    // The report as produced; what is printed and saved, whatever is typed into the view.
    const std::string m_report;
    const ReportSubject m_subject;
    ReportView *m_view = nullptr;
    // The rich-text copy (RTB) that is printed, laid out only when first printed.
    QTextDocument *m_printCopy = nullptr;

    QTextDocument &printCopy();
};

} // namespace tessel
