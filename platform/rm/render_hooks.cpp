// The rendering half of IDirect3DRM: devices, viewports and the drawing part of Tick.
#include <vector>

#include "platform/rm/device_impl.h"
#include "platform/rm/render_hooks.h"
#include "platform/rm/viewport_impl.h"

namespace rm::render {

HRESULT CreateDeviceFromClipper(IDirectDrawClipper* clipper, const GUID* driver, int width, int height,
                                IDirect3DRMDevice** device)
{
    Device* made = nullptr;
    HRESULT hr = Device::Create(clipper, driver, width, height, &made);
    *device = made;
    return hr;
}

HRESULT CreateViewport(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y, DWORD width,
                       DWORD height, IDirect3DRMViewport** viewport)
{
    Viewport* made = nullptr;
    HRESULT hr = Viewport::Create(device, camera, x, y, width, height, &made);
    *viewport = made;
    return hr;
}

HRESULT GetDevices(IDirect3DRMDeviceArray** devices)
{
    std::vector<RefPtr<IDirect3DRMDevice>> list(Device::All().begin(), Device::All().end());
    return HandOutArray(IID_IDirect3DRMDeviceArray, std::move(list), devices);
}

HRESULT RenderAllDevices()
{
    // A destroy callback run while drawing may call Tick again: that inner call draws nothing
    // (the outer one is still drawing every device).
    static bool drawing = false;
    if (drawing)
        return D3DRM_OK;
    struct Guard {
        Guard() { drawing = true; }
        ~Guard() { drawing = false; }
    } guard;
    // Hold every device and viewport while drawing: a destroy callback may release one. The
    // lists keep their capacity from one heartbeat to the next.
    static std::vector<RefPtr<Device>> devices;
    static std::vector<RefPtr<Viewport>> viewports;
    devices.assign(Device::All().begin(), Device::All().end());
    HRESULT result = D3DRM_OK;
    for (const RefPtr<Device>& device : devices) {
        viewports.assign(device->Viewports().begin(), device->Viewports().end());
        for (const RefPtr<Viewport>& viewport : viewports) {
            RefPtr<IDirect3DRMFrame> camera;
            if (FAILED(viewport->GetCamera(camera.put())) || !camera)
                continue;
            RefPtr<IDirect3DRMFrame> scene;
            if (FAILED(camera->GetScene(scene.put())) || !scene)
                continue;
            viewport->Clear();
            HRESULT hr = viewport->Render(scene.get());
            if (FAILED(hr))
                result = hr;
        }
        viewports.clear();
        device->Update();
    }
    devices.clear();
    return result;
}

}  // namespace rm::render
