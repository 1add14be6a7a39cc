#include "storage/layout_file.h"

#include "model/number.h"
#include "model/placement.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace tessel {

namespace {

// The writer

void appendNumber(std::string &out, float value)
{
    // The table holds finite values only; should one slip in, a 0 keeps the file readable.
    if (!std::isfinite(value) || value == 0) {
        out += '0';
        return;
    }
    std::array<char, 64> buffer{};
    char *const first = buffer.data();
    char *const last = first + buffer.size();
    if (std::trunc(value) == value) {
        // Every whole single-precision value fits a double exactly: write all its digits.
        const auto result =
            std::to_chars(first, last, static_cast<double>(value), std::chars_format::fixed, 0);
        out.append(first, result.ptr);
        return;
    }
    // Seven significant digits, correctly rounded, then set out without an exponent.
    const auto result = std::to_chars(first, last, value, std::chars_format::scientific, 6);
    const std::string_view scientific(first, result.ptr - first);
    std::string_view mantissa = scientific.substr(0, scientific.find('e'));
    int exponent = 0;
    const std::string_view exponentText = scientific.substr(scientific.find('e') + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);
    if (mantissa.front() == '-') {
        out += '-';
        mantissa.remove_prefix(1);
    }
    std::string digits;
    for (const char c : mantissa)
        if (c != '.')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return;
    }
    const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= wholeDigits) {
        out += digits;
        out.append(wholeDigits - digits.size(), '0');
        return;
    }
    out.append(digits, 0, wholeDigits);
    out += '.';
    out.append(digits, wholeDigits);
}

// The reader

bool isSpace(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isSeparator(char c)
{
    return c == ',' || isLineEnd(c);
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;
            if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            if (c == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
                return false;
        }
        i += length;
    }
    return true;
}

