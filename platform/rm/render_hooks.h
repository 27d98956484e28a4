#pragma once
// What IDirect3DRM asks of the rendering half of the library (devices, viewports, drawing).
// The object half calls these; the rendering half defines them (render_hooks.cpp).

#include "platform/rm/rm.h"

namespace rm::render {

// IDirect3DRM::CreateDeviceFromClipper, arguments already checked for null out-pointer.
HRESULT CreateDeviceFromClipper(IDirectDrawClipper* clipper, const GUID* driver, int width, int height,
                                IDirect3DRMDevice** device);

// IDirect3DRM::CreateViewport, arguments already checked for null out-pointer.
HRESULT CreateViewport(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y, DWORD width,
                       DWORD height, IDirect3DRMViewport** viewport);

// IDirect3DRM::GetDevices: the devices of the process, oldest first.
HRESULT GetDevices(IDirect3DRMDeviceArray** devices);

// The rendering half of IDirect3DRM::Tick, after the frames moved: clear and render every
// viewport of every device, then update the devices.
HRESULT RenderAllDevices();

}  // namespace rm::render
