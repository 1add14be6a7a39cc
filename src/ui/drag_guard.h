#pragma once

#include <QObject>

namespace tessel {

class ChartWidget;

// While the chart holds an element, from the press to its release, no other command runs.
// For that time it filters the application's events: key presses and shortcuts (menu items,
// mnemonics, undo and redo), wheel turns, context menus and presses of any button are dropped.
// Moves and releases go through, so that the drag goes on and ends as it would.
class DragGuard : public QObject
{
public:
    explicit DragGuard(ChartWidget &chart);
    ~DragGuard() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void guard(bool held);

    ChartWidget &m_chart;
    bool m_guarding = false;
};

} // namespace tessel
