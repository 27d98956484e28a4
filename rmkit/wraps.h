#pragma once
// Texture wraps kept with the visual they were applied to.
//
// TWrap holds the parameters of one wrap, makes the library's wrap object from them and
// applies it to one visual. TAppData carries a TWrap as a visual's application data, and
// DestroyAppData (registered as the visual's destroy callback) frees both with the visual.

#include "platform/rm/frame.h"
#include "platform/rm/object.h"
#include "platform/rm/wrap.h"

class TWrap {
public:
    TWrap() = default;
    ~TWrap();
    TWrap(const TWrap&) = delete;
    TWrap& operator=(const TWrap&) = delete;

    // Makes a wrap object from the fields and applies it to IObject (relative to IFrameRef
    // when there is one). Failures are reported under module "_Wraps".
    void Apply();

    DWORD type = 0;                // a D3DRMWRAPTYPE: 0 flat, 1 cylinder, 2 sphere, 3 chrome
    float ox = 0, oy = 0, oz = 0;  // origin of the wrap
    float dx = 0, dy = 1, dz = 0;  // z axis (direction) of the wrap
    float ux = 0, uy = 0, uz = 1;  // y axis (up) of the wrap
    float ou = 0, ov = 0;          // texture origin
    float su = 1, sv = 1;          // texture scale
    IDirect3DRMWrap* IWrap = nullptr;        // owned: the wrap object last made from the fields
    IDirect3DRMObject* IObject = nullptr;    // not owned: the visual the wrap is applied to
    IDirect3DRMFrame* IFrameRef = nullptr;   // not owned: reference frame of the wrap, or none
};

class TAppData {
public:
    TAppData() = default;
    ~TAppData() { delete Wrap; }
    TAppData(const TAppData&) = delete;
    TAppData& operator=(const TAppData&) = delete;

    TWrap* Wrap = nullptr;  // owned
};

// Destroy callback: frees the object's TAppData (and its TWrap) and sets its application data to 0.
void DestroyAppData(IDirect3DRMObject* object, void* arg);
