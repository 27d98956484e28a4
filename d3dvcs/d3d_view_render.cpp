// Rendering of the view: the heartbeat calls, the window-device paint, and the surface the
// device presents into (a copy of its pixels that paintEvent shows), with pacing on a display.

#include "d3dvcs/d3d_view.h"

#include "d3dvcs/vport.h"
#include "platform/ui/align.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

void TD3dView::Redraw()
{
    ++FFrame;
    if (IRM && IRMDevice && IScene) IRM->Tick(0.0f);
    FGDIFlipped = false;
    if (FOnRedraw) FOnRedraw(this);
}

void TD3dView::Tick()
{
    ++FFrame;
    if (IRM && IRMDevice && IScene) IRM->Tick(static_cast<D3DVALUE>(FRMTickValue));
    FGDIFlipped = false;
    if (FOnRedraw) FOnRedraw(this);
}

void TD3dView::FlipToGDI()
{
    if (IDDraw && !FGDIFlipped && SUCCEEDED(IDDraw->FlipToGDISurface())) FGDIFlipped = true;
}

void TD3dView::Paint()
{
    if (!IRM || !IRMDevice || !IScene) return;
    IDirect3DRMWinDevice* winDevice = nullptr;
    if (SUCCEEDED(IRMDevice->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(&winDevice))) &&
        winDevice) {
        // The drawing context of this window is the window's surface itself.
        winDevice->HandlePaint(static_cast<rm::IWindowSurface*>(this));
        winDevice->Release();
    }
    Update();
    if (FOnRedraw) FOnRedraw(this);
}

void TD3dView::Update()
{
    for (TVport* port : Viewports()) port->Update();
    if (IRMDevice) IRMDevice->Update();
}

void TD3dView::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    setGeometry(ALeft, ATop, AWidth, AHeight);
    Redraw();
}

void TD3dView::AlignControls()
{
    Realign(this);
    Redraw();
}

void TD3dView::ChildBoundsChanged()
{
    // Posted layout requests to one receiver are merged by Qt: one realignment and one redraw
    // follow a batch of child moves (a splitter drag moves several children at once).
    QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
}

bool TD3dView::event(QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest) {
        AlignControls();
        return true;
    }
    return QWidget::event(event);
}

void TD3dView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    AlignControls();
}

QRect TD3dView::CopyPresented(const std::uint32_t* pixels, int stride, int width, int height,
                              const rm::SurfaceRect& dirty)
{
    if (FPicture.size() != size()) {
        QImage resized(size(), QImage::Format_RGB32);
        resized.fill(FColor);
        if (!FPicture.isNull() && !resized.isNull()) {
            QPainter painter(&resized);
            painter.drawImage(0, 0, FPicture);
        }
        FPicture = std::move(resized);
    }
    if (!pixels || width <= 0 || height <= 0 || stride < width) return {};
    // The dirty rectangle within the buffer, then within the view.
    const int left = std::clamp(dirty.left, 0, width);
    const int top = std::clamp(dirty.top, 0, height);
    const int right = std::clamp(dirty.right, left, width);
    const int bottom = std::clamp(dirty.bottom, top, height);
    const QRect area = QRect(left, top, right - left, bottom - top).intersected(FPicture.rect());
    if (area.isEmpty()) return {};
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const std::uint32_t* source = pixels + static_cast<std::ptrdiff_t>(y) * stride + area.left();
        auto* target = reinterpret_cast<std::uint32_t*>(FPicture.scanLine(y)) + area.left();
        std::memcpy(target, source, static_cast<std::size_t>(area.width()) * sizeof(std::uint32_t));
    }
    return area;
}

void TD3dView::PacePresent()
{
    const QScreen* shown = screen();
    const double rate = shown ? shown->refreshRate() : 60.0;
    const auto interval = std::chrono::microseconds(static_cast<long long>(1e6 / (rate > 1.0 ? rate : 60.0)));
    if (FLastPresent.isValid()) {
        const auto elapsed = std::chrono::nanoseconds(FLastPresent.nsecsElapsed());
        if (elapsed < interval) std::this_thread::sleep_for(interval - elapsed);
    }
    FLastPresent.restart();
}

void TD3dView::Present(const std::uint32_t* pixels, int stride, int width, int height,
                       const rm::SurfaceRect& dirty)
{
    const QRect area = CopyPresented(pixels, stride, width, height, dirty);
    if (area.isEmpty() || FInPaint) return;  // a paint in progress shows the picture itself
    if (FPacePresents && isVisible()) {
        // One picture per display refresh, each shown before the next one is made; the pieces
        // a device presents for one frame (one per viewport) are shown together. The device
        // is inside its own update here: the paint only shows the picture.
        if (FPacedFrame != FFrame) {
            FPacedFrame = FFrame;
            PacePresent();
        }
        FInPresent = true;
        repaint(area);
        FInPresent = false;
    } else {
        update(area);
    }
}

void TD3dView::paintEvent(QPaintEvent* event)
{
    if (!FInPresent) {
        FInPaint = true;
        Paint();
        FInPaint = false;
    }
    CopyPresented(nullptr, 0, 0, 0, {});  // keeps the picture at the view's size
    QPainter painter(this);
    painter.drawImage(event->rect(), FPicture, event->rect());
}
