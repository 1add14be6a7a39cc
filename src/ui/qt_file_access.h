#pragma once

#include "storage/file_access.h"

namespace tessel {

// The file system as the layout commands see it. Writing goes through a temporary file in
// the same folder that replaces the target only once it is complete (QSaveFile).
class QtFileAccess : public FileAccess
{
public:
    bool exists(const std::string &path) override;
    Content readAll(const std::string &path, std::size_t maxBytes) override;
    std::optional<std::string> writeAtomically(const std::string &path,
                                               std::string_view bytes) override;
};

} // namespace tessel
