#pragma once

#include <QProxyStyle>

namespace tessel {

// The look of the program: the classic desktop style, which draws plainly and fast. The few
// standard icons the windows show at once are drawn in code (loading them from image files
// would make Qt open every image-format plugin before the first frame), and panel frames
// and button bevels are filled rather than stroked, to the same pixels.
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

// Gives the application its style and its one font. Glyphs are drawn without hinting, and
// text in scripts that need no shaping is not shaped: the first frame shows many glyphs,
// and hinting and shaping them cost a good part of start-up.
void installLook();

} // namespace tessel
