#pragma once

#include "model/chart.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

// The layout file: one line per element from 1 to ElementCount, seven comma-separated
// fields each, CR LF line ends:  7,"Deleted Door",4800,4800,0,0,1
// Text is written as UTF-8; a text that is not valid UTF-8 is read as Latin-1, so that a
// file written in a Western code page still loads.
inline constexpr const char *kLayoutFileName = "Structure.txt";

// Beyond these the reader takes the file for damaged: a room name typed in full is far
// shorter than a field, and a full chart far smaller than a file.
inline constexpr std::size_t kMaxLayoutFieldBytes = 128 * 1024;
inline constexpr std::size_t kMaxLayoutFileBytes = 64 * 1024 * 1024;

// One element as the file keeps it; the index is its position in the file.
struct LayoutRecord
{
    std::string text;
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    std::int16_t borderStyle = 0;

    bool operator==(const LayoutRecord &) const = default;
};

enum class LayoutFaultKind {
    IncompleteRecord, // the file ends inside a record or inside a quoted text
    NotANumber,       // a number field holds something else
    NegativeSize,     // a width or height below 0
    FieldTooLong,     // longer than kMaxLayoutFieldBytes
    FileTooLarge,     // longer than kMaxLayoutFileBytes
    TooManyElements,  // more records than the chart has room for
};

// The first fault of a file: what and where. Lines and fields count from 1.
struct LayoutFault
{
    LayoutFaultKind kind;
    int line;
    int field = 0;

    bool operator==(const LayoutFault &) const = default;
};

struct LayoutReadResult
{
    // The records before the first fault.
    std::vector<LayoutRecord> records;
    std::optional<LayoutFault> fault;
};

// The values of a record, in the order of the file's fields 2 to 6.
enum class RecordValue { Text, Left, Top, Width, Height };

struct RecordFlaw
{
    RecordValue value;
    LayoutFaultKind kind; // NotANumber (not finite), NegativeSize or FieldTooLong

    bool operator==(const RecordFlaw &) const = default;
};

// The first value of a record that no chart element can take, whichever file it came from:
// a number that is not finite, a width or height below 0, a text longer than
// kMaxLayoutFieldBytes. Every layout reader refuses such a record.
std::optional<RecordFlaw> findRecordFlaw(const LayoutRecord &record);

// Creates the element after the last one from a record, shown; its index, or std::nullopt
// with the table unchanged when the table is full.
std::optional<int> appendElement(ChartTable &table, const LayoutRecord &record);

// Plain decimal with a full stop whatever the locale: whole values in full without a
// fraction (4800, -480), other values to at most seven significant digits (533.3333,
// 0.00001), never an exponent.
std::string formatLayoutNumber(float value);

// The bytes of the file for every element of the table from 1 to ElementCount; a deleted
// element as deleting parks it, at 4800, 4800 with no size.
std::string writeLayout(const ChartTable &table);

// Reads records until the bytes end, the first fault, or `capacity` records were read and
// another follows; bytes beyond `maxBytes` are not read. Linear in the size of the bytes
// whatever they hold.
LayoutReadResult readLayout(std::string_view bytes, std::size_t capacity = ChartTable::kMaxIndex,
                            std::size_t maxBytes = kMaxLayoutFileBytes);

// One sentence for the user, without a full stop: "field 3 in line 12 is not a number".
std::string describeLayoutFault(const LayoutFault &fault);

} // namespace tessel
