#include "ui/file_commands.h"

#include "storage/layout_commands.h"
#include "ui/chart_widget.h"
#include "ui/document.h"
#include "ui/layout_folder.h"

#include <QAbstractButton>

namespace tessel {

FileCommands::FileCommands(Document &document, Dialogs &dialogs, const ChartWidget &chart,
                           QAbstractButton &saveButton, QAbstractButton &openButton,
                           FocusField focusField, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_dialogs(dialogs)
    , m_chart(chart)
    , m_saveButton(saveButton)
    , m_openButton(openButton)
    , m_focusField(std::move(focusField))
    , m_exporter(dialogs)
{}

QString FileCommands::layoutFolder() const
{
    // Found only when first needed: an installed program makes its data folder then.
    return m_layoutFolder.isEmpty() ? tessel::layoutFolder() : m_layoutFolder;
}

void FileCommands::setLayoutFolder(const QString &folder)
{
    m_layoutFolder = folder;
}

void FileCommands::saveLayout()
{
    if (m_document.saveLayoutFile(m_dialogs, m_files, layoutFolder().toStdString()).completed) {
        m_saveButton.setEnabled(true);
        m_openButton.setEnabled(true);
    }
}

void FileCommands::openLayout()
{
    const LayoutOutcome outcome =
        m_document.openLayoutFile(m_dialogs, m_files, layoutFolder().toStdString());
    if (outcome.completed) {
        m_openButton.setEnabled(false);
        m_saveButton.setEnabled(true);
    }
    if (outcome.needsPlot && m_focusField)
        m_focusField(Field::PlotLength);
}

void FileCommands::exportChartImage()
{
    m_exporter.ExportChartImage(m_document.table(), m_chart);
}

} // namespace tessel
