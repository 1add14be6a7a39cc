#include "ui/dialog_tracker.h"

namespace tessel {

DialogTracker::DialogTracker(Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_dialogs(dialogs)
{}

template<class F>
decltype(auto) DialogTracker::asking(F ask)
{
    struct Open
    {
        DialogTracker &tracker;
        explicit Open(DialogTracker &t)
            : tracker(t)
        {
            ++tracker.m_open;
        }
        ~Open()
        {
            if (--tracker.m_open == 0)
                emit tracker.idle();
        }
    } open(*this);
    return ask();
}

void DialogTracker::showMessage(const std::string &text, Icon icon)
{
    asking([&] { m_dialogs.showMessage(text, icon); });
}

bool DialogTracker::askYesNo(const std::string &text, Icon icon)
{
    return asking([&] { return m_dialogs.askYesNo(text, icon); });
}

std::optional<std::string> DialogTracker::askText(const std::string &prompt)
{
    return asking([&] { return m_dialogs.askText(prompt); });
}

std::optional<std::string> DialogTracker::askSaveFileName(const std::string &filter,
                                                          const std::string &defaultSuffix,
                                                          const std::string &startName)
{
    return asking([&] { return m_dialogs.askSaveFileName(filter, defaultSuffix, startName); });
}

bool DialogTracker::askPrinter(PrintJob &job)
{
    return asking([&] { return m_dialogs.askPrinter(job); });
}

bool DialogTracker::showPrintPreview(PrintJob &job)
{
    return asking([&] { return m_dialogs.showPrintPreview(job); });
}

void DialogTracker::showTitledMessage(const std::string &title, const std::string &text, Icon icon)
{
    asking([&] { m_dialogs.showTitledMessage(title, text, icon); });
}

std::optional<std::string> DialogTracker::askCopyFileName(const std::string &filter,
                                                          const std::string &defaultSuffix,
                                                          const std::string &startName)
{
    return asking([&] { return m_dialogs.askCopyFileName(filter, defaultSuffix, startName); });
}

std::optional<std::string> DialogTracker::askOpenFileName(const std::string &filter)
{
    return asking([&] { return m_dialogs.askOpenFileName(filter); });
}

bool DialogTracker::askRoomProperties(RoomProperties &properties, Field focus)
{
    return asking([&] { return m_dialogs.askRoomProperties(properties, focus); });
}

std::optional<std::string> DialogTracker::askImageFileName(const std::string &filter)
{
    return asking([&] { return m_dialogs.askImageFileName(filter); });
}

Choice DialogTracker::askSaveDiscardCancel(const std::string &text)
{
    return asking([&] { return m_dialogs.askSaveDiscardCancel(text); });
}

} // namespace tessel
