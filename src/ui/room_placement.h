#pragma once

#include <QObject>

class QWidget;

namespace tessel {

class ChartWidget;
class Dialogs;
struct Editor;

// What presses, drops and "&Delete Room" do to the rooms on the chart: the chart reports
// them, the editor's rules decide, and this applies the outcome to the screen.
class RoomPlacement : public QObject
{
    Q_OBJECT
public:
    // afterWhatIsThis: the control that takes the focus after a right press or a double click.
    RoomPlacement(Editor &editor, Dialogs &dialogs, ChartWidget &chart, QWidget &afterWhatIsThis,
                  QObject *parent = nullptr);

    void deleteRoom();

private:
    void press(int index, Qt::MouseButton button);
    void explain();
    void drop(int index);

    Editor &m_editor;
    Dialogs &m_dialogs;
    ChartWidget &m_chart;
    QWidget &m_afterWhatIsThis;
};

} // namespace tessel
