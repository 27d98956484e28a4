// Overlay drawing on a viewport control: 3D points of the view's reference frame projected
// through the control's viewport onto the control's canvas. (0, 0) stands for "not visible".

#include "d3dvcs/d3d_view.h"
#include "d3dvcs/vport.h"

#include <cmath>
#include <limits>

namespace {
// A projected coordinate truncated toward zero; false when it is no finite int.
bool TruncateToInt(D3DVALUE value, int& result)
{
    if (!std::isfinite(value) || value <= static_cast<D3DVALUE>(std::numeric_limits<int>::min()) ||
        value >= static_cast<D3DVALUE>(std::numeric_limits<int>::max()))
        return false;
    result = static_cast<int>(value);
    return true;
}
}  // namespace

TCanvas& TVport::OverlayCanvas()
{
    if (TD3dView* view = OwnerView()) view->FlipToGDI();
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>(OwnerView(), this);
    return *FCanvas;
}

void TVport::Project3D(const D3DVECTOR& Point, int& x, int& y)
{
    x = y = 0;
    TD3dView* view = OwnerView();
    if (!view || !view->IRefFrame) return;
    D3DVECTOR source = Point;
    D3DVECTOR world;
    if (FAILED(view->IRefFrame->Transform(&world, &source))) return;
    if (!IRMVport) return;
    D3DRMVECTOR4D screen;
    if (FAILED(IRMVport->Transform(&screen, &world))) return;
    if (screen.w == 0.0f || !(screen.z > 0.0f) || !(screen.z < screen.w)) return;
    int deviceX = 0;
    int deviceY = 0;
    if (!TruncateToInt(screen.x / screen.w, deviceX) || !TruncateToInt(screen.y / screen.w, deviceY)) return;
    // Device pixels to the control's own pixels (the device covers the view from its corner).
    x = deviceX - this->x();
    y = deviceY - this->y();
}

void TVport::MoveTo3D(const D3DVECTOR& Point)
{
    int x = 0;
    int y = 0;
    Project3D(Point, x, y);
    OverlayCanvas().MoveTo(x, y);
}

void TVport::MoveTo3D(D3DVALUE x, D3DVALUE y, D3DVALUE z) { MoveTo3D(D3DVECTOR{x, y, z}); }

void TVport::LineTo3D(const D3DVECTOR& Point)
{
    TCanvas& canvas = OverlayCanvas();
    if (canvas.PenPos() == QPoint(0, 0)) return;
    int x = 0;
    int y = 0;
    Project3D(Point, x, y);
    if (x != 0 && y != 0) canvas.LineTo(x, y);
}

void TVport::LineTo3D(D3DVALUE x, D3DVALUE y, D3DVALUE z) { LineTo3D(D3DVECTOR{x, y, z}); }

void TVport::Line3D(const D3DVECTOR& P1, const D3DVECTOR& P2)
{
    MoveTo3D(P1);
    LineTo3D(P2);
}

void TVport::TextOut3D(const D3DVECTOR& Point, const QString& Text)
{
    int x = 0;
    int y = 0;
    Project3D(Point, x, y);
    if (x != 0 && y != 0) OverlayCanvas().TextOut(x, y, Text);
}
