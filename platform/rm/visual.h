#pragma once
// Visuals: what a frame shows (mesh builders, textures as decals, frames as instances).

#include "platform/rm/object.h"

struct IDirect3DRMVisual : IDirect3DRMObject {};
using LPDIRECT3DRMVISUAL = IDirect3DRMVisual*;

// A snapshot of a frame's visuals, taken when the array was asked for.
struct IDirect3DRMVisualArray : IUnknown {
    virtual DWORD GetSize() = 0;
    // One counted reference to element index; D3DRMERR_BADVALUE past the end.
    virtual HRESULT GetElement(DWORD index, IDirect3DRMVisual** visual) = 0;
};
using LPDIRECT3DRMVISUALARRAY = IDirect3DRMVisualArray*;
