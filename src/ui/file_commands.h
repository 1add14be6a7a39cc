#pragma once

#include "model/check.h"
#include "ui/chart_export.h"
#include "ui/qt_file_access.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace tessel {

class ChartWidget;
class Dialogs;
class History;
struct Editor;
struct LayoutOutcome;

// "&Save", "Open" and "Save As &JPEG", from their buttons and from the File menu alike: the
// layout file and the chart image commands run on the window's editor, and what they change
// (the chart, the two buttons, the entrance captions, the focus) is applied to the window.
// The emptying of the chart by a save and the elements an open appends are steps of the
// history, and the chart is unchanged after either.
class FileCommands : public QObject
{
    Q_OBJECT
public:
    using FocusField = std::function<void(Field)>;
    using ChartChanged = std::function<void()>;

    // window: where the buttons and menu items are found by name. focusField: moves the
    // keyboard focus to an entry field of the window. chartChanged: shows the chart and all
    // that follows from it (the entrance buttons) again.
    FileCommands(Editor &editor, Dialogs &dialogs, History &history, ChartWidget &chart,
                 QWidget &window, FocusField focusField, ChartChanged chartChanged,
                 QObject *parent = nullptr);

    // The folder of Structure.txt; layoutFolder() until one is chosen.
    QString layoutFolder() const;
    void setLayoutFolder(const QString &folder);

    void saveLayout();
    void openLayout();
    void exportChartImage();

private:
    using LayoutCommand = LayoutOutcome (*)(Editor &, Dialogs &, FileAccess &, const std::string &);
    void run(const char *name, LayoutCommand command);
    void apply(const LayoutOutcome &outcome);
    void setEnabled(const char *button, std::optional<bool> enabled);

    Editor &m_editor;
    Dialogs &m_dialogs;
    History &m_history;
    ChartWidget &m_chart;
    QWidget &m_window;
    FocusField m_focusField;
    ChartChanged m_chartChanged;
    QtFileAccess m_files;
    ChartImageExporter m_exporter;
    QString m_layoutFolder;
};

} // namespace tessel
