#include "ui/compass_rose.h"

#include "model/plot.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace tessel {

class CompassRose::Cross : public QWidget
{
public:
    explicit Cross(QWidget *parent)
        : QWidget(parent)
    {
        setFixedSize(36, 36);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(palette().windowText().color(), 1.5));
        const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
        painter.drawLine(QPointF(area.center().x(), area.top()),
                         QPointF(area.center().x(), area.bottom()));
        painter.drawLine(QPointF(area.left(), area.center().y()),
                         QPointF(area.right(), area.center().y()));
    }
};

namespace {

QLabel *makeLetter(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

CompassRose::CompassRose(QWidget *parent)
    : QWidget(parent)
    , m_up(makeLetter("lblUp", this))
    , m_down(makeLetter("lblDown", this))
    , m_left(makeLetter("lblLeft", this))
    , m_right(makeLetter("lblRight", this))
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    grid->addWidget(m_up, 0, 1);
    grid->addWidget(m_left, 1, 0);
    grid->addWidget(new Cross(this), 1, 1, Qt::AlignCenter);
    grid->addWidget(m_right, 1, 2);
    grid->addWidget(m_down, 2, 1);
    setCaptions(compassCaptions(Facing::North));
}

void CompassRose::setCaptions(const CompassCaptions &captions)
{
    m_up->setText(QString::fromStdString(captions.up));
    m_down->setText(QString::fromStdString(captions.down));
    m_left->setText(QString::fromStdString(captions.left));
    m_right->setText(QString::fromStdString(captions.right));
}

QString CompassRose::up() const
{
    return m_up->text();
}

} // namespace tessel
