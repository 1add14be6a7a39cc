#pragma once

#include <cstdio>
#include <string>

namespace tessel::bench {

// The number a probe prints on standard output (its peak resident KiB), run as a shell
// command; negative when it could not run or failed.
inline long numberPrintedBy(const std::string &command)
{
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    long number = -1;
    if (std::fscanf(pipe, "%ld", &number) != 1)
        number = -1;
    return pclose(pipe) == 0 ? number : -1;
}

} // namespace tessel::bench
