#include "app/main_window_colours.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

namespace synopter {

namespace {

// The design's colours are for a light window. Under a dark palette a text
// colour on the window's own background keeps its hue but is made light
// enough to read there.
bool DarkPalette()
{
    return QApplication::palette().color(QPalette::Window).lightness() < 128;
}

QColor OnWindowBackground(const QColor& colour)
{
    if (!colour.isValid() || !DarkPalette())
        return colour;
    return QColor::fromHsl(std::max(colour.hslHue(), 0), colour.hslSaturation(), std::max(colour.lightness(), 200));
}

} // namespace

void SetColours(QWidget* w, QColor text, const QColor& base, bool onLightPanel)
{
    if (base.isValid() && !text.isValid() && DarkPalette())
        text = Qt::black;
    else if (!base.isValid() && !onLightPanel)
        text = OnWindowBackground(text);
    // The disabled group keeps the style's colours, so a disabled control looks it.
    QPalette p = w->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        if (text.isValid()) {
            p.setColor(group, QPalette::Text, text);
            p.setColor(group, QPalette::WindowText, text);
            p.setColor(group, QPalette::ButtonText, text);
        }
        if (base.isValid()) {
            p.setColor(group, QPalette::Base, base);
            // A chooser draws on the button colour; under a dark palette it
            // would put the design's dark text on a dark face.
            if (DarkPalette())
                p.setColor(group, QPalette::Button, base);
        }
    }
    w->setPalette(p);
}

QIcon ChapterIcon()
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kNavy, 1));
    p.setBrush(QColor(255, 255, 240));
    p.drawRect(QRectF(2.5, 4.5, 7, 11));
    p.drawRect(QRectF(9.5, 4.5, 7, 11));
    p.setPen(QPen(kMaroon, 1.6));
    p.drawLine(QPointF(4, 8), QPointF(8, 8));
    p.drawLine(QPointF(4, 11), QPointF(8, 11));
    p.drawLine(QPointF(11, 8), QPointF(15, 8));
    p.setBrush(kMaroon);
    p.setPen(Qt::NoPen);
    const QPointF arrow[] = {{12, 10}, {18, 13.5}, {12, 17}};
    p.drawPolygon(arrow, 3);
    return QIcon(pm);
}

} // namespace synopter
