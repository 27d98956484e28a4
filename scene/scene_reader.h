#pragma once
// Loading a scene in X-format text into a frame: the 3D library's loader builds the frames,
// meshes and materials, then the reader carries out the custom YF_Light and YF_Wrap records
// (scene/scene_records.h). A load adds to what the frame already holds.
//
// Results: D3DRMERR_BADVALUE for a null frame or file name; the loader's own failure; for a
// resource, D3DRMERR_NOTFOUND when it is not found and D3DRMERR_UNABLETOEXECUTE when it has no
// bytes; D3DRMERR_BADFILE when a record's closing '}' is missing (what came before stays).
// Nothing is reported here: callers report a negative result.

#include "platform/rm/rm.h"

// The result of the load under way or last done (also the scene writer's status).
extern HRESULT LastLoadResult;  // equals what the last load function returned

// Loads the resource of type "X" named resourceName compiled into the program into frame.
// textureCallback is handed to the library's loader (null: none).
HRESULT LoadSceneID(IDirect3DRMFrame* frame, const char* resourceName,
                    D3DRMLOADTEXTURECALLBACK textureCallback);
// The same for the resource given by number: its name in the integer-resource form "#<id>".
HRESULT LoadSceneID(IDirect3DRMFrame* frame, WORD resourceId, D3DRMLOADTEXTURECALLBACK textureCallback);

// Loads a scene file from disk into frame.
HRESULT LoadSceneFile(IDirect3DRMFrame* frame, const char* fileName, D3DRMLOADTEXTURECALLBACK textureCallback);
