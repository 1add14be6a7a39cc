#include "ui/tooltips.h"

#include "ui/control_texts.h"

#include <QAbstractButton>

namespace tessel {

void applyTip(QWidget &control)
{
    const QByteArray name = control.objectName().toUtf8();
    if (name.isEmpty())
        return;
    for (const Hint &hint : kHints) {
        if (name == hint.control)
            control.setToolTip(hint.text);
    }
    // A button that tells what it will do by its caption tells it by its tip too.
    for (const CaptionHint &hint : kCaptionHints) {
        auto *button = qobject_cast<QAbstractButton *>(&control);
        if (button && name == hint.control)
            button->setToolTip(QString::fromUtf8(hint.textFor(button->text().toStdString())));
    }
}

} // namespace tessel
