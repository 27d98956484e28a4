#pragma once
// A text label that reports clicks, as the forms' labels do.

#include <QLabel>

class TLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLabel(QWidget* parent = nullptr);
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }

signals:
    void Click(QObject* Sender);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool FPressed = false;
};

// An image that shows a picture, optionally stretched and centred, and reports clicks like a label.
class TImage : public TLabel {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);
    void SetPicture(const QPixmap& picture) { setPixmap(picture); }
    void SetStretch(bool stretch) { setScaledContents(stretch); }
};
