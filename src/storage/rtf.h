#pragma once

#include <string>
#include <string_view>

namespace tessel {

// The one font of a plain-text document written as rich text.
struct RtfFont
{
    std::string name;
    double pointSize = 12;
    bool bold = false;
};

// A Rich Text Format document that word processors read back as `text` (UTF-8) in `font`:
// each line (ended by CR LF, CR or LF) one paragraph. The document itself is plain ASCII:
// characters beyond it are written as Unicode escapes. Sizes are whole half points, so a
// size between two is rounded.
std::string plainTextToRtf(std::string_view text, const RtfFont &font);

} // namespace tessel
