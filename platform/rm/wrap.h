#pragma once
// Texture wraps: compute texture coordinates for the vertices of a mesh builder once, by a
// flat, cylindrical, spherical or chrome projection. The builder keeps no record of the wrap.

#include "platform/rm/object.h"

struct IDirect3DRMFrame;

struct IDirect3DRMWrap : IDirect3DRMObject {
    // object: a mesh builder (or a face). The wrap's origin and axes are taken in the
    // object's own coordinates.
    virtual HRESULT Apply(IDirect3DRMObject* object) = 0;
    // The wrap's origin and axes are in the coordinates of its reference frame (the one given
    // to CreateWrap), and the object's vertices in frame's: they are converted before use.
    // A chrome wrap also uses frame's place relative to the reference frame as the viewer.
    virtual HRESULT ApplyRelative(IDirect3DRMFrame* frame, IDirect3DRMObject* object) = 0;
};
using LPDIRECT3DRMWRAP = IDirect3DRMWrap*;
