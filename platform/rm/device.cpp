#include <algorithm>
#include <new>

#include "platform/rm/ddraw_clipper.h"
#include "platform/rm/device_impl.h"
#include "platform/rm/viewport_impl.h"

namespace rm {

namespace {

constexpr int kMaxDeviceSide = 8192;  // pixels

std::vector<Device*>& DeviceList()
{
    static std::vector<Device*> devices;
    return devices;
}

bool ValidQuality(D3DRMRENDERQUALITY q)
{
    if (q & ~(D3DRMSHADE_MASK | D3DRMLIGHT_MASK | D3DRMFILL_MASK))
        return false;
    DWORD shade = q & D3DRMSHADE_MASK, light = q & D3DRMLIGHT_MASK, fill = q & D3DRMFILL_MASK;
    return shade <= D3DRMSHADE_PHONG && (light == D3DRMLIGHT_OFF || light == D3DRMLIGHT_ON) &&
           (fill == D3DRMFILL_POINTS || fill == D3DRMFILL_WIREFRAME || fill == D3DRMFILL_SOLID);
}

bool Touching(const raster::PixelRect& a, const raster::PixelRect& b)
{
    // a grown by one pixel, so that areas side by side merge.
    return !raster::intersect({a.left - 1, a.top - 1, a.right + 1, a.bottom + 1}, b).empty();
}

}  // namespace

HRESULT Device::Create(IDirectDrawClipper* clipper, const GUID* driverGuid, int width, int height, Device** device)
{
    if (!device)
        return D3DRMERR_BADVALUE;
    *device = nullptr;
    if (!dynamic_cast<Clipper*>(clipper))
        return D3DRMERR_BADOBJECT;
    const DriverInfo* driver = FindDriver(driverGuid);
    if (!driver)
        return D3DRMERR_BADDEVICE;
    if (width <= 0 || height <= 0 || width > kMaxDeviceSide || height > kMaxDeviceSide)
        return D3DRMERR_BADVALUE;
    try {
        *device = new Device(clipper, *driver, width, height);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return D3DRM_OK;
}

Device::Device(IDirectDrawClipper* clipper, const DriverInfo& driver, int width, int height)
    : clipper_(clipper),
      driver_(&driver),
      width_(width),
      height_(height),
      color_(static_cast<std::size_t>(width) * height, 0xFF000000u),
      depth_(static_cast<std::size_t>(width) * height, 1.0f)
{
    DeviceList().push_back(this);
}

Device::~Device()
{
    auto& list = DeviceList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

const std::vector<Device*>& Device::All() { return DeviceList(); }

void* Device::FindInterface(REFIID iid)
{
    if (iid == IID_IDirect3DRMWinDevice)
        return static_cast<IDirect3DRMWinDevice*>(&winSide_);
    return Object::FindInterface(iid);
}

HRESULT Device::SetBufferCount(DWORD count)
{
    if (count < 1 || count > 3)
        return D3DRMERR_BADVALUE;
    bufferCount_ = count;
    return D3DRM_OK;
}

HRESULT Device::SetDither(BOOL dither)
{
    dither_ = dither ? TRUE : FALSE;
    return D3DRM_OK;
}

HRESULT Device::SetShades(DWORD shades)
{
    // A power of two; more than 65536 shades would be indistinguishable anyway.
    if (shades == 0 || shades > 65536 || (shades & (shades - 1)) != 0)
        return D3DRMERR_BADVALUE;
    shades_ = shades;
    return D3DRM_OK;
}

HRESULT Device::SetQuality(D3DRMRENDERQUALITY quality)
{
    if (!ValidQuality(quality))
        return D3DRMERR_BADVALUE;
    quality_ = quality;
    return D3DRM_OK;
}

HRESULT Device::SetTextureQuality(D3DRMTEXTUREQUALITY quality)
{
    if (quality < D3DRMTEXTURE_NEAREST || quality > D3DRMTEXTURE_LINEARMIPLINEAR)
        return D3DRMERR_BADVALUE;
    textureQuality_ = quality;
    return D3DRM_OK;
}

HRESULT Device::GetViewports(IDirect3DRMViewportArray** viewports)
{
    std::vector<RefPtr<IDirect3DRMViewport>> list(viewports_.begin(), viewports_.end());
    return HandOutArray(IID_IDirect3DRMViewportArray, std::move(list), viewports);
}

HRESULT Device::GetDirect3DDevice(IDirect3DDevice** device)
{
    if (!device)
        return D3DRMERR_BADVALUE;
    HandOut(static_cast<IDirect3DDevice*>(&immediate_), device);
    return D3DRM_OK;
}

raster::RenderTarget Device::Target() { return {color_.data(), depth_.data(), width_, height_, width_}; }

raster::RasterOptions Device::DrawingOptions()
{
    raster::RasterOptions o;
    switch (quality_ & D3DRMFILL_MASK) {
    case D3DRMFILL_POINTS: o.fill = raster::FillMode::Points; break;
    case D3DRMFILL_WIREFRAME: o.fill = raster::FillMode::Wireframe; break;
    default: o.fill = raster::FillMode::Solid; break;
    }
    switch (quality_ & D3DRMSHADE_MASK) {
    case D3DRMSHADE_FLAT: o.shade = raster::ShadeMode::Flat; break;
    case D3DRMSHADE_PHONG: o.shade = raster::ShadeMode::Phong; break;
    default: o.shade = raster::ShadeMode::Gouraud; break;
    }
    o.lighting = (quality_ & D3DRMLIGHT_MASK) == D3DRMLIGHT_ON;
    o.colorModel = driver_->colorModel == D3DCOLOR_MONO ? raster::ColorModel::Mono : raster::ColorModel::Rgb;
    o.shades = std::min<DWORD>(shades_, 256);
    o.dither = dither_ != 0;
    o.textureFilter = static_cast<raster::TextureFilter>(textureQuality_);
    states_.ApplyTo(o);
    return o;
}

void Device::MarkDirty(const raster::PixelRect& rect) { MarkDirty(raster::BandRegion(rect)); }

void Device::MarkDirty(const raster::BandRegion& area)
{
    raster::BandRegion inside = area.clippedTo({0, 0, width_, height_});
    if (inside.empty())
        return;
    // Areas far apart (one per viewport, say) stay apart, so that nothing between them is
    // presented; areas that meet become one.
    const raster::PixelRect bounds = inside.bounds();
    for (raster::BandRegion& d : dirty_) {
        if (Touching(d.bounds(), bounds)) {
            d.add(inside);
            return;
        }
    }
    if (dirty_.size() >= 8) {  // many scattered pieces: one area for all
        for (std::size_t i = 1; i < dirty_.size(); ++i)
            dirty_[0].add(dirty_[i]);
        dirty_.resize(1);
        dirty_[0].add(inside);
        return;
    }
    dirty_.push_back(std::move(inside));
}

void Device::PresentNow(const raster::BandRegion& area)
{
    auto* clipper = dynamic_cast<Clipper*>(clipper_.get());
    HWND window = clipper ? clipper->Window() : nullptr;
    if (!window)
        return;
    const raster::PixelRect shown{0, 0, std::min(width_, window->ClientWidth()), std::min(height_, window->ClientHeight())};
    area.forEachRect([&](const raster::PixelRect& rect) {
        raster::PixelRect r = raster::intersect(rect, shown);
        if (!r.empty())
            window->Present(color_.data(), width_, width_, height_, {r.left, r.top, r.right, r.bottom});
    });
}

HRESULT Device::Update()
{
    for (Viewport* v : viewports_)
        v->FlushClear();
    // Areas merged earlier may overlap; the window only copies, so an overlap costs a little time.
    for (const raster::BandRegion& d : dirty_)
        PresentNow(d);
    dirty_.clear();
    return D3DRM_OK;
}

void Device::Detach(Viewport* viewport)
{
    viewports_.erase(std::remove(viewports_.begin(), viewports_.end(), viewport), viewports_.end());
}

// ---- IDirect3DRMWinDevice --------------------------------------------------------------------

HRESULT WinDeviceSide::QueryInterface(REFIID iid, void** object) { return owner_.QueryInterface(iid, object); }
ULONG WinDeviceSide::AddRef() { return owner_.AddRef(); }
ULONG WinDeviceSide::Release() { return owner_.Release(); }
HRESULT WinDeviceSide::Clone(IUnknown* outer, REFIID iid, void** object) { return owner_.Clone(outer, iid, object); }
HRESULT WinDeviceSide::AddDestroyCallback(D3DRMOBJECTCALLBACK callback, void* arg)
{
    return owner_.AddDestroyCallback(callback, arg);
}
HRESULT WinDeviceSide::DeleteDestroyCallback(D3DRMOBJECTCALLBACK callback, void* arg)
{
    return owner_.DeleteDestroyCallback(callback, arg);
}
HRESULT WinDeviceSide::SetAppData(DWORD_PTR data) { return owner_.SetAppData(data); }
DWORD_PTR WinDeviceSide::GetAppData() { return owner_.GetAppData(); }
HRESULT WinDeviceSide::SetName(LPCSTR name) { return owner_.SetName(name); }
HRESULT WinDeviceSide::GetName(LPDWORD size, LPSTR name) { return owner_.GetName(size, name); }
HRESULT WinDeviceSide::GetClassName(LPDWORD size, LPSTR name) { return owner_.GetClassName(size, name); }

HRESULT WinDeviceSide::HandlePaint(HDC)
{
    for (Viewport* v : owner_.viewports_)
        v->FlushClear();
    owner_.PresentNow(raster::BandRegion({0, 0, owner_.width_, owner_.height_}));
    return D3DRM_OK;
}

HRESULT WinDeviceSide::HandleActivate(WORD) { return D3DRM_OK; }

}  // namespace rm
