#include "storage/layout_document.h"

#include "storage/layout_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace tessel {

namespace {

// Keys as Latin-1 views: looking up or inserting one allocates no QString.
QLatin1String keyOf(const char *key)
{
    return QLatin1String(key);
}

// Compact JSON text, written in order.
class JsonText
{
public:
    void reserve(std::size_t bytes) { m_text.reserve(bytes); }
    void raw(std::string_view text) { m_text += text; }

    // A string of UTF-8 text; bytes that are not UTF-8 become U+FFFD, as Qt reads them.
    void string(std::string_view text)
    {
        const bool ascii = std::all_of(text.begin(), text.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (!ascii) {
            const QByteArray utf8 =
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8();
            return escaped(std::string_view(utf8.constData(), std::size_t(utf8.size())));
        }
        escaped(text);
    }

    // The shortest decimal that reads back as the same float, so that the file says 533.3333
    // rather than the double 533.33331298828125.
    void number(float value)
    {
        // The table holds finite values only; a 0 keeps the document readable.
        append(std::isfinite(value) ? value + 0.0f : 0.0f);
    }

    void integer(int value) { append(value); }

    std::string take() { return std::move(m_text); }

private:
    template<typename T>
    void append(T value)
    {
        std::array<char, 32> buffer{};
        const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        m_text.append(buffer.data(), written.ptr);
    }

    void escaped(std::string_view text)
    {
        m_text += '"';
        for (const char c : text) {
            if (c == '"' || c == '\\') {
                m_text += '\\';
                m_text += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                static constexpr char kHex[] = "0123456789abcdef";
                m_text += "\\u00";
                m_text += kHex[(c >> 4) & 0xF];
                m_text += kHex[c & 0xF];
            } else {
                m_text += c;
            }
        }
        m_text += '"';
    }

    std::string m_text;
};

std::string fillText(std::uint32_t rgb)
{
    std::array<char, 8> hex{};
    const auto written =
        std::to_chars(hex.data(), hex.data() + hex.size(), rgb & 0xFFFFFFu, /*base=*/16);
    const std::string digits(hex.data(), written.ptr);
    return '#' + std::string(6 - digits.size(), '0') + digits;
}

std::optional<std::uint32_t> parseFill(const std::string &text)
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

std::string_view withoutByteOrderMark(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return bytes;
}

// Whether the top level's "elements" list has more items than a chart can hold, told from
// its commas without building anything, so that such a list is refused before the parser
// allocates for it. JSON that is not well formed is the parser's to refuse; here it needs
// only to be scanned in linear time.
bool listsTooManyElements(std::string_view bytes)
{
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    std::size_t stringStart = 0;
    bool afterElementsKey = false;
    bool inElements = false;
    std::size_t commas = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
                if (depth == 1)
                    afterElementsKey = bytes.substr(stringStart, i - stringStart) == "elements";
            }
            continue;
        }
        switch (c) {
        case '"':
            inString = true;
            stringStart = i + 1;
            break;
        case '[':
            inElements = inElements || (depth == 1 && afterElementsKey);
            ++depth;
            break;
        case '{':
            ++depth;
            break;
        case ']':
        case '}':
            --depth;
            if (inElements && depth == 1)
                return false;
            break;
        case ',':
            if (depth == 1)
                afterElementsKey = false;
            // n items have n - 1 commas between them.
            if (inElements && depth == 2 && ++commas >= std::size_t(ChartTable::kMaxIndex))
                return true;
            break;
        default:
            break;
        }
    }
    return false;
}

