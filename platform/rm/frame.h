#pragma once
// Frames: the scene tree. Each frame has a transform relative to its parent (a root frame's
// is relative to the world), a motion (velocity and rotation, applied by IDirect3DRM::Tick),
// visuals and lights.
//
// "Relative to reference": a null reference frame means world coordinates (those of the root
// frames' parent space). Vectors and positions are given in the reference frame's coordinates.

#include "platform/rm/visual.h"

struct IDirect3DRMFrame;
struct IDirect3DRMFrameArray;
struct IDirect3DRMLight;
struct IDirect3DRMLightArray;
struct IDirect3DRMTexture;
using LPDIRECT3DRMFRAME = IDirect3DRMFrame*;
using LPDIRECT3DRMFRAMEARRAY = IDirect3DRMFrameArray*;


struct IDirect3DRMFrame : IDirect3DRMVisual {
    // Tree. AddChild takes the child from its old parent (if any) and keeps its place and
    // orientation in the world. A frame cannot become its own ancestor (D3DRMERR_BADVALUE).
    virtual HRESULT AddChild(IDirect3DRMFrame* child) = 0;
    // The child becomes a root frame that keeps its place in the world.
    virtual HRESULT DeleteChild(IDirect3DRMFrame* child) = 0;
    virtual HRESULT GetChildren(IDirect3DRMFrameArray** children) = 0;
    // *parent is null (and S_OK) for a root frame.
    virtual HRESULT GetParent(IDirect3DRMFrame** parent) = 0;
    // The root of this frame's tree (the frame itself for a root).
    virtual HRESULT GetScene(IDirect3DRMFrame** scene) = 0;

    // Lights and visuals; each frame holds one reference to each of its lights and visuals.
    virtual HRESULT AddLight(IDirect3DRMLight* light) = 0;
    virtual HRESULT DeleteLight(IDirect3DRMLight* light) = 0;
    virtual HRESULT GetLights(IDirect3DRMLightArray** lights) = 0;
    virtual HRESULT AddVisual(IDirect3DRMVisual* visual) = 0;
    virtual HRESULT DeleteVisual(IDirect3DRMVisual* visual) = 0;
    virtual HRESULT GetVisuals(IDirect3DRMVisualArray** visuals) = 0;

    // Transform relative to the parent.
    virtual HRESULT AddTransform(D3DRMCOMBINETYPE combine, D3DRMMATRIX4D matrix) = 0;
    virtual HRESULT GetTransform(D3DRMMATRIX4D matrix) = 0;
    virtual HRESULT AddTranslation(D3DRMCOMBINETYPE combine, D3DVALUE x, D3DVALUE y, D3DVALUE z) = 0;
    virtual HRESULT AddScale(D3DRMCOMBINETYPE combine, D3DVALUE sx, D3DVALUE sy, D3DVALUE sz) = 0;
    // Rotation by theta radians about the axis (x, y, z) through the origin.
    virtual HRESULT AddRotation(D3DRMCOMBINETYPE combine, D3DVALUE x, D3DVALUE y, D3DVALUE z, D3DVALUE theta) = 0;

    // Place and orientation relative to any frame.
    virtual HRESULT SetPosition(IDirect3DRMFrame* reference, D3DVALUE x, D3DVALUE y, D3DVALUE z) = 0;
    virtual HRESULT GetPosition(IDirect3DRMFrame* reference, LPD3DVECTOR position) = 0;
    // The frame's z axis points along (dx, dy, dz), its y axis as near (ux, uy, uz) as the
    // z axis allows. A zero direction or an up parallel to it gives D3DRMERR_BADVALUE.
    virtual HRESULT SetOrientation(IDirect3DRMFrame* reference, D3DVALUE dx, D3DVALUE dy, D3DVALUE dz,
                                   D3DVALUE ux, D3DVALUE uy, D3DVALUE uz) = 0;
    virtual HRESULT GetOrientation(IDirect3DRMFrame* reference, LPD3DVECTOR direction, LPD3DVECTOR up) = 0;
    // Makes the frame's z axis point at the target's origin, up kept near the reference's y axis.
    virtual HRESULT LookAt(IDirect3DRMFrame* target, IDirect3DRMFrame* reference) = 0;
    // Point conversion: Transform from this frame's coordinates to world coordinates,
    // InverseTransform from world coordinates to this frame's.
    virtual HRESULT Transform(LPD3DVECTOR destination, LPD3DVECTOR source) = 0;
    virtual HRESULT InverseTransform(LPD3DVECTOR destination, LPD3DVECTOR source) = 0;

    // Motion. Velocity in units per time unit of Tick, rotation theta radians per time unit
    // about an axis through the frame's own origin. Both are kept in the parent's coordinates.
    virtual HRESULT SetVelocity(IDirect3DRMFrame* reference, D3DVALUE x, D3DVALUE y, D3DVALUE z, BOOL withRotation) = 0;
    virtual HRESULT GetVelocity(IDirect3DRMFrame* reference, LPD3DVECTOR velocity, BOOL withRotation) = 0;
    virtual HRESULT SetRotation(IDirect3DRMFrame* reference, D3DVALUE x, D3DVALUE y, D3DVALUE z, D3DVALUE theta) = 0;
    virtual HRESULT GetRotation(IDirect3DRMFrame* reference, LPD3DVECTOR axis, LPD3DVALUE theta) = 0;
    // Applies delta time units of this frame's motion (what Tick does for every frame).
    virtual HRESULT Move(D3DVALUE delta) = 0;

    // Background of the scene this frame is the root of.
    virtual HRESULT SetSceneBackground(D3DCOLOR color) = 0;
    virtual HRESULT SetSceneBackgroundRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) = 0;
    virtual D3DCOLOR GetSceneBackground() = 0;

    // Loads X-format text into this frame: top-level frames become its children, top-level
    // meshes its visuals. source and options as in D3DRMLOAD_*; objectId selects one
    // top-level object with D3DRMLOAD_BYNAME / BYPOSITION.
    virtual HRESULT Load(LPVOID source, LPVOID objectId, D3DRMLOADOPTIONS options,
                         D3DRMLOADTEXTURECALLBACK textureCallback, LPVOID textureArg) = 0;
};

struct IDirect3DRMFrameArray : IUnknown {
    virtual DWORD GetSize() = 0;
    virtual HRESULT GetElement(DWORD index, IDirect3DRMFrame** frame) = 0;
};
