#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include <utility>

namespace tessel {

// Controls are found by their objectName, in the window and in tests alike.
template<typename W, typename... Args>
W *make(const char *name, Args &&...args)
{
    auto *widget = new W(std::forward<Args>(args)...);
    widget->setObjectName(name);
    return widget;
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
