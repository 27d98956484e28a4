#pragma once
// The 3D view control: a widget that owns the retained-mode object, a clipper bound to its
// window, the device made from that clipper, the scene root with an ambient light and a default
// camera, and the viewport controls (TVport) placed on it. The device presents its pictures
// into the widget through rm::IWindowSurface; the widget keeps a copy and paints it.

#include "d3dvcs/view_messages.h"
#include "d3dvcs/view_shortcut.h"
#include "platform/rm/ddraw.h"
#include "platform/rm/rm.h"
#include "platform/rm/surface.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

class TVport;

// An event handler with its sender.
using TNotifyEvent = std::function<void(QObject* Sender)>;

class TD3dView : public QWidget, public rm::IWindowSurface {
    Q_OBJECT
public:
    explicit TD3dView(QWidget* Owner = nullptr);
    ~TD3dView() override;
    TD3dView(const TD3dView&) = delete;
    TD3dView& operator=(const TD3dView&) = delete;

    // (Re)creates the device for a driver (null: the default driver) from the clipper, at the
    // size of the whole screen, then the viewports of all viewport controls. A driver that
    // cannot make a device is reported in a "Device error" box and the default driver is used.
    void CreateDevice(const GUID* Driver);
    // Renders every viewport without advancing time, then fires OnRedraw.
    void Redraw();
    // Advances the scene's motion by RMTickValue time units and renders, then fires OnRedraw.
    void Tick();
    // Makes Color the scene background and redraws.
    void UpdateBackground();
    // Makes the desktop surface the visible one once per rendered frame (overlay drawing).
    void FlipToGDI();
    // Frame in whose coordinates overlay points are given; null means the scene root.
    void SetRefFrame(IDirect3DRMFrame* Frame);
    // Forwards a window activation (low word of WM_ACTIVATE's wParam) to the device.
    void DeviceActivate(WORD State);

    // Paints the device's picture again (the window-device paint, then Update, then OnRedraw).
    void Paint();
    // Marks every viewport's area and presents it on the device.
    void Update();
    // Moves and resizes the view, then redraws.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // Lays out the aligned children (viewport controls, splitter), then redraws.
    void AlignControls();

    // Idle handler for the application: renders a time step on every idle pass while the
    // application is active (with FastLoop only while some frame moves).
    void AppIdle(QObject* Sender, bool& Done);
    // Whether any frame below Frame (not Frame itself) moves or turns, relative to the scene.
    bool IsMoving(IDirect3DRMFrame* Frame);
    // Offers a message to every binding in list order; true when at least one matched.
    bool DoShortcuts(const TMessage& Message);

    // The window handle: reading it creates the window (once), which creates the device for
    // the default driver when there is none.
    HWND Handle();
    bool HandleAllocated() const { return FHandleAllocated; }

    // The viewport controls on the view, in child order.
    std::vector<TVport*> Viewports() const;
    // The picture shown (the device's presented pixels, then overlay drawing), view-sized.
    const QImage& Picture() const { return FPicture; }
    QImage& Picture() { return FPicture; }

    bool FastLoop() const { return FFastLoop; }
    void SetFastLoop(bool Value) { FFastLoop = Value; }
    bool CullNone() const { return FCullNone; }
    void SetCullNone(bool Value) { FCullNone = Value; }
    int RMTickValue() const { return FRMTickValue; }
    void SetRMTickValue(int Value) { FRMTickValue = Value; }
    const TNotifyEvent& OnRedraw() const { return FOnRedraw; }
    void SetOnRedraw(TNotifyEvent Value) { FOnRedraw = std::move(Value); }
    // The view's colour, also the scene background; the default is the palette's window colour.
    QColor Color() const { return FColor; }
    void SetColor(const QColor& Value);

    // rm::IWindowSurface: the device presents its pixels here.
    void Present(const std::uint32_t* pixels, int stride, int width, int height,
                 const rm::SurfaceRect& dirty) override;
    int ClientWidth() const override { return width(); }
    int ClientHeight() const override { return height(); }

    // Bindings; the records belong to the caller.
    std::vector<TViewShortcut*> Shortcuts;

    // Counted references, released in the destructor in a fixed order.
    IDirectDraw* IDDraw = nullptr;
    IDirect3DRM* IRM = nullptr;
    IDirectDrawClipper* IClipper = nullptr;
    IDirect3DRMDevice* IRMDevice = nullptr;  // null until the first successful CreateDevice
    IDirect3DRMFrame* ICamera = nullptr;     // default camera, child of IScene
    IDirect3DRMFrame* IScene = nullptr;      // scene root (no parent)
    IDirect3DRMLight* IAmbient = nullptr;    // ambient light on IScene
    IDirect3DRMFrame* IRefFrame = nullptr;   // overlay reference frame; no reference of its own

signals:
    // The view's own key events (after which bindings are matched).
    void KeyDown(QObject* Sender, int Key, TShiftState Shift);
    void KeyUp(QObject* Sender, int Key, TShiftState Shift);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    friend class TVport;
    // What WM_CREATE does once the window exists.
    void WMCreate();
    // Matches a key or mouse message against the bindings and renders a step on a match,
    // unless this view's AppIdle is the installed idle handler.
    void ShortcutsAndTick(const TMessage& Message);
    // The seven routed mouse messages go to the bindings and are swallowed (true); others
    // take the base class path.
    bool RouteMouse(QMouseEvent* event);
    // Copies presented pixels into the picture; returns the part that lies in the view.
    QRect CopyPresented(const std::uint32_t* pixels, int stride, int width, int height,
                        const rm::SurfaceRect& dirty);
    // On a real display: waits until one refresh interval has passed since the last paced
    // present (the first present of a render).
    void PacePresent();
    // Schedules a realignment and redraw after a child's bounds changed (coalesced).
    void ChildBoundsChanged();

    bool FGDIFlipped = false;
    bool FFastLoop = false;
    bool FCullNone = false;
    int FRMTickValue = 1;
    TNotifyEvent FOnRedraw;

    QColor FColor;
    QImage FPicture;
    bool FHandleAllocated = false;
    bool FInPaint = false;    // Paint runs: presents only copy pixels
    bool FInPresent = false;  // a present repaints: the paint only shows the picture
    bool FPacePresents = false;
    QElapsedTimer FLastPresent;           // since the last paced present
    std::uint64_t FFrame = 0;             // renders asked for by Redraw and Tick
    std::uint64_t FPacedFrame = 0;        // the render whose presents were last paced
};
