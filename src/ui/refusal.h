#pragma once

#include "model/check.h"
#include "model/dialogs.h"

#include <QLineEdit>

namespace tessel {

// Shows a refused entry's message, then empties its field if the refusal says so and gives it
// the focus. field: the control the refusal names, if any.
inline void showRefusal(Dialogs &dialogs, const Refusal &refusal, QLineEdit *field)
{
    dialogs.showMessage(refusal.message, refusal.icon);
    if (!field)
        return;
    if (refusal.clearField)
        field->clear();
    field->setFocus();
}

} // namespace tessel
