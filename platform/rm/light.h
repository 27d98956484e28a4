#pragma once
// Lights: ambient, point, spot, directional and parallel point. A light shines from the frames
// it is added to (position and direction: the frame's origin and z axis).

#include "platform/rm/object.h"

struct IDirect3DRMFrame;

struct IDirect3DRMLight : IDirect3DRMObject {
    virtual HRESULT SetType(D3DRMLIGHTTYPE type) = 0;
    virtual D3DRMLIGHTTYPE GetType() = 0;
    virtual HRESULT SetColor(D3DCOLOR color) = 0;
    virtual HRESULT SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) = 0;
    virtual D3DCOLOR GetColor() = 0;
    // Distance beyond which a point or spot light gives no light (default 256).
    virtual HRESULT SetRange(D3DVALUE range) = 0;
    virtual D3DVALUE GetRange() = 0;
    // Spot cone angles in radians: full light inside the umbra, falling off to the penumbra
    // (defaults 0.4 and 0.5). Negative or non-finite: D3DRMERR_BADVALUE. An umbra wider than
    // the penumbra is drawn as wide as the penumbra.
    virtual HRESULT SetUmbra(D3DVALUE angle) = 0;
    virtual HRESULT SetPenumbra(D3DVALUE angle) = 0;
    virtual D3DVALUE GetUmbra() = 0;
    virtual D3DVALUE GetPenumbra() = 0;
    // Intensity = 1 / (constant + linear * d + quadratic * d^2) (defaults 1, 0, 0).
    virtual HRESULT SetConstantAttenuation(D3DVALUE value) = 0;
    virtual HRESULT SetLinearAttenuation(D3DVALUE value) = 0;
    virtual HRESULT SetQuadraticAttenuation(D3DVALUE value) = 0;
    virtual D3DVALUE GetConstantAttenuation() = 0;
    virtual D3DVALUE GetLinearAttenuation() = 0;
    virtual D3DVALUE GetQuadraticAttenuation() = 0;
    // Limits the light to the subtree of one frame; null lights the whole scene. The light
    // does not keep the frame alive.
    virtual HRESULT SetEnableFrame(IDirect3DRMFrame* frame) = 0;
    virtual HRESULT GetEnableFrame(IDirect3DRMFrame** frame) = 0;
};
using LPDIRECT3DRMLIGHT = IDirect3DRMLight*;

struct IDirect3DRMLightArray : IUnknown {
    virtual DWORD GetSize() = 0;
    virtual HRESULT GetElement(DWORD index, IDirect3DRMLight** light) = 0;
};
using LPDIRECT3DRMLIGHTARRAY = IDirect3DRMLightArray*;
