#pragma once

#include "model/dialogs.h"

#include <QMessageBox>

#include <memory>

class QWidget;

namespace tessel {

inline constexpr const char *kApplicationTitle = "Tessel";

// The box every message and question is shown in, before it is shown.
std::unique_ptr<QMessageBox> makeMessageBox(const std::string &title, const std::string &text,
                                            Icon icon, QMessageBox::StandardButtons buttons,
                                            QWidget *parent = nullptr);

// The dialogs the user sees: modal boxes captioned with the application's title.
class QtDialogs : public Dialogs
{
public:
    // parent: the window the boxes are modal to; may be null before any window exists.
    explicit QtDialogs(QWidget *parent = nullptr)
        : m_parent(parent)
    {}
    void setParent(QWidget *parent) { m_parent = parent; }

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
    Choice askSaveDiscardCancel(const std::string &text) override;
    bool askRoomProperties(RoomProperties &properties, Field focus) override;

private:
    std::optional<std::string> askFileName(const std::string &filter,
                                           const std::string &defaultSuffix,
                                           const std::string &startName, bool confirmReplace);

    QWidget *m_parent;
};

} // namespace tessel
