#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace tessel {

// Percent; the steps the plan image can be shown at.
inline constexpr int kPlanOpacitySteps[] = {25, 50, 100};
inline constexpr int kDefaultPlanOpacity = 50;
// A plan image larger than this is not kept in a layout.
inline constexpr std::size_t kMaxPlanImageBytes = 20 * 1024 * 1024;
// Pixels, on either side.
inline constexpr int kMaxPlanImageSide = 10000;

// A picture of the plan (a scan, a drawing) shown under the rooms, stretched over the whole
// chart as the chart is the whole plot. The core keeps the image file's bytes as base64 text,
// exactly as a document holds it, and never looks inside: decoding it is the UI's. The text
// is shared between the steps of the history and the documents that hold it, and never
// changes.
struct PlanImage
{
    std::shared_ptr<const std::string> base64;
    int opacity = kDefaultPlanOpacity;
    bool shown = true;

    bool isSet() const { return base64 && !base64->empty(); }
    // The same text is the same image: it is never changed once made.
    bool operator==(const PlanImage &) const = default;
};

} // namespace tessel
