#include "storage/layout_document.h"

#include "storage/json_text.h"
#include "storage/layout_file.h"

#include <simdjson.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace tessel {

namespace {

namespace json = simdjson::ondemand;
using simdjson::error_code;

std::string fillText(std::uint32_t rgb)
{
    std::array<char, 8> hex{};
    const auto written =
        std::to_chars(hex.data(), hex.data() + hex.size(), rgb & 0xFFFFFFu, /*base=*/16);
    const std::string digits(hex.data(), written.ptr);
    return '#' + std::string(6 - digits.size(), '0') + digits;
}

std::optional<std::uint32_t> parseFill(std::string_view text)
{
    if (text.size() != 7 || text.front() != '#')
        return std::nullopt;
    std::uint32_t rgb = 0;
    const auto parsed = std::from_chars(text.data() + 1, text.data() + text.size(), rgb, 16);
    if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size())
        return std::nullopt;
    return rgb;
}

bool isWhitespace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view withoutByteOrderMark(std::string_view bytes)
{
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    return bytes;
}

// "line 3, column 5", counted in bytes from 1.
std::string positionOf(std::string_view bytes, std::size_t offset)
{
    const std::string_view before = bytes.substr(0, std::min(bytes.size(), offset));
    const std::size_t lastLineEnd = before.rfind('\n');
    const auto line = 1 + std::count(before.begin(), before.end(), '\n');
    const std::size_t column =
        lastLineEnd == std::string_view::npos ? before.size() + 1 : before.size() - lastLineEnd;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

std::string quoted(const char *key)
{
    return std::string("\"") + key + '"';
}

// A value as the checks judge it, read whole first, so that a document that is not well-formed
// anywhere is refused for that before any of its values is judged.
struct Value
{
    enum class Type { Absent, Number, Text, Boolean, Null, Object, List };

    Type type = Type::Absent;
    double number = 0;
    // In the document's bytes or the parser's buffer, which both outlive the judging.
    std::string_view text;
    bool boolean = false;
};

// Far deeper than any document; it bounds the recursion of reading unknown values whatever the
// bytes, and stays below the parser's own limit.
constexpr int kMaxNesting = 512;

error_code readValue(json::value value, Value &into, int depth);

// Hands `read` each key and value of `object` in order, up to the first fault.
template<typename Read>
error_code forEachField(json::object object, Read &&read)
{
    for (auto result : object) {
        json::field field;
        if (const error_code error = std::move(result).get(field))
            return error;
        std::string_view key;
        if (const error_code error = field.unescaped_key().get(key))
            return error;
        if (const error_code error = read(key, field.value()))
            return error;
    }
    return simdjson::SUCCESS;
}

// Hands `read` each value of `list` in order, up to the first fault.
template<typename Read>
error_code forEachItem(json::array list, Read &&read)
{
    for (auto item : list) {
        json::value value;
        if (const error_code error = item.get(value))
            return error;
        if (const error_code error = read(value))
            return error;
    }
    return simdjson::SUCCESS;
}

// A text without an escape as it stands in the document, which spares copying the megabytes
// of a plan image's base64; any other unescaped into the parser's buffer. The parser has
// already checked every text for a closing quote, UTF-8 and control characters.
error_code readText(json::value value, std::string_view &text)
{
    std::string_view raw = value.raw_json_token();
    while (!raw.empty() && isWhitespace(raw.back()))
        raw.remove_suffix(1);
    if (raw.size() >= 2 && raw.back() == '"' && raw.find('\\') == std::string_view::npos) {
        text = raw.substr(1, raw.size() - 2);
        json::raw_json_string read;
        return value.get_raw_json_string().get(read);
    }
    return value.get_string().get(text);
}

// Reads one value in full: an object or a list down to its last value, which the parser checks
// only as far as it is read. `depth` counts the objects and lists around the value.
error_code readValue(json::value value, Value &into, int depth)
{
    json::json_type type;
    if (const error_code error = value.type().get(type))
        return error;
    switch (type) {
    case json::json_type::number:
        into.type = Value::Type::Number;
        return value.get_double().get(into.number);
    case json::json_type::string:
        into.type = Value::Type::Text;
        return readText(value, into.text);
    case json::json_type::boolean:
        into.type = Value::Type::Boolean;
        return value.get_bool().get(into.boolean);
    case json::json_type::null: {
        bool isNull = false;
        if (const error_code error = value.is_null().get(isNull))
            return error;
        into.type = Value::Type::Null;
        return isNull ? simdjson::SUCCESS : simdjson::N_ATOM_ERROR;
    }
    case json::json_type::object: {
        into.type = Value::Type::Object;
        json::object object;
        if (depth >= kMaxNesting)
            return simdjson::DEPTH_ERROR;
        if (const error_code error = value.get_object().get(object))
            return error;
        return forEachField(object, [depth](std::string_view, json::value field) {
            Value ignored;
            return readValue(field, ignored, depth + 1);
        });
    }
    case json::json_type::array: {
        into.type = Value::Type::List;
        json::array list;
        if (depth >= kMaxNesting)
            return simdjson::DEPTH_ERROR;
        if (const error_code error = value.get_array().get(list))
            return error;
        return forEachItem(list, [depth](json::value item) {
            Value ignored;
            return readValue(item, ignored, depth + 1);
        });
    }
    }
    return simdjson::TAPE_ERROR;
}

// Judges the values of one object; the first fault is kept, later reads give defaults.
class ObjectReader
{
public:
    // `element`: the object's place in "elements", counted from 1; 0 for the top level.
    explicit ObjectReader(int element = 0)
        : m_element(element)
    {}

    const std::optional<std::string> &fault() const { return m_fault; }

    std::string text(const char *key, const Value &value)
    {
        if (!required(key, value))
            return {};
        if (value.type != Value::Type::Text)
            return refuse(key, "is not a text"), std::string();
        return std::string(value.text);
    }

    // Numbers beyond single precision come back infinite, for findRecordFlaw to refuse. Those
    // less than half a step beyond the largest single round to it, as a single's shortest
    // decimal can lie there (3.4028235e38).
    float number(const char *key, const Value &value)
    {
        if (!required(key, value))
            return 0;
        if (value.type != Value::Type::Number)
            return refuse(key, "is not a number"), 0.0f;
        constexpr float largest = std::numeric_limits<float>::max();
        constexpr double roundsToInfinity = 0x1.ffffffp+127;
        const double magnitude = std::abs(value.number);
        if (magnitude > largest) {
            const float rounded =
                magnitude < roundsToInfinity ? largest : std::numeric_limits<float>::infinity();
            return value.number > 0 ? rounded : -rounded;
        }
        return static_cast<float>(value.number);
    }

    std::int16_t smallInteger(const char *key, const Value &value)
    {
        if (!required(key, value))
            return 0;
        const double number = value.number;
        if (value.type != Value::Type::Number || std::trunc(number) != number ||
            number < std::numeric_limits<std::int16_t>::min() ||
            number > std::numeric_limits<std::int16_t>::max())
            return refuse(key, "is not a whole number from -32768 to 32767"), 0;
        return static_cast<std::int16_t>(number);
    }

    bool optionalBool(const char *key, const Value &value, bool absent)
    {
        if (m_fault || value.type == Value::Type::Absent)
            return absent;
        if (value.type != Value::Type::Boolean)
            return refuse(key, "is not true or false"), absent;
        return value.boolean;
    }

    std::optional<std::uint32_t> optionalFill(const char *key, const Value &value)
    {
        if (m_fault || value.type == Value::Type::Absent)
            return std::nullopt;
        const auto rgb = value.type == Value::Type::Text ? parseFill(value.text) : std::nullopt;
        if (!rgb)
            refuse(key, "is not a colour written as #rrggbb");
        return rgb;
    }

private:
    void refuse(const char *key, const std::string &what)
    {
        if (m_fault)
            return;
        m_fault = m_element > 0 ? "element " + std::to_string(m_element) + ": " : std::string();
        *m_fault += quoted(key) + ' ' + what;
    }

    bool required(const char *key, const Value &value)
    {
        if (value.type == Value::Type::Absent)
            refuse(key, "is missing");
        return !m_fault;
    }

    int m_element;
    std::optional<std::string> m_fault;
};

constexpr std::array<const char *, 5> kRecordKeys = {"text", "left", "top", "width", "height"};

std::string describeFlaw(LayoutFaultKind kind)
{
    switch (kind) {
    case LayoutFaultKind::NegativeSize:
        return "is below 0";
    case LayoutFaultKind::FieldTooLong:
        return "is longer than " + std::to_string(kMaxLayoutFieldBytes) + " bytes";
    default:
        return "is too large";
    }
}

// The keys of an element, in the order their faults are told.
enum ElementKey {
    Text,
    Left,
    Top,
    Width,
    Height,
    BorderStyle,
    Enabled,
    Fill,
    Kept,
    kElementKeyCount
};

enum TopKey {
    Format,
    Version,
    PlotLength,
    PlotWidth,
    FacingKey,
    FilePath,
    PlanImageKey,
    PlanOpacity,
    PlanShown,
    Elements,
    BearingKey,
    ZoneMethodKey,
    kTopKeyCount
};
constexpr std::array<std::string_view, kTopKeyCount> kTopKeys = {
    "format",    "version",     "plotLength", "plotWidth", "facing",  "filePath",
    "planImage", "planOpacity", "planShown",  "elements",  "bearing", "zoneMethod"};

template<std::size_t N>
std::size_t keyIndex(const std::array<std::string_view, N> &keys, std::string_view key)
{
    return std::size_t(std::find(keys.begin(), keys.end(), key) - keys.begin());
}

template<std::size_t N>
bool isKey(std::string_view key, const char (&name)[N])
{
    // A comparison of known length, which the compiler writes out in place.
    return key.size() == N - 1 && std::memcmp(key.data(), name, N - 1) == 0;
}

// The ElementKey of `key`, told by length first: this runs for every key of every element.
std::size_t elementKeyIndex(std::string_view key)
{
    switch (key.size()) {
    case 3:
        return isKey(key, "top") ? Top : kElementKeyCount;
    case 4:
        return isKey(key, "text")   ? Text
               : isKey(key, "left") ? Left
               : isKey(key, "fill") ? Fill
               : isKey(key, "kept") ? Kept
                                    : kElementKeyCount;
    case 5:
        return isKey(key, "width") ? Width : kElementKeyCount;
    case 6:
        return isKey(key, "height") ? Height : kElementKeyCount;
    case 7:
        return isKey(key, "enabled") ? Enabled : kElementKeyCount;
    case 11:
        return isKey(key, "borderStyle") ? BorderStyle : kElementKeyCount;
    default:
        return kElementKeyCount;
    }
}

// "elements" as read: the table built from it, or the first fault of its elements.
struct ElementList
{
    Value value;
    bool tooMany = false;
    ChartTable table;
    std::optional<std::string> fault;
};

// One item of "elements", appended to the table while the list has no fault; read to its end
// in any case.
error_code readElement(json::value item, int number, ElementList &list)
{
    json::json_type type;
    if (const error_code error = item.type().get(type))
        return error;
    if (type != json::json_type::object) {
        if (!list.fault)
            list.fault = "element " + std::to_string(number) + " is not an object";
        Value ignored;
        return readValue(item, ignored, 2);
    }
    json::object object;
    if (const error_code error = item.get_object().get(object))
        return error;
    std::array<Value, kElementKeyCount> values{};
    const error_code error =
        forEachField(object, [&values](std::string_view key, json::value value) {
            Value ignored;
            const std::size_t slot = elementKeyIndex(key);
            return readValue(value, slot < values.size() ? values[slot] : ignored, 3);
        });
    if (error)
        return error;
    if (list.fault)
        return simdjson::SUCCESS;

    ObjectReader element(number);
    LayoutRecord record;
    record.text = element.text("text", values[Text]);
    record.left = element.number("left", values[Left]);
    record.top = element.number("top", values[Top]);
    record.width = element.number("width", values[Width]);
    record.height = element.number("height", values[Height]);
    record.borderStyle = element.smallInteger("borderStyle", values[BorderStyle]);
    const bool enabled = element.optionalBool("enabled", values[Enabled], true);
    const auto fill = element.optionalFill("fill", values[Fill]);
    const bool kept = element.optionalBool("kept", values[Kept], false);
    if (element.fault()) {
        list.fault = element.fault();
    } else if (const auto flaw = findRecordFlaw(record)) {
        list.fault = "element " + std::to_string(number) + ": " +
                     quoted(kRecordKeys[static_cast<int>(flaw->value)]) + ' ' +
                     describeFlaw(flaw->kind);
    } else {
        ChartElement &added = list.table.at(*appendElement(list.table, record));
        added.enabled = enabled;
        added.fillOverride = fill;
        added.keptInPlace = kept;
    }
    return simdjson::SUCCESS;
}

error_code readElementList(json::value value, ElementList &list)
{
    json::json_type type;
    if (const error_code error = value.type().get(type))
        return error;
    if (type != json::json_type::array)
        return readValue(value, list.value, 1);
    list.value.type = Value::Type::List;
    json::array items;
    std::size_t count = 0;
    if (const error_code error = value.get_array().get(items))
        return error;
    // Counted before the first element is built; the parser then starts the list again.
    if (const error_code error = items.count_elements().get(count))
        return error;
    if (count > std::size_t(ChartTable::kMaxIndex)) {
        // Reading stops here; the refusal says why.
        list.tooMany = true;
        return simdjson::CAPACITY;
    }
    list.table.reserve(int(count));
    int number = 0;
    return forEachItem(items,
                       [&](json::value element) { return readElement(element, ++number, list); });
}

// Reads the values of the top-level object into `top` and `list`; stops at the first fault of
// the JSON, or when the list holds too many elements to be read (`list.tooMany`).
error_code readRoot(json::document &root, std::array<Value, kTopKeyCount> &top, ElementList &list)
{
    json::object object;
    if (const error_code error = root.get_object().get(object))
        return error;
    const error_code error = forEachField(object, [&](std::string_view key, json::value value) {
        const std::size_t slot = keyIndex(kTopKeys, key);
        if (slot == Elements) {
            list = ElementList{};
            return readElementList(value, list);
        }
        Value ignored;
        return readValue(value, slot < top.size() ? top[slot] : ignored, 1);
    });
    if (error)
        return error;
    // At the end the parser has no place to give; anywhere else there is more after the object.
    const char *more = nullptr;
    return root.current_location().get(more) ? simdjson::SUCCESS : simdjson::TRAILING_CONTENT;
}

// What the parser found wrong, in the words of the message.
std::string describeSyntaxError(error_code error)
{
    switch (error) {
    case simdjson::NUMBER_ERROR:
    case simdjson::NUMBER_OUT_OF_RANGE:
        return "illegal number";
    case simdjson::STRING_ERROR:
        return "invalid escape sequence";
    case simdjson::T_ATOM_ERROR:
    case simdjson::F_ATOM_ERROR:
    case simdjson::N_ATOM_ERROR:
    case simdjson::INCORRECT_TYPE:
        return "illegal value";
    case simdjson::UTF8_ERROR:
        return "invalid UTF-8 text";
    case simdjson::UNESCAPED_CHARS:
        return "unescaped control character in a text";
    case simdjson::UNCLOSED_STRING:
        return "unterminated text";
    case simdjson::DEPTH_ERROR:
        return "too deeply nested";
    case simdjson::TRAILING_CONTENT:
        return "garbage at the end of the document";
    case simdjson::INCOMPLETE_ARRAY_OR_OBJECT:
        return "unexpected end of the document";
    default:
        return "unexpected character";
    }
}

// Places the parser does not give: for a fault it finds while it indexes the document,
// before it knows any value, and for a document whose last character is not the top-level
// object's closing brace, where it does not say whether the document was cut short or has more
// after its end. Found by hand, as only a refused document needs them.
struct Landmarks
{
    std::size_t firstInvalidUtf8 = std::string_view::npos;
    std::size_t firstControlInText = std::string_view::npos;
    // After the top-level object's closing brace.
    std::size_t endOfRoot = std::string_view::npos;
};

Landmarks findLandmarks(std::string_view bytes)
{
    Landmarks found;
    int depth = 0;
    bool inText = false;
    bool escaped = false;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const char c = bytes[at];
        if (static_cast<unsigned char>(c) >= 0x80) {
            const std::size_t length = utf8SequenceLength(bytes, at);
            if (length == 0) {
                found.firstInvalidUtf8 = std::min(found.firstInvalidUtf8, at);
            } else {
                at += length - 1;
            }
            escaped = false;
        } else if (inText) {
            if (static_cast<unsigned char>(c) < 0x20)
                found.firstControlInText = std::min(found.firstControlInText, at);
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inText = false;
        } else if (c == '"') {
            inText = true;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if ((c == '}' || c == ']') && --depth == 0) {
            found.endOfRoot = std::min(found.endOfRoot, at + 1);
        }
    }
    return found;
}

// The place and the words for a document that is not well-formed JSON; `document` is without
// its byte order mark, which `original` has. `stopped` is where in `document` the parser
// stopped, or nothing when it stopped while indexing.
std::string syntaxFault(std::string_view original, std::string_view document, error_code error,
                        std::optional<std::size_t> stopped)
{
    const Landmarks landmarks = findLandmarks(document);
    std::size_t offset = document.size();
    if (!stopped) {
        if (error == simdjson::UTF8_ERROR)
            offset = landmarks.firstInvalidUtf8;
        else if (error == simdjson::UNESCAPED_CHARS)
            offset = landmarks.firstControlInText;
    } else if (error == simdjson::INCOMPLETE_ARRAY_OR_OBJECT) {
        if (landmarks.endOfRoot != std::string_view::npos) {
            const auto more =
                std::find_if_not(document.begin() + std::ptrdiff_t(landmarks.endOfRoot),
                                 document.end(), isWhitespace);
            if (more != document.end()) {
                offset = std::size_t(more - document.begin());
                error = simdjson::TRAILING_CONTENT;
            }
        }
    } else {
        offset = *stopped;
    }
    offset = std::min(offset, document.size());
    return positionOf(original, original.size() - document.size() + offset) + ": " +
           describeSyntaxError(error);
}

DocumentReadResult refusal(std::string error)
{
    return {std::nullopt, std::move(error)};
}

} // namespace

