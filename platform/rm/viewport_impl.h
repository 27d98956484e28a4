#pragma once
// Viewport: a rectangle of a device showing a scene through a camera frame, with its
// projection settings. Holds one reference to its device and one to its camera.
//
// Mapping (see raster/projection.h): the viewing plane (left, right, bottom, top) lies at the
// front clipping distance for a perspective projection and spans camera units directly for an
// orthographic one. SetField(f) makes the plane (-f, f, -f, f); with uniform scaling the plane
// is fitted into the rectangle, so [-f, f] spans its shorter side and the longer side shows
// more. The game's orthographic field 6 therefore shows -6..6 units across the height of a
// wide viewport.

#include "platform/rm/d3d_device.h"
#include "platform/rm/device_impl.h"
#include "platform/rm/impl/scene.h"
#include "platform/rm/raster/projection.h"
#include "platform/rm/viewport.h"

namespace rm {

class Viewport;

// The immediate-mode viewport under a viewport; counted with it.
class ImmediateViewport final : public IDirect3DViewport {
public:
    explicit ImmediateViewport(Viewport& owner) : owner_(owner) {}
    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetRect(D3DRECT* rect) override;
    Viewport& Owner() { return owner_; }

private:
    Viewport& owner_;
};

class Viewport final : public Object<IDirect3DRMViewport> {
public:
    static HRESULT Create(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y, DWORD width,
                          DWORD height, Viewport** viewport);

    HRESULT Configure(LONG x, LONG y, DWORD width, DWORD height) override;
    HRESULT ForceUpdate(DWORD x1, DWORD y1, DWORD x2, DWORD y2) override;
    HRESULT Clear() override;
    HRESULT Render(IDirect3DRMFrame* frame) override;
    HRESULT GetDevice(IDirect3DRMDevice** device) override;
    HRESULT SetCamera(IDirect3DRMFrame* camera) override;
    HRESULT GetCamera(IDirect3DRMFrame** camera) override;
    HRESULT SetProjection(D3DRMPROJECTIONTYPE type) override;
    D3DRMPROJECTIONTYPE GetProjection() override { return projection_; }
    HRESULT SetUniformScaling(BOOL uniform) override;
    BOOL GetUniformScaling() override { return uniform_; }
    HRESULT SetField(D3DVALUE field) override;
    D3DVALUE GetField() override { return field_; }
    HRESULT SetFront(D3DVALUE front) override;
    D3DVALUE GetFront() override { return front_; }
    HRESULT SetBack(D3DVALUE back) override;
    D3DVALUE GetBack() override { return back_; }
    HRESULT SetPlane(D3DVALUE left, D3DVALUE right, D3DVALUE bottom, D3DVALUE top) override;
    HRESULT GetPlane(LPD3DVALUE left, LPD3DVALUE right, LPD3DVALUE bottom, LPD3DVALUE top) override;
    LONG GetX() override { return x_; }
    LONG GetY() override { return y_; }
    DWORD GetWidth() override { return width_; }
    DWORD GetHeight() override { return height_; }
    HRESULT Transform(D3DRMVECTOR4D* destination, LPD3DVECTOR source) override;
    HRESULT InverseTransform(LPD3DVECTOR destination, D3DRMVECTOR4D* source) override;

    const char* ClassName() const override { return "Viewport"; }

    IDirect3DViewport* Immediate() { return &immediate_; }
    // Carries out a Clear that no Render has taken over yet (a Render clears band by band as it
    // draws). Called before the device's pixels are read or the rectangle moves.
    void FlushClear();
    Device& Owner() { return *device_; }
    raster::PixelRect Rect() const;

protected:
    void* FindInterface(REFIID iid) override;
    const IID& InterfaceId() const override { return IID_IDirect3DRMViewport; }

private:
    Viewport(Device& device, Frame& camera, LONG x, LONG y, DWORD width, DWORD height);
    ~Viewport() override;

    raster::ViewSetup Setup() const;
    bool OverlapsAnother() const;

    RefPtr<Device> device_;
    RefPtr<Frame> camera_;
    LONG x_, y_;                    // on the device, pixels
    DWORD width_, height_;          // pixels
    D3DRMPROJECTIONTYPE projection_ = D3DRMPROJECT_PERSPECTIVE;
    BOOL uniform_ = TRUE;
    D3DVALUE field_ = 0.5f;
    D3DVALUE front_ = 1, back_ = 100;                                  // camera units along +Z
    D3DVALUE left_ = -0.5f, right_ = 0.5f, bottom_ = -0.5f, top_ = 0.5f;  // viewing plane

    // What Clear must restore: pixels drawn since the last clear. Outside them the rectangle
    // still holds the background of the last full clear, so only they need clearing again.
    raster::BandRegion drawnSinceClear_;
    bool fullClearNeeded_ = true;
    D3DCOLOR lastBackground_ = 0;
    float lastDepthClear_ = 1;
    raster::ClearRequest pendingClear_;
    bool clearPending_ = false;
    // The last frame, when it was a clear and one render: the next one redraws what changed.
    SceneMemory memory_;

    ImmediateViewport immediate_{*this};
};

}  // namespace rm
