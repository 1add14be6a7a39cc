#pragma once

#include "model/editor.h"
#include "model/plot.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

namespace tessel {

class History;

// The plot as the user entered it: the two fields as typed and the facing chosen.
struct PlotEntry
{
    std::string length;
    std::string width;
    Facing facing = Facing::North;
};

// The layout being edited: the editor state with its undo history, the plot entered for it
// and the file it is kept in. Every view of it follows `changed`, which comes once after each
// step, undo, redo, open, save or new start.
class Document : public QObject
{
    Q_OBJECT
public:
    // The plot lives in the window's fields: it is read from there and shown there.
    using ReadPlot = std::function<PlotEntry()>;
    using ShowPlot = std::function<void(const PlotEntry &)>;

    explicit Document(QObject *parent = nullptr);
    ~Document() override;

    Editor &editor() { return m_editor; }
    const Editor &editor() const { return m_editor; }
    History &history() { return *m_history; }

    void setPlotAccess(ReadPlot read, ShowPlot show);
    PlotEntry plot() const;

    // The layout document this one is kept in; empty while it has none.
    const QString &filePath() const { return m_filePath; }
    // The file's name, or "Untitled".
    QString displayName() const;
    // Whether it holds work that is in no file.
    bool isModified() const;

    // Starts afresh with this chart and plot, kept in `filePath`, with a history of its own:
    // a new layout, one opened or one brought back.
    void load(ChartTable table, const PlotEntry &plot, const QString &filePath, bool modified,
              PlanImage plan = {});
    // The layout is now kept, as it stands, in this file.
    void markSaved(const QString &filePath);

signals:
    void changed();

private:
    Editor m_editor;
    // Goes before the editor it records.
    std::unique_ptr<History> m_history;
    ReadPlot m_readPlot;
    ShowPlot m_showPlot;
    QString m_filePath;
    // A layout brought in from elsewhere (a layout file, a recovery) is in no document yet.
    bool m_unsavedLoad = false;
};

} // namespace tessel