// "line 3, column 5", counted in bytes from 1.
std::string positionOf(std::string_view bytes, qsizetype offset)
{
    const std::string_view before = bytes.substr(
        0, std::min(bytes.size(), static_cast<std::size_t>(std::max<qsizetype>(offset, 0))));
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

// Reads the values of one JSON object; the first fault is kept, later reads return defaults.
class ObjectReader
{
public:
    ObjectReader(const QJsonObject &object, std::string where)
        : m_object(object)
        , m_where(std::move(where))
    {}

    const std::optional<std::string> &fault() const { return m_fault; }

    std::string text(const char *key)
    {
        const QJsonValue value = required(key);
        if (m_fault)
            return {};
        if (!value.isString())
            return refuse(key, "is not a text"), std::string();
        return value.toString().toStdString();
    }

    // Numbers beyond single precision come back infinite, for findRecordFlaw to refuse.
    float number(const char *key)
    {
        const QJsonValue value = required(key);
        if (m_fault)
            return 0;
        if (!value.isDouble())
            return refuse(key, "is not a number"), 0.0f;
        const double number = value.toDouble();
        constexpr double largest = std::numeric_limits<float>::max();
        if (std::abs(number) > largest)
            return number > 0 ? std::numeric_limits<float>::infinity()
                              : -std::numeric_limits<float>::infinity();
        return static_cast<float>(number);
    }

    std::int16_t smallInteger(const char *key)
    {
        const QJsonValue value = required(key);
        if (m_fault)
            return 0;
        const double number = value.toDouble(0.5);
        if (!value.isDouble() || std::trunc(number) != number ||
            number < std::numeric_limits<std::int16_t>::min() ||
            number > std::numeric_limits<std::int16_t>::max())
            return refuse(key, "is not a whole number from -32768 to 32767"), 0;
        return static_cast<std::int16_t>(number);
    }

    bool optionalBool(const char *key, bool absent)
    {
        const QJsonValue value = m_object.value(keyOf(key));
        if (m_fault || value.isUndefined())
            return absent;
        if (!value.isBool())
            return refuse(key, "is not true or false"), absent;
        return value.toBool();
    }

    std::optional<std::uint32_t> optionalFill(const char *key)
    {
        const QJsonValue value = m_object.value(keyOf(key));
        if (m_fault || value.isUndefined())
            return std::nullopt;
        const auto rgb = parseFill(value.toString().toStdString());
        if (!rgb)
            refuse(key, "is not a colour written as #rrggbb");
        return rgb;
    }

private:
    void refuse(const char *key, const std::string &what)
    {
        if (!m_fault)
            m_fault = m_where + quoted(key) + ' ' + what;
    }

    QJsonValue required(const char *key)
    {
        const QJsonValue value = m_object.value(keyOf(key));
        if (value.isUndefined())
            refuse(key, "is missing");
        return value;
    }

    const QJsonObject &m_object;
    std::string m_where;
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

DocumentReadResult refusal(std::string error)
{
    return {std::nullopt, std::move(error)};
}

} // namespace

std::string writeLayoutDocument(const LayoutDocument &document)
{
    // Written as text here rather than built as a QJsonObject: for a full chart, building and
    // printing the objects took fifteen times as long. Keys stand in alphabetical order, the
    // order Qt's reader keeps them in, which spares it sorting every object.
    JsonText json;
    // About what an element takes.
    json.reserve(std::size_t(document.table.elementCount() + 1) * 96);
    json.raw("{\"elements\":[");
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
    if (const PlanImage &plan = document.plan; plan.isSet()) {
        const QByteArray bytes =
            QByteArray::fromRawData(plan.bytes->data(), static_cast<qsizetype>(plan.bytes->size()));
        json.raw(",\"planImage\":");
        json.string(bytes.toBase64().toStdString());
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
    json.raw("}");
    return json.take();
}

DocumentReadResult readLayoutDocument(std::string_view bytes)
{
    const std::string notADocument = "not a Tessel layout document";
    const std::string tooMany = "the document holds more than " +
                                std::to_string(ChartTable::kMaxIndex) +
                                " elements, more than a chart can hold";
    if (bytes.size() > kMaxLayoutFileBytes)
        return refusal("the document is larger than " +
                       std::to_string(kMaxLayoutFileBytes / (1024 * 1024)) + " MB");
    if (layoutFileFormat(bytes) != LayoutFileFormat::Document)
        return refusal(notADocument);
    if (listsTooManyElements(bytes))
        return refusal(tooMany);

    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(
        QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return refusal(positionOf(bytes, parseError.offset) + ": " +
                       parseError.errorString().toStdString());
    const QJsonObject root = json.object();
    if (root.value(keyOf("format")) != QJsonValue(keyOf(kLayoutDocumentFormat)))
        return refusal(notADocument);

    // The version first: a newer document may differ in anything else.
    const QJsonValue version = root.value(keyOf("version"));
    const double versionNumber = version.toDouble(0);
    if (!version.isDouble() || std::trunc(versionNumber) != versionNumber || versionNumber < 1)
        return refusal("\"version\" is not a version number");
    if (versionNumber > kLayoutDocumentVersion)
        return refusal("made by a newer version of Tessel (version " +
                       QByteArray::number(versionNumber, 'f', 0).toStdString() +
                       "); this version reads version " + std::to_string(kLayoutDocumentVersion));

    LayoutDocument document;
    ObjectReader top(root, "");
    document.plotLength = top.text("plotLength");
    document.plotWidth = top.text("plotWidth");
    const std::string facing = top.text("facing");
    if (top.fault())
        return refusal(*top.fault());
    const auto facingName = std::find(kFacingNames.begin(), kFacingNames.end(), facing);
    if (facingName == kFacingNames.end())
        return refusal("\"facing\" is not North, South, East or West");
    document.facing = static_cast<Facing>(facingName - kFacingNames.begin());
    if (const QJsonValue filePath = root.value(keyOf("filePath")); filePath.isString())
        document.filePath = filePath.toString().toStdString();
    for (const auto &[key, field] : {std::pair("plotLength", &document.plotLength),
                                     std::pair("plotWidth", &document.plotWidth)})
        if (field->size() > kMaxLayoutFieldBytes)
            return refusal(quoted(key) + ' ' + describeFlaw(LayoutFaultKind::FieldTooLong));

    if (const QJsonValue image = root.value(keyOf("planImage")); !image.isUndefined()) {
        const auto decoded = QByteArray::fromBase64Encoding(
            image.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!image.isString() || !decoded)
            return refusal("\"planImage\" is not an image written in base64");
        if (std::size_t(decoded.decoded.size()) > kMaxPlanImageBytes)
            return refusal("\"planImage\" is larger than " +
                           std::to_string(kMaxPlanImageBytes / (1024 * 1024)) + " MB");
        document.plan.bytes = std::make_shared<const std::string>(decoded.decoded.toStdString());
        ObjectReader plan(root, "");
        document.plan.shown = plan.optionalBool("planShown", true);
        if (plan.fault())
            return refusal(*plan.fault());
        const QJsonValue opacity = root.value(keyOf("planOpacity"));
        if (!opacity.isUndefined()) {
            const double percent = opacity.toDouble(-1);
            if (!opacity.isDouble() || std::trunc(percent) != percent || percent < 1 ||
                percent > 100)
                return refusal("\"planOpacity\" is not a whole percent from 1 to 100");
            document.plan.opacity = static_cast<int>(percent);
        }
    }

    const QJsonValue list = root.value(keyOf("elements"));
    if (!list.isArray())
        return refusal(list.isUndefined() ? "\"elements\" is missing"
                                          : "\"elements\" is not a list");
    const QJsonArray elements = list.toArray();
    if (elements.size() > ChartTable::kMaxIndex)
        return refusal(tooMany);

    for (qsizetype i = 0; i < elements.size(); ++i) {
        const std::string where = "element " + std::to_string(i + 1);
        const QJsonValue item = elements.at(i);
        if (!item.isObject())
            return refusal(where + " is not an object");
        const QJsonObject object = item.toObject();
        ObjectReader element(object, where + ": ");
        LayoutRecord record;
        record.text = element.text("text");
        record.left = element.number("left");
        record.top = element.number("top");
        record.width = element.number("width");
        record.height = element.number("height");
        record.borderStyle = element.smallInteger("borderStyle");
        const bool enabled = element.optionalBool("enabled", true);
        const auto fill = element.optionalFill("fill");
        if (element.fault())
            return refusal(*element.fault());
        if (const auto flaw = findRecordFlaw(record))
            return refusal(where + ": " + quoted(kRecordKeys[static_cast<int>(flaw->value)]) + ' ' +
                           describeFlaw(flaw->kind));

        ChartElement &added = document.table.at(*appendElement(document.table, record));
        added.enabled = enabled;
        added.fillOverride = fill;
    }
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
