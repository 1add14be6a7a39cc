#include "ui/style.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

namespace tessel {

namespace {

// A double chevron pointing right (or down): the menu bar's button for menus that do not fit.
QIcon extensionIcon(bool horizontal, const QColor &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.5));
    if (!horizontal) {
        painter.translate(16, 0);
        painter.rotate(90);
    }
    for (const double x : {4.0, 9.0}) {
        painter.drawLine(QPointF(x, 4), QPointF(x + 3, 8));
        painter.drawLine(QPointF(x + 3, 8), QPointF(x, 12));
    }
    return QIcon(pixmap);
}

void fillLine(QPainter *painter, int x1, int y1, int x2, int y2, const QColor &colour)
{
    painter->fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)), colour);
}

// The etched frame of a panel, as the classic style draws it.
void drawEtchedFrame(QPainter *painter, const QRect &r, const QPalette &palette)
{
    const int right = r.right();
    const int bottom = r.bottom();
    const QColor dark = palette.dark().color();
    fillLine(painter, r.left(), r.top(), right - 1, r.top(), dark);
    fillLine(painter, r.left(), bottom - 1, right - 1, bottom - 1, dark);
    fillLine(painter, r.left(), r.top(), r.left(), bottom - 1, dark);
    fillLine(painter, right - 1, r.top(), right - 1, bottom - 1, dark);
    const QColor light = palette.light().color();
    fillLine(painter, r.left() + 1, r.top() + 1, right - 2, r.top() + 1, light);
    fillLine(painter, r.left() + 1, r.top() + 2, r.left() + 1, bottom - 2, light);
    fillLine(painter, r.left(), bottom, right, bottom, light);
    fillLine(painter, right, r.top(), right, bottom - 1, light);
}

// The bevel of a push button, as the classic style draws it: two shades on each side.
void drawBevel(QPainter *painter, const QRect &r, const QPalette &palette, bool sunken)
{
    const QColor outerLight = sunken ? palette.shadow().color() : palette.light().color();
    const QColor outerDark = sunken ? palette.light().color() : palette.shadow().color();
    const QColor innerLight = sunken ? palette.dark().color() : palette.button().color();
    const QColor innerDark = sunken ? palette.button().color() : palette.dark().color();
    const int x = r.left(), y = r.top(), right = r.right(), bottom = r.bottom();
    fillLine(painter, x, y, right - 1, y, outerLight);
    fillLine(painter, x, y, x, bottom - 1, outerLight);
    fillLine(painter, x, bottom, right, bottom, outerDark);
    fillLine(painter, right, y, right, bottom, outerDark);
    fillLine(painter, x + 1, y + 1, right - 2, y + 1, innerLight);
    fillLine(painter, x + 1, y + 1, x + 1, bottom - 2, innerLight);
    fillLine(painter, x + 1, bottom - 1, right - 1, bottom - 1, innerDark);
    fillLine(painter, right - 1, y + 1, right - 1, bottom - 1, innerDark);
    painter->fillRect(r.adjusted(2, 2, -2, -2), palette.button());
}

} // namespace

TesselStyle::TesselStyle()
    : QProxyStyle(QStyleFactory::create("Windows"))
{}

QIcon TesselStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                const QWidget *widget) const
{
    switch (icon) {
    case SP_ToolBarHorizontalExtensionButton:
        return extensionIcon(true, standardPalette().windowText().color());
    case SP_ToolBarVerticalExtensionButton:
        return extensionIcon(false, standardPalette().windowText().color());
    default:
        return QProxyStyle::standardIcon(icon, option, widget);
    }
}

void TesselStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                QPainter *painter, const QWidget *widget) const
{
    // Group box frames and button bevels are drawn here in filled strips, to the pixel as the
    // classic style strokes them: stroking costs a good part of the first frame. Anything
    // out of the ordinary is left to the classic style.
    const bool plainDevice = painter->device()->devicePixelRatio() == 1 &&
                             painter->transform().type() <= QTransform::TxTranslate &&
                             !painter->testRenderHint(QPainter::Antialiasing);
    const QRect &r = option->rect;
    if (element == PE_FrameGroupBox && plainDevice && r.width() >= 4 && r.height() >= 4) {
        const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
        if (frame && frame->lineWidth == 1 && frame->midLineWidth == 0 &&
            !frame->features.testFlag(QStyleOptionFrame::Flat)) {
            drawEtchedFrame(painter, r, frame->palette);
            return;
        }
    }
    if (element == PE_PanelButtonCommand && plainDevice && r.width() > 4 && r.height() > 4) {
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        const State state = option->state;
        const bool pressed = state & State_Sunken;
        if (button && !(state & State_On) && (state & (State_Raised | State_Sunken)) &&
            !(pressed && button->features.testFlag(QStyleOptionButton::DefaultButton))) {
            drawBevel(painter, r, button->palette, pressed);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void installLook()
{
    QApplication::setStyle(new TesselStyle);
    QFont font = QApplication::font();
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(font);
}

} // namespace tessel
