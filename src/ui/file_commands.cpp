#include "ui/file_commands.h"

#include "model/editor.h"
#include "storage/layout_commands.h"
#include "ui/chart_widget.h"
#include "ui/layout_folder.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

namespace tessel {

FileCommands::FileCommands(Editor &editor, Dialogs &dialogs, ChartWidget &chart, QWidget &window,
                           FocusField focusField, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_dialogs(dialogs)
    , m_chart(chart)
    , m_window(window)
    , m_focusField(std::move(focusField))
    , m_exporter(dialogs)
{
    // Each menu item runs its button's command.
    const struct
    {
        const char *button, *menuItem;
        void (FileCommands::*command)();
    } commands[] = {
        {"Command2", "mnuSave", &FileCommands::saveLayout},
        {"cmdOpen", "mnuOpen", &FileCommands::openLayout},
        {"cmdSaveAsJPEG", "mnuJPEG", &FileCommands::exportChartImage},
    };
    for (const auto &command : commands) {
        if (auto *button = window.findChild<QAbstractButton *>(command.button))
            connect(button, &QAbstractButton::clicked, this, command.command);
        if (auto *item = window.findChild<QAction *>(command.menuItem))
            connect(item, &QAction::triggered, this, command.command);
    }
}

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
    apply(SaveLayout(m_editor, m_dialogs, m_files, layoutFolder().toStdString()));
}

void FileCommands::openLayout()
{
    apply(OpenLayout(m_editor, m_dialogs, m_files, layoutFolder().toStdString()));
}

void FileCommands::exportChartImage()
{
    m_exporter.ExportChartImage(m_editor.txtRoom, m_chart);
}

void FileCommands::apply(const LayoutOutcome &outcome)
{
    if (outcome.chartChanged)
        m_chart.update();
    setCaption("cmdFrontEntrence", outcome.mainEntranceCaption);
    setCaption("cmdBackEntrence", outcome.backEntranceCaption);
    setEnabled("Command2", outcome.saveEnabled);
    setEnabled("cmdOpen", outcome.openEnabled);
    if (outcome.focus != Field::None && m_focusField)
        m_focusField(outcome.focus);
}

void FileCommands::setCaption(const char *button, const std::optional<std::string> &caption)
{
    if (!caption)
        return;
    if (auto *control = m_window.findChild<QAbstractButton *>(button))
        control->setText(QString::fromStdString(*caption));
}

void FileCommands::setEnabled(const char *button, std::optional<bool> enabled)
{
    if (!enabled)
        return;
    if (auto *control = m_window.findChild<QAbstractButton *>(button))
        control->setEnabled(*enabled);
}

} // namespace tessel
