#include "platform/ui/label.h"

#include <QMouseEvent>

namespace {
// A click is a left press and release within the control.
bool IsClickEnd(QWidget* w, QMouseEvent* event, bool pressed)
{
    return pressed && event->button() == Qt::LeftButton && w->rect().contains(event->position().toPoint());
}
}  // namespace

TLabel::TLabel(QWidget* parent) : QLabel(parent) {}

void TLabel::mousePressEvent(QMouseEvent* event)
{
    FPressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = IsClickEnd(this, event, FPressed);
    FPressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit Click(this);
}

TImage::TImage(QWidget* parent) : TLabel(parent) { setAlignment(Qt::AlignCenter); }
