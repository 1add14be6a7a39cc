#pragma once

#include "ui/key_filters.h"
#include "ui/tooltips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <utility>

namespace tessel {

// Tests find controls by their objectName; the window keeps what it made. A control gets the
// tip of its name as it is made.
template<typename W, typename... Args>
W *make(const char *name, Args &&...args)
{
    auto *widget = new W(std::forward<Args>(args)...);
    widget->setObjectName(name);
    applyTip(*widget);
    return widget;
}

// An entry field with the tip and the key filter of its name.
inline QLineEdit *makeField(const char *name, Dialogs &dialogs)
{
    auto *field = make<QLineEdit>(name);
    attachKeyFilter(*field, dialogs);
    return field;
}

inline QPushButton *makeButton(const char *name, const char *caption)
{
    return make<QPushButton>(name, QString(caption));
}

inline QLabel *makeLabel(const char *name, const char *caption)
{
    return make<QLabel>(name, QString(caption));
}

inline QGroupBox *makePanel(const char *name, const char *caption)
{
    return make<QGroupBox>(name, QString(caption));
}

} // namespace tessel
