// Mesh builders: vertex lists, faces, bulk edits and copies.

#include "platform/rm/impl/meshbuilder_impl.h"

#include "platform/rm/impl/array_impl.h"
#include "platform/rm/impl/frame_impl.h"
#include "platform/rm/xfile/load.h"

#include <cmath>

namespace rm {

namespace {

bool Finite3(D3DVALUE a, D3DVALUE b, D3DVALUE c) { return std::isfinite(a) && std::isfinite(b) && std::isfinite(c); }

// Sum of the fan triangles' normals: points to the front of a face whose corners run
// clockwise seen from the front (left-handed).
D3DVECTOR PolygonNormal(const std::vector<D3DVECTOR>& positions, const FaceCorner* corners, DWORD count)
{
    D3DVECTOR sum;
    if (count < 3)
        return sum;
    const D3DVECTOR p0 = positions[corners[0].vertex];
    for (DWORD i = 1; i + 1 < count; ++i)
        sum = sum + Cross(positions[corners[i].vertex] - p0, positions[corners[i + 1].vertex] - p0);
    return Normalized(sum);
}

}  // namespace

// Normals are shared by faces that meet at a vertex at less than this angle (cos 60 degrees):
// curved surfaces come out smooth and boxes keep their sharp edges.
constexpr D3DVALUE kCreaseCos = 0.5f;
// Vertices shared by more faces than this get the plain average of all of them.
constexpr std::size_t kMaxCreaseFaces = 32;

MeshBuilder::MeshBuilder() = default;

MeshBuilder::~MeshBuilder() = default;

void* MeshBuilder::FindInterface(REFIID iid)
{
    if (iid == IID_IDirect3DRMVisual)
        return static_cast<IDirect3DRMVisual*>(this);
    return Object::FindInterface(iid);
}

DWORD MeshBuilder::AppendVertex(D3DVECTOR position)
{
    positions_.push_back(position);
    texCoords_.push_back({});
    vertexColors_.push_back(0xFFFFFFFFu);
    ++revision_;
    return static_cast<DWORD>(positions_.size() - 1);
}

DWORD MeshBuilder::AppendNormal(D3DVECTOR normal)
{
    normals_.push_back(normal);
    ++revision_;
    return static_cast<DWORD>(normals_.size() - 1);
}

DWORD MeshBuilder::AppendFace(const FaceCorner* corners, DWORD count, D3DCOLOR color)
{
    FaceRecord record;
    record.first = static_cast<DWORD>(corners_.size());
    record.count = count;
    record.color = color;
    corners_.insert(corners_.end(), corners, corners + count);
    faces_.push_back(std::move(record));
    faceObjects_.push_back(nullptr);
    ++revision_;
    return static_cast<DWORD>(faces_.size() - 1);
}

// Corners of a face stay together: a face that is not the last one to have grown moves its
// corners to the end of the list first.
void MeshBuilder::AppendCorner(DWORD face, FaceCorner corner)
{
    FaceRecord& f = faces_[face];
    if (f.first + f.count != corners_.size()) {
        const DWORD first = static_cast<DWORD>(corners_.size());
        for (DWORD i = 0; i < f.count; ++i) {
            const FaceCorner moved = corners_[f.first + i];
            corners_.push_back(moved);
        }
        f.first = first;
    }
    corners_.push_back(corner);
    ++f.count;
    ++revision_;
}

void MeshBuilder::AppendTransformed(const MeshBuilder& other, const Matrix& m)
{
    if (&other == this) {
        MeshBuilder* copy = new MeshBuilder;
        copy->AppendTransformed(other, Matrix::Identity());
        AppendTransformed(*copy, m);
        copy->Release();
        return;
    }
    const DWORD vertexBase = static_cast<DWORD>(positions_.size());
    const DWORD normalBase = static_cast<DWORD>(normals_.size());
    for (D3DVECTOR p : other.positions_)
        positions_.push_back(TransformPoint(p, m));
    for (D3DVECTOR n : other.normals_)
        normals_.push_back(Normalized(TransformDirection(n, m)));
    texCoords_.insert(texCoords_.end(), other.texCoords_.begin(), other.texCoords_.end());
    vertexColors_.insert(vertexColors_.end(), other.vertexColors_.begin(), other.vertexColors_.end());
    for (const FaceRecord& f : other.faces_) {
        FaceRecord copy = f;
        copy.first = static_cast<DWORD>(corners_.size());
        for (DWORD i = 0; i < f.count; ++i) {
            FaceCorner c = other.corners_[f.first + i];
            c.vertex += vertexBase;
            if (c.normal != FaceCorner::kNoNormal)
                c.normal += normalBase;
            corners_.push_back(c);
        }
        faces_.push_back(std::move(copy));
        faceObjects_.push_back(nullptr);
    }
    ++revision_;
}

void MeshBuilder::Clear()
{
    positions_.clear();
    normals_.clear();
    texCoords_.clear();
    vertexColors_.clear();
    faces_.clear();
    corners_.clear();
    // Face objects still alive keep indexes that no longer exist; they answer with errors.
    for (Face* f : faceObjects_)
        if (f)
            f->BindTo(nullptr, 0);
    faceObjects_.clear();
    ++revision_;
}

void MeshBuilder::ForgetFaceObject(DWORD index)
{
    if (index < faceObjects_.size())
        faceObjects_[index] = nullptr;
}

Face* MeshBuilder::FaceObject(DWORD index)
{
    if (index >= faces_.size())
        return nullptr;
    if (Face* existing = faceObjects_[index]) {
        existing->AddRef();
        return existing;
    }
    Face* f = new Face(this, index);
    faceObjects_[index] = f;
    return f;
}

// ---- Loading and geometry -------------------------------------------------------------------

HRESULT MeshBuilder::Load(LPVOID source, LPVOID objectId, D3DRMLOADOPTIONS options,
                          D3DRMLOADTEXTURECALLBACK textureCallback, LPVOID textureArg)
{
    const LoadRequest request{source, objectId, options, textureCallback, textureArg};
    return LoadMesh(request, *this);
}

HRESULT MeshBuilder::Scale(D3DVALUE sx, D3DVALUE sy, D3DVALUE sz)
{
    if (!Finite3(sx, sy, sz))
        return D3DRMERR_BADVALUE;
    for (D3DVECTOR& p : positions_)
        p = {p.x * sx, p.y * sy, p.z * sz};
    ++revision_;
    return S_OK;
}

HRESULT MeshBuilder::Translate(D3DVALUE tx, D3DVALUE ty, D3DVALUE tz)
{
    if (!Finite3(tx, ty, tz))
        return D3DRMERR_BADVALUE;
    for (D3DVECTOR& p : positions_)
        p = p + Vec(tx, ty, tz);
    ++revision_;
    return S_OK;
}

HRESULT MeshBuilder::GetBox(D3DRMBOX* box)
{
    if (!box)
        return D3DRMERR_BADVALUE;
    *box = D3DRMBOX{};
    if (positions_.empty())
        return S_OK;
    box->min = box->max = positions_[0];
    for (const D3DVECTOR& p : positions_) {
        box->min = {std::fmin(box->min.x, p.x), std::fmin(box->min.y, p.y), std::fmin(box->min.z, p.z)};
        box->max = {std::fmax(box->max.x, p.x), std::fmax(box->max.y, p.y), std::fmax(box->max.z, p.z)};
    }
    return S_OK;
}

HRESULT MeshBuilder::GenerateNormals()
{
    std::vector<D3DVECTOR> faceNormals(faces_.size());
    std::vector<std::vector<DWORD>> facesOfVertex(positions_.size());
    std::vector<D3DVECTOR> vertexSums(positions_.size());
    for (DWORD f = 0; f < faces_.size(); ++f) {
        faceNormals[f] = PolygonNormal(positions_, corners_.data() + faces_[f].first, faces_[f].count);
        for (DWORD i = 0; i < faces_[f].count; ++i) {
            const DWORD v = corners_[faces_[f].first + i].vertex;
            facesOfVertex[v].push_back(f);
            vertexSums[v] = vertexSums[v] + faceNormals[f];
        }
    }
    normals_.clear();
    normals_.reserve(corners_.size());
    for (DWORD f = 0; f < faces_.size(); ++f) {
        for (DWORD i = 0; i < faces_[f].count; ++i) {
            FaceCorner& corner = corners_[faces_[f].first + i];
            const auto& around = facesOfVertex[corner.vertex];
            D3DVECTOR sum;
            if (around.size() > kMaxCreaseFaces) {
                sum = vertexSums[corner.vertex];  // a fan this wide is smooth: keeps the work linear
            } else {
                for (DWORD other : around)
                    if (Dot(faceNormals[other], faceNormals[f]) >= kCreaseCos)
                        sum = sum + faceNormals[other];
            }
            D3DVECTOR n = Normalized(sum);
            corner.normal = static_cast<DWORD>(normals_.size());
            normals_.push_back(Dot(n, n) > 0 ? n : faceNormals[f]);
        }
    }
    ++revision_;
    return S_OK;
}

namespace {

void AddFrameMeshes(MeshBuilder& into, const Frame& frame, const Matrix& toTop, int depth)
{
    if (depth > 1000)
        return;
    for (const auto& visual : frame.Visuals())
        if (auto* mb = As<MeshBuilder>(visual.get()))
            into.AppendTransformed(*mb, toTop);
    for (const auto& child : frame.Children())
        AddFrameMeshes(into, *child, child->Local() * toTop, depth + 1);
}

}  // namespace

HRESULT MeshBuilder::AddFrame(IDirect3DRMFrame* frame)
{
    Frame* f = As<Frame>(frame);
    if (!f)
        return D3DRMERR_BADOBJECT;
    AddFrameMeshes(*this, *f, Matrix::Identity(), 0);
    return S_OK;
}

HRESULT MeshBuilder::AddMeshBuilder(IDirect3DRMMeshBuilder* builder)
{
    MeshBuilder* b = As<MeshBuilder>(builder);
    if (!b)
        return D3DRMERR_BADOBJECT;
    AppendTransformed(*b, Matrix::Identity());
    return S_OK;
}

HRESULT MeshBuilder::AddFace(IDirect3DRMFace* face)
{
    Face* f = As<Face>(face);
    if (!f)
        return D3DRMERR_BADOBJECT;
    if (f->Owner())
        return D3DRMERR_FACEUSED;
    std::vector<FaceCorner> corners;
    for (const Face::LooseCorner& c : f->LooseCorners()) {
        FaceCorner corner;
        corner.vertex = AppendVertex(c.position);
        texCoords_[corner.vertex] = c.texCoord;
        if (c.hasNormal)
            corner.normal = AppendNormal(c.normal);
        corners.push_back(corner);
    }
    const FaceRecord& loose = f->LooseRecord();
    DWORD index = AppendFace(corners.data(), static_cast<DWORD>(corners.size()), loose.color);
    faces_[index].material = loose.material;
    faces_[index].texture = loose.texture;
    faceObjects_[index] = f;
    f->BindTo(this, index);
    return S_OK;
}

HRESULT MeshBuilder::AddFaces(DWORD vertexCount, D3DVECTOR* vertices, DWORD normalCount, D3DVECTOR* normals,
                              DWORD* faceData, IDirect3DRMFaceArray** faces)
{
    if (!faceData || (vertexCount && !vertices) || (normalCount && !normals))
        return D3DRMERR_BADVALUE;
    for (DWORD i = 0; i < vertexCount; ++i)
        if (!IsFinite(vertices[i]))
            return D3DRMERR_BADVALUE;
    // Check the whole list before changing anything.
    const DWORD step = normalCount ? 2 : 1;
    for (const DWORD* p = faceData; *p;) {
        const DWORD n = *p++;
        if (n > 0x10000)
            return D3DRMERR_BADVALUE;
        for (DWORD i = 0; i < n; ++i, p += step)
            if (p[0] >= vertexCount || (normalCount && p[1] >= normalCount))
                return D3DRMERR_BADVALUE;
    }
    const DWORD vertexBase = static_cast<DWORD>(positions_.size());
    const DWORD normalBase = static_cast<DWORD>(normals_.size());
    for (DWORD i = 0; i < vertexCount; ++i)
        AppendVertex(vertices[i]);
    for (DWORD i = 0; i < normalCount; ++i)
        AppendNormal(Normalized(normals[i]));
    std::vector<RefPtr<IDirect3DRMFace>> made;
    std::vector<FaceCorner> corners;
    for (const DWORD* p = faceData; *p;) {
        const DWORD n = *p++;
        corners.clear();
        for (DWORD i = 0; i < n; ++i, p += step)
            corners.push_back({vertexBase + p[0], normalCount ? normalBase + p[1] : FaceCorner::kNoNormal});
        DWORD index = AppendFace(corners.data(), n, 0xFFFFFFFFu);
        if (faces)
            made.push_back(RefPtr<IDirect3DRMFace>::Adopt(FaceObject(index)));
    }
    if (faces)
        return HandOutArray(IID_IDirect3DRMFaceArray, std::move(made), faces);
    return S_OK;
}

int MeshBuilder::AddVertex(D3DVALUE x, D3DVALUE y, D3DVALUE z)
{
    if (!Finite3(x, y, z))
        return -1;
    return static_cast<int>(AppendVertex(Vec(x, y, z)));
}

int MeshBuilder::AddNormal(D3DVALUE x, D3DVALUE y, D3DVALUE z)
{
    if (!Finite3(x, y, z))
        return -1;
    return static_cast<int>(AppendNormal(Normalized(Vec(x, y, z))));
}

HRESULT MeshBuilder::CreateFace(IDirect3DRMFace** face)
{
    if (!face)
        return D3DRMERR_BADVALUE;
    *face = FaceObject(AppendFace(nullptr, 0, 0xFFFFFFFFu));
    return S_OK;
}

// ---- Whole-builder settings -----------------------------------------------------------------

HRESULT MeshBuilder::SetColor(D3DCOLOR color)
{
    for (FaceRecord& f : faces_)
        f.color = color;
    for (D3DCOLOR& c : vertexColors_)
        c = color;
    ++revision_;
    return S_OK;
}

HRESULT MeshBuilder::SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue)
{
    if (!Finite3(red, green, blue))
        return D3DRMERR_BADVALUE;
    return SetColor(D3DRMCreateColorRGB(red, green, blue));
}

