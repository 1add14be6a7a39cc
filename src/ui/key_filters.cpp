#include "ui/key_filters.h"

#include "model/dialogs.h"
#include "model/filters.h"
#include "ui/control_texts.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <optional>
#include <string>

namespace tessel {

namespace {

// The one character a key press types, if it types one.
std::optional<char32_t> typedCharacter(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    // These move the focus or edit; the text some platforms give them is no character typed.
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab ||
        event.key() == Qt::Key_Delete)
        return std::nullopt;
    const QList<uint> characters = event.text().toUcs4();
    if (characters.size() != 1)
        return std::nullopt;
    return characters.front();
}

class NumericKeyFilter : public QObject
{
public:
    NumericKeyFilter(const NumericMessages &field, Dialogs &dialogs, bool enterAccepts,
                     QObject *parent)
        : QObject(parent)
        , m_field(field)
        , m_dialogs(dialogs)
        , m_enterAccepts(enterAccepts)
    {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto typed = typedCharacter(*static_cast<QKeyEvent *>(event));
        if (!typed || (m_enterAccepts && (*typed == '\r' || *typed == '\n')))
            return false;
        const auto message = refusedNumericKey(*typed, m_field);
        if (!message)
            return false;
        m_dialogs.showMessage(std::string(*message), Icon::None);
        return true;
    }

private:
    const NumericMessages &m_field;
    Dialogs &m_dialogs;
    bool m_enterAccepts;
};

class RoomNameKeyFilter : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const auto typed = typedCharacter(*key);
        if (!typed || roomNameKey(*typed) == *typed)
            return false;
        const char32_t capital = roomNameKey(*typed);
        QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(),
                           QString::fromUcs4(&capital, 1), key->isAutoRepeat(), key->count());
        QCoreApplication::sendEvent(watched, &replaced);
        return true;
    }
};

} // namespace

void attachKeyFilter(QLineEdit &edit, Dialogs &dialogs, bool inDialog)
{
    const QByteArray name = edit.objectName().toUtf8();
    for (const NumericField &field : kNumericFields) {
        if (name == field.name)
            edit.installEventFilter(new NumericKeyFilter(field.messages, dialogs, inDialog, &edit));
    }
    if (name == kRoomNameField)
        edit.installEventFilter(new RoomNameKeyFilter(&edit));
}

} // namespace tessel
