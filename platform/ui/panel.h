#pragma once
// A panel: a plain area with outer and inner bevels and a caption painted in its middle.
// Its caption is its accessible name.

#include "platform/ui/bevel.h"
#include "platform/ui/key_codes.h"

#include <QWidget>

class TPanel : public QWidget {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    void SetBevelOuter(TBevelCut cut);
    void SetBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    TBevelCut BevelInner() const { return FBevelInner; }
    // Alignment of the caption (Qt::AlignCenter by default).
    void SetAlignment(Qt::Alignment alignment);
    // Paints the background in the palette's window colour (else the parent shows through).
    void SetColor(const QColor& color);

signals:
    void Click(QObject* Sender);
    // Position in the panel's own coordinates.
    void MouseUp(QObject* Sender, Qt::MouseButton Button, TShiftState Shift, int X, int Y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void UpdateMargins();

    QString FCaption;
    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    TBevelCut FBevelInner = TBevelCut::bvNone;
    Qt::Alignment FAlignment = Qt::AlignCenter;
    bool FPressed = false;
};