HRESULT MeshBuilder::SetTexture(IDirect3DRMTexture* texture)
{
    Texture* t = As<Texture>(texture);
    if (texture && !t)
        return D3DRMERR_BADOBJECT;
    for (FaceRecord& f : faces_)
        f.texture = t;
    ++revision_;
    return S_OK;
}

HRESULT MeshBuilder::SetMaterial(IDirect3DRMMaterial* material)
{
    Material* m = As<Material>(material);
    if (material && !m)
        return D3DRMERR_BADOBJECT;
    for (FaceRecord& f : faces_)
        f.material = m;
    ++revision_;
    return S_OK;
}

HRESULT MeshBuilder::SetColorSource(D3DRMCOLORSOURCE source)
{
    if (source != D3DRMCOLOR_FROMFACE && source != D3DRMCOLOR_FROMVERTEX)
        return D3DRMERR_BADVALUE;
    colorSource_ = source;
    ++revision_;
    return S_OK;
}

// ---- Per-vertex access ----------------------------------------------------------------------

HRESULT MeshBuilder::SetVertex(DWORD index, D3DVALUE x, D3DVALUE y, D3DVALUE z)
{
    if (index >= positions_.size() || !Finite3(x, y, z))
        return D3DRMERR_BADVALUE;
    SetPosition(index, Vec(x, y, z));
    return S_OK;
}

