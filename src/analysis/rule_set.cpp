#include "analysis/rule_set.h"

#include "analysis/rule_table.h"

#include <simdjson.h>

#include <algorithm>
#include <optional>
#include <set>

namespace tessel {

namespace {

constexpr std::string_view kFormatName = "tessel-rule-set";
constexpr std::int64_t kFormatVersion = 1;
constexpr std::size_t kMaxNameCharacters = 80;
// root > rooms > kind > verdict list: four levels; deeper is no rule set.
constexpr std::size_t kMaxDepth = 8;

constexpr std::array<Verdict, 3> kVerdicts = {Verdict::Best, Verdict::Acceptable,
                                              Verdict::MoveAdvised};

// The conventional favourable padas: the third and fourth of every side.
constexpr std::array<std::string_view, 8> kBuiltInFavourablePadas = {"N3", "N4", "E3", "E4",
                                                                     "S3", "S4", "W3", "W4"};
constexpr std::array<std::string_view, 3> kBuiltInKeptOut = {"Bath Room", "Kitchen", "Store Room"};

void deriveSubZones(KindVerdicts &kind, const std::array<bool, kWheelZoneCount> &given)
{
    for (int k = 1; k < kWheelZoneCount; k += 2) {
        if (given[static_cast<std::size_t>(k)])
            continue;
        kind.byZone[static_cast<std::size_t>(k)] =
            subZoneVerdict(kind.byZone[static_cast<std::size_t>(k - 1)],
                           kind.byZone[static_cast<std::size_t>((k + 1) % kWheelZoneCount)]);
    }
}

// ---- Where a file that is not JSON goes wrong ------------------------------------------------

// The parser that checks a file tells what is wrong but not where; walking it again on demand
// stops where the fault is. The walk goes no deeper than a rule set does, so that a file of
// nothing but brackets cannot exhaust the stack.
simdjson::error_code walk(simdjson::ondemand::value value, std::size_t depth)
{
    using namespace simdjson;
    if (depth > kMaxDepth)
        return DEPTH_ERROR;
    ondemand::json_type type;
    if (auto error = value.type().get(type))
        return error;
    switch (type) {
    case ondemand::json_type::object: {
        ondemand::object object;
        if (auto error = value.get_object().get(object))
            return error;
        for (auto field : object) {
            std::string_view key;
            if (auto error = field.unescaped_key().get(key))
                return error;
            ondemand::value child;
            if (auto error = field.value().get(child))
                return error;
            if (auto error = walk(child, depth + 1))
                return error;
        }
        return SUCCESS;
    }
    case ondemand::json_type::array: {
        ondemand::array array;
        if (auto error = value.get_array().get(array))
            return error;
        for (auto item : array) {
            ondemand::value child;
            if (auto error = item.get(child))
                return error;
            if (auto error = walk(child, depth + 1))
                return error;
        }
        return SUCCESS;
    }
    case ondemand::json_type::string: {
        std::string_view text;
        return value.get_string().get(text);
    }
    case ondemand::json_type::number: {
        double number;
        return value.get_double().get(number);
    }
    case ondemand::json_type::boolean: {
        bool truth;
        return value.get_bool().get(truth);
    }
    case ondemand::json_type::null: {
        bool null;
        if (auto error = value.is_null().get(null))
            return error;
        return null ? SUCCESS : INCORRECT_TYPE;
    }
    }
    return SUCCESS;
}

// The offset at which the walk stopped; the end of the text when it found no place.
std::size_t faultOffset(const simdjson::padded_string &text)
{
    simdjson::ondemand::parser parser;
    simdjson::ondemand::document document;
    if (parser.iterate(text).get(document))
        return 0;
    simdjson::ondemand::value root;
    if (!document.get_value().get(root))
        (void)walk(root, 1);
    const char *stop = nullptr;
    if (document.current_location().get(stop) || stop < text.data() ||
        stop > text.data() + text.size())
        return text.size();
    return static_cast<std::size_t>(stop - text.data());
}

std::string lineAndColumn(std::string_view text, std::size_t offset)
{
    int line = 1;
    int column = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\n') {
            ++line;
            column = 1;
        } else if ((byte & 0xC0) != 0x80) {
            // Columns count characters, not the bytes of a UTF-8 sequence.
            ++column;
        }
    }
    return "Line " + std::to_string(line) + ", column " + std::to_string(column);
}

