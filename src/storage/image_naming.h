#pragma once

#include "model/dialogs.h"

#include <functional>
#include <string>
#include <string_view>

namespace tessel {

// Where a chart image goes. Paths use "/" between folders, as Qt hands them out.
struct ImageTarget
{
    std::string folder; // as chosen; empty for a bare name
    std::string file;   // ends in ".jpg" and holds no other "."

    bool operator==(const ImageTarget &) const = default;
};

// The chosen path with its file part cut before its first "." and ".jpg" appended: "plan"
// and "plan.png" give "plan.jpg", "my.plan.jpg" gives "my.jpg". The folder stays as chosen,
// dots and all.
ImageTarget imageTarget(std::string_view chosenPath);

// folder + file when no such file exists, else the first free copy name from file_001.jpg
// to file_999.jpg. When all are taken, the user is told and the result is empty.
std::string MakeUniqueImagePath(const std::string &folder, const std::string &file,
                                const std::function<bool(const std::string &)> &exists,
                                Dialogs &dialogs);

} // namespace tessel
