#include "platform/ui/form.h"

#include "platform/ui/application.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScreen>

namespace {
constexpr int kFrameBorder = 4;     // pixels on each side of a sizeable window
constexpr int kCaptionHeight = 19;  // pixels of the caption bar
}  // namespace

TForm::TForm(QWidget* Owner) : QWidget(Owner, Qt::Window)
{
    qApp->installEventFilter(this);
}

TForm::~TForm()
{
    if (FModalLoop) FModalLoop->exit(mrCancel);
}

void TForm::SetFormSize(int width, int height)
{
    resize(width - 2 * kFrameBorder, height - 2 * kFrameBorder - kCaptionHeight);
}

void TForm::SetBorderNone() { setWindowFlags(Qt::Window | Qt::FramelessWindowHint); }

void TForm::CentreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->geometry().center());
    move(frame.topLeft());
}

void TForm::showEvent(QShowEvent* event)
{
    if (FScreenCenter && !event->spontaneous()) CentreOnScreen();
    QWidget::showEvent(event);
}

int TForm::ShowModal()
{
    FModalResult = mrNone;
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    FModalLoop = &loop;
    if (FModalResult == mrNone) loop.exec(QEventLoop::DialogExec);
    FModalLoop = nullptr;
    hide();
    setWindowModality(Qt::NonModal);
    return FModalResult;
}

void TForm::SetModalResult(int result)
{
    FModalResult = result;
    if (result != mrNone && FModalLoop) FModalLoop->exit(result);
}

void TForm::Close()
{
    if (FModalLoop) {
        SetModalResult(mrCancel);
        return;
    }
    hide();
    if (Application->MainForm() == this) Application->Terminate();
}

void TForm::closeEvent(QCloseEvent* event)
{
    // The window's own close button takes the class library's way, which only hides the form.
    event->ignore();
    Close();
}

bool TForm::DispatchKeyDown(QObject* sender, QKeyEvent* event)
{
    if (!OnKeyDown) return false;
    int key = VirtualKey(*event);
    OnKeyDown(sender, key, ShiftStateFromQt(event->modifiers()));
    return key == 0;
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    if (KeyPreview || !DispatchKeyDown(this, event)) QWidget::keyPressEvent(event);
}

bool TForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) FLastPreviewed = nullptr;  // the next press is a new one
    if (!KeyPreview || event->type() != QEvent::KeyPress) return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != this) return false;
    // A key event unhandled by a control travels up to its parents; preview it only once,
    // where it is first delivered.
    const bool propagated = event == FLastPreviewed && FLastPreviewReceiver &&
                            FLastPreviewReceiver != target && target->isAncestorOf(FLastPreviewReceiver);
    if (propagated) return false;
    FLastPreviewed = event;
    FLastPreviewReceiver = target;
    return DispatchKeyDown(this, static_cast<QKeyEvent*>(event));
}
