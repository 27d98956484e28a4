#include "platform/ui/speed_button.h"

#include "platform/ui/bevel.h"

#include <QImage>
#include <QPainter>

QPixmap MakeDisabledGlyph(const QPixmap& glyph)
{
    if (glyph.isNull()) return {};
    QImage image = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 128 + qGray(line[x]) / 2;  // light grey, keeps the shape readable
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}

TSpeedButton::TSpeedButton(QWidget* parent) : QAbstractButton(parent)
{
    resize(25, 25);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { HandleClick(); });
}

void TSpeedButton::SetGlyph(const QPixmap& glyph, const QPixmap& disabledGlyph)
{
    FGlyph = glyph;
    FDisabledGlyph = disabledGlyph.isNull() ? MakeDisabledGlyph(glyph) : disabledGlyph;
    update();
}

void TSpeedButton::SetGroupIndex(int index)
{
    FGroupIndex = index;
    if (FGroupIndex == 0) FDown = false;
    update();
}

void TSpeedButton::SetAllowAllUp(bool allow) { FAllowAllUp = allow; }

void TSpeedButton::SetDown(bool down)
{
    if (FGroupIndex == 0 || down == FDown) return;
    if (!down && !FAllowAllUp) return;
    FDown = down;
    if (down) ReleaseOthersInGroup();
    update();
}

void TSpeedButton::ReleaseOthersInGroup()
{
    if (!parentWidget()) return;
    for (auto* other : parentWidget()->findChildren<TSpeedButton*>(QString(), Qt::FindDirectChildrenOnly))
        if (other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
            other->FDown = false;
            other->update();
        }
}

void TSpeedButton::HandleClick()
{
    if (FGroupIndex != 0) {
        if (!FDown) SetDown(true);
        else if (FAllowAllUp) SetDown(false);
    }
    emit Click(this);
}

void TSpeedButton::enterEvent(QEnterEvent* event)
{
    FHovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TSpeedButton::leaveEvent(QEvent* event)
{
    FHovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool sunken = FDown || isDown();
    if (sunken) painter.fillRect(rect().adjusted(1, 1, -1, -1), palette().color(QPalette::Midlight));
    // Flat: the edge shows only under the mouse or while down.
    if (sunken || (FHovered && isEnabled()))
        DrawBevel(painter, rect(), sunken ? TBevelCut::bvLowered : TBevelCut::bvRaised, palette());

    const QPixmap& glyph = isEnabled() ? FGlyph : FDisabledGlyph;
    const QPoint shift = sunken ? QPoint(1, 1) : QPoint(0, 0);
    QRect textRect = rect().translated(shift);
    if (!glyph.isNull()) {
        const QSize size = glyph.deviceIndependentSize().toSize();
        const int top = text().isEmpty() ? (height() - size.height()) / 2 : 2;
        painter.drawPixmap(QPoint((width() - size.width()) / 2, top) + shift, glyph);
        textRect.setTop(top + size.height());
    }
    if (!text().isEmpty()) {
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
}
