#pragma once

#include <optional>
#include <string>

namespace tessel {

enum class Icon { None, Information, Critical };

// The answers to a question about unsaved changes.
enum class Choice { Save, Discard, Cancel };

// The entry fields a refused entry sends the focus to (model/check.h).
enum class Field;

// A room's properties as its dialog shows them, texts as typed: the name, the length and the
// width in feet, and the position of its top-left corner in feet right of and below the
// chart's top-left corner.
struct RoomProperties
{
    std::string name;
    std::string length;
    std::string width;
    std::string left;
    std::string top;
    bool operator==(const RoomProperties &) const = default;
};

// Something to print, defined by the window toolkit's side; the core only passes it on.
class PrintJob;

// Every message, question and input box of the program goes through this interface, so
// that a command can be driven to its end by a test that chooses the answers. The window
// implements it with modal Qt dialogs whose caption is the application's title.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual void showMessage(const std::string &text, Icon icon) = 0;
    // True for Yes.
    virtual bool askYesNo(const std::string &text, Icon icon) = 0;
    // std::nullopt when the user cancels; an empty string when OK was pressed on nothing.
    virtual std::optional<std::string> askText(const std::string &prompt) = 0;
    // The chosen path, or std::nullopt when the user cancels.
    virtual std::optional<std::string> askSaveFileName(const std::string &filter,
                                                       const std::string &defaultSuffix,
                                                       const std::string &startName) = 0;
    // Asks for a printer and, when the user accepts, prints the job on it. False when the
    // user cancels.
    virtual bool askPrinter(PrintJob &job) = 0;
    // Shows the job's pages as they would print, from where the user may print them. False
    // when nothing was printed from it.
    virtual bool showPrintPreview(PrintJob &job)
    {
        (void)job;
        return false;
    }
    // A message box captioned with its own title instead of the application's. Dialogs that
    // have no captions (a console, a log) show the text alone.
    virtual void showTitledMessage(const std::string &title, const std::string &text, Icon icon)
    {
        (void)title;
        showMessage(text, icon);
    }
    // Asks for a file name for a command that never replaces a file (it numbers copies
    // instead), so the dialog does not warn that a chosen name is taken.
    virtual std::optional<std::string> askCopyFileName(const std::string &filter,
                                                       const std::string &defaultSuffix,
                                                       const std::string &startName)
    {
        return askSaveFileName(filter, defaultSuffix, startName);
    }
    // The chosen existing file, or std::nullopt when the user cancels.
    virtual std::optional<std::string> askOpenFileName(const std::string &filter)
    {
        (void)filter;
        return std::nullopt;
    }
    // Shows a room's properties for the user to change, with `focus` focused. True on OK, with
    // `properties` as the user left them.
    virtual bool askRoomProperties(RoomProperties &properties, Field focus)
    {
        (void)properties;
        (void)focus;
        return false;
    }
    // An image file to open: std::nullopt when the user cancels.
    virtual std::optional<std::string> askImageFileName(const std::string &filter)
    {
        return askOpenFileName(filter);
    }
    // Save, Discard or Cancel, for work that would otherwise be lost.
    virtual Choice askSaveDiscardCancel(const std::string &text)
    {
        (void)text;
        return Choice::Cancel;
    }
};

} // namespace tessel
