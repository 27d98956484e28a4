#pragma once
// Mesh builders and faces. A builder holds lists of vertex positions, normals, per-vertex
// texture coordinates and colours, and faces that index those lists. A face belongs to at
// most one builder.

#include "platform/rm/visual.h"

struct IDirect3DRMFace;
struct IDirect3DRMFaceArray;
struct IDirect3DRMFrame;
struct IDirect3DRMMaterial;
struct IDirect3DRMTexture;

struct IDirect3DRMMeshBuilder : IDirect3DRMVisual {
    // Loads the first mesh of an X-format text (D3DRMLOAD_* as for frames), replacing the
    // builder's content.
    virtual HRESULT Load(LPVOID source, LPVOID objectId, D3DRMLOADOPTIONS options,
                         D3DRMLOADTEXTURECALLBACK textureCallback, LPVOID textureArg) = 0;
    // Writes the builder as X-format text: the header line, templates when asked, then one
    // "Mesh <name> {" block (lines shorter than 256 characters).
    virtual HRESULT Save(LPCSTR fileName, D3DRMXOFFORMAT format, D3DRMSAVEOPTIONS save) = 0;

    virtual HRESULT Scale(D3DVALUE sx, D3DVALUE sy, D3DVALUE sz) = 0;
    virtual HRESULT Translate(D3DVALUE tx, D3DVALUE ty, D3DVALUE tz) = 0;
    // Bounding box of the vertices; an empty builder gives a box of zeros.
    virtual HRESULT GetBox(D3DRMBOX* box) = 0;
    // Replaces the normals by averaged face normals (one normal per vertex).
    virtual HRESULT GenerateNormals() = 0;

    // Copies in the meshes of a frame's hierarchy, transformed into the frame's coordinates.
    virtual HRESULT AddFrame(IDirect3DRMFrame* frame) = 0;
    virtual HRESULT AddMeshBuilder(IDirect3DRMMeshBuilder* builder) = 0;
    // Takes a face made by IDirect3DRM::CreateFace (its vertices are copied in).
    // A face already in a builder gives D3DRMERR_FACEUSED.
    virtual HRESULT AddFace(IDirect3DRMFace* face) = 0;
    // Appends vertices, normals and faces. faceData: for each face its vertex count n, then n
    // vertex indices (normalCount 0) or n (vertex, normal) index pairs, the list ending with 0.
    // Indices are relative to the vertices and normals added by this call.
    virtual HRESULT AddFaces(DWORD vertexCount, D3DVECTOR* vertices, DWORD normalCount, D3DVECTOR* normals,
                             DWORD* faceData, IDirect3DRMFaceArray** faces) = 0;
    // Index of the new vertex or normal, -1 on failure.
    virtual int AddVertex(D3DVALUE x, D3DVALUE y, D3DVALUE z) = 0;
    virtual int AddNormal(D3DVALUE x, D3DVALUE y, D3DVALUE z) = 0;
    // A new empty face of this builder.
    virtual HRESULT CreateFace(IDirect3DRMFace** face) = 0;

