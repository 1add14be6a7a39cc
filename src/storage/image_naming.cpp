#include "storage/image_naming.h"

#include <cstdio>

namespace tessel {

namespace {

constexpr int kMaxCopies = 999;

// The folder with runs of separators collapsed and exactly one at its end. A leading pair
// (a network path) is kept.
std::string joinableFolder(const std::string &folder)
{
    if (folder.empty())
        return folder;
    std::string joined;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        if (folder[i] == '/' && i > 1 && joined.back() == '/')
            continue;
        joined += folder[i];
    }
    if (joined.back() != '/')
        joined += '/';
    return joined;
}

} // namespace

ImageTarget imageTarget(std::string_view chosenPath)
{
    const auto slash = chosenPath.rfind('/');
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view() : chosenPath.substr(0, slash + 1);
    std::string_view file =
        slash == std::string_view::npos ? chosenPath : chosenPath.substr(slash + 1);
    file = file.substr(0, file.find('.'));
    return {std::string(folder), std::string(file) + ".jpg"};
}

std::string MakeUniqueImagePath(const std::string &folder, const std::string &file,
                                const std::function<bool(const std::string &)> &exists,
                                Dialogs &dialogs)
{
    const std::string base = joinableFolder(folder);
    const std::string path = base + file;
    if (!exists(path))
        return path;
    const auto dot = file.rfind('.');
    const std::string stem = file.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : file.substr(dot);
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        char number[8];
        std::snprintf(number, sizeof number, "_%03d", copy);
        const std::string candidate = base + stem + number + extension;
        if (!exists(candidate))
            return candidate;
    }
    dialogs.showTitledMessage(" UNABLE  TO  CREATE  NEW  FILE" + file,
                              "There are too many Copies of this file  " + file, Icon::Critical);
    return {};
}

} // namespace tessel