std::string syntaxFault(simdjson::error_code error)
{
    using namespace simdjson;
    switch (error) {
    case EMPTY:
        return "the file is empty";
    case UTF8_ERROR:
        return "the file is not UTF-8 text";
    case DEPTH_ERROR:
        return "lists and objects are nested deeper than a rule set goes";
    case INCOMPLETE_ARRAY_OR_OBJECT:
        return "the file ends inside an object or a list";
    case TAPE_ERROR:
        return "a comma, colon, brace or bracket is missing or out of place";
    case UNCLOSED_STRING:
    case STRING_ERROR:
    case UNESCAPED_CHARS:
        return "a text in quotes is not closed, or holds a bad escape or a control character";
    case NUMBER_ERROR:
    case NUMBER_OUT_OF_RANGE:
        return "a number is malformed or too large";
    case T_ATOM_ERROR:
    case F_ATOM_ERROR:
    case N_ATOM_ERROR:
        return "a word other than true, false or null stands outside quotes";
    default:
        return error_message(error);
    }
}

// ---- A JSON file that may not be a rule set --------------------------------------------------

struct Fault
{
    std::string message;
};

// Where in the document a value stands, for the user: "rooms" > "Kitchen" > item 2.
class Place
{
public:
    Place() = default;
    Place key(std::string_view name) const
    {
        Place inner = *this;
        inner.m_text += (m_text.empty() ? "\"" : " > \"") + std::string(name) + "\"";
        return inner;
    }
    Place item(std::size_t index) const
    {
        Place inner = *this;
        inner.m_text += (m_text.empty() ? "item " : " > item ") + std::to_string(index + 1);
        return inner;
    }

    [[noreturn]] void fail(const std::string &what) const
    {
        std::string message = m_text.empty() ? "The rule set" : m_text;
        message += ": ";
        message += what;
        throw Fault{std::move(message)};
    }

private:
    std::string m_text;
};

std::string inQuotes(std::string_view text)
{
    std::string quoted(1, '"');
    quoted += text;
    quoted += '"';
    return quoted;
}

const char *typeName(simdjson::dom::element_type type)
{
    using simdjson::dom::element_type;
    switch (type) {
    case element_type::ARRAY:
        return "a list";
    case element_type::OBJECT:
        return "an object";
    case element_type::INT64:
    case element_type::UINT64:
    case element_type::DOUBLE:
        return "a number";
    case element_type::STRING:
        return "a text";
    case element_type::BOOL:
        return "true or false";
    case element_type::NULL_VALUE:
        break;
    }
    return "null";
}

simdjson::dom::object objectAt(simdjson::dom::element element, const Place &place)
{
    simdjson::dom::object object;
    if (element.get(object))
        place.fail(std::string("expected an object in braces, found ") + typeName(element.type()));
    return object;
}

simdjson::dom::array listAt(simdjson::dom::element element, const Place &place)
{
    simdjson::dom::array array;
    if (element.get(array))
        place.fail(std::string("expected a list in brackets, found ") + typeName(element.type()));
    return array;
}

std::string_view textAt(simdjson::dom::element element, const Place &place)
{
    std::string_view text;
    if (element.get(text))
        place.fail(std::string("expected a text in quotes, found ") + typeName(element.type()));
    return text;
}

// The fields of an object by name, each allowed once and only those named; std::nullopt for a
// field left out.
template<std::size_t N>
std::array<std::optional<simdjson::dom::element>, N>
fieldsOf(simdjson::dom::object object, const std::array<std::string_view, N> &names,
         const Place &place)
{
    std::array<std::optional<simdjson::dom::element>, N> fields;
    for (const auto field : object) {
        const auto known = std::find(names.begin(), names.end(), field.key);
        if (known == names.end()) {
            std::string allowed;
            for (const std::string_view name : names)
                allowed += (allowed.empty() ? "" : ", ") + inQuotes(name);
            place.fail(inQuotes(field.key) + " is not a field of a rule set here (expected " +
                       allowed + ")");
        }
        auto &slot = fields[static_cast<std::size_t>(known - names.begin())];
        if (slot)
            place.fail(inQuotes(field.key) + " is given twice");
        slot = field.value;
    }
    return fields;
}

template<typename Field>
const simdjson::dom::element &required(const Field &field, std::string_view name,
                                       const Place &place)
{
    if (!field)
        place.fail(inQuotes(name) + " is missing");
    return *field;
}

std::string allZoneNames()
{
    std::string names;
    for (int k = 0; k < kWheelZoneCount; ++k)
        names += (k == 0 ? "" : ", ") + std::string(wheelZoneName(static_cast<WheelZone>(k)));
    return names;
}