    // Applied to every face of the builder.
    virtual HRESULT SetColor(D3DCOLOR color) = 0;
    virtual HRESULT SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) = 0;
    virtual HRESULT SetTexture(IDirect3DRMTexture* texture) = 0;
    virtual HRESULT SetMaterial(IDirect3DRMMaterial* material) = 0;
    // Whether colours come from the faces or from the vertices.
    virtual HRESULT SetColorSource(D3DRMCOLORSOURCE source) = 0;
    virtual D3DRMCOLORSOURCE GetColorSource() = 0;

    virtual HRESULT SetVertex(DWORD index, D3DVALUE x, D3DVALUE y, D3DVALUE z) = 0;
    virtual HRESULT SetNormal(DWORD index, D3DVALUE x, D3DVALUE y, D3DVALUE z) = 0;
    virtual HRESULT SetTextureCoordinates(DWORD index, D3DVALUE u, D3DVALUE v) = 0;
    virtual HRESULT GetTextureCoordinates(DWORD index, LPD3DVALUE u, LPD3DVALUE v) = 0;
    virtual HRESULT SetVertexColor(DWORD index, D3DCOLOR color) = 0;
    virtual HRESULT SetVertexColorRGB(DWORD index, D3DVALUE red, D3DVALUE green, D3DVALUE blue) = 0;
    virtual D3DCOLOR GetVertexColor(DWORD index) = 0;

    // Each pair (count, buffer): a null count skips that list; a null buffer asks for the
    // count only; a buffer whose count is too small gives D3DRMERR_BADVALUE. On success each
    // count is set to the number of items. faceData: for each face n, then n (vertex, normal)
    // index pairs, ending with 0 (normal index 0 when the face has no normals).
    virtual HRESULT GetVertices(DWORD* vertexCount, D3DVECTOR* vertices, DWORD* normalCount, D3DVECTOR* normals,
                                DWORD* faceDataSize, DWORD* faceData) = 0;
    virtual HRESULT GetFaces(IDirect3DRMFaceArray** faces) = 0;
    virtual int GetFaceCount() = 0;
    virtual int GetVertexCount() = 0;
};
using LPDIRECT3DRMMESHBUILDER = IDirect3DRMMeshBuilder*;

struct IDirect3DRMFace : IDirect3DRMObject {
    // Adds a vertex to the face (and, for a face in a builder, to the builder).
    virtual HRESULT AddVertex(D3DVALUE x, D3DVALUE y, D3DVALUE z) = 0;
    // Adds a corner by index into the builder's vertices and normals (face in a builder only).
    virtual HRESULT AddVertexAndNormalIndexed(DWORD vertex, DWORD normal) = 0;
    virtual HRESULT SetColor(D3DCOLOR color) = 0;
    virtual HRESULT SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) = 0;
    virtual D3DCOLOR GetColor() = 0;
    virtual HRESULT SetTexture(IDirect3DRMTexture* texture) = 0;
    virtual HRESULT GetTexture(IDirect3DRMTexture** texture) = 0;  // *texture null when none
    virtual HRESULT SetMaterial(IDirect3DRMMaterial* material) = 0;
    virtual HRESULT GetMaterial(IDirect3DRMMaterial** material) = 0;  // *material null when none
    // Texture coordinates of the face's corner (stored on the builder's vertex).
    virtual HRESULT SetTextureCoordinates(DWORD corner, D3DVALUE u, D3DVALUE v) = 0;
    virtual HRESULT GetTextureCoordinates(DWORD corner, LPD3DVALUE u, LPD3DVALUE v) = 0;
    // Position and normal of one corner; either output may be null.
    virtual HRESULT GetVertex(DWORD corner, LPD3DVECTOR position, LPD3DVECTOR normal) = 0;
    // *count in: room in the buffers (either may be null), out: the corner count.
    virtual HRESULT GetVertices(LPDWORD count, LPD3DVECTOR positions, LPD3DVECTOR normals) = 0;
    // The plane normal of the face (from its first three corners, clockwise is the front).
    virtual HRESULT GetNormal(LPD3DVECTOR normal) = 0;
    virtual int GetVertexCount() = 0;
    // Index into the builder's vertex list of a corner; -1 when out of range or not in a builder.
    virtual int GetVertexIndex(DWORD corner) = 0;
    virtual int GetTextureCoordinateIndex(DWORD corner) = 0;
};
using LPDIRECT3DRMFACE = IDirect3DRMFace*;

struct IDirect3DRMFaceArray : IUnknown {
    virtual DWORD GetSize() = 0;
    virtual HRESULT GetElement(DWORD index, IDirect3DRMFace** face) = 0;
};
using LPDIRECT3DRMFACEARRAY = IDirect3DRMFaceArray*;
