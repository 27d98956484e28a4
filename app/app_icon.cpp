#include "app/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// One side of the cube as a parallelogram from `origin` along `u` and `v`, cut into 3 x 3 cells.
void DrawSide(QPainter& painter, QPointF origin, QPointF u, QPointF v, const QColor& colour)
{
    QPainterPath side;
    side.moveTo(origin);
    side.lineTo(origin + u);
    side.lineTo(origin + u + v);
    side.lineTo(origin + v);
    side.closeSubpath();
    painter.fillPath(side, colour);
    painter.setPen(QPen(Qt::black, 0.8));
    for (int i = 0; i <= 3; ++i) {
        painter.drawLine(origin + u * (i / 3.0), origin + u * (i / 3.0) + v);
        painter.drawLine(origin + v * (i / 3.0), origin + v * (i / 3.0) + u);
    }
}

QPixmap DrawCube(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    // The near corner in the middle; the three sides meet there.
    const QPointF centre(s * 0.5, s * 0.5);
    const QPointF right(s * 0.45, -s * 0.235);  // from the near corner to the right corner
    const QPointF left(-s * 0.45, -s * 0.235);
    const QPointF down(0, s * 0.47);
    DrawSide(painter, centre, right, left, QColor(0, 90, 230));
    DrawSide(painter, centre, left, down, QColor(220, 30, 30));
    DrawSide(painter, centre, right, down, QColor(30, 180, 60));
    return pixmap;
}

}  // namespace

QIcon MakeApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addPixmap(DrawCube(size));
    return icon;
}
