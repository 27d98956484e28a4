#pragma once
// A status bar: a row of panels, each with a bevel, a width and a text, or in simple mode one
// text across the whole bar. It paints its own texts and offers them to the accessibility
// interface: in panel mode one child per panel, in simple mode one child with the simple text.

#include "platform/ui/bevel.h"

#include <QWidget>

#include <vector>

struct TStatusPanel {
    TBevelCut Bevel = TBevelCut::bvLowered;
    int Width = 50;  // pixels
    QString Text;
};

class TStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    // Appends a panel; returns its index.
    int AddPanel(TBevelCut bevel, int width, const QString& text = {});
    int PanelCount() const { return static_cast<int>(FPanels.size()); }
    // The panel at `index`; an index out of range reads as an empty panel.
    TStatusPanel Panel(int index) const;
    QString PanelText(int index) const { return Panel(index).Text; }
    // Ignored for an index out of range.
    void SetPanelText(int index, const QString& text);

    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool simple);
    QString SimpleText() const { return FSimpleText; }
    void SetSimpleText(const QString& text);

    // What the bar shows now: the simple text, or the panels' texts.
    std::vector<QString> VisibleTexts() const;
    // The rectangle of panel `index` (the last panel stretches to the right edge).
    QRect PanelRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<TStatusPanel> FPanels;
    bool FSimplePanel = false;
    QString FSimpleText;
};
