#include "ui/qt_dialogs.h"
#include "ui/style.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>

#include <functional>
#include <memory>

// The program's style draws some of the classic style's shapes itself, for speed; it must
// draw them to the pixel as the classic style does.
class StyleTest : public QObject
{
    Q_OBJECT

private slots:
    void drawsLikeTheClassicStyle_data();
    void drawsLikeTheClassicStyle();
    void carriageReturnBreaksAMessageIntoLines();
};

namespace {

using Build = std::function<void(QWidget &host, QStyle *style)>;

QImage render(QStyle *style, const Build &build)
{
    QWidget host;
    host.setStyle(style);
    host.resize(240, 120);
    build(host, style);
    return host.grab().toImage();
}

template<typename W>
W *add(QWidget &host, QStyle *style, W *widget, const QRect &geometry)
{
    widget->setParent(&host);
    widget->setStyle(style);
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

void StyleTest::drawsLikeTheClassicStyle_data()
{
    QTest::addColumn<Build>("build");
    QTest::newRow("panels") << Build([](QWidget &host, QStyle *style) {
        add(host, style, new QGroupBox("Plot Direction"), {4, 4, 150, 60});
        add(host, style, new QGroupBox(""), {4, 70, 100, 40});
        add(host, style, new QGroupBox("&Flat"), {160, 4, 70, 40})->setFlat(true);
    });
    QTest::newRow("buttons") << Build([](QWidget &host, QStyle *style) {
        add(host, style, new QPushButton("&Add Room"), {4, 4, 110, 26});
        add(host, style, new QPushButton("Pressed"), {120, 4, 110, 26})->setDown(true);
        auto *byDefault = add(host, style, new QPushButton("Default"), {4, 40, 110, 26});
        byDefault->setDefault(true);
        auto *pressedDefault = add(host, style, new QPushButton("Default"), {120, 40, 110, 26});
        pressedDefault->setDefault(true);
        pressedDefault->setDown(true);
        add(host, style, new QPushButton("Off"), {4, 76, 70, 26})->setEnabled(false);
        auto *on = add(host, style, new QPushButton("On"), {80, 76, 70, 26});
        on->setCheckable(true);
        on->setChecked(true);
        add(host, style, new QPushButton("Flat"), {156, 76, 70, 26})->setFlat(true);
    });
}

void StyleTest::drawsLikeTheClassicStyle()
{
    QFETCH(Build, build);
    auto ours = std::make_unique<tessel::TesselStyle>();
    std::unique_ptr<QStyle> classic(QStyleFactory::create("Windows"));
    QVERIFY(classic);
    QCOMPARE(render(ours.get(), build), render(classic.get(), build));
}

// Rows of the image that hold ink, counted as runs of rows.
static int bandsOfInk(const QImage &image)
{
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = qGray(image.pixel(x, y)) < 128;
        bands += ink && !inBand;
        inBand = ink;
    }
    return bands;
}

void StyleTest::carriageReturnBreaksAMessageIntoLines()
{
    const std::string text = "Required File Is Missing\rPlease Reinstall Software";
    const auto box =
        tessel::makeMessageBox("Tessel", text, tessel::Icon::Critical, QMessageBox::Ok);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    QCOMPARE(box->text().toStdString(), text);
    auto *label = box->findChild<QLabel *>("qt_msgbox_label");
    QVERIFY(label);
    QCOMPARE(bandsOfInk(label->grab().toImage()), 2);
}

QTEST_MAIN(StyleTest)
#include "style_test.moc"
