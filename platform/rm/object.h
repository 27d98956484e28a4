#pragma once
// What every 3D object offers: names, a class name, application data, destroy callbacks and
// copying. Every object made through any IDirect3DRM of the process is listed in one
// process-wide registry (name look-up and enumeration go through it).

#include "platform/rm/unknown.h"

struct IDirect3DRMObject;
using LPDIRECT3DRMOBJECT = IDirect3DRMObject*;

// Called with the object while it is being destroyed (its last reference went): the object
// still answers GetAppData, SetAppData and GetName then.
using D3DRMOBJECTCALLBACK = void (*)(IDirect3DRMObject* object, void* arg);

struct IDirect3DRMObject : IUnknown {
    // A new object of the same class with a copy of this one's content, as the interface iid.
    // outer must be null (aggregation is not supported).
    virtual HRESULT Clone(IUnknown* outer, REFIID iid, void** object) = 0;
    virtual HRESULT AddDestroyCallback(D3DRMOBJECTCALLBACK callback, void* arg) = 0;
    // Removes the first registration of exactly that callback and argument.
    virtual HRESULT DeleteDestroyCallback(D3DRMOBJECTCALLBACK callback, void* arg) = 0;
    // A pointer-sized value kept for the application; 0 when never set.
    virtual HRESULT SetAppData(DWORD_PTR data) = 0;
    virtual DWORD_PTR GetAppData() = 0;
    // The name is copied; null clears it.
    virtual HRESULT SetName(LPCSTR name) = 0;
    // *size is the buffer's size in bytes. With a null buffer, *size receives the size needed
    // (length + 1). With a buffer smaller than that: D3DRMERR_BADVALUE, buffer untouched.
    // Otherwise the zero-terminated name is copied and *size set to length + 1.
    virtual HRESULT GetName(LPDWORD size, LPSTR name) = 0;
    // Same contract, for the class name: "Frame", "Face", "Mesh", "Builder", "Texture",
    // "Light", "Shadow", "Material", "Viewport", "Device", "Wrap".
    virtual HRESULT GetClassName(LPDWORD size, LPSTR name) = 0;
};


struct IDirect3DRMTexture;

// Hands the loader the texture for a file name the loaded text names; on failure the loader
// reads the file itself.
using D3DRMLOADTEXTURECALLBACK = HRESULT (*)(char* textureName, void* arg, IDirect3DRMTexture** texture);
