#pragma once
// The base of every interface: a reference count and the look-up of other interfaces of the
// same object by interface id. Calls never throw; failures come back as HRESULT values.

#include "platform/rm/types.h"

// Interface ids of the library. The window-device id is the one the view control asks for.
#define ZTARN_RM_IID(name, n) \
    inline constexpr IID name{0x5A3F0000u + (n), 0x7C2B, 0x4E1D, {0x9A, 0x60, 0x3D, 0x52, 0xE7, 0xA1, 0xC0, 0x00}}
ZTARN_RM_IID(IID_IUnknown, 0x00);
ZTARN_RM_IID(IID_IDirect3DRM, 0x01);
ZTARN_RM_IID(IID_IDirect3DRMObject, 0x02);
ZTARN_RM_IID(IID_IDirect3DRMVisual, 0x03);
ZTARN_RM_IID(IID_IDirect3DRMFrame, 0x04);
ZTARN_RM_IID(IID_IDirect3DRMMeshBuilder, 0x05);
ZTARN_RM_IID(IID_IDirect3DRMMesh, 0x06);
ZTARN_RM_IID(IID_IDirect3DRMFace, 0x07);
ZTARN_RM_IID(IID_IDirect3DRMLight, 0x08);
ZTARN_RM_IID(IID_IDirect3DRMMaterial, 0x09);
ZTARN_RM_IID(IID_IDirect3DRMTexture, 0x0A);
ZTARN_RM_IID(IID_IDirect3DRMWrap, 0x0B);
ZTARN_RM_IID(IID_IDirect3DRMDevice, 0x0C);
ZTARN_RM_IID(IID_IDirect3DRMViewport, 0x0D);
ZTARN_RM_IID(IID_IDirect3DRMFrameArray, 0x10);
ZTARN_RM_IID(IID_IDirect3DRMVisualArray, 0x11);
ZTARN_RM_IID(IID_IDirect3DRMLightArray, 0x12);
ZTARN_RM_IID(IID_IDirect3DRMFaceArray, 0x13);
ZTARN_RM_IID(IID_IDirect3DRMDeviceArray, 0x14);
ZTARN_RM_IID(IID_IDirect3DRMViewportArray, 0x15);
ZTARN_RM_IID(IID_IDirectDraw, 0x20);
ZTARN_RM_IID(IID_IDirectDrawClipper, 0x21);
ZTARN_RM_IID(IID_IDirectDrawSurface, 0x22);
ZTARN_RM_IID(IID_IDirect3D, 0x23);
ZTARN_RM_IID(IID_IDirect3DDevice, 0x24);
ZTARN_RM_IID(IID_IDirect3DViewport, 0x25);
ZTARN_RM_IID(IID_IDirect3DExecuteBuffer, 0x26);
#undef ZTARN_RM_IID
inline constexpr IID IID_IDirect3DRMWinDevice{
    0xC5016CC0u, 0xD273, 0x11CE, {0xAC, 0x48, 0x00, 0x00, 0xC0, 0x38, 0x25, 0xA1}};

struct IUnknown {
    // On success *object holds one counted reference to the interface asked for; on failure
    // (E_NOINTERFACE, E_POINTER) it is set to null when the pointer itself is given.
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    // Drops one reference; the object is destroyed when the last one goes. Returns the count left.
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;
