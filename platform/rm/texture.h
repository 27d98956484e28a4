#pragma once
// Textures: a picture (32-bit ARGB pixels) mapped onto faces by their texture coordinates.
// Made from an image (IDirect3DRM::CreateTexture) or a PPM or BMP file (LoadTexture).

#include "platform/rm/visual.h"

struct IDirect3DRMTexture : IDirect3DRMVisual {
    // The texture's pixels; valid as long as the texture lives. Never null.
    virtual D3DRMIMAGE* GetImage() = 0;
    // Tells the texture its pixels were changed through GetImage.
    virtual HRESULT Changed(BOOL pixels, BOOL palette) = 0;
    // Colour and shade limits a ramp device uses for this texture.
    virtual HRESULT SetColors(DWORD colors) = 0;
    virtual HRESULT SetShades(DWORD shades) = 0;
    virtual DWORD GetColors() = 0;
    virtual DWORD GetShades() = 0;
};
using LPDIRECT3DRMTEXTURE = IDirect3DRMTexture*;
