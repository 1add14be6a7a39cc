#pragma once

#include <QWidget>

class QLabel;

namespace tessel {

struct CompassCaptions;

// A small cross with one letter at each end (lblUp, lblDown, lblLeft, lblRight), telling
// which direction lies at each side of the chart.
class CompassRose : public QWidget
{
    Q_OBJECT
public:
    explicit CompassRose(QWidget *parent = nullptr);

    void setCaptions(const CompassCaptions &captions);
    // The caption of lblUp: the direction at the top of the chart.
    QString up() const;

private:
    class Cross;
    QLabel *m_up;
    QLabel *m_down;
    QLabel *m_left;
    QLabel *m_right;
};

} // namespace tessel
