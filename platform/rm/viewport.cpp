#include <cmath>

#include "platform/rm/viewport_impl.h"

namespace rm {

namespace {

constexpr LONG kMaxCoordinate = 1 << 16;  // pixels; larger rectangles are refused

bool Finite(D3DVALUE v) { return std::isfinite(v); }

}  // namespace

HRESULT Viewport::Create(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y, DWORD width,
                         DWORD height, Viewport** viewport)
{
    if (!viewport)
        return D3DRMERR_BADVALUE;
    *viewport = nullptr;
    Device* d = As<Device>(device);
    Frame* c = As<Frame>(camera);
    if (!d || !c)
        return D3DRMERR_BADOBJECT;
    if (x > kMaxCoordinate || y > kMaxCoordinate || width > kMaxCoordinate || height > kMaxCoordinate)
        return D3DRMERR_BADVALUE;
    *viewport = new Viewport(*d, *c, static_cast<LONG>(x), static_cast<LONG>(y), width, height);
    return D3DRM_OK;
}

Viewport::Viewport(Device& device, Frame& camera, LONG x, LONG y, DWORD width, DWORD height)
    : device_(&device), camera_(&camera), x_(x), y_(y), width_(width), height_(height)
{
    device.Attach(this);
}

Viewport::~Viewport()
{
    FlushClear();
    device_->Detach(this);
}

void Viewport::FlushClear()
{
    if (!clearPending_)
        return;
    clearPending_ = false;
    pendingClear_.applyTo(device_->Target());
    device_->MarkDirty(pendingClear_.area);
    memory_.Forget();
}

void* Viewport::FindInterface(REFIID iid)
{
    if (iid == IID_IDirect3DViewport)
        return static_cast<IDirect3DViewport*>(&immediate_);
    return Object::FindInterface(iid);
}

raster::PixelRect Viewport::Rect() const
{
    return {static_cast<int>(x_), static_cast<int>(y_), static_cast<int>(x_ + static_cast<LONG>(width_)),
            static_cast<int>(y_ + static_cast<LONG>(height_))};
}

raster::ViewSetup Viewport::Setup() const
{
    raster::ViewSetup s;
    s.projection = projection_ == D3DRMPROJECT_ORTHOGRAPHIC ? raster::ProjectionKind::Orthographic
                                                            : raster::ProjectionKind::Perspective;
    s.front = front_;
    s.back = back_;
    s.left = left_;
    s.right = right_;
    s.bottom = bottom_;
    s.top = top_;
    s.uniformScaling = uniform_ != 0;
    s.viewport = Rect();
    return s;
}

bool Viewport::OverlapsAnother() const
{
    for (const Viewport* other : device_->Viewports())
        if (other != this && !raster::intersect(other->Rect(), Rect()).empty())
            return true;
    return false;
}

HRESULT Viewport::Configure(LONG x, LONG y, DWORD width, DWORD height)
{
    if (x < -kMaxCoordinate || x > kMaxCoordinate || y < -kMaxCoordinate || y > kMaxCoordinate ||
        width > static_cast<DWORD>(kMaxCoordinate) || height > static_cast<DWORD>(kMaxCoordinate))
        return D3DRMERR_BADVALUE;
    if (x == x_ && y == y_ && width == width_ && height == height_)
        return D3DRM_OK;
    // The old place shows the background until something else draws there.
    FlushClear();
    raster::PixelRect old = Rect();
    raster::clearColor(device_->Target(), old, camera_->Root()->Background());
    device_->MarkDirty(old);
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
    fullClearNeeded_ = true;
    memory_.Forget();
    return D3DRM_OK;
}

HRESULT Viewport::ForceUpdate(DWORD x1, DWORD y1, DWORD x2, DWORD y2)
{
    if (x2 < x1 || y2 < y1)
        return D3DRMERR_BADVALUE;
    auto clamp = [](DWORD v) { return static_cast<int>(std::min<DWORD>(v, kMaxCoordinate)); };
    device_->MarkDirty({clamp(x1), clamp(y1), clamp(x2), clamp(y2)});
    return D3DRM_OK;
}

HRESULT Viewport::Clear()
{
    Device& d = *device_;
    FlushClear();
    d.States().ApplyLibraryValues(d.CullsBackFaces());
    const D3DCOLOR background = camera_->Root()->Background() | 0xFF000000u;
    const float depth = raster::depthClearValue(d.DrawingOptions().depthFunc);
    // Only what was drawn since the last clear differs from the background.
    raster::BandRegion area = !fullClearNeeded_ && background == lastBackground_ && depth == lastDepthClear_ &&
                                      !OverlapsAnother()
                                  ? drawnSinceClear_.clippedTo(Rect())
                                  : raster::BandRegion(Rect());
    pendingClear_ = {std::move(area), background, depth};
    clearPending_ = true;
    drawnSinceClear_.clear();
    fullClearNeeded_ = false;
    lastBackground_ = background;
    lastDepthClear_ = depth;
    return D3DRM_OK;
}

HRESULT Viewport::Render(IDirect3DRMFrame* frame)
{
    Frame* scene = As<Frame>(frame);
    if (!scene)
        return D3DRMERR_BADOBJECT;
    Device& d = *device_;
    d.States().ApplyLibraryValues(d.CullsBackFaces());
    raster::Renderer& renderer = d.Renderer();
    const raster::ClearRequest* clear = clearPending_ ? &pendingClear_ : nullptr;
    clearPending_ = false;
    // Only a frame that is one clear and one render, alone on its pixels, can be redrawn in part
    // next time.
    const bool remember = clear && !OverlapsAnother();
    if (!remember)
        memory_.Forget();
    raster::BandRegion redrawn;
    if (d.Drawer().Draw(renderer, d.Target(), Setup(), d.DrawingOptions(), *scene, *camera_, clear,
                        remember ? &memory_ : nullptr, redrawn)) {
        // Only the redrawn part was cleared: the rest still shows what it showed.
        drawnSinceClear_ = clear->area;
        drawnSinceClear_.add(renderer.touched());
        d.MarkDirty(redrawn);
    } else {
        drawnSinceClear_.add(renderer.touched());
        if (clear)
            d.MarkDirty(clear->area);
        d.MarkDirty(renderer.touched());
    }
    d.CountTriangles(renderer.trianglesDrawn());
    return D3DRM_OK;
}

HRESULT Viewport::GetDevice(IDirect3DRMDevice** device)
{
    if (!device)
        return D3DRMERR_BADVALUE;
    HandOut(static_cast<IDirect3DRMDevice*>(device_.get()), device);
    return D3DRM_OK;
}

HRESULT Viewport::SetCamera(IDirect3DRMFrame* camera)
{
    Frame* c = As<Frame>(camera);
    if (!c)
        return D3DRMERR_BADOBJECT;
    camera_ = RefPtr<Frame>(c);
    return D3DRM_OK;
}

HRESULT Viewport::GetCamera(IDirect3DRMFrame** camera)
{
    if (!camera)
        return D3DRMERR_BADVALUE;
    HandOut(static_cast<IDirect3DRMFrame*>(camera_.get()), camera);
    return D3DRM_OK;
}

HRESULT Viewport::SetProjection(D3DRMPROJECTIONTYPE type)
{
    if (type != D3DRMPROJECT_PERSPECTIVE && type != D3DRMPROJECT_ORTHOGRAPHIC)
        return D3DRMERR_BADVALUE;
    projection_ = type;
    return D3DRM_OK;
}

HRESULT Viewport::SetUniformScaling(BOOL uniform)
{
    uniform_ = uniform ? TRUE : FALSE;
    return D3DRM_OK;
}

HRESULT Viewport::SetField(D3DVALUE field)
{
    if (!Finite(field) || field <= 0)
        return D3DRMERR_BADVALUE;
    field_ = field;
    left_ = bottom_ = -field;
    right_ = top_ = field;
    return D3DRM_OK;
}

HRESULT Viewport::SetFront(D3DVALUE front)
{
    if (!Finite(front) || front <= 0 || front >= back_)
        return D3DRMERR_BADVALUE;
    front_ = front;
    return D3DRM_OK;
}

HRESULT Viewport::SetBack(D3DVALUE back)
{
    if (!Finite(back) || back <= front_)
        return D3DRMERR_BADVALUE;
    back_ = back;
    return D3DRM_OK;
}

HRESULT Viewport::SetPlane(D3DVALUE left, D3DVALUE right, D3DVALUE bottom, D3DVALUE top)
{
    if (!Finite(left) || !Finite(right) || !Finite(bottom) || !Finite(top) || !(left < right) || !(bottom < top))
        return D3DRMERR_BADVALUE;
    left_ = left;
    right_ = right;
    bottom_ = bottom;
    top_ = top;
    return D3DRM_OK;
}

HRESULT Viewport::GetPlane(LPD3DVALUE left, LPD3DVALUE right, LPD3DVALUE bottom, LPD3DVALUE top)
{
    if (!left && !right && !bottom && !top)
        return D3DRMERR_BADVALUE;
    if (left)
        *left = left_;
    if (right)
        *right = right_;
    if (bottom)
        *bottom = bottom_;
    if (top)
        *top = top_;
    return D3DRM_OK;
}

HRESULT Viewport::Transform(D3DRMVECTOR4D* destination, LPD3DVECTOR source)
{
    if (!destination || !source || width_ == 0 || height_ == 0)
        return D3DRMERR_BADVALUE;
    raster::Projection p = raster::makeProjection(Setup());
    Matrix worldToClip = Inverse(camera_->World()) * FromRasterMatrix(p.cameraToClip);
    raster::Vec4 c = raster::transformPoint4({source->x, source->y, source->z}, ToRasterMatrix(worldToClip));
    // x / w and y / w are the device pixel; z / w the depth from 0 (front) to 1 (back).
    destination->x = p.centerX * c.w + c.x * p.halfWidth;
    destination->y = p.centerY * c.w - c.y * p.halfHeight;
    destination->z = c.z;
    destination->w = c.w;
    return D3DRM_OK;
}

HRESULT Viewport::InverseTransform(LPD3DVECTOR destination, D3DRMVECTOR4D* source)
{
    if (!destination || !source || source->w == 0 || width_ == 0 || height_ == 0)
        return D3DRMERR_BADVALUE;
    raster::Projection p = raster::makeProjection(Setup());
    const float w = source->w;
    Matrix clip;  // the clip point as a row, inverted through camera and projection
    clip.m[0][0] = (source->x - p.centerX * w) / p.halfWidth;
    clip.m[0][1] = (p.centerY * w - source->y) / p.halfHeight;
    clip.m[0][2] = source->z;
    clip.m[0][3] = w;
    Matrix clipToWorld = Inverse(Inverse(camera_->World()) * FromRasterMatrix(p.cameraToClip));
    Matrix world = clip * clipToWorld;
    float hw = world.m[0][3];
    if (hw == 0 || !std::isfinite(hw))
        return D3DRMERR_BADVALUE;
    *destination = {world.m[0][0] / hw, world.m[0][1] / hw, world.m[0][2] / hw};
    return D3DRM_OK;
}

// ---- IDirect3DViewport -------------------------------------------------------------------

HRESULT ImmediateViewport::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDirect3DViewport) {
        AddRef();
        *object = static_cast<IDirect3DViewport*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ImmediateViewport::AddRef() { return owner_.AddRef(); }
ULONG ImmediateViewport::Release() { return owner_.Release(); }

HRESULT ImmediateViewport::GetRect(D3DRECT* rect)
{
    if (!rect)
        return DDERR_INVALIDPARAMS;
    raster::PixelRect r = owner_.Rect();
    *rect = {r.left, r.top, r.right, r.bottom};
    return D3D_OK;
}

}  // namespace rm
