#include "model/filters.h"

namespace tessel {

std::optional<std::string_view> refusedNumericKey(char32_t code, const NumericMessages &field)
{
    if (code == '\b')
        return std::nullopt;
    if (code < '.' || code > '9')
        return field.otherMessage;
    if (code == '/')
        return field.slashMessage;
    return std::nullopt;
}

char32_t roomNameKey(char32_t code)
{
    return code >= 'a' && code <= 'z' ? code - ('a' - 'A') : code;
}

} // namespace tessel
