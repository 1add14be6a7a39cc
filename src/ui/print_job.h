#pragma once

class QPrinter;

namespace tessel {

// Something to print on the printer the user chooses through Dialogs::askPrinter.
class PrintJob
{
public:
    virtual ~PrintJob() = default;
    // `printer` is set up as the user chose it in the print dialog.
    virtual void print(QPrinter &printer) = 0;
};

} // namespace tessel
