// Starts the program exactly as the tessel executable does, except that every dialog is
// answered here: each message is printed as one line "<icon>\t<text>" on standard output and
// answered OK. Once the main window is shown the probe prints "shown\t<objectName>" and closes
// the window, so that a start that gets through ends on its own.
//
// --plugins FOLDER makes Qt look for its plugins (the image writers among them) in FOLDER
// only; the platform plugin is already loaded by then.

#include "app/startup.h"
#include "model/dialogs.h"
#include "ui/frm_main.h"

#include <QApplication>

#include <iostream>

namespace {

const char *nameOf(tessel::Icon icon)
{
    switch (icon) {
    case tessel::Icon::Information:
        return "information";
    case tessel::Icon::Critical:
        return "critical";
    case tessel::Icon::None:
        break;
    }
    return "none";
}

class PrintingDialogs : public tessel::Dialogs
{
public:
    void showMessage(const std::string &text, tessel::Icon icon) override
    {
        std::cout << nameOf(icon) << '\t' << text << std::endl;
    }
    bool askYesNo(const std::string &text, tessel::Icon icon) override
    {
        std::cout << "question " << nameOf(icon) << '\t' << text << std::endl;
        return yes;
    }
    // Lets changes go when the window closes.
    tessel::Choice askSaveDiscardCancel(const std::string &text) override
    {
        std::cout << "choice\t" << text << std::endl;
        return tessel::Choice::Discard;
    }
    // The answer to every Yes/No question.
    bool yes = false;
    std::optional<std::string> askText(const std::string &prompt) override
    {
        std::cout << "prompt\t" << prompt << std::endl;
        return std::nullopt;
    }
    std::optional<std::string> askSaveFileName(const std::string &filter, const std::string &,
                                               const std::string &) override
    {
        std::cout << "save\t" << filter << std::endl;
        return std::nullopt;
    }
    bool askPrinter(tessel::PrintJob &) override
    {
        std::cout << "print" << std::endl;
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessel");
    QApplication::setOrganizationName("Tessel");

    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype plugins = arguments.indexOf(QStringLiteral("--plugins"));
    if (plugins > 0 && plugins + 1 < arguments.size())
        QCoreApplication::setLibraryPaths({arguments.at(plugins + 1)});

    PrintingDialogs dialogs;
    dialogs.yes = arguments.contains(QStringLiteral("--yes"));
    // Tells what the window shows once start-up is over.
    const bool tellLayout = arguments.contains(QStringLiteral("--tell-layout"));
    return tessel::runApplication(
        app, dialogs, tessel::StartupEnvironment::system(), [tellLayout](tessel::FrmMain &window) {
            std::cout << "shown\t" << window.objectName().toStdString() << std::endl;
            QMetaObject::invokeMethod(
                &window,
                [&window, tellLayout] {
                    if (tellLayout)
                        std::cout << "layout\t" << window.windowTitle().toStdString() << '\t'
                                  << window.editor().txtRoom.elementCount() << std::endl;
                    window.close();
                },
                Qt::QueuedConnection);
        });
}