KindVerdicts readKind(std::string_view kind, simdjson::dom::element element, const Place &place)
{
    static constexpr std::array<std::string_view, 3> kVerdictNames = {"best zone", "acceptable",
                                                                      "move advised"};
    const auto lists = fieldsOf(objectAt(element, place), kVerdictNames, place);
    KindVerdicts verdicts;
    verdicts.kind = kind;
    std::array<bool, kWheelZoneCount> given{};
    for (std::size_t v = 0; v < kVerdicts.size(); ++v) {
        if (!lists[v])
            continue;
        const Place listPlace = place.key(kVerdictNames[v]);
        std::size_t index = 0;
        for (const simdjson::dom::element item : listAt(*lists[v], listPlace)) {
            const Place itemPlace = listPlace.item(index++);
            const std::string_view name = textAt(item, itemPlace);
            const std::optional<WheelZone> zone = parseWheelZone(name);
            if (!zone)
                itemPlace.fail(inQuotes(name) + " is not a zone; the zones are " + allZoneNames());
            auto &seen = given[static_cast<std::size_t>(*zone)];
            if (seen)
                itemPlace.fail("the zone " + inQuotes(name) + " has a verdict already");
            seen = true;
            verdicts.byZone[static_cast<std::size_t>(*zone)] = kVerdicts[v];
        }
    }
    for (int k = 0; k < kWheelZoneCount; k += 2) {
        if (!given[static_cast<std::size_t>(k)])
            place.fail("the zone " + inQuotes(wheelZoneName(static_cast<WheelZone>(k))) +
                       " has no verdict; each of N, NE, E, SE, S, SW, W and NW needs one");
    }
    deriveSubZones(verdicts, given);
    return verdicts;
}

std::vector<KindVerdicts> readRooms(simdjson::dom::element element, const RuleTable &table,
                                    const Place &place)
{
    const auto &kinds = table.kinds();
    std::vector<std::optional<KindVerdicts>> found(kinds.size());
    for (const auto field : objectAt(element, place)) {
        const auto known = std::find_if(kinds.begin(), kinds.end(), [&](const RoomRules &rules) {
            return rules.kind == field.key;
        });
        if (known == kinds.end())
            place.fail(inQuotes(field.key) +
                       " is not a room kind the analysis knows (names are matched exactly)");
        auto &slot = found[static_cast<std::size_t>(known - kinds.begin())];
        if (slot)
            place.fail(inQuotes(field.key) + " is given twice");
        slot = readKind(field.key, field.value, place.key(field.key));
    }
    std::vector<KindVerdicts> rooms;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (!found[i])
            place.fail(inQuotes(kinds[i].kind) + " is missing; a rule set gives every one of the " +
                       std::to_string(kinds.size()) + " room kinds");
        rooms.push_back(std::move(*found[i]));
    }
    return rooms;
}

std::string readName(simdjson::dom::element element, const Place &place)
{
    const std::string_view name = textAt(element, place);
    const auto first = name.find_first_not_of(' ');
    if (first == std::string_view::npos)
        place.fail("the name is empty");
    // Characters, not bytes: the parser has made sure the text is UTF-8.
    const auto characters = std::count_if(name.begin(), name.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    if (characters > static_cast<std::ptrdiff_t>(kMaxNameCharacters))
        place.fail("the name is longer than " + std::to_string(kMaxNameCharacters) + " characters");
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            place.fail("the name holds a control character");
    const std::string trimmed(name.substr(first, name.find_last_not_of(' ') - first + 1));
    if (trimmed == kBuiltInRuleSetName)
        place.fail("the name " + inQuotes(kBuiltInRuleSetName) +
                   " is the program's own rule set's");
    return trimmed;
}

RuleSet readDocument(simdjson::dom::element root, const RuleTable &table)
{
    static constexpr std::array<std::string_view, 6> kFields = {
        "format", "version", "name", "rooms", "favourablePadas", "keptOutOfBrahmasthan"};
    const Place top;
    const auto fields = fieldsOf(objectAt(root, top), kFields, top);

    // The format is told first: a JSON file of another kind is named as such.
    const simdjson::dom::element format = required(fields[0], kFields[0], top);
    std::string_view formatName;
    if (format.get(formatName) || formatName != kFormatName)
        top.key(kFields[0])
            .fail("this is not a Tessel rule set (expected " + inQuotes(kFormatName) + ")");
    std::int64_t version = 0;
    if (required(fields[1], kFields[1], top).get(version) || version != kFormatVersion)
        top.key(kFields[1])
            .fail("this program reads version " + std::to_string(kFormatVersion) + " only");

    RuleSet set;
    set.name = readName(required(fields[2], kFields[2], top), top.key(kFields[2]));
    set.kinds = readRooms(required(fields[3], kFields[3], top), table, top.key(kFields[3]));

    const Place padas = top.key(kFields[4]);
    std::size_t index = 0;
    std::array<bool, kPadaCount> favourable{};
    for (const auto item : listAt(required(fields[4], kFields[4], top), padas)) {
        const Place itemPlace = padas.item(index++);
        const std::string_view code = textAt(item, itemPlace);
        const auto pada = parsePadaCode(code);
        if (!pada)
            itemPlace.fail(inQuotes(code) + " is not a pada; the padas are N1 to N8, E1 to E8, "
                                            "S1 to S8 and W1 to W8");
        if (favourable[static_cast<std::size_t>(*pada)])
            itemPlace.fail(inQuotes(code) + " is given twice");
        favourable[static_cast<std::size_t>(*pada)] = true;
        set.padaEffects[static_cast<std::size_t>(*pada)] = PadaEffect::Favourable;
    }

    const Place keptOut = top.key(kFields[5]);
    index = 0;
    for (const auto item : listAt(required(fields[5], kFields[5], top), keptOut)) {
        const Place itemPlace = keptOut.item(index++);
        const std::string_view kind = textAt(item, itemPlace);
        if (!table.find(kind))
            itemPlace.fail(inQuotes(kind) + " is not a room kind the analysis knows");
        if (set.keepsOutOfBrahmasthan(kind))
            itemPlace.fail(inQuotes(kind) + " is given twice");
        set.keptOutOfBrahmasthan.emplace_back(kind);
    }
    return set;
}

} // namespace

