#pragma once
// Viewports: a rectangle of a device that shows a scene through a camera frame, which looks
// along its +Z with +Y up; screen x is the camera's +X. Implemented by the rendering half of
// the library (viewport*.cpp).

#include "platform/rm/object.h"

struct IDirect3DRMDevice;
struct IDirect3DRMFrame;

struct IDirect3DRMViewport : IDirect3DRMObject {
    // Moves and resizes the rectangle on the device.
    virtual HRESULT Configure(LONG x, LONG y, DWORD width, DWORD height) = 0;
    // Marks a rectangle (device pixels, x2 and y2 exclusive) to be presented at the next Update.
    virtual HRESULT ForceUpdate(DWORD x1, DWORD y1, DWORD x2, DWORD y2) = 0;
    // Fills the rectangle with the scene's background and clears its depth.
    virtual HRESULT Clear() = 0;
    // Draws the scene of frame (a root, or any frame with its subtree) through the camera.
    virtual HRESULT Render(IDirect3DRMFrame* frame) = 0;
    virtual HRESULT GetDevice(IDirect3DRMDevice** device) = 0;

    virtual HRESULT SetCamera(IDirect3DRMFrame* camera) = 0;
    virtual HRESULT GetCamera(IDirect3DRMFrame** camera) = 0;
    virtual HRESULT SetProjection(D3DRMPROJECTIONTYPE type) = 0;
    virtual D3DRMPROJECTIONTYPE GetProjection() = 0;
    virtual HRESULT SetUniformScaling(BOOL uniform) = 0;
    virtual BOOL GetUniformScaling() = 0;
    // Sets the viewing plane to (-field, field, -field, field). With uniform scaling the plane
    // is fitted into the rectangle, so [-field, field] spans its shorter side. Values of 0 or
    // less: D3DRMERR_BADVALUE.
    virtual HRESULT SetField(D3DVALUE field) = 0;
    virtual D3DVALUE GetField() = 0;
    virtual HRESULT SetFront(D3DVALUE front) = 0;
    virtual D3DVALUE GetFront() = 0;
    virtual HRESULT SetBack(D3DVALUE back) = 0;
    virtual D3DVALUE GetBack() = 0;
    // The viewing plane (left < right, bottom < top), in camera units: at the front plane's
    // distance for a perspective projection, directly across the view for an orthographic one.
    virtual HRESULT SetPlane(D3DVALUE left, D3DVALUE right, D3DVALUE bottom, D3DVALUE top) = 0;
    virtual HRESULT GetPlane(LPD3DVALUE left, LPD3DVALUE right, LPD3DVALUE bottom, LPD3DVALUE top) = 0;
    virtual LONG GetX() = 0;
    virtual LONG GetY() = 0;
    virtual DWORD GetWidth() = 0;
    virtual DWORD GetHeight() = 0;

    // World point to homogeneous screen coordinates (x / w, y / w are device pixels).
    virtual HRESULT Transform(D3DRMVECTOR4D* destination, LPD3DVECTOR source) = 0;
    // Homogeneous screen coordinates back to a world point.
    virtual HRESULT InverseTransform(LPD3DVECTOR destination, D3DRMVECTOR4D* source) = 0;
};
using LPDIRECT3DRMVIEWPORT = IDirect3DRMViewport*;

struct IDirect3DRMViewportArray : IUnknown {
    virtual DWORD GetSize() = 0;
    virtual HRESULT GetElement(DWORD index, IDirect3DRMViewport** viewport) = 0;
};
using LPDIRECT3DRMVIEWPORTARRAY = IDirect3DRMViewportArray*;
