#include "app/glyphs.h"

#include "app/turn_table.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <array>
#include <functional>

namespace {

const QColor kInk(0, 0, 128);  // history arrows: navy

// Paints on a transparent square image of `size` pixels and returns it as a pixmap.
QPixmap Draw(int size, const std::function<void(QPainter&)>& paint)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        paint(painter);
    }
    return QPixmap::fromImage(image);
}

// A filled triangle pointing left (dx = -1) or right (dx = 1), its tip at column tipX: column i
// behind the tip covers rows 7 - i to 8 + i.
void Triangle(QPainter& painter, int tipX, int dx)
{
    for (int i = 0; i <= 6; ++i) painter.fillRect(tipX - dx * i, 7 - i, 1, 2 * i + 2, kInk);
}

void Bar(QPainter& painter, int x) { painter.fillRect(x, 2, 2, 12, kInk); }

}  // namespace

QPixmap HomeGlyph()
{
    return Draw(kGlyphSize, [](QPainter& p) {
        Bar(p, 3);
        Triangle(p, 6, -1);
    });
}

QPixmap BackGlyph()
{
    return Draw(kGlyphSize, [](QPainter& p) { Triangle(p, 5, -1); });
}

QPixmap ForwardGlyph()
{
    return Draw(kGlyphSize, [](QPainter& p) { Triangle(p, 10, 1); });
}

QPixmap EndGlyph()
{
    return Draw(kGlyphSize, [](QPainter& p) {
        Triangle(p, 9, 1);
        Bar(p, 11);
    });
}

QPixmap SetupGlyph()
{
    return Draw(kGlyphSize, [](QPainter& p) {
        p.fillRect(1, 1, 14, 11, QColor(128, 128, 128));  // case
        p.fillRect(1, 1, 14, 1, QColor(224, 224, 224));   // lit top edge
        p.fillRect(3, 3, 10, 7, QColor(0, 0, 160));       // screen
        p.fillRect(4, 4, 3, 1, QColor(96, 160, 255));     // glare
        p.fillRect(6, 12, 4, 2, QColor(96, 96, 96));      // neck
        p.fillRect(3, 14, 10, 1, QColor(64, 64, 64));     // foot
    });
}

QPixmap PauseGlyph()
{
    return Draw(kGlyphSize, [](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, true);
        const QColor body(176, 0, 0);
        p.setPen(Qt::NoPen);
        p.setBrush(body);
        p.drawEllipse(QRectF(0.5, 0.5, 5, 5));    // left bell
        p.drawEllipse(QRectF(10.5, 0.5, 5, 5));   // right bell
        p.drawRect(QRectF(3, 13, 1.5, 2.5));      // left foot
        p.drawRect(QRectF(11.5, 13, 1.5, 2.5));   // right foot
        p.setBrush(Qt::white);
        p.setPen(QPen(body, 1.5));
        p.drawEllipse(QRectF(2.5, 3.5, 11, 11));  // face
        p.setPen(QPen(Qt::black, 1.2));
        p.drawLine(QPointF(8, 9), QPointF(8, 5.5));   // minute hand
        p.drawLine(QPointF(8, 9), QPointF(10.5, 9));  // hour hand
    });
}

namespace {

// The turn picture shows the cube obliquely: its front side (+Y) faces the viewer, its top (+Z)
// is seen above, its right side (+X) to the right. Cube coordinates run from -1.5 to 1.5 with
// one unit per cubie; each cubie is kCell pixels wide and kSlant pixels deep.
constexpr double kCell = 4.0;
constexpr double kSlant = 2.0;
constexpr double kOriginX = 2.5, kOriginY = 2.5 + 3 * kSlant;

QPointF Project(double x, double y, double z)
{
    const double depth = 1.5 - y;  // 0 at the front, 3 at the back
    return {kOriginX + kCell * (x + 1.5) + kSlant * depth, kOriginY + kCell * (1.5 - z) - kSlant * depth};
}

// One visible sticker: the cubie it belongs to (grid coordinates -1, 0, 1) and its outline.
struct TSticker {
    std::array<int, 3> Cubie;
    QPolygonF Outline;
};

// The 27 visible stickers of the front, top and right sides.
std::array<TSticker, 27> VisibleStickers()
{
    std::array<TSticker, 27> stickers{};
    int n = 0;
    for (int a = -1; a <= 1; ++a)
        for (int b = -1; b <= 1; ++b) {
            // front side y = 1.5: a along x, b along z
            stickers[n++] = {{a, 1, b},
                             QPolygonF({Project(a - 0.5, 1.5, b - 0.5), Project(a + 0.5, 1.5, b - 0.5),
                                        Project(a + 0.5, 1.5, b + 0.5), Project(a - 0.5, 1.5, b + 0.5)})};
            // top side z = 1.5: a along x, b along y
            stickers[n++] = {{a, b, 1},
                             QPolygonF({Project(a - 0.5, b - 0.5, 1.5), Project(a + 0.5, b - 0.5, 1.5),
                                        Project(a + 0.5, b + 0.5, 1.5), Project(a - 0.5, b + 0.5, 1.5)})};
            // right side x = 1.5: a along y, b along z
            stickers[n++] = {{1, a, b},
                             QPolygonF({Project(1.5, a - 0.5, b - 0.5), Project(1.5, a + 0.5, b - 0.5),
                                        Project(1.5, a + 0.5, b + 0.5), Project(1.5, a - 0.5, b + 0.5)})};
        }
    return stickers;
}

}  // namespace

QPixmap TurnGlyph(int turn)
{
    if (!IsTurnNumber(turn)) return {};
    const TTurnLayer layer = TurnLayer(turn);
    return Draw(kTurnGlyphSize, [&layer](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Qt::black, 1));
        for (const TSticker& sticker : VisibleStickers()) {
            // Grid coordinates times 2 are the cubie's place in the cube centre frame.
            const float coordinate = 2.0f * static_cast<float>(sticker.Cubie[static_cast<int>(layer.Axis)]);
            p.setBrush(InLayer(layer, coordinate) ? QColor(255, 255, 0) : QColor(255, 0, 0));
            p.drawPolygon(sticker.Outline);
        }
    });
}
