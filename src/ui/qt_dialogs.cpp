#include "ui/qt_dialogs.h"

#include "ui/print_job.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace tessel {

namespace {

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

void QtDialogs::showMessage(const std::string &text, Icon icon)
{
    QMessageBox box(toQt(icon), kApplicationTitle, fromStd(text), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtDialogs::askYesNo(const std::string &text, Icon icon)
{
    QMessageBox box(toQt(icon), kApplicationTitle, fromStd(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::askText(const std::string &prompt)
{
    bool accepted = false;
    const QString answer = QInputDialog::getText(m_parent, kApplicationTitle, fromStd(prompt),
                                                 QLineEdit::Normal, QString(), &accepted);
    if (!accepted)
        return std::nullopt;
    return answer.toStdString();
}

std::optional<std::string> QtDialogs::askSaveFileName(const std::string &filter,
                                                      const std::string &defaultSuffix,
                                                      const std::string &startName)
{
    return askFileName(filter, defaultSuffix, startName, true);
}

std::optional<std::string> QtDialogs::askCopyFileName(const std::string &filter,
                                                      const std::string &defaultSuffix,
                                                      const std::string &startName)
{
    return askFileName(filter, defaultSuffix, startName, false);
}

std::optional<std::string> QtDialogs::askFileName(const std::string &filter,
                                                  const std::string &defaultSuffix,
                                                  const std::string &startName, bool confirmReplace)
{
    QFileDialog dialog(m_parent, kApplicationTitle, fromStd(startName), fromStd(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(fromStd(defaultSuffix));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmReplace);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

bool QtDialogs::askPrinter(PrintJob &job)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, m_parent);
    // Everything is printed: no page range, no selection to choose.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    job.print(printer);
    return true;
}

void QtDialogs::showTitledMessage(const std::string &title, const std::string &text, Icon icon)
{
    QMessageBox box(toQt(icon), fromStd(title), fromStd(text), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace tessel
