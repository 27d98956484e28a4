#include "platform/ui/bevel.h"

#include <QPainter>
#include <QPalette>

QRect DrawBevel(QPainter& painter, const QRect& rect, TBevelCut cut, const QPalette& palette, int width)
{
    if (cut == TBevelCut::bvNone || width <= 0) return rect;
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor topLeft = cut == TBevelCut::bvRaised ? light : dark;
    const QColor bottomRight = cut == TBevelCut::bvRaised ? dark : light;
    QRect r = rect;
    for (int i = 0; i < width && r.width() > 1 && r.height() > 1; ++i) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
    return r;
}
