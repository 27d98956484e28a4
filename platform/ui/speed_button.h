#pragma once
// A flat 25 x 25 tool button with a glyph (and a greyed one for the disabled state), an optional
// caption and a hint shown as its tooltip. Buttons of the same non-zero group index within one
// parent act as a group: a click puts the button down and every other of its group up; a down
// button goes up on a click only when the group allows all buttons up.

#include <QAbstractButton>
#include <QPixmap>

class TSpeedButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TSpeedButton(QWidget* parent = nullptr);

    void SetGlyph(const QPixmap& glyph, const QPixmap& disabledGlyph = {});
    QPixmap Glyph() const { return FGlyph; }
    // The image drawn while disabled: the given one, or one made grey from the glyph.
    QPixmap DisabledGlyph() const { return FDisabledGlyph; }
    void SetHint(const QString& hint) { setToolTip(hint); }
    QString Hint() const { return toolTip(); }
    void SetCaption(const QString& caption) { setText(caption); }
    QString Caption() const { return text(); }

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool allow);
    bool Down() const { return FDown; }
    // Ignored for a button outside a group, and (going up) when the group does not allow all up.
    void SetDown(bool down);

    QSize sizeHint() const override { return {25, 25}; }

signals:
    void Click(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override {}
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ReleaseOthersInGroup();
    void HandleClick();

    QPixmap FGlyph;
    QPixmap FDisabledGlyph;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FDown = false;
    bool FHovered = false;
};

// A greyed copy of `glyph` for the disabled state.
QPixmap MakeDisabledGlyph(const QPixmap& glyph);