HRESULT MeshBuilder::SetNormal(DWORD index, D3DVALUE x, D3DVALUE y, D3DVALUE z)
{
    if (index >= normals_.size() || !Finite3(x, y, z))
        return D3DRMERR_BADVALUE;
    normals_[index] = Normalized(Vec(x, y, z));
    ++revision_;
    return S_OK;
}

HRESULT MeshBuilder::SetTextureCoordinates(DWORD index, D3DVALUE u, D3DVALUE v)
{
    if (index >= texCoords_.size() || !std::isfinite(u) || !std::isfinite(v))
        return D3DRMERR_BADVALUE;
    SetTexCoord(index, {u, v});
    return S_OK;
}

HRESULT MeshBuilder::GetTextureCoordinates(DWORD index, LPD3DVALUE u, LPD3DVALUE v)
{
    if (index >= texCoords_.size() || !u || !v)
        return D3DRMERR_BADVALUE;
    *u = texCoords_[index].u;
    *v = texCoords_[index].v;
    return S_OK;
}

HRESULT MeshBuilder::SetVertexColor(DWORD index, D3DCOLOR color)
{
    if (index >= vertexColors_.size())
        return D3DRMERR_BADVALUE;
    SetVertexColorValue(index, color);
    return S_OK;
}

HRESULT MeshBuilder::SetVertexColorRGB(DWORD index, D3DVALUE red, D3DVALUE green, D3DVALUE blue)
{
    if (!Finite3(red, green, blue))
        return D3DRMERR_BADVALUE;
    return SetVertexColor(index, D3DRMCreateColorRGB(red, green, blue));
}

