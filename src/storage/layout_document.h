#pragma once

#include "model/bearing.h"
#include "model/chart.h"
#include "model/plan_image.h"
#include "model/plot.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessel {

// A .tessel document: one JSON object, UTF-8, written compact; here set out for reading:
//   {
//     "format": "tessel-layout", "version": 1,
//     "plotLength": "60", "plotWidth": "30", "facing": "North",
//     "elements": [
//       {"text": "Kitchen", "left": 0, "top": 0, "width": 1600, "height": 800,
//        "borderStyle": 0},
//       {"text": "Deleted Door", "left": 4800, "top": 4800, "width": 0, "height": 0,
//        "borderStyle": 1, "enabled": false, "fill": "#c18ae6"}, ...
//     ]
//   }
// "elements" holds elements 1 to ElementCount in table order (the template is the table's
// own); positions and sizes are twips. "enabled" is true and "fill" absent unless written.
// A layout with a plan image adds "planImage" (the image file's bytes in base64),
// "planOpacity" and "planShown". "bearing" (degrees, one decimal) stands only where it is not
// the facing's, "zoneMethod" ("8" or "16") only where it is not "corner", and an element's
// "kept": true only for a room kept in place. Keys a reader does not know are skipped, so that a
// later version can add some without breaking this reader.
inline constexpr const char *kLayoutDocumentFormat = "tessel-layout";
inline constexpr int kLayoutDocumentVersion = 1;
inline constexpr const char *kLayoutDocumentSuffix = ".tessel";

struct LayoutDocument
{
    // The plot fields as the user typed them.
    std::string plotLength;
    std::string plotWidth;
    Facing facing = Facing::North;
    ChartTable table;
    // Only in a recovery file: the document the layout was kept in, if any.
    std::string filePath = {};
    // Its base64 is read and written as the document holds it, never decoded here.
    PlanImage plan = {};
    // The exact bearing of the chart's top edge; a document without one has its facing's.
    std::optional<Bearing> bearing = {};
    ZoneMethod zoneMethod = ZoneMethod::ByCorner;
};

struct DocumentReadResult
{
    // Either a document or a sentence without a full stop that says what is wrong and where:
    // "element 12: \"left\" is not a number".
    std::optional<LayoutDocument> document;
    std::string error;
};

std::string writeLayoutDocument(const LayoutDocument &document);

// Refuses the whole document at its first fault: JSON that is not well-formed anywhere (with
// its line and column) before any value, then the version, then the values. Bytes beyond
// kMaxLayoutFileBytes and more elements than a chart holds are refused before anything is
// built from them. A plan image is taken as any JSON text no longer than the base64 of
// kMaxPlanImageBytes; whether it decodes to an image is for the UI to tell.
DocumentReadResult readLayoutDocument(std::string_view bytes);

enum class LayoutFileFormat { Document, StructureText };

struct AnyLayoutReadResult
{
    // The layout, or std::nullopt and `error`, which says what is wrong and where.
    std::optional<LayoutDocument> layout;
    // False for a layout file of the first format, which holds the chart alone: the plot
    // fields are then empty and the facing North.
    bool isDocument = false;
    std::string error;
};

// A layout in either format, told by its content; refused whole at its first fault.
AnyLayoutReadResult readAnyLayout(std::string_view bytes);

// By content, not by name: a document is a JSON object, so its first character other than
// white space (after a UTF-8 byte order mark) is '{', which never begins a Structure.txt.
LayoutFileFormat layoutFileFormat(std::string_view bytes);

} // namespace tessel
