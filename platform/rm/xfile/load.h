#pragma once
// Entry points of the X-format text loader used by the objects' Load calls.

#include "platform/rm/rm.h"

namespace rm {

class Frame;
class MeshBuilder;

// What a loaded text hands to its receiver, one top-level object at a time.
struct LoadTarget {
    Frame* parent = nullptr;              // top-level frames become its children, meshes its visuals
    D3DRMLOADCALLBACK callback = nullptr; // also told of each top-level object
    void* callbackArg = nullptr;
};

struct LoadRequest {
    LPVOID source = nullptr;
    LPVOID objectId = nullptr;
    D3DRMLOADOPTIONS options = 0;
    D3DRMLOADTEXTURECALLBACK textureCallback = nullptr;
    LPVOID textureArg = nullptr;
    // Filter of top-level object kinds (IID_IDirect3DRMFrame, IID_IDirect3DRMMeshBuilder); empty: all.
    const IID* const* kinds = nullptr;
    DWORD kindCount = 0;
};

// Loads frames and meshes from the source. D3DRMERR_FILENOTFOUND when the source cannot be
// read, D3DRMERR_BADFILE when its text is not a well-formed X-format text (nothing is added
// then), D3DRMERR_NOTFOUND when no top-level object was selected.
HRESULT LoadScene(const LoadRequest& request, const LoadTarget& target);

// Replaces the builder's content with the first mesh of the source.
HRESULT LoadMesh(const LoadRequest& request, MeshBuilder& builder);

}  // namespace rm
