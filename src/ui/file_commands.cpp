#include "ui/file_commands.h"

#include "model/editor.h"
#include "storage/layout_commands.h"
#include "ui/chart_widget.h"
#include "ui/layout_folder.h"
#include "ui/undo_history.h"

#include <QAbstractButton>

namespace tessel {

FileCommands::FileCommands(Editor &editor, Dialogs &dialogs, History &history, ChartWidget &chart,
                           QAbstractButton &saveButton, QAbstractButton &openButton,
                           FocusField focusField, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_dialogs(dialogs)
    , m_history(history)
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
    run("Save Layout", &SaveLayout);
}

void FileCommands::openLayout()
{
    run("Open Layout", &OpenLayout);
}

void FileCommands::run(const char *name, LayoutCommand command)
{
    // An open adds the file's elements to the chart: what was there and not saved is still
    // in no file.
    const bool wasClean = m_history.isClean();
    const LayoutOutcome outcome = m_history.record(name, 0, [&] {
        LayoutOutcome done = command(m_editor, m_dialogs, m_files, layoutFolder().toStdString());
        // A refused command leaves the chart as it was: a fact it checked on the way is no
        // step.
        if (!done.chartChanged)
            m_history.discard();
        return done;
    });
    // The chart now matches the file.
    if (outcome.chartChanged && (command == &SaveLayout || wasClean))
        m_history.setClean();
    apply(outcome);
}

void FileCommands::exportChartImage()
{
    m_exporter.ExportChartImage(m_editor.txtRoom, m_chart);
}

void FileCommands::apply(const LayoutOutcome &outcome)
{
    if (outcome.saveEnabled)
        m_saveButton.setEnabled(*outcome.saveEnabled);
    if (outcome.openEnabled)
        m_openButton.setEnabled(*outcome.openEnabled);
    if (outcome.focus != Field::None && m_focusField)
        m_focusField(outcome.focus);
}

} // namespace tessel