std::string textFromFile(std::string_view raw)
{
    if (isValidUtf8(raw))
        return std::string(raw);
    std::string text;
    text.reserve(raw.size() * 2);
    for (const char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

// [+-] digits [. digits] [e [+-] digits], with at least one digit before the exponent.
bool isDecimalNumber(std::string_view text)
{
    std::size_t i = 0;
    const auto digitsFrom = [&](std::size_t at) {
        std::size_t end = at;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        return end - at;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = digitsFrom(i);
    i += digits;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = digitsFrom(i + 1);
        i += 1 + fraction;
        digits += fraction;
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const std::size_t exponent = digitsFrom(i);
        if (exponent == 0)
            return false;
        i += exponent;
    }
    return i == text.size();
}

template<typename T>
std::optional<T> parseDecimal(std::string_view text)
{
    if (!isDecimalNumber(text))
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    T value = 0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to hold is 0; too large is no number this file can mean.
        double wide = 0;
        std::from_chars(text.data(), text.data() + text.size(), wide, std::chars_format::general);
        if (std::abs(wide) < 1)
            return T(0);
        return std::nullopt;
    }
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> parseSmallInteger(std::string_view text)
{
    const auto value = parseDecimal<double>(text);
    if (!value)
        return std::nullopt;
    const double whole = roundHalfEven(*value);
    if (whole < std::numeric_limits<std::int16_t>::min() ||
        whole > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

class Reader
{
public:
    explicit Reader(std::string_view bytes)
        : m_bytes(bytes)
    {}

    int line() const { return m_line; }

    // Skips blanks and blank lines; false at the end of the bytes.
    bool skipToRecord()
    {
        while (m_pos < m_bytes.size() && (isSpace(m_bytes[m_pos]) || isLineEnd(m_bytes[m_pos])))
            advance();
        return m_pos < m_bytes.size();
    }

    // One field and the separator after it. `last` is set when the bytes end after it.
    std::optional<LayoutFaultKind> readField(std::string_view &value, bool &last)
    {
        while (m_pos < m_bytes.size() && isSpace(m_bytes[m_pos]))
            ++m_pos;
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == '"') {
            // A quoted text runs to the next quote, across commas and line ends.
            const std::size_t close = m_bytes.find('"', m_pos + 1);
            if (close == std::string_view::npos)
                return m_bytes.size() - m_pos > kMaxLayoutFieldBytes
                           ? LayoutFaultKind::FieldTooLong
                           : LayoutFaultKind::IncompleteRecord;
            if (close - m_pos - 1 > kMaxLayoutFieldBytes)
                return LayoutFaultKind::FieldTooLong;
            value = m_bytes.substr(m_pos + 1, close - m_pos - 1);
            while (m_pos <= close)
                advance();
            // Whatever stands between the closing quote and the separator is skipped.
            const std::size_t rest = m_pos;
            while (m_pos < m_bytes.size() && !isSeparator(m_bytes[m_pos]))
                ++m_pos;
            if (m_pos - rest > kMaxLayoutFieldBytes)
                return LayoutFaultKind::FieldTooLong;
        } else {
            const std::size_t start = m_pos;
            while (m_pos < m_bytes.size() && !isSeparator(m_bytes[m_pos]))
                ++m_pos;
            if (m_pos - start > kMaxLayoutFieldBytes)
                return LayoutFaultKind::FieldTooLong;
            value = trimmed(m_bytes.substr(start, m_pos - start));
        }
        last = m_pos >= m_bytes.size();
        if (!last) {
            // CR LF is one separator.
            const bool crLf =
                m_bytes[m_pos] == '\r' && m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == '\n';
            advance();
            if (crLf)
                advance();
        }
        return std::nullopt;
    }

private:
    // Moves past one character; CR LF, CR and LF each end one line.
    void advance()
    {
        const char c = m_bytes[m_pos++];
        if (c == '\n' || (c == '\r' && (m_pos >= m_bytes.size() || m_bytes[m_pos] != '\n')))
            ++m_line;
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    int m_line = 1;
};

constexpr int kFieldCount = 7;

} // namespace

std::optional<RecordFlaw> findRecordFlaw(const LayoutRecord &record)
{
    if (record.text.size() > kMaxLayoutFieldBytes)
        return RecordFlaw{RecordValue::Text, LayoutFaultKind::FieldTooLong};
    const std::array<std::pair<RecordValue, float>, 4> numbers = {{
        {RecordValue::Left, record.left},
        {RecordValue::Top, record.top},
        {RecordValue::Width, record.width},
        {RecordValue::Height, record.height},
    }};
    for (const auto &[value, number] : numbers) {
        if (!std::isfinite(number))
            return RecordFlaw{value, LayoutFaultKind::NotANumber};
        const bool isSize = value == RecordValue::Width || value == RecordValue::Height;
        if (isSize && number < 0)
            return RecordFlaw{value, LayoutFaultKind::NegativeSize};
    }
    return std::nullopt;
}

std::optional<int> appendElement(ChartTable &table, const LayoutRecord &record)
{
    const auto index = table.createElement();
    if (!index)
        return std::nullopt;
    ChartElement &element = table.at(*index);
    element.visible = true;
    element.text = record.text;
    element.left = record.left;
    element.top = record.top;
    element.width = record.width;
    element.height = record.height;
    element.borderStyle = record.borderStyle;
    return index;
}

std::string formatLayoutNumber(float value)
{
    std::string text;
    appendNumber(text, value);
    return text;
}

std::string writeLayout(const ChartTable &table)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(table.elementCount()) * 48);
    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        out += std::to_string(index);
        out += ",\"";
        // The format cannot escape a double quote; an apostrophe keeps the file readable.
        for (const char c : element.text)
            out += c == '"' ? '\'' : c;
        out += "\",";
        // A deleted element is written where deleting parks it, wherever it has gone since.
        const std::array<float, 4> box =
            isDeleted(element)
                ? std::array{kParkedPosition, kParkedPosition, 0.0f, 0.0f}
                : std::array{element.left, element.top, element.width, element.height};
        for (const float value : box) {
            appendNumber(out, value);
            out += ',';
        }
        out += std::to_string(element.borderStyle);
        out += "\r\n";
    }
    return out;
}

