#pragma once
// Setting one Direct3D render state on a device, locked against the retained-mode library's
// own changes: an execute buffer that unlocks the state, sets it and locks it again.

#include "platform/rm/d3d_device.h"
#include "platform/rm/device.h"

// Through the immediate-mode device under a retained-mode device. A null device gives
// E_INVALIDARG; otherwise the result of ExecuteRenderState (or of reaching that device).
HRESULT SetDeviceRenderState(IDirect3DRMDevice* device, D3DRENDERSTATETYPE state, DWORD value);

// Executes, on the device's first viewport, the entries (state + D3DSTATE_OVERRIDE_BIAS, 0),
// (state, value), (state + D3DSTATE_OVERRIDE_BIAS, 1). The first failing step ends the chain
// and its HRESULT is returned (a begun scene is still ended).
HRESULT ExecuteRenderState(IDirect3DDevice* device, D3DRENDERSTATETYPE state, DWORD value);
