#pragma once

#include "model/dialogs.h"

#include <QObject>

namespace tessel {

// The window's dialogs as the dialogs it is given, told apart by whether one is open: a
// modal dialog runs an event loop of its own, in which a file handed over by another start
// of the program would otherwise be opened under the question still waiting for its answer.
class DialogTracker : public QObject, public Dialogs
{
    Q_OBJECT
public:
    explicit DialogTracker(Dialogs &dialogs, QObject *parent = nullptr);

    // Whether a message, question or dialog is open now.
    bool isAsking() const { return m_open > 0; }

    void showMessage(const std::string &text, Icon icon) override;
    bool askYesNo(const std::string &text, Icon icon) override;
    std::optional<std::string> askText(const std::string &prompt) override;
    std::optional<std::string> askSaveFileName(const std::string &filter,
                                               const std::string &defaultSuffix,
                                               const std::string &startName) override;
    bool askPrinter(PrintJob &job) override;
    bool showPrintPreview(PrintJob &job) override;
    void showTitledMessage(const std::string &title, const std::string &text, Icon icon) override;
    std::optional<std::string> askCopyFileName(const std::string &filter,
                                               const std::string &defaultSuffix,
                                               const std::string &startName) override;
    std::optional<std::string> askOpenFileName(const std::string &filter) override;
    bool askRoomProperties(RoomProperties &properties, Field focus) override;
    std::optional<std::string> askImageFileName(const std::string &filter) override;
    Choice askSaveDiscardCancel(const std::string &text) override;

signals:
    // The last open dialog closed.
    void idle();

private:
    template<class F>
    decltype(auto) asking(F ask);

    Dialogs &m_dialogs;
    int m_open = 0;
};

} // namespace tessel