LayoutReadResult readLayout(std::string_view bytes, std::size_t capacity, std::size_t maxBytes)
{
    LayoutReadResult result;
    const bool tooLarge = bytes.size() > maxBytes;
    if (tooLarge) {
        // Read whole lines only: a record cut in the middle of a field would be misread.
        bytes = bytes.substr(0, maxBytes);
        const auto lineEnd = bytes.find_last_of("\r\n");
        bytes =
            lineEnd == std::string_view::npos ? std::string_view() : bytes.substr(0, lineEnd + 1);
    }

    Reader reader(bytes);
    const auto fail = [&](LayoutFaultKind kind, int line, int field = 0) {
        // Past the size limit, whatever went wrong did so because the file was cut there.
        if (tooLarge && kind == LayoutFaultKind::IncompleteRecord)
            kind = LayoutFaultKind::FileTooLarge;
        result.fault = LayoutFault{kind, line, field};
        return result;
    };

    while (reader.skipToRecord()) {
        const int recordLine = reader.line();
        if (result.records.size() >= capacity)
            return fail(LayoutFaultKind::TooManyElements, recordLine);

        std::array<std::string_view, kFieldCount> fields;
        std::array<int, kFieldCount> lines{};
        for (int field = 0; field < kFieldCount; ++field) {
            lines[field] = reader.line();
            bool last = false;
            if (const auto fault = reader.readField(fields[field], last))
                return fail(*fault,
                            *fault == LayoutFaultKind::IncompleteRecord ? recordLine : lines[field],
                            field + 1);
            if (last && field + 1 < kFieldCount)
                return fail(LayoutFaultKind::IncompleteRecord, recordLine, field + 1);
        }

        LayoutRecord record;
        record.text = textFromFile(fields[1]);
        float *const numbers[] = {&record.left, &record.top, &record.width, &record.height};
        for (int k = 0; k < 4; ++k) {
            const int field = 2 + k;
            const auto value = parseDecimal<float>(fields[field]);
            if (!value)
                return fail(LayoutFaultKind::NotANumber, lines[field], field + 1);
            *numbers[k] = *value;
        }
        if (const auto flaw = findRecordFlaw(record)) {
            const int field = 1 + static_cast<int>(flaw->value);
            return fail(flaw->kind, lines[field], field + 1);
        }
        const auto border = parseSmallInteger(fields[6]);
        if (!border)
            return fail(LayoutFaultKind::NotANumber, lines[6], 7);
        record.borderStyle = *border;
        result.records.push_back(std::move(record));
    }
    if (tooLarge)
        return fail(LayoutFaultKind::FileTooLarge, reader.line());
    return result;
}

std::string describeLayoutFault(const LayoutFault &fault)
{
    const std::string line = std::to_string(fault.line);
    const std::string field = std::to_string(fault.field);
    switch (fault.kind) {
    case LayoutFaultKind::IncompleteRecord:
        return "the record that starts in line " + line + " ends before its seventh field";
    case LayoutFaultKind::NotANumber:
        return "field " + field + " in line " + line + " is not a number";
    case LayoutFaultKind::NegativeSize:
        return "field " + field + " in line " + line + " is a size below 0";
    case LayoutFaultKind::FieldTooLong:
        return "field " + field + " in line " + line + " is too long";
    case LayoutFaultKind::FileTooLarge:
        return "the file is larger than " + std::to_string(kMaxLayoutFileBytes / (1024 * 1024)) +
               " MB; it was read up to line " + line;
    case LayoutFaultKind::TooManyElements:
        return "the chart cannot hold more than " + std::to_string(ChartTable::kMaxIndex) +
               " elements; the records from line " + line + " on were not loaded";
    }
    return "line " + line + " cannot be read";
}

} // namespace tessel