std::string writeLayoutDocument(const LayoutDocument &document)
{
    // Written as text here rather than built through a JSON library: that took several times
    // as long for a full chart. Keys stand in alphabetical order.
    JsonText json;
    const PlanImage &plan = document.plan;
    // About what an element takes.
    json.reserve(std::size_t(document.table.elementCount() + 1) * 96 +
                 (plan.isSet() ? plan.base64->size() : 0));
    // The bearing and the method are written only where they differ from what a document
    // without them has, so that a layout that never used them reads as before.
    json.raw("{");
    if (document.bearing && *document.bearing != facingBearing(document.facing)) {
        json.raw("\"bearing\":");
        json.raw(formatBearing(*document.bearing));
        json.raw(",");
    }
    json.raw("\"elements\":[");
    const ChartTable &table = document.table;
    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        json.raw(index == 1 ? "{\"borderStyle\":" : ",{\"borderStyle\":");
        json.integer(element.borderStyle);
        if (!element.enabled)
            json.raw(",\"enabled\":false");
        if (element.fillOverride) {
            json.raw(",\"fill\":");
            json.string(fillText(*element.fillOverride));
        }
        json.raw(",\"height\":");
        json.number(element.height);
        if (element.keptInPlace)
            json.raw(",\"kept\":true");
        json.raw(",\"left\":");
        json.number(element.left);
        json.raw(",\"text\":");
        json.string(element.text);
        json.raw(",\"top\":");
        json.number(element.top);
        json.raw(",\"width\":");
        json.number(element.width);
        json.raw("}");
    }
    json.raw("],\"facing\":");
    json.string(kFacingNames[static_cast<std::size_t>(document.facing)]);
    if (!document.filePath.empty()) {
        json.raw(",\"filePath\":");
        json.string(document.filePath);
    }
    json.raw(",\"format\":");
    json.string(kLayoutDocumentFormat);
    if (plan.isSet()) {
        json.raw(",\"planImage\":");
        json.string(*plan.base64);
        json.raw(",\"planOpacity\":");
        json.integer(plan.opacity);
        json.raw(plan.shown ? ",\"planShown\":true" : ",\"planShown\":false");
    }
    json.raw(",\"plotLength\":");
    json.string(document.plotLength);
    json.raw(",\"plotWidth\":");
    json.string(document.plotWidth);
    json.raw(",\"version\":");
    json.integer(kLayoutDocumentVersion);
    if (document.zoneMethod != ZoneMethod::ByCorner) {
        json.raw(",\"zoneMethod\":");
        json.string(zoneMethodName(document.zoneMethod));
    }
    json.raw("}");
    return json.take();
}

