#include "d3dvcs/overlay_canvas.h"

#include "d3dvcs/d3d_view.h"

#include <QPainter>

TCanvas::TCanvas(TD3dView* view, QWidget* control) : FView(view), FControl(control) {}

namespace {
// The control's rectangle in the view's coordinates.
QRect ControlArea(const TD3dView& view, const QWidget& control)
{
    return QRect(control.mapTo(&view, QPoint(0, 0)), control.size());
}
}  // namespace

void TCanvas::LineTo(int x, int y)
{
    const QPoint from = FPenPos;
    FPenPos = QPoint(x, y);
    if (!FView || !FControl || FView->Picture().isNull()) return;
    const QRect area = ControlArea(*FView, *FControl);
    QPainter painter(&FView->Picture());
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    painter.setPen(Pen);
    painter.drawLine(from, FPenPos);
    painter.end();
    FView->update(area);
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    if (!FView || !FControl || FView->Picture().isNull()) return;
    const QRect area = ControlArea(*FView, *FControl);
    QPainter painter(&FView->Picture());
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    painter.setFont(Font);
    const QFontMetrics metrics = painter.fontMetrics();
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), Brush);
    painter.setPen(Pen);
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    painter.end();
    FView->update(area);
}
