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
class Document;

// "&Save", "Open" and "Save As &JPEG", from their buttons and from the File menu alike: the
// layout file commands run on the document, and what they change besides the layout (the two
// buttons, the focus) is applied to the window. The emptying of the chart by a save and the
// elements an open appends are steps of the history.
class FileCommands : public QObject
{
    Q_OBJECT
public:
    using FocusField = std::function<void(Field)>;

    // saveButton, openButton: the buttons a command enables or disables. focusField: moves
    // the keyboard focus to an entry field of the window.
    FileCommands(Document &document, Dialogs &dialogs, const ChartWidget &chart,
                 QAbstractButton &saveButton, QAbstractButton &openButton, FocusField focusField,
                 QObject *parent = nullptr);

    // The folder of Structure.txt; layoutFolder() until one is chosen.
    QString layoutFolder() const;
    void setLayoutFolder(const QString &folder);

    void saveLayout();
    void openLayout();
    void exportChartImage();

private:
    Document &m_document;
    Dialogs &m_dialogs;
    const ChartWidget &m_chart;
    QAbstractButton &m_saveButton;
    QAbstractButton &m_openButton;
    FocusField m_focusField;
    QtFileAccess m_files;
    ChartImageExporter m_exporter;
    QString m_layoutFolder;
};

} // namespace tessel
