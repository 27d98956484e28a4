#pragma once
// MeshBuilder and Face. What the renderer reads from a builder (all in the builder's own
// coordinates, i.e. those of the frame that shows it):
//   Positions()     vertex positions;
//   Normals()       normals, indexed separately from positions (FaceCorner::normal);
//   TexCoords()     one (u, v) per vertex, parallel to Positions();
//   VertexColors()  one colour per vertex, parallel to Positions() (used when ColorSource()
//                   is D3DRMCOLOR_FROMVERTEX);
//   Faces()         FaceRecord: corners Corners()[first .. first + count), colour, material,
//                   texture (null when none). Corners are in clockwise order seen from the
//                   front (left-handed), as the files give them; faces may have any number of
//                   corners (3 or more to be drawn).
//   Revision()      grows on every change, for caches keyed by builder.
// Face objects (IDirect3DRMFace) are views made on demand; the data lives in the builder.

#include "platform/rm/impl/material_impl.h"
#include "platform/rm/impl/matrix.h"
#include "platform/rm/impl/object_impl.h"
#include "platform/rm/impl/change_stamp.h"
#include "platform/rm/impl/texture_impl.h"
#include "platform/rm/meshbuilder.h"

#include <cstdint>
#include <vector>

namespace rm {

class Face;

struct TexCoord {
    D3DVALUE u = 0, v = 0;
};

struct FaceCorner {
    DWORD vertex = 0;             // index into Positions()
    DWORD normal = kNoNormal;     // index into Normals(), or kNoNormal
    static constexpr DWORD kNoNormal = 0xFFFFFFFFu;
};

struct FaceRecord {
    DWORD first = 0;              // index of the first corner in Corners()
    DWORD count = 0;              // number of corners
    D3DCOLOR color = 0xFFFFFFFFu;
    RefPtr<Material> material;    // null: default look (no specular, no emission)
    RefPtr<Texture> texture;      // null: untextured
};

class MeshBuilder final : public Object<IDirect3DRMMeshBuilder> {
public:
    MeshBuilder();

    const std::vector<D3DVECTOR>& Positions() const { return positions_; }
    const std::vector<D3DVECTOR>& Normals() const { return normals_; }
    const std::vector<TexCoord>& TexCoords() const { return texCoords_; }
    const std::vector<D3DCOLOR>& VertexColors() const { return vertexColors_; }
    const std::vector<FaceRecord>& Faces() const { return faces_; }
    const std::vector<FaceCorner>& Corners() const { return corners_; }
    D3DRMCOLORSOURCE ColorSource() const { return colorSource_; }
    std::uint64_t Revision() const { return revision_; }

    // Building blocks for the loader and for faces (no argument checks beyond indexes).
    DWORD AppendVertex(D3DVECTOR position);
    DWORD AppendNormal(D3DVECTOR normal);
    // A new face with the given corners (indexes must be valid); returns its index.
    DWORD AppendFace(const FaceCorner* corners, DWORD count, D3DCOLOR color);
    void AppendCorner(DWORD face, FaceCorner corner);
    FaceRecord& FaceAt(DWORD index) { return faces_[index]; }
    void SetTexCoord(DWORD vertex, TexCoord tc) { texCoords_[vertex] = tc; ++revision_; }
    void SetVertexColorValue(DWORD vertex, D3DCOLOR c) { vertexColors_[vertex] = c; ++revision_; }
    void SetPosition(DWORD vertex, D3DVECTOR p) { positions_[vertex] = p; ++revision_; }
    void Touch() { ++revision_; }
    // Copies in another builder's content, every position and normal passed through m.
    void AppendTransformed(const MeshBuilder& other, const Matrix& m);
    void Clear();
    // Called by a Face object when it goes.
    void ForgetFaceObject(DWORD index);

