#include "ui/plan_image_decoder.h"

#include "model/plan_image.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace tessel {

namespace {

DecodedPlanImage refused(std::string why)
{
    return {QImage(), std::move(why)};
}

DecodedPlanImage notAnImage()
{
    return refused("it is not an image Tessel can read");
}

DecodedPlanImage tooManyPixels()
{
    return refused("it is larger than " + std::to_string(kMaxPlanImageSide) + " pixels on a side");
}

bool exceedsSideLimit(const QSize &size)
{
    return size.width() > kMaxPlanImageSide || size.height() > kMaxPlanImageSide;
}

// The chart stretches the image over its square whatever the image's shape, so each side is
// bounded on its own: a long strip keeps the detail of its short side.
QSize decodedSize(const QSize &size)
{
    return {std::min(size.width(), kMaxDecodedPlanSide),
            std::min(size.height(), kMaxDecodedPlanSide)};
}

// Qt's image readers refuse any image whose decoding would need more than a global limit
// (128 MB unless set): a full-colour image of 6000 pixels a side already needs 137 MB. The
// readers that scale while reading allocate only the scaled image; the others decode the
// whole image first, which the size checked above bounds (8 bytes a pixel at the most, for
// 16 bits a channel). The limit is raised to that for this one read and then put back.
class AllocationLimitFor
{
public:
    explicit AllocationLimitFor(const QSize &size)
        : m_before(QImageReader::allocationLimit())
    {
        constexpr double kMegabyte = 1024.0 * 1024.0;
        const double whole = std::ceil(double(size.width()) * size.height() * 8 / kMegabyte);
        if (m_before > 0 && whole > m_before)
            QImageReader::setAllocationLimit(int(whole));
    }
    ~AllocationLimitFor() { QImageReader::setAllocationLimit(m_before); }
    AllocationLimitFor(const AllocationLimitFor &) = delete;
    AllocationLimitFor &operator=(const AllocationLimitFor &) = delete;

private:
    const int m_before;
};

} // namespace

DecodedPlanImage decodePlanImage(QByteArrayView bytes)
{
    if (std::size_t(bytes.size()) > kMaxPlanImageBytes)
        return refused("it is larger than " + std::to_string(kMaxPlanImageBytes / (1024 * 1024)) +
                       " MB");
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return notAnImage();
    // As the header declares it: a size beyond the limit is refused before any decoding.
    const QSize declared = reader.size();
    if (exceedsSideLimit(declared))
        return tooManyPixels();
    QImage image;
    if (declared.isValid()) {
        reader.setScaledSize(decodedSize(declared));
        const AllocationLimitFor limit(declared);
        image = reader.read();
    } else {
        // A format that tells its size only by decoding.
        image = reader.read();
    }
    if (image.isNull())
        return notAnImage();
    if (exceedsSideLimit(image.size()))
        return tooManyPixels();
    if (image.size() != decodedSize(image.size()))
        image = image.scaled(decodedSize(image.size()), Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    return {image, {}};
}

DecodedPlanImage decodePlanImage(const PlanImage &plan)
{
    if (!plan.isSet())
        return notAnImage();
    const std::string &base64 = *plan.base64;
    // No more text than the largest image file takes in base64.
    if (base64.size() / 4 * 3 > kMaxPlanImageBytes + 2)
        return refused("it is larger than " + std::to_string(kMaxPlanImageBytes / (1024 * 1024)) +
                       " MB");
    const auto bytes = QByteArray::fromBase64Encoding(
        QByteArray::fromRawData(base64.data(), qsizetype(base64.size())),
        QByteArray::AbortOnBase64DecodingErrors);
    if (!bytes)
        return notAnImage();
    return decodePlanImage(QByteArrayView(bytes.decoded));
}

} // namespace tessel
