#pragma once
// The retained-mode object: creates frames, meshes, lights, materials, textures, wraps,
// devices and viewports, loads scenes, finds objects by name and runs the heartbeat (Tick).
// Every IDirect3DRM of the process shares one registry of objects and one list of devices.
// This header brings in every interface of the library.

#include "platform/rm/device.h"
#include "platform/rm/frame.h"
#include "platform/rm/light.h"
#include "platform/rm/material.h"
#include "platform/rm/meshbuilder.h"
#include "platform/rm/object.h"
#include "platform/rm/texture.h"
#include "platform/rm/vector_math.h"
#include "platform/rm/viewport.h"
#include "platform/rm/visual.h"
#include "platform/rm/wrap.h"

struct IDirectDrawClipper;

// Called by IDirect3DRM::Load for each top-level object it made, with its interface id.
using D3DRMLOADCALLBACK = void (*)(IDirect3DRMObject* object, REFIID iid, void* arg);

struct IDirect3DRM : IUnknown {
    // A new frame; with a parent it is added to it as a child, else it is a root (a scene).
    virtual HRESULT CreateFrame(IDirect3DRMFrame* parent, IDirect3DRMFrame** frame) = 0;
    virtual HRESULT CreateMeshBuilder(IDirect3DRMMeshBuilder** builder) = 0;
    // A face of its own, to be filled and added to a builder.
    virtual HRESULT CreateFace(IDirect3DRMFace** face) = 0;
    virtual HRESULT CreateLight(D3DRMLIGHTTYPE type, D3DCOLOR color, IDirect3DRMLight** light) = 0;
    virtual HRESULT CreateLightRGB(D3DRMLIGHTTYPE type, D3DVALUE red, D3DVALUE green, D3DVALUE blue,
                                   IDirect3DRMLight** light) = 0;
    virtual HRESULT CreateMaterial(D3DVALUE power, IDirect3DRMMaterial** material) = 0;
    // A texture with a copy of the image's pixels (8-bit palette or 24/32-bit RGB images).
    virtual HRESULT CreateTexture(D3DRMIMAGE* image, IDirect3DRMTexture** texture) = 0;
    // A texture from a PPM (P3/P6) or BMP (8, 24 or 32 bits) file, looked for as given and
    // then in each directory of the search path.
    virtual HRESULT LoadTexture(LPCSTR fileName, IDirect3DRMTexture** texture) = 0;
    // A wrap of the given type: origin (ox, oy, oz), z axis (dx, dy, dz), y axis (ux, uy, uz),
    // texture origin (ou, ov) and scale (su, sv), in the coordinates of reference (null: the
    // object's own coordinates when applied).
    virtual HRESULT CreateWrap(D3DRMWRAPTYPE type, IDirect3DRMFrame* reference, D3DVALUE ox, D3DVALUE oy,
                               D3DVALUE oz, D3DVALUE dx, D3DVALUE dy, D3DVALUE dz, D3DVALUE ux, D3DVALUE uy,
                               D3DVALUE uz, D3DVALUE ou, D3DVALUE ov, D3DVALUE su, D3DVALUE sv,
                               IDirect3DRMWrap** wrap) = 0;

    // A device drawing into the window the clipper is bound to, for a driver (null: default).
    virtual HRESULT CreateDeviceFromClipper(IDirectDrawClipper* clipper, LPGUID driver, int width, int height,
                                            IDirect3DRMDevice** device) = 0;
    virtual HRESULT CreateViewport(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y,
                                   DWORD width, DWORD height, IDirect3DRMViewport** viewport) = 0;
    // Every device of the process, oldest first.
    virtual HRESULT GetDevices(IDirect3DRMDeviceArray** devices) = 0;

    // The first-made living object of the process with that name (D3DRMERR_NOTFOUND if none).
    virtual HRESULT GetNamedObject(LPCSTR name, IDirect3DRMObject** object) = 0;
    // Calls back once for every living object of the process, oldest first.
    virtual HRESULT EnumerateObjects(D3DRMOBJECTCALLBACK callback, void* arg) = 0;

    // Loads X-format text. Top-level objects go under parent (frames as children, meshes as
    // visuals) when one is given; each is also handed to callback. guids filters the kinds of
    // top-level object taken (null: all).
    virtual HRESULT Load(LPVOID source, LPVOID objectId, LPIID* guids, DWORD guidCount, D3DRMLOADOPTIONS options,
                         D3DRMLOADCALLBACK callback, LPVOID arg, D3DRMLOADTEXTURECALLBACK textureCallback,
                         LPVOID textureArg, IDirect3DRMFrame* parent) = 0;

    // The heartbeat: moves every frame of the process by delta time units of its motion,
    // then renders every viewport of every device and updates the devices. 0 only renders.
    virtual HRESULT Tick(D3DVALUE delta) = 0;

    virtual HRESULT SetDefaultTextureColors(DWORD colors) = 0;
    virtual HRESULT SetDefaultTextureShades(DWORD shades) = 0;
    // Directories (separated by ':') where texture files are looked for.
    virtual HRESULT SetSearchPath(LPCSTR path) = 0;
    virtual HRESULT AddSearchPath(LPCSTR path) = 0;
    // Same buffer contract as IDirect3DRMObject::GetName.
    virtual HRESULT GetSearchPath(LPDWORD size, LPSTR path) = 0;
};
using LPDIRECT3DRM = IDirect3DRM*;

// A new retained-mode object with one reference.
HRESULT Direct3DRMCreate(IDirect3DRM** rm);