    // IDirect3DRMMeshBuilder
    HRESULT Load(LPVOID source, LPVOID objectId, D3DRMLOADOPTIONS options, D3DRMLOADTEXTURECALLBACK textureCallback,
                 LPVOID textureArg) override;
    HRESULT Save(LPCSTR fileName, D3DRMXOFFORMAT format, D3DRMSAVEOPTIONS save) override;
    HRESULT Scale(D3DVALUE sx, D3DVALUE sy, D3DVALUE sz) override;
    HRESULT Translate(D3DVALUE tx, D3DVALUE ty, D3DVALUE tz) override;
    HRESULT GetBox(D3DRMBOX* box) override;
    HRESULT GenerateNormals() override;
    HRESULT AddFrame(IDirect3DRMFrame* frame) override;
    HRESULT AddMeshBuilder(IDirect3DRMMeshBuilder* builder) override;
    HRESULT AddFace(IDirect3DRMFace* face) override;
    HRESULT AddFaces(DWORD vertexCount, D3DVECTOR* vertices, DWORD normalCount, D3DVECTOR* normals, DWORD* faceData,
                     IDirect3DRMFaceArray** faces) override;
    int AddVertex(D3DVALUE x, D3DVALUE y, D3DVALUE z) override;
    int AddNormal(D3DVALUE x, D3DVALUE y, D3DVALUE z) override;
    HRESULT CreateFace(IDirect3DRMFace** face) override;
    HRESULT SetColor(D3DCOLOR color) override;
    HRESULT SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) override;
    HRESULT SetTexture(IDirect3DRMTexture* texture) override;
    HRESULT SetMaterial(IDirect3DRMMaterial* material) override;
    HRESULT SetColorSource(D3DRMCOLORSOURCE source) override;
    D3DRMCOLORSOURCE GetColorSource() override { return colorSource_; }
    HRESULT SetVertex(DWORD index, D3DVALUE x, D3DVALUE y, D3DVALUE z) override;
    HRESULT SetNormal(DWORD index, D3DVALUE x, D3DVALUE y, D3DVALUE z) override;
    HRESULT SetTextureCoordinates(DWORD index, D3DVALUE u, D3DVALUE v) override;
    HRESULT GetTextureCoordinates(DWORD index, LPD3DVALUE u, LPD3DVALUE v) override;
    HRESULT SetVertexColor(DWORD index, D3DCOLOR color) override;
    HRESULT SetVertexColorRGB(DWORD index, D3DVALUE red, D3DVALUE green, D3DVALUE blue) override;
    D3DCOLOR GetVertexColor(DWORD index) override;
    HRESULT GetVertices(DWORD* vertexCount, D3DVECTOR* vertices, DWORD* normalCount, D3DVECTOR* normals,
                        DWORD* faceDataSize, DWORD* faceData) override;
    HRESULT GetFaces(IDirect3DRMFaceArray** faces) override;
    int GetFaceCount() override { return static_cast<int>(faces_.size()); }
    int GetVertexCount() override { return static_cast<int>(positions_.size()); }

    const char* ClassName() const override { return "Builder"; }
    HRESULT CloneObject(REFIID iid, void** object) override;

    // The face object of face index (made on first use), with a new reference.
    Face* FaceObject(DWORD index);

protected:
    void* FindInterface(REFIID iid) override;
    const IID& InterfaceId() const override { return IID_IDirect3DRMMeshBuilder; }

private:
    ~MeshBuilder() override;

    std::vector<D3DVECTOR> positions_;
    std::vector<D3DVECTOR> normals_;
    std::vector<TexCoord> texCoords_;
    std::vector<D3DCOLOR> vertexColors_;
    std::vector<FaceRecord> faces_;
    std::vector<FaceCorner> corners_;
    std::vector<Face*> faceObjects_;  // parallel to faces_, no reference; null until asked for
    D3DRMCOLORSOURCE colorSource_ = D3DRMCOLOR_FROMFACE;
    ChangeStamp revision_;
};

// A face: either a view on face `index` of a builder (holding a reference to the builder),
// or, made by IDirect3DRM::CreateFace, a loose face with its own corners until AddFace.
class Face final : public Object<IDirect3DRMFace> {
public:
    Face();
    Face(MeshBuilder* owner, DWORD index);

    MeshBuilder* Owner() const { return owner_.get(); }
    DWORD Index() const { return index_; }
    // Moves a loose face into a builder (AddFace).
    void BindTo(MeshBuilder* owner, DWORD index);
    // A loose face's own data.
    struct LooseCorner {
        D3DVECTOR position;
        D3DVECTOR normal;
        bool hasNormal = false;
        TexCoord texCoord;
    };
    const std::vector<LooseCorner>& LooseCorners() const { return loose_; }
    const FaceRecord& LooseRecord() const { return looseRecord_; }

    HRESULT AddVertex(D3DVALUE x, D3DVALUE y, D3DVALUE z) override;
    HRESULT AddVertexAndNormalIndexed(DWORD vertex, DWORD normal) override;
    HRESULT SetColor(D3DCOLOR color) override;
    HRESULT SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) override;
    D3DCOLOR GetColor() override;
    HRESULT SetTexture(IDirect3DRMTexture* texture) override;
    HRESULT GetTexture(IDirect3DRMTexture** texture) override;
    HRESULT SetMaterial(IDirect3DRMMaterial* material) override;
    HRESULT GetMaterial(IDirect3DRMMaterial** material) override;
    HRESULT SetTextureCoordinates(DWORD corner, D3DVALUE u, D3DVALUE v) override;
    HRESULT GetTextureCoordinates(DWORD corner, LPD3DVALUE u, LPD3DVALUE v) override;
    HRESULT GetVertex(DWORD corner, LPD3DVECTOR position, LPD3DVECTOR normal) override;
    HRESULT GetVertices(LPDWORD count, LPD3DVECTOR positions, LPD3DVECTOR normals) override;
    HRESULT GetNormal(LPD3DVECTOR normal) override;
    int GetVertexCount() override;
    int GetVertexIndex(DWORD corner) override;
    int GetTextureCoordinateIndex(DWORD corner) override;

    const char* ClassName() const override { return "Face"; }

protected:
    const IID& InterfaceId() const override { return IID_IDirect3DRMFace; }

private:
    ~Face() override;
    FaceRecord& Record();
    bool CornerPosition(DWORD corner, D3DVECTOR* position, D3DVECTOR* normal);

    RefPtr<MeshBuilder> owner_;
    DWORD index_ = 0;
    std::vector<LooseCorner> loose_;
    FaceRecord looseRecord_;
};

}  // namespace rm
