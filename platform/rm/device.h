#pragma once
// Devices: a colour buffer and a depth buffer of a fixed size, bound to a window through a
// DirectDraw clipper, with the settings that decide how scenes are drawn, and the viewports
// made on it. Implemented by the rendering half of the library (device*.cpp).

#include "platform/rm/object.h"

struct IDirect3DDevice;
struct IDirect3DRMViewport;
struct IDirect3DRMViewportArray;

struct IDirect3DRMDevice : IDirect3DRMObject {
    // Presents what the viewports rendered since the last update to the window.
    virtual HRESULT Update() = 0;
    virtual HRESULT SetBufferCount(DWORD count) = 0;
    virtual DWORD GetBufferCount() = 0;
    virtual HRESULT SetDither(BOOL dither) = 0;
    virtual BOOL GetDither() = 0;
    // Shades per colour of the ramp (a power of two, 1 or more).
    virtual HRESULT SetShades(DWORD shades) = 0;
    virtual DWORD GetShades() = 0;
    virtual HRESULT SetQuality(D3DRMRENDERQUALITY quality) = 0;
    virtual D3DRMRENDERQUALITY GetQuality() = 0;
    virtual HRESULT SetTextureQuality(D3DRMTEXTUREQUALITY quality) = 0;
    virtual D3DRMTEXTUREQUALITY GetTextureQuality() = 0;
    virtual HRESULT GetViewports(IDirect3DRMViewportArray** viewports) = 0;
    virtual DWORD GetTrianglesDrawn() = 0;
    virtual DWORD GetWireframeOptions() = 0;
    virtual DWORD GetWidth() = 0;
    virtual DWORD GetHeight() = 0;
    virtual D3DCOLORMODEL GetColorModel() = 0;
    // The immediate-mode device under this device (render states, execute buffers).
    virtual HRESULT GetDirect3DDevice(IDirect3DDevice** device) = 0;
};
using LPDIRECT3DRMDEVICE = IDirect3DRMDevice*;

// The window side of a device: painting and activation of the window it draws into.
struct IDirect3DRMWinDevice : IDirect3DRMObject {
    virtual HRESULT HandlePaint(HDC dc) = 0;
    virtual HRESULT HandleActivate(WORD state) = 0;
};
using LPDIRECT3DRMWINDEVICE = IDirect3DRMWinDevice*;

struct IDirect3DRMDeviceArray : IUnknown {
    virtual DWORD GetSize() = 0;
    virtual HRESULT GetElement(DWORD index, IDirect3DRMDevice** device) = 0;
};
using LPDIRECT3DRMDEVICEARRAY = IDirect3DRMDeviceArray*;
