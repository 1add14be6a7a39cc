#pragma once

#include <QObject>

class QWidget;

namespace tessel {

class ChartWidget;
class Dialogs;
class History;
struct Editor;

// What presses, drops, moves by key and "&Delete Room" do to the rooms on the chart: the
// chart reports them, the editor's rules decide, and this applies the outcome to the screen.
// Each change is a step of the history: a drag from press to release, a run of moves by key
// of one element, a deletion.
class RoomPlacement : public QObject
{
    Q_OBJECT
public:
    // afterWhatIsThis: the control that takes the focus after a right press or a double click.
    RoomPlacement(Editor &editor, Dialogs &dialogs, History &history, ChartWidget &chart,
                  QWidget &afterWhatIsThis, QObject *parent = nullptr);

    void deleteRoom();
    // Moves an element by key; a room is not moved onto another room (nothing is said).
    void nudge(int index, double dx, double dy);

private:
    void press(int index, Qt::MouseButton button);
    void explain();
    void drop(int index);

    Editor &m_editor;
    Dialogs &m_dialogs;
    History &m_history;
    ChartWidget &m_chart;
    QWidget &m_afterWhatIsThis;
    // Where the pressed element stood at the press.
    float m_pressedLeft = 0;
    float m_pressedTop = 0;
};

} // namespace tessel
