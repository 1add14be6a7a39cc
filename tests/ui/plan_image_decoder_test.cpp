#include "model/plan_image.h"
#include "plan_images.h"
#include "ui/plan_image_decoder.h"

#include <QTest>
#include <QtEndian>

#include <cstdlib>

using tessel::DecodedPlanImage;
using tessel::decodePlanImage;

// A plan image's bytes checked and decoded for the chart: scaled while read, so that any
// image within a layout's limits loads, however many pixels it has.
class PlanImageDecoderTest : public QObject
{
    Q_OBJECT

private slots:
    void imagesWithinTheLimitsDecodeScaledToTheChart_data();
    void imagesWithinTheLimitsDecodeScaledToTheChart();
    void aDeclaredSizeBeyondTheLimitIsRefusedUndecoded();
};

void PlanImageDecoderTest::imagesWithinTheLimitsDecodeScaledToTheChart_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("decoded");
    QTest::newRow("JPEG at the side limit")
        << QSize(10000, 10000) << QByteArray("JPEG") << QSize(2560, 2560);
    // 137 MB decoded whole: beyond what Qt's readers take by default.
    QTest::newRow("PNG of 6000 pixels a side")
        << QSize(6000, 6000) << QByteArray("PNG") << QSize(2560, 2560);
    QTest::newRow("a strip keeps its short side")
        << QSize(10000, 40) << QByteArray("PNG") << QSize(2560, 40);
    QTest::newRow("small, as it is") << QSize(300, 200) << QByteArray("PNG") << QSize(300, 200);
}

void PlanImageDecoderTest::imagesWithinTheLimitsDecodeScaledToTheChart()
{
    QFETCH(QSize, size);
    QFETCH(QByteArray, format);
    QFETCH(QSize, decoded);
    const QImage source = tessel::testing::fullColourImage(size);
    const QByteArray bytes = tessel::testing::encoded(source, format);
    QVERIFY(std::size_t(bytes.size()) <= tessel::kMaxPlanImageBytes);

    const DecodedPlanImage plan = decodePlanImage(bytes);
    QCOMPARE(plan.refusal, std::string());
    QCOMPARE(plan.image.size(), decoded);
    // The same picture, smaller: the colours at the same places in proportion.
    for (const QPointF at :
         {QPointF(0.1, 0.1), QPointF(0.9, 0.2), QPointF(0.5, 0.5), QPointF(0.2, 0.9)}) {
        const QColor want =
            source.pixelColor(int(at.x() * (size.width() - 1)), int(at.y() * (size.height() - 1)));
        const QColor got = plan.image.pixelColor(int(at.x() * (decoded.width() - 1)),
                                                 int(at.y() * (decoded.height() - 1)));
        const int apart = std::abs(want.red() - got.red()) + std::abs(want.green() - got.green()) +
                          std::abs(want.blue() - got.blue());
        QVERIFY2(apart < 40, qPrintable(want.name() + " " + got.name()));
    }
}

// The CRC of a PNG chunk (ISO 3309), bit by bit.
static quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffff;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void PlanImageDecoderTest::aDeclaredSizeBeyondTheLimitIsRefusedUndecoded()
{
    // A real PNG of one pixel whose header declares 60000 x 60000: decoding it would find too
    // little data and call it no image, so the size refusal shows that nothing was decoded.
    QByteArray png = tessel::testing::encoded(tessel::testing::fullColourImage({1, 1}), "PNG");
    // The signature (8 bytes), then the header chunk: length, "IHDR", width, height, ...
    QCOMPARE(png.mid(12, 4), QByteArray("IHDR"));
    qToBigEndian<quint32>(60000, png.data() + 16);
    qToBigEndian<quint32>(60000, png.data() + 20);
    qToBigEndian<quint32>(crc32(png.mid(12, 17)), png.data() + 29);
    QCOMPARE(decodePlanImage(png).refusal, "it is larger than 10000 pixels on a side");
    QVERIFY(decodePlanImage(png).image.isNull());

    QCOMPARE(decodePlanImage(QByteArray("Kitchen 10 x 10\n")).refusal,
             "it is not an image Tessel can read");
}

QTEST_MAIN(PlanImageDecoderTest)
#include "plan_image_decoder_test.moc"
