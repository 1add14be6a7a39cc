#include "ui/style.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>

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

void installLook()
{
    QApplication::setStyle(new TesselStyle);
    QFont font = QApplication::font();
    font.setHintingPreference(QFont::PreferNoHinting);
    QApplication::setFont(font);
}

} // namespace tessel