D3DCOLOR MeshBuilder::GetVertexColor(DWORD index)
{
    return index < vertexColors_.size() ? vertexColors_[index] : 0;
}

HRESULT MeshBuilder::GetVertices(DWORD* vertexCount, D3DVECTOR* vertices, DWORD* normalCount, D3DVECTOR* normals,
                                 DWORD* faceDataSize, DWORD* faceData)
{
    DWORD faceDataNeeded = 1;
    for (const FaceRecord& f : faces_)
        faceDataNeeded += 1 + 2 * f.count;
    if ((vertices && (!vertexCount || *vertexCount < positions_.size())) ||
        (normals && (!normalCount || *normalCount < normals_.size())) ||
        (faceData && (!faceDataSize || *faceDataSize < faceDataNeeded)))
        return D3DRMERR_BADVALUE;
    if (vertexCount) {
        *vertexCount = static_cast<DWORD>(positions_.size());
        if (vertices)
            std::copy(positions_.begin(), positions_.end(), vertices);
    }
    if (normalCount) {
        *normalCount = static_cast<DWORD>(normals_.size());
        if (normals)
            std::copy(normals_.begin(), normals_.end(), normals);
    }
    if (faceDataSize) {
        *faceDataSize = faceDataNeeded;
        if (faceData) {
            DWORD* out = faceData;
            for (const FaceRecord& f : faces_) {
                *out++ = f.count;
                for (DWORD i = 0; i < f.count; ++i) {
                    const FaceCorner& c = corners_[f.first + i];
                    *out++ = c.vertex;
                    *out++ = c.normal == FaceCorner::kNoNormal ? 0 : c.normal;
                }
            }
            *out = 0;
        }
    }
    return S_OK;
}

HRESULT MeshBuilder::GetFaces(IDirect3DRMFaceArray** faces)
{
    if (!faces)
        return D3DRMERR_BADVALUE;
    std::vector<RefPtr<IDirect3DRMFace>> items;
    items.reserve(faces_.size());
    for (DWORD i = 0; i < faces_.size(); ++i)
        items.push_back(RefPtr<IDirect3DRMFace>::Adopt(FaceObject(i)));
    return HandOutArray(IID_IDirect3DRMFaceArray, std::move(items), faces);
}

HRESULT MeshBuilder::CloneObject(REFIID iid, void** object)
{
    RefPtr<MeshBuilder> copy = RefPtr<MeshBuilder>::Adopt(new MeshBuilder);
    copy->AppendTransformed(*this, Matrix::Identity());
    copy->colorSource_ = colorSource_;
    CopyBasicsTo(*copy);
    return copy->QueryInterface(iid, object);
}

}  // namespace rm
