#include "ui/tooltips.h"

#include "ui/control_texts.h"

#include <QAbstractButton>
#include <QEvent>

namespace tessel {

namespace {

// Chooses the button's tip by the caption it shows when the tip is about to show.
class CaptionHintFilter : public QObject
{
public:
    CaptionHintFilter(const CaptionHint &hint, QAbstractButton *button)
        : QObject(button)
        , m_hint(hint)
        , m_button(button)
    {
        update();
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ToolTip)
            update();
        return false;
    }

private:
    void update()
    {
        const std::string caption = m_button->text().toStdString();
        m_button->setToolTip(QString::fromUtf8(m_hint.textFor(caption)));
    }

    const CaptionHint &m_hint;
    QAbstractButton *m_button;
};

} // namespace

void applyTip(QWidget &control)
{
    const QByteArray name = control.objectName().toUtf8();
    if (name.isEmpty())
        return;
    for (const Hint &hint : kHints) {
        if (name == hint.control)
            control.setToolTip(hint.text);
    }
    for (const CaptionHint &hint : kCaptionHints) {
        if (auto *button = qobject_cast<QAbstractButton *>(&control);
            button && name == hint.control)
            button->installEventFilter(new CaptionHintFilter(hint, button));
    }
}

} // namespace tessel