DocumentReadResult readLayoutDocument(std::string_view bytes)
{
    const std::string notADocument = "not a Tessel layout document";
    if (bytes.size() > kMaxLayoutFileBytes)
        return refusal("the document is larger than " +
                       std::to_string(kMaxLayoutFileBytes / (1024 * 1024)) + " MB");
    if (layoutFileFormat(bytes) != LayoutFileFormat::Document)
        return refusal(notADocument);

    // Every value is read before any is judged: a fault of the JSON anywhere is told first,
    // then the faults of the values in a fixed order, whatever order the keys stand in.
    const std::string_view text = withoutByteOrderMark(bytes);
    const simdjson::padded_string padded(text);
    json::parser parser;
    json::document root;
    std::array<Value, kTopKeyCount> top{};
    ElementList list;
    error_code error = parser.iterate(padded).get(root);
    const bool indexed = !error;
    if (indexed)
        error = readRoot(root, top, list);
    if (list.tooMany)
        return refusal("the document holds more than " + std::to_string(ChartTable::kMaxIndex) +
                       " elements, more than a chart can hold");
    if (error == simdjson::MEMALLOC)
        return refusal("there is not enough memory to read the document");
    if (error) {
        std::optional<std::size_t> stopped;
        const char *location = nullptr;
        if (indexed)
            stopped = root.current_location().get(location) ? text.size()
                                                            : std::size_t(location - padded.data());
        return refusal(syntaxFault(bytes, text, error, stopped));
    }

    if (top[Format].type != Value::Type::Text || top[Format].text != kLayoutDocumentFormat)
        return refusal(notADocument);

    // The version first: a newer document may differ in anything else.
    const Value &version = top[Version];
    if (version.type != Value::Type::Number || std::trunc(version.number) != version.number ||
        version.number < 1)
        return refusal("\"version\" is not a version number");
    if (version.number > kLayoutDocumentVersion) {
        // A double's whole part has at most 309 digits.
        std::array<char, 320> digits{};
        const auto written = std::to_chars(digits.data(), digits.data() + digits.size(),
                                           version.number, std::chars_format::fixed, 0);
        return refusal("made by a newer version of Tessel (version " +
                       std::string(digits.data(), written.ptr) + "); this version reads version " +
                       std::to_string(kLayoutDocumentVersion));
    }

    LayoutDocument document;
    ObjectReader reader;
    document.plotLength = reader.text("plotLength", top[PlotLength]);
    document.plotWidth = reader.text("plotWidth", top[PlotWidth]);
    const std::string facing = reader.text("facing", top[FacingKey]);
    if (reader.fault())
        return refusal(*reader.fault());
    const auto facingName = std::find(kFacingNames.begin(), kFacingNames.end(), facing);
    if (facingName == kFacingNames.end())
        return refusal("\"facing\" is not North, South, East or West");
    document.facing = static_cast<Facing>(facingName - kFacingNames.begin());
    if (top[FilePath].type == Value::Type::Text)
        document.filePath = top[FilePath].text;
    if (const Value &bearing = top[BearingKey]; bearing.type != Value::Type::Absent) {
        const auto read =
            bearing.type == Value::Type::Number && bearing.number >= 0 && bearing.number < 360
                ? Bearing::fromDegrees(bearing.number)
                : std::nullopt;
        if (!read)
            return refusal("\"bearing\" is not a number of degrees from 0 to 359.9");
        document.bearing = read;
    }
    if (const Value &method = top[ZoneMethodKey]; method.type != Value::Type::Absent) {
        const auto read =
            method.type == Value::Type::Text ? parseZoneMethod(method.text) : std::nullopt;
        if (!read)
            return refusal("\"zoneMethod\" is not \"corner\", \"8\" or \"16\"");
        document.zoneMethod = *read;
    }
    for (const auto &[key, field] : {std::pair("plotLength", &document.plotLength),
                                     std::pair("plotWidth", &document.plotWidth)})
        if (field->size() > kMaxLayoutFieldBytes)
            return refusal(quoted(key) + ' ' + describeFlaw(LayoutFaultKind::FieldTooLong));

    if (const Value &image = top[PlanImageKey]; image.type != Value::Type::Absent) {
        // Kept as base64, as the document has it; whether it is an image is the UI's to tell.
        if (image.type != Value::Type::Text)
            return refusal("\"planImage\" is not an image written in base64");
        // Four characters of base64 stand for three bytes, the padding for none.
        const std::size_t padding = std::size_t(
            std::find_if(image.text.rbegin(), image.text.rend(), [](char c) { return c != '='; }) -
            image.text.rbegin());
        if ((image.text.size() - std::min<std::size_t>(padding, 2)) / 4 * 3 > kMaxPlanImageBytes)
            return refusal("\"planImage\" is larger than " +
                           std::to_string(kMaxPlanImageBytes / (1024 * 1024)) + " MB");
        document.plan.base64 = std::make_shared<const std::string>(image.text);
        ObjectReader plan;
        document.plan.shown = plan.optionalBool("planShown", top[PlanShown], true);
        if (plan.fault())
            return refusal(*plan.fault());
        if (const Value &opacity = top[PlanOpacity]; opacity.type != Value::Type::Absent) {
            const double percent = opacity.number;
            if (opacity.type != Value::Type::Number || std::trunc(percent) != percent ||
                percent < 1 || percent > 100)
                return refusal("\"planOpacity\" is not a whole percent from 1 to 100");
            document.plan.opacity = static_cast<int>(percent);
        }
    }

    if (list.value.type != Value::Type::List)
        return refusal(list.value.type == Value::Type::Absent ? "\"elements\" is missing"
                                                              : "\"elements\" is not a list");
    if (list.fault)
        return refusal(*list.fault);
    document.table = std::move(list.table);
    return {std::move(document), {}};
}

LayoutFileFormat layoutFileFormat(std::string_view bytes)
{
    bytes = withoutByteOrderMark(bytes);
    const auto first = std::find_if_not(bytes.begin(), bytes.end(), isWhitespace);
    return first != bytes.end() && *first == '{' ? LayoutFileFormat::Document
                                                 : LayoutFileFormat::StructureText;
}

AnyLayoutReadResult readAnyLayout(std::string_view bytes)
{
    if (layoutFileFormat(bytes) == LayoutFileFormat::Document) {
        DocumentReadResult read = readLayoutDocument(bytes);
        return {std::move(read.document), true, std::move(read.error)};
    }
    const LayoutReadResult read = readLayout(bytes);
    if (read.fault)
        return {std::nullopt, false, describeLayoutFault(*read.fault)};
    LayoutDocument layout;
    for (const LayoutRecord &record : read.records)
        appendElement(layout.table, record);
    return {std::move(layout), false, {}};
}

} // namespace tessel
