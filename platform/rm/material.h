#pragma once
// Materials: the specular and emissive part of a surface's look. A face's diffuse colour is
// the face's own colour (IDirect3DRMFace::SetColor).

#include "platform/rm/object.h"

struct IDirect3DRMMaterial : IDirect3DRMObject {
    // Sharpness of the specular highlight; 0 means no highlight. Negative: D3DRMERR_BADVALUE.
    virtual HRESULT SetPower(D3DVALUE power) = 0;
    virtual HRESULT SetSpecular(D3DVALUE red, D3DVALUE green, D3DVALUE blue) = 0;
    virtual HRESULT SetEmissive(D3DVALUE red, D3DVALUE green, D3DVALUE blue) = 0;
    virtual D3DVALUE GetPower() = 0;
    virtual HRESULT GetSpecular(LPD3DVALUE red, LPD3DVALUE green, LPD3DVALUE blue) = 0;
    virtual HRESULT GetEmissive(LPD3DVALUE red, LPD3DVALUE green, LPD3DVALUE blue) = 0;
};
using LPDIRECT3DRMMATERIAL = IDirect3DRMMaterial*;
