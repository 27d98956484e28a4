// The view's idle loop, its bindings, and the routing of key and mouse events: keys run the
// view's own key events and then the bindings; the left/right button and move messages on
// parts of the view that no child covers go to the bindings only (viewport controls receive
// their own mouse events from Qt, positioned relative to the control).

#include "d3dvcs/d3d_view.h"

#include "platform/ui/application.h"

#include <QKeyEvent>
#include <QMouseEvent>

void TD3dView::AppIdle(QObject* /*Sender*/, bool& Done)
{
    if (!Application || !Application->Active()) {
        Done = true;
        return;
    }
    if (FFastLoop && !IsMoving(IScene)) return;
    Tick();
    Done = false;
}

bool TD3dView::IsMoving(IDirect3DRMFrame* Frame)
{
    if (!Frame) return false;
    IDirect3DRMFrameArray* children = nullptr;
    if (FAILED(Frame->GetChildren(&children)) || !children) return false;
    bool moving = false;
    const DWORD count = children->GetSize();
    for (DWORD i = 0; i < count && !moving; ++i) {
        IDirect3DRMFrame* child = nullptr;
        if (FAILED(children->GetElement(i, &child)) || !child) continue;
        D3DVECTOR velocity;
        D3DVECTOR axis;
        D3DVALUE theta = 0.0f;
        child->GetVelocity(IScene, &velocity, TRUE);
        child->GetRotation(IScene, &axis, &theta);
        // The sum is tested: a velocity whose components cancel out counts as still.
        moving = velocity.x + velocity.y + velocity.z != 0.0f || theta != 0.0f || IsMoving(child);
        child->Release();
    }
    children->Release();
    return moving;
}

bool TD3dView::DoShortcuts(const TMessage& Message)
{
    bool matched = false;
    // By index: a callback may add or remove bindings while the list is walked.
    for (std::size_t i = 0; i < Shortcuts.size(); ++i)
        if (TViewShortcut* shortcut = Shortcuts[i]) matched = MatchShortcut(shortcut, &Message) || matched;
    return matched;
}

void TD3dView::ShortcutsAndTick(const TMessage& Message)
{
    if (!DoShortcuts(Message)) return;
    if (Application && Application->OnIdle == TIdleEvent::Bind(this, &TD3dView::AppIdle)) return;
    Tick();
}

void TD3dView::keyPressEvent(QKeyEvent* event)
{
    emit KeyDown(this, VirtualKey(*event), ShiftStateFromQt(event->modifiers()));
    QWidget::keyPressEvent(event);
    SetMessageKeyState(event->modifiers());
    ShortcutsAndTick(KeyMessage(*event));
}

void TD3dView::keyReleaseEvent(QKeyEvent* event)
{
    emit KeyUp(this, VirtualKey(*event), ShiftStateFromQt(event->modifiers()));
    QWidget::keyReleaseEvent(event);
    SetMessageKeyState(event->modifiers());
    ShortcutsAndTick(KeyMessage(*event));
}

bool TD3dView::RouteMouse(QMouseEvent* event)
{
    const std::uint32_t msg = MouseMessageId(*event);
    if (!IsRoutedMouseMessage(msg)) return false;
    SetMessageKeyState(event->modifiers());
    ShortcutsAndTick(MouseMessage(msg, *event));
    event->accept();
    return true;
}

void TD3dView::mousePressEvent(QMouseEvent* event)
{
    if (!RouteMouse(event)) QWidget::mousePressEvent(event);
}

void TD3dView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!RouteMouse(event)) QWidget::mouseReleaseEvent(event);
}

void TD3dView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!RouteMouse(event)) QWidget::mouseDoubleClickEvent(event);
}

void TD3dView::mouseMoveEvent(QMouseEvent* event)
{
    if (!RouteMouse(event)) QWidget::mouseMoveEvent(event);
}

void TD3dView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Handle();  // the window exists from its first showing
}

void TD3dView::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ActivationChange:
        DeviceActivate(isActiveWindow() ? 1 : 0);
        QWidget::changeEvent(event);
        break;
    case QEvent::PaletteChange:
        QWidget::changeEvent(event);
        Redraw();
        break;
    default: QWidget::changeEvent(event); break;
    }
}
