#pragma once
// Device: the retained-mode device with its colour and depth buffers, its settings, its
// viewports, the immediate-mode device under it and the window-device side. Devices of the
// process are listed oldest first (IDirect3DRM::GetDevices, Tick).

#include <cstdint>
#include <vector>

#include "platform/rm/d3d_device.h"
#include "platform/rm/d3d_drivers.h"
#include "platform/rm/d3d_render_states.h"
#include "platform/rm/ddraw.h"
#include "platform/rm/device.h"
#include "platform/rm/impl/object_impl.h"
#include "platform/rm/raster/renderer.h"
#include "platform/rm/render_scene.h"

namespace rm {

class Device;
class Viewport;

// IDirect3DRMWinDevice of a device; counted, named and destroyed with the device.
class WinDeviceSide final : public IDirect3DRMWinDevice {
public:
    explicit WinDeviceSide(Device& owner) : owner_(owner) {}
    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT Clone(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT AddDestroyCallback(D3DRMOBJECTCALLBACK callback, void* arg) override;
    HRESULT DeleteDestroyCallback(D3DRMOBJECTCALLBACK callback, void* arg) override;
    HRESULT SetAppData(DWORD_PTR data) override;
    DWORD_PTR GetAppData() override;
    HRESULT SetName(LPCSTR name) override;
    HRESULT GetName(LPDWORD size, LPSTR name) override;
    HRESULT GetClassName(LPDWORD size, LPSTR name) override;
    // Presents the whole device to the window again (the window was exposed).
    HRESULT HandlePaint(HDC dc) override;
    // Nothing to do for a windowed software device.
    HRESULT HandleActivate(WORD state) override;

private:
    Device& owner_;
};

// The immediate-mode device under a retained-mode device; counted with it.
class ImmediateDevice final : public IDirect3DDevice {
public:
    explicit ImmediateDevice(Device& owner) : owner_(owner) {}
    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetCaps(D3DDEVICEDESC* hardware, D3DDEVICEDESC* emulation) override;
    HRESULT CreateExecuteBuffer(D3DEXECUTEBUFFERDESC* desc, IDirect3DExecuteBuffer** buffer, IUnknown* outer) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Execute(IDirect3DExecuteBuffer* buffer, IDirect3DViewport* viewport, DWORD flags) override;
    HRESULT NextViewport(IDirect3DViewport* reference, IDirect3DViewport** viewport, DWORD flags) override;

private:
    Device& owner_;
    bool inScene_ = false;
};

class Device final : public Object<IDirect3DRMDevice> {
public:
    static HRESULT Create(IDirectDrawClipper* clipper, const GUID* driver, int width, int height, Device** device);

    // IDirect3DRMDevice
    HRESULT Update() override;
    HRESULT SetBufferCount(DWORD count) override;
    DWORD GetBufferCount() override { return bufferCount_; }
    HRESULT SetDither(BOOL dither) override;
    BOOL GetDither() override { return dither_; }
    HRESULT SetShades(DWORD shades) override;
    DWORD GetShades() override { return shades_; }
    HRESULT SetQuality(D3DRMRENDERQUALITY quality) override;
    D3DRMRENDERQUALITY GetQuality() override { return quality_; }
    HRESULT SetTextureQuality(D3DRMTEXTUREQUALITY quality) override;
    D3DRMTEXTUREQUALITY GetTextureQuality() override { return textureQuality_; }
    HRESULT GetViewports(IDirect3DRMViewportArray** viewports) override;
    DWORD GetTrianglesDrawn() override { return trianglesDrawn_; }
    DWORD GetWireframeOptions() override { return wireframeOptions_; }
    DWORD GetWidth() override { return static_cast<DWORD>(width_); }
    DWORD GetHeight() override { return static_cast<DWORD>(height_); }
    D3DCOLORMODEL GetColorModel() override { return driver_->colorModel; }
    HRESULT GetDirect3DDevice(IDirect3DDevice** device) override;

    const char* ClassName() const override { return "Device"; }

    // The rendering side, used by viewports.
    raster::RenderTarget Target();
    // Drawing options from the settings and the render states (after the library's values).
    raster::RasterOptions DrawingOptions();
    RenderStateTable& States() { return states_; }
    raster::Renderer& Renderer() { return renderer_; }
    SceneDrawer& Drawer() { return drawer_; }
    const DriverInfo& Driver() const { return *driver_; }
    // Whether the library itself wants back faces culled: always, but for wireframe drawn
    // without the wireframe cull option.
    bool CullsBackFaces() const
    {
        return (quality_ & D3DRMFILL_MASK) != D3DRMFILL_WIREFRAME || (wireframeOptions_ & D3DRMWIREFRAME_CULL);
    }
    void CountTriangles(std::uint32_t count) { trianglesDrawn_ += count; }
    // Marks pixels (clipped to the device) to be presented at the next Update.
    void MarkDirty(const raster::PixelRect& rect);
    void MarkDirty(const raster::BandRegion& area);
    // Presents rect (device pixels) to the window now, when there is one.
    void PresentNow(const raster::BandRegion& area);

    // Viewports made on this device, oldest first (no references: a viewport holds its device).
    const std::vector<Viewport*>& Viewports() const { return viewports_; }
    void Attach(Viewport* viewport) { viewports_.push_back(viewport); }
    void Detach(Viewport* viewport);

    // The devices of the process, oldest first, without references.
    static const std::vector<Device*>& All();

protected:
    void* FindInterface(REFIID iid) override;
    const IID& InterfaceId() const override { return IID_IDirect3DRMDevice; }

private:
    Device(IDirectDrawClipper* clipper, const DriverInfo& driver, int width, int height);
    ~Device() override;

    friend class WinDeviceSide;
    friend class ImmediateDevice;

    RefPtr<IDirectDrawClipper> clipper_;
    const DriverInfo* driver_;
    int width_, height_;
    std::vector<std::uint32_t> color_;  // width_ x height_, 0xAARRGGBB
    std::vector<float> depth_;          // width_ x height_, 0 front .. 1 back
    D3DRMRENDERQUALITY quality_ = D3DRMRENDER_FLAT;
    DWORD shades_ = 32;
    BOOL dither_ = TRUE;
    D3DRMTEXTUREQUALITY textureQuality_ = D3DRMTEXTURE_NEAREST;
    DWORD bufferCount_ = 1;
    DWORD wireframeOptions_ = D3DRMWIREFRAME_CULL;
    DWORD trianglesDrawn_ = 0;  // since the device was made
    RenderStateTable states_;
    raster::Renderer renderer_;
    SceneDrawer drawer_;
    std::vector<raster::BandRegion> dirty_;  // apart from each other, waiting for Update
    std::vector<Viewport*> viewports_;
    WinDeviceSide winSide_{*this};
    ImmediateDevice immediate_{*this};
};

}  // namespace rm
