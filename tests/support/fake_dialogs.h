#pragma once

#include "model/check.h"
#include "model/dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessel::testing {

// Answers every dialog from a script the test wrote and records what was shown, so that no
// test waits on a modal loop. A question the script has no answer for is recorded in
// `unanswered` and answered No or Cancel; tests check that it stays empty.
class FakeDialogs : public Dialogs
{
public:
    struct Shown
    {
        std::string text;
        Icon icon;
        bool operator==(const Shown &) const = default;
    };

    std::vector<Shown> messages;  // every message box, in order
    std::vector<Shown> questions; // every Yes/No question, in order
    std::vector<std::string> prompts;
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> textAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<std::string> unanswered;
    // Runs once, while the next dialog of any kind is open: what reaches the program during a
    // modal loop (a file handed over by another start, say).
    std::function<void()> whileOpen;

    void showMessage(const std::string &text, Icon icon) override
    {
        opened();
        messages.push_back({text, icon});
    }

    bool askYesNo(const std::string &text, Icon icon) override
    {
        opened();
        questions.push_back({text, icon});
        return next(yesNoAnswers, text, false);
    }

    std::optional<std::string> askText(const std::string &prompt) override
    {
        opened();
        prompts.push_back(prompt);
        return next(textAnswers, prompt, std::optional<std::string>());
    }

    std::optional<std::string> askSaveFileName(const std::string &filter, const std::string &,
                                               const std::string &) override
    {
        opened();
        prompts.push_back(filter);
        return next(fileAnswers, filter, std::optional<std::string>());
    }

    // askOpenFileName takes its answers from fileAnswers too.
    std::optional<std::string> askOpenFileName(const std::string &filter) override
    {
        opened();
        prompts.push_back(filter);
        return next(fileAnswers, filter, std::optional<std::string>());
    }

    // Every Save / Discard / Cancel question, in order, and the answers to them.
    std::vector<std::string> choices;
    std::deque<Choice> choiceAnswers;

    Choice askSaveDiscardCancel(const std::string &text) override
    {
        opened();
        choices.push_back(text);
        return next(choiceAnswers, text, Choice::Cancel);
    }

    std::string lastMessage() const
    {
        return messages.empty() ? std::string() : messages.back().text;
    }

    void clear()
    {
        messages.clear();
        questions.clear();
        prompts.clear();
        choices.clear();
    }

private:
    void opened()
    {
        if (whileOpen)
            std::exchange(whileOpen, nullptr)();
    }

    template<typename T>
    T next(std::deque<T> &answers, const std::string &asked, T fallback)
    {
        if (answers.empty()) {
            unanswered.push_back(asked);
            return fallback;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }

public:
    // askPrinter: each answer true accepts the dialog, and the job then goes to
    // `printer`, which a test sets to print it where it can be read back (a PDF file).
    std::deque<bool> printerAnswers;
    std::function<void(PrintJob &)> printer;

    bool askPrinter(PrintJob &job) override
    {
        opened();
        prompts.push_back("Print");
        if (!next(printerAnswers, "Print", false))
            return false;
        if (printer)
            printer(job);
        return true;
    }

    // askRoomProperties: each answer, when there is one, is what the user leaves in the
    // dialog before OK; none cancels. Every call records the properties shown and the focus.
    std::deque<std::optional<RoomProperties>> propertiesAnswers;
    std::vector<std::pair<RoomProperties, Field>> propertiesShown;

    bool askRoomProperties(RoomProperties &properties, Field focus) override
    {
        opened();
        propertiesShown.emplace_back(properties, focus);
        const auto answer =
            next(propertiesAnswers, "Room Properties", std::optional<RoomProperties>());
        if (!answer)
            return false;
        properties = *answer;
        return true;
    }

    // showPrintPreview: the job goes to `previewer`, which a test sets to read its pages; each
    // preview is recorded in `prompts` as "Print Preview". Nothing is printed from it.
    std::function<void(PrintJob &)> previewer;

    bool showPrintPreview(PrintJob &job) override
    {
        opened();
        prompts.push_back("Print Preview");
        if (previewer)
            previewer(job);
        return false;
    }

    struct Titled
    {
        std::string title;
        std::string text;
        Icon icon;
        bool operator==(const Titled &) const = default;
    };
    std::vector<Titled> titledMessages; // every message box with a title of its own

    void showTitledMessage(const std::string &title, const std::string &text, Icon icon) override
    {
        opened();
        titledMessages.push_back({title, text, icon});
    }
};

} // namespace tessel::testing
