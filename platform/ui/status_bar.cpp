#include "platform/ui/status_bar.h"

#include "platform/ui/align.h"
#include "platform/ui/status_bar_accessible.h"

#include <QAccessible>
#include <QPainter>

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent)
{
    InstallStatusBarAccessibility();
    resize(width(), 19);
    if (parent) SetAlign(this, TAlign::alBottom);
}

int TStatusBar::AddPanel(TBevelCut bevel, int width, const QString& text)
{
    FPanels.push_back({bevel, width, text});
    update();
    return PanelCount() - 1;
}

TStatusPanel TStatusBar::Panel(int index) const
{
    if (index < 0 || index >= PanelCount()) return {};
    return FPanels[static_cast<std::size_t>(index)];
}

void TStatusBar::SetPanelText(int index, const QString& text)
{
    if (index < 0 || index >= PanelCount()) return;
    auto& panel = FPanels[static_cast<std::size_t>(index)];
    if (panel.Text == text) return;
    panel.Text = text;
    update();
    if (!FSimplePanel) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        event.setChild(index);
        QAccessible::updateAccessibility(&event);
    }
}

void TStatusBar::SetSimplePanel(bool simple)
{
    if (FSimplePanel == simple) return;
    FSimplePanel = simple;
    update();
    QAccessibleEvent event(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}

void TStatusBar::SetSimpleText(const QString& text)
{
    if (FSimpleText == text) return;
    FSimpleText = text;
    update();
    if (FSimplePanel) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

std::vector<QString> TStatusBar::VisibleTexts() const
{
    if (FSimplePanel) return {FSimpleText};
    std::vector<QString> texts;
    for (const auto& panel : FPanels) texts.push_back(panel.Text);
    return texts;
}

QRect TStatusBar::PanelRect(int index) const
{
    if (FSimplePanel) return index == 0 ? rect() : QRect();
    if (index < 0 || index >= PanelCount()) return {};
    int left = 0;
    for (int i = 0; i < index; ++i) left += FPanels[static_cast<std::size_t>(i)].Width + 2;
    const int w = index == PanelCount() - 1 ? std::max(0, width() - left)
                                              : FPanels[static_cast<std::size_t>(index)].Width;
    return {left, 2, w, std::max(0, height() - 2)};
}

void TStatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    if (FSimplePanel) {
        painter.drawText(rect().adjusted(3, 2, -3, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                         FSimpleText);
        return;
    }
    for (int i = 0; i < PanelCount(); ++i) {
        const auto& panel = FPanels[static_cast<std::size_t>(i)];
        const QRect inner = DrawBevel(painter, PanelRect(i), panel.Bevel, palette());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(inner.adjusted(2, 0, -1, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                         panel.Text);
    }
}
