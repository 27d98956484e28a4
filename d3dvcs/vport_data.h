#pragma once
// The settings of one viewport (projection, uniform scaling, clipping planes, field, camera and
// viewing plane), read from a viewport and written to another one, so that they survive a
// re-created device and can be restored on Cancel.

#include "platform/rm/rm.h"

struct TVportData {
    bool Uniform = false;
    // Viewport last read from or written to; no reference of its own. Non-null marks the
    // record as holding settings. May name a viewport that no longer exists: only tested.
    IDirect3DRMViewport* Vport = nullptr;
    // Camera frame of the viewport; the record holds one counted reference to it.
    IDirect3DRMFrame* Camera = nullptr;
    D3DRMPROJECTIONTYPE Projection = D3DRMPROJECTIONTYPE(0);
    D3DVALUE Back = 0.0f;
    D3DVALUE Front = 0.0f;
    D3DVALUE Field = 0.0f;
    D3DVALUE Left = 0.0f, Right = 0.0f, Bottom = 0.0f, Top = 0.0f;  // viewing plane

    TVportData() = default;
    explicit TVportData(IDirect3DRMViewport* vp) { ReadFrom(vp); }
    TVportData(const TVportData& other);
    TVportData& operator=(const TVportData& other);
    ~TVportData();

    // Fills the record from vp (nothing for null).
    void ReadFrom(IDirect3DRMViewport* vp);
    void Read() { ReadFrom(Vport); }
    // Gives the settings to vp; nothing for null or for a record never read.
    void WriteTo(IDirect3DRMViewport* vp);
    void Write() { WriteTo(Vport); }
};
