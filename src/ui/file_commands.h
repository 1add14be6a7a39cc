#pragma once

#include "model/check.h"
#include "ui/chart_export.h"
#include "ui/qt_file_access.h"

#include <QObject>
#include <QString>

#include <functional>

class QAbstractButton;

namespace tessel {

class ChartWidget;
class Dialogs;
class History;
struct Editor;
struct LayoutOutcome;

// "&Save", "Open" and "Save As &JPEG", from their buttons and from the File menu alike: the
// layout file and the chart image commands run on the window's editor, and what they change
// besides the chart (the two buttons, the focus) is applied to the window.
// The emptying of the chart by a save and the elements an open appends are steps of the
// history, and the chart is unchanged after either.
class FileCommands : public QObject
{
    Q_OBJECT
public:
    using FocusField = std::function<void(Field)>;

    // saveButton, openButton: the buttons a command enables or disables. focusField: moves
    // the keyboard focus to an entry field of the window.
    FileCommands(Editor &editor, Dialogs &dialogs, History &history, ChartWidget &chart,
                 QAbstractButton &saveButton, QAbstractButton &openButton, FocusField focusField,
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

    Editor &m_editor;
    Dialogs &m_dialogs;
    History &m_history;
    ChartWidget &m_chart;
    QAbstractButton &m_saveButton;
    QAbstractButton &m_openButton;
    FocusField m_focusField;
    QtFileAccess m_files;
    ChartImageExporter m_exporter;
    QString m_layoutFolder;
};

} // namespace tessel
