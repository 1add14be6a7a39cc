#include "ui/qt_dialogs.h"

#include "model/check.h"
#include "ui/key_filters.h"
#include "ui/print_job.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include <QEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QStyle>

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

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

// Some messages separate their lines by a lone carriage return, which Qt draws as a blank. The
// box keeps its text as it is and its label draws each line on a line of its own.
class LineBreakPainter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *label = qobject_cast<QLabel *>(watched);
        if (event->type() != QEvent::Paint || !label)
            return false;
        QString lines = label->text();
        lines.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
        QPainter painter(label);
        label->style()->drawItemText(
            &painter, label->contentsRect(),
            int(QStyle::visualAlignment(label->layoutDirection(), label->alignment())),
            label->palette(), label->isEnabled(), lines, label->foregroundRole());
        return true;
    }
};

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(const std::string &title, const std::string &text,
                                            Icon icon, QMessageBox::StandardButtons buttons,
                                            QWidget *parent)
{
    auto box =
        std::make_unique<QMessageBox>(toQt(icon), fromStd(title), fromStd(text), buttons, parent);
    box->setTextFormat(Qt::PlainText);
    const auto lines = std::count(text.begin(), text.end(), '\r');
    if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")); label && lines) {
        label->installEventFilter(new LineBreakPainter(box.get()));
        label->setMinimumHeight(int(lines + 1) * label->fontMetrics().lineSpacing());
    }
    return box;
}

void QtDialogs::showMessage(const std::string &text, Icon icon)
{
    showTitledMessage(kApplicationTitle, text, icon);
}

bool QtDialogs::askYesNo(const std::string &text, Icon icon)
{
    const auto box =
        makeMessageBox(kApplicationTitle, text, icon, QMessageBox::Yes | QMessageBox::No, m_parent);
    box->setDefaultButton(QMessageBox::Yes);
    return box->exec() == QMessageBox::Yes;
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

std::optional<std::string> QtDialogs::askOpenFileName(const std::string &filter)
{
    QFileDialog dialog(m_parent, kApplicationTitle, QString(), fromStd(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

bool QtDialogs::askRoomProperties(RoomProperties &properties, Field focus)
{
    QDialog dialog(m_parent);
    dialog.setObjectName("frmRoomProperties");
    dialog.setWindowTitle("Room Properties");
    auto *form = new QFormLayout(&dialog);
    // The names of room entry's fields, so that they are filtered as those are.
    const struct
    {
        const char *name, *label;
        std::string *text;
        Field field;
    } fields[] = {
        {"txtAddRoomName", "Name Of Room", &properties.name, Field::RoomName},
        {"txtLength", "Length (feet)", &properties.length, Field::RoomLength},
        {"txtwidth", "Width (feet)", &properties.width, Field::RoomWidth},
        {"txtRoomLeft", "From the left (feet)", &properties.left, Field::RoomLeft},
        {"txtRoomTop", "From the top (feet)", &properties.top, Field::RoomTop},
    };
    std::vector<QLineEdit *> edits;
    for (const auto &field : fields) {
        auto *edit = new QLineEdit(fromStd(*field.text));
        edit->setObjectName(field.name);
        attachKeyFilter(*edit, *this, true);
        form->addRow(field.label, edit);
        edits.push_back(edit);
        if (field.field == focus) {
            edit->setFocus();
            edit->selectAll();
        }
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);

    if (dialog.exec() != QDialog::Accepted)
        return false;
    for (std::size_t i = 0; i < edits.size(); ++i)
        *fields[i].text = edits[i]->text().toStdString();
    return true;
}

Choice QtDialogs::askSaveDiscardCancel(const std::string &text)
{
    const auto box =
        makeMessageBox(kApplicationTitle, text, Icon::None,
                       QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_parent);
    box->setDefaultButton(QMessageBox::Save);
    switch (box->exec()) {
    case QMessageBox::Save:
        return Choice::Save;
    case QMessageBox::Discard:
        return Choice::Discard;
    default:
        return Choice::Cancel;
    }
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

bool QtDialogs::showPrintPreview(PrintJob &job)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(kApplicationTitle);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&job](QPrinter *pages) { job.print(*pages); });
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::showTitledMessage(const std::string &title, const std::string &text, Icon icon)
{
    makeMessageBox(title, text, icon, QMessageBox::Ok, m_parent)->exec();
}

} // namespace tessel
