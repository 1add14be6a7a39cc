#include "ui/tooltips.h"

#include "model/hint_texts.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHash>
#include <QListWidget>

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

void installHints(QWidget &window)
{
    // One walk over the window's widgets rather than one search per hint; where two bear the
    // same name, the first in the walk has the tip.
    QHash<QString, QWidget *> named;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        if (!name.isEmpty() && !named.contains(name))
            named.insert(name, widget);
    }
    for (const Hint &hint : kHints) {
        QWidget *control = named.value(QString::fromUtf8(hint.control));
        if (!control)
            continue;
        control->setToolTip(hint.text);
        // A list shows the tips of its entries; each entry carries the list's.
        if (auto *list = qobject_cast<QListWidget *>(control)) {
            for (int row = 0; row < list->count(); ++row)
                list->item(row)->setToolTip(hint.text);
        }
    }
    for (const CaptionHint &hint : kCaptionHints) {
        if (auto *button =
                qobject_cast<QAbstractButton *>(named.value(QString::fromUtf8(hint.control))))
            button->installEventFilter(new CaptionHintFilter(hint, button));
    }
}

} // namespace tessel