std::string_view padaEffectName(PadaEffect effect)
{
    return effect == PadaEffect::Favourable ? "favourable" : "not favoured";
}

const KindVerdicts *RuleSet::find(std::string_view kind) const
{
    for (const KindVerdicts &verdicts : kinds)
        if (verdicts.kind == kind)
            return &verdicts;
    return nullptr;
}

bool RuleSet::keepsOutOfBrahmasthan(std::string_view kind) const
{
    return std::find(keptOutOfBrahmasthan.begin(), keptOutOfBrahmasthan.end(), kind) !=
           keptOutOfBrahmasthan.end();
}

Verdict RuleSet::verdict(std::string_view kind, WheelZone zone) const
{
    const KindVerdicts *verdicts = find(kind);
    return verdicts ? verdicts->in(zone) : Verdict::NotJudged;
}

Verdict subZoneVerdict(Verdict before, Verdict after)
{
    return before == after ? before : Verdict::Acceptable;
}

RuleSet builtInRuleSet(const RuleTable &table)
{
    RuleSet set;
    set.name = kBuiltInRuleSetName;
    for (const RoomRules &rules : table.kinds()) {
        KindVerdicts verdicts;
        verdicts.kind = rules.kind;
        std::array<bool, kWheelZoneCount> given{};
        for (int z = 0; z < kZoneCount; ++z) {
            const WheelZone zone = wheelZoneOf(static_cast<Zone>(z));
            verdicts.byZone[static_cast<std::size_t>(zone)] = judge(rules, static_cast<Zone>(z));
            given[static_cast<std::size_t>(zone)] = true;
        }
        deriveSubZones(verdicts, given);
        set.kinds.push_back(std::move(verdicts));
    }
    for (const std::string_view code : kBuiltInFavourablePadas)
        set.padaEffects[static_cast<std::size_t>(*parsePadaCode(code))] = PadaEffect::Favourable;
    for (const std::string_view kind : kBuiltInKeptOut)
        set.keptOutOfBrahmasthan.emplace_back(kind);
    return set;
}

std::variant<RuleSet, std::string> readRuleSet(std::string_view bytes, const RuleTable &table)
{
    if (bytes.size() > kMaxRuleSetBytes)
        return "The file is larger than a rule set can be (" +
               std::to_string(kMaxRuleSetBytes / 1024) + " KB)";
    const simdjson::padded_string text(bytes);
    simdjson::dom::parser parser;
    if (parser.allocate(kMaxRuleSetBytes, kMaxDepth))
        return std::string("There is not enough memory to read the rule set");
    simdjson::dom::element root;
    if (const auto error = parser.parse(text).get(root)) {
        if (error == simdjson::EMPTY || error == simdjson::UTF8_ERROR)
            return "The rule set: " + syntaxFault(error);
        const std::size_t offset = faultOffset(text);
        // A file cut short is told as such, whatever the parser stumbled on last.
        const bool atEnd = bytes.find_first_not_of(" \t\r\n", offset) == std::string_view::npos;
        return lineAndColumn(bytes, offset) + ": " +
               syntaxFault(atEnd ? simdjson::INCOMPLETE_ARRAY_OR_OBJECT : error);
    }
    try {
        return readDocument(root, table);
    } catch (const Fault &fault) {
        return fault.message;
    }
}

} // namespace tessel
