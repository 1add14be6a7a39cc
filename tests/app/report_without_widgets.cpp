// `tessel --report` built from its own libraries alone, with no Qt Widgets on the link line:
// it links only while none of them needs a widget.

#include "app/command_line.h"
#include "app/report_command.h"

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const tessel::CommandLine line = tessel::parseCommandLine(arguments);
    return line.action == tessel::CommandLine::Action::Report
               ? tessel::runReportCommand(argc, argv, line.report)
               : 2;
}
