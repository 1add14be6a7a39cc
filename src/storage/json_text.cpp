#include "storage/json_text.h"

namespace tessel {

std::size_t utf8SequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
    };
    const unsigned lead = byte(at);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    // The range of the byte after the lead; the later ones are all 0x80 to 0xBF.
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned next = byte(at + i);
        if (next < (i == 1 ? low : 0x80u) || next > (i == 1 ? high : 0xBFu))
            return 0;
    }
    return length;
}

void JsonText::string(std::string_view text)
{
    m_text += '"';
    std::size_t plain = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
            ++at;
            continue;
        }
        if (c >= 0x80) {
            if (const std::size_t length = utf8SequenceLength(text, at)) {
                at += length;
                continue;
            }
        }
        m_text.append(text.substr(plain, at - plain));
        if (c >= 0x80) {
            m_text += "\xEF\xBF\xBD";
        } else if (c == '"' || c == '\\') {
            m_text += '\\';
            m_text += static_cast<char>(c);
        } else {
            static constexpr char kHex[] = "0123456789abcdef";
            m_text += "\\u00";
            m_text += kHex[c >> 4];
            m_text += kHex[c & 0xF];
        }
        plain = ++at;
    }
    m_text.append(text.substr(plain));
    m_text += '"';
}

} // namespace tessel
