#pragma once

#include <QProxyStyle>

namespace tessel {

// The look of the program: the classic desktop style, which draws plainly and fast, with
// the few standard icons that the windows show at once drawn in code: loading them from
// image files would make Qt open every image-format plugin before the first frame.
class TesselStyle : public QProxyStyle
{
    Q_OBJECT
public:
    TesselStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};

// Gives the application its style and its one font. Glyphs are drawn without hinting: the
// first frame shows many of them, and hinting each costs a good part of start-up.
void installLook();

} // namespace tessel
