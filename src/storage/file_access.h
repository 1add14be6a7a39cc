#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessel {

// What the layout commands need of the file system. Paths are UTF-8.
class FileAccess
{
public:
    struct Content
    {
        bool ok = false;
        std::string bytes;
        // Why the file could not be read, for the user; empty when ok.
        std::string error;
    };

    virtual ~FileAccess() = default;

    virtual bool exists(const std::string &path) = 0;
    // The whole file, but no more than maxBytes + 1 bytes, so that the caller sees that a
    // file is larger than it takes without reading all of it.
    virtual Content readAll(const std::string &path, std::size_t maxBytes) = 0;
    // Replaces the file only once the new content is complete on disk; on failure the
    // previous file stays as it was. The reason for the user on failure.
    virtual std::optional<std::string> writeAtomically(const std::string &path,
                                                       std::string_view bytes) = 0;
};

} // namespace tessel
