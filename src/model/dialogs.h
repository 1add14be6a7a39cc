#pragma once

#include <optional>
#include <string>

namespace tessel {

enum class Icon { None, Information, Critical };

// The answers to a question about unsaved changes.
enum class Choice { Save, Discard, Cancel };

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
    // Save, Discard or Cancel, for work that would otherwise be lost.
    virtual Choice askSaveDiscardCancel(const std::string &text)
    {
        (void)text;
        return Choice::Cancel;
    }
};

} // namespace tessel
