#pragma once
// A canvas over the view's picture, clipped to one viewport control and with the control's
// top-left corner as its origin: pen position, lines and text drawn on top of the rendered scene.

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QPoint>
#include <QPointer>
#include <QString>

class TD3dView;
class QWidget;

class TCanvas {
public:
    // A canvas for `control` drawing into `view`'s picture; a null view draws nothing.
    TCanvas(TD3dView* view, QWidget* control);

    QPoint PenPos() const { return FPenPos; }
    void MoveTo(int x, int y) { FPenPos = QPoint(x, y); }
    // Draws a line from the pen to (x, y) with Pen and moves the pen there.
    void LineTo(int x, int y);
    // Writes text with its top-left corner at (x, y) with Font, on Brush.
    void TextOut(int x, int y, const QString& text);

    QPen Pen{Qt::black};
    QFont Font;
    QBrush Brush{Qt::white};

private:
    QPointer<TD3dView> FView;
    QPointer<QWidget> FControl;
    QPoint FPenPos;
};
