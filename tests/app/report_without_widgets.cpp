// `tessel --report` and `tessel --arrange` built from their own libraries alone, with no Qt
// Widgets on the link line: it links only while none of them needs a widget.

#include "app/arrange_command.h"
#include "app/command_line.h"
#include "app/report_command.h"

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const tessel::CommandLine line = tessel::parseCommandLine(arguments);
    switch (line.action) {
    case tessel::CommandLine::Action::Report:
        return tessel::runReportCommand(argc, argv, line.report);
    case tessel::CommandLine::Action::Arrange:
        return tessel::runArrangeCommand(line.arrange);
    default:
        return 2;
    }
}
