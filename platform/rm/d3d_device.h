#pragma once
// The immediate-mode side: the Direct3D object of a display driver (its software drivers and
// their descriptions) and the immediate-mode device under each retained-mode device, which
// takes render states through execute buffers.

#include "platform/rm/d3d_types.h"
#include "platform/rm/unknown.h"

struct IDirect3DViewport;

// Device enumeration: GUID, description, name, hardware description (colour model 0: none)
// and emulation description; all valid only during the call. Return D3DENUMRET_CANCEL to stop.
using LPD3DENUMDEVICESCALLBACK = HRESULT (*)(GUID* guid, LPSTR description, LPSTR name, D3DDEVICEDESC* hardware,
                                             D3DDEVICEDESC* emulation, LPVOID context);

// Reached through IDirectDraw::QueryInterface(IID_IDirect3D).
struct IDirect3D : IUnknown {
    virtual HRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK callback, LPVOID context) = 0;
    // The first driver that matches every criterion flagged in search; DDERR_NOTFOUND if none.
    // result->dwSize is kept; the rest is filled.
    virtual HRESULT FindDevice(D3DFINDDEVICESEARCH* search, D3DFINDDEVICERESULT* result) = 0;
};
using LPDIRECT3D = IDirect3D*;

// A viewport of the immediate-mode device; one stands under each retained-mode viewport.
struct IDirect3DViewport : IUnknown {
    // Position and size on the device, in pixels.
    virtual HRESULT GetRect(D3DRECT* rect) = 0;
};
using LPDIRECT3DVIEWPORT = IDirect3DViewport*;

struct IDirect3DExecuteBuffer : IUnknown {
    // Gives the buffer's bytes in desc->lpData (and its size) until Unlock.
    virtual HRESULT Lock(D3DEXECUTEBUFFERDESC* desc) = 0;
    virtual HRESULT Unlock() = 0;
    // Which bytes hold instructions; checked against the buffer's size.
    virtual HRESULT SetExecuteData(D3DEXECUTEDATA* data) = 0;
    virtual HRESULT GetExecuteData(D3DEXECUTEDATA* data) = 0;
};
using LPDIRECT3DEXECUTEBUFFER = IDirect3DExecuteBuffer*;

struct IDirect3DDevice : IUnknown {
    // Either description may be null; a given one is filled whole with its dwSize kept.
    virtual HRESULT GetCaps(D3DDEVICEDESC* hardware, D3DDEVICEDESC* emulation) = 0;
    // An unlocked execute buffer of desc->dwBufferSize bytes (D3DDEB_BUFSIZE must be set).
    virtual HRESULT CreateExecuteBuffer(D3DEXECUTEBUFFERDESC* desc, IDirect3DExecuteBuffer** buffer,
                                        IUnknown* outer) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    // Runs the buffer's instructions (between BeginScene and EndScene) for viewport, which must
    // be one of this device's. Render states go to the device as a whole.
    virtual HRESULT Execute(IDirect3DExecuteBuffer* buffer, IDirect3DViewport* viewport, DWORD flags) = 0;
    // D3DNEXT_HEAD / D3DNEXT_TAIL: the device's first or last viewport (reference ignored);
    // D3DNEXT_NEXT: the one after reference. D3DRMERR_NOTFOUND (and null) when there is none.
    virtual HRESULT NextViewport(IDirect3DViewport* reference, IDirect3DViewport** viewport, DWORD flags) = 0;
};
using LPDIRECT3DDEVICE = IDirect3DDevice*;
