// Placeholder rendering half: no devices exist yet. The rendering engineer replaces these
// definitions with the real ones (and deletes this file).

#include "platform/rm/render_hooks.h"

namespace rm::render {

HRESULT CreateDeviceFromClipper(IDirectDrawClipper*, const GUID*, int, int, IDirect3DRMDevice** device)
{
    if (device)
        *device = nullptr;
    return E_NOTIMPL;
}

HRESULT CreateViewport(IDirect3DRMDevice*, IDirect3DRMFrame*, DWORD, DWORD, DWORD, DWORD,
                       IDirect3DRMViewport** viewport)
{
    if (viewport)
        *viewport = nullptr;
    return E_NOTIMPL;
}

HRESULT GetDevices(IDirect3DRMDeviceArray** devices)
{
    if (devices)
        *devices = nullptr;
    return E_NOTIMPL;
}

HRESULT RenderAllDevices() { return S_OK; }

}  // namespace rm::render
