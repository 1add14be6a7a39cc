#pragma once

#include <QObject>

class QWidget;

namespace tessel {

class ChartWidget;
class Dialogs;
class Document;

// What the pointer and the keys do to the elements on the chart: the chart reports presses,
// drags, drops and keys, the document makes the change, and this shows what the document
// refused. A drag from press to release is one step, a run of moves by key of one element
// another.
class RoomPlacement : public QObject
{
    Q_OBJECT
public:
    // afterWhatIsThis: the control that takes the focus after a right press or a double click.
    RoomPlacement(Document &document, Dialogs &dialogs, ChartWidget &chart,
                  QWidget &afterWhatIsThis, QObject *parent = nullptr);

    void deleteRoom();
    // Moves an element by key; a room is not moved onto another room (nothing is said).
    void nudge(int index, double dx, double dy);

private:
    void press(int index, Qt::MouseButton button);
    void explain();
    void drop(int index);

    Document &m_document;
    Dialogs &m_dialogs;
    ChartWidget &m_chart;
    QWidget &m_afterWhatIsThis;
};

} // namespace tessel
