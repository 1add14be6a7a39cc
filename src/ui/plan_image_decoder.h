#pragma once

#include <QByteArrayView>
#include <QImage>

#include <string>

namespace tessel {

struct PlanImage;

// Pixels on either side: the most of a plan image the chart ever draws. The chart is 4800
// twips, 320 logical pixels at 100 %, 1280 at the largest zoom (400 %) and 2560 device pixels
// on a screen of pixel ratio 2; the PDF prints it about 4.9 inches wide, where 2560 pixels
// are some 500 per inch. More would only cost memory: the chart stretches the image anyway.
inline constexpr int kMaxDecodedPlanSide = 2560;

struct DecodedPlanImage
{
    // Null when refused.
    QImage image;
    // Why these bytes cannot be a plan image, worded to follow "cannot be used: " ("it is
    // larger than 20 MB"); empty when decoded.
    std::string refusal;
};

// Checks the bytes of an image file against a layout's limits for its plan image (its size
// in bytes, then the size its header declares, before anything is decoded) and decodes it,
// each side scaled down to at most kMaxDecodedPlanSide pixels. Scans and drawings (PNG and
// JPEG) are scaled while they are read, so that an image at the limits needs under 100 MB
// while it is decoded, not the 400 MB of its full size; the few decoders that cannot scale
// (interlaced PNG, GIF) decode whole first.
DecodedPlanImage decodePlanImage(QByteArrayView bytes);
// The same for the plan image a document keeps, its file's bytes in base64: refused as no
// image when the text is no base64.
DecodedPlanImage decodePlanImage(const PlanImage &plan);

} // namespace tessel
