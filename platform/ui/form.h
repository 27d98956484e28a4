#pragma once
// Base of the application's forms: a top-level window with a caption, client size, optional
// centring on the screen, key preview, modal showing with a modal result, and the class
// library's Close.

#include "platform/ui/key_codes.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QEventLoop;

// Modal results.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

class TForm : public QWidget {
    Q_OBJECT
public:
    explicit TForm(QWidget* Owner = nullptr);
    ~TForm() override;

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    void SetClientSize(int width, int height) { resize(width, height); }
    // The window's outer size with the classic frame: a 4-pixel border and a 19-pixel caption.
    void SetFormSize(int width, int height);
    // Centred on the screen each time the form is shown.
    void SetScreenCenter(bool centre) { FScreenCenter = centre; }
    // No border and no caption bar.
    void SetBorderNone();

    // With key preview on, OnKeyDown sees every key pressed in the form before its controls.
    // A handler that sets Key to 0 swallows the key.
    bool KeyPreview = false;
    std::function<void(QObject* Sender, int& Key, TShiftState Shift)> OnKeyDown;

    // Shows the form modally and returns its modal result once it is closed.
    int ShowModal();
    bool Modal() const { return FModalLoop != nullptr; }
    int ModalResult() const { return FModalResult; }
    // A non-zero result ends a modal showing.
    void SetModalResult(int result);
    // Modal: ends the showing with mrCancel. The main form: ends the application. Otherwise hides.
    void Close();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs OnKeyDown; true when the handler swallowed the key.
    bool DispatchKeyDown(QObject* sender, QKeyEvent* event);
    void CentreOnScreen();

    bool FScreenCenter = false;
    int FModalResult = mrNone;
    QEventLoop* FModalLoop = nullptr;
    const QEvent* FLastPreviewed = nullptr;  // identity only, never dereferenced
    QPointer<QWidget> FLastPreviewReceiver;
};
