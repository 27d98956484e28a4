#include "platform/ui/panel.h"

#include <QMouseEvent>
#include <QPainter>

TPanel::TPanel(QWidget* parent) : QWidget(parent) { UpdateMargins(); }

void TPanel::UpdateMargins()
{
    // Aligned children sit inside the bevels.
    const int edge = (FBevelOuter != TBevelCut::bvNone) + (FBevelInner != TBevelCut::bvNone);
    setContentsMargins(edge, edge, edge, edge);
}

void TPanel::SetCaption(const QString& caption)
{
    FCaption = caption;
    setAccessibleName(caption);
    update();
}

void TPanel::SetBevelOuter(TBevelCut cut)
{
    FBevelOuter = cut;
    UpdateMargins();
    update();
}

void TPanel::SetBevelInner(TBevelCut cut)
{
    FBevelInner = cut;
    UpdateMargins();
    update();
}

void TPanel::SetAlignment(Qt::Alignment alignment)
{
    FAlignment = alignment;
    update();
}

void TPanel::SetColor(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    setAutoFillBackground(true);
}

void TPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect r = DrawBevel(painter, rect(), FBevelOuter, palette());
    r = DrawBevel(painter, r, FBevelInner, palette());
    if (FCaption.isEmpty()) return;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(r, static_cast<int>(FAlignment) | Qt::TextSingleLine, FCaption);
}

void TPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) FPressed = true;
    QWidget::mousePressEvent(event);
}

void TPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool click = FPressed && event->button() == Qt::LeftButton && rect().contains(pos);
    FPressed = false;
    emit MouseUp(this, event->button(), ShiftStateFromQt(event->modifiers(), event->buttons()), pos.x(), pos.y());
    if (click) emit Click(this);
}
