// Faces: views on one face of a builder, or loose faces waiting to be added to one.

#include "platform/rm/impl/meshbuilder_impl.h"

#include <cmath>

namespace rm {

Face::Face() = default;

Face::Face(MeshBuilder* owner, DWORD index) : owner_(owner), index_(index) {}

Face::~Face()
{
    if (owner_)
        owner_->ForgetFaceObject(index_);
}

void Face::BindTo(MeshBuilder* owner, DWORD index)
{
    loose_.clear();
    looseRecord_ = FaceRecord{};
    index_ = index;
    owner_ = owner;  // last: may release the old owner
}

FaceRecord& Face::Record() { return owner_ ? owner_->FaceAt(index_) : looseRecord_; }

bool Face::CornerPosition(DWORD corner, D3DVECTOR* position, D3DVECTOR* normal)
{
    if (corner >= static_cast<DWORD>(GetVertexCount()))
        return false;
    if (!owner_) {
        const LooseCorner& c = loose_[corner];
        if (position)
            *position = c.position;
        if (normal)
            *normal = c.hasNormal ? c.normal : D3DVECTOR{};
        return true;
    }
    const FaceRecord& f = Record();
    const FaceCorner& c = owner_->Corners()[f.first + corner];
    if (position)
        *position = owner_->Positions()[c.vertex];
    if (normal)
        *normal = c.normal == FaceCorner::kNoNormal ? D3DVECTOR{} : owner_->Normals()[c.normal];
    return true;
}

HRESULT Face::AddVertex(D3DVALUE x, D3DVALUE y, D3DVALUE z)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
        return D3DRMERR_BADVALUE;
    if (!owner_) {
        LooseCorner c;
        c.position = Vec(x, y, z);
        loose_.push_back(c);
        return S_OK;
    }
    DWORD vertex = owner_->AppendVertex(Vec(x, y, z));
    owner_->AppendCorner(index_, {vertex, FaceCorner::kNoNormal});
    return S_OK;
}

HRESULT Face::AddVertexAndNormalIndexed(DWORD vertex, DWORD normal)
{
    if (!owner_)
        return D3DRMERR_BADOBJECT;  // indexes mean nothing outside a builder
    if (vertex >= owner_->Positions().size() || normal >= owner_->Normals().size())
        return D3DRMERR_BADVALUE;
    owner_->AppendCorner(index_, {vertex, normal});
    return S_OK;
}

HRESULT Face::SetColor(D3DCOLOR color)
{
    Record().color = color;
    if (owner_)
        owner_->Touch();
    return S_OK;
}

HRESULT Face::SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue)
{
    if (!std::isfinite(red) || !std::isfinite(green) || !std::isfinite(blue))
        return D3DRMERR_BADVALUE;
    return SetColor(D3DRMCreateColorRGB(red, green, blue));
}

D3DCOLOR Face::GetColor() { return Record().color; }

HRESULT Face::SetTexture(IDirect3DRMTexture* texture)
{
    Texture* t = As<Texture>(texture);
    if (texture && !t)
        return D3DRMERR_BADOBJECT;
    Record().texture = t;
    if (owner_)
        owner_->Touch();
    return S_OK;
}

HRESULT Face::GetTexture(IDirect3DRMTexture** texture)
{
    if (!texture)
        return D3DRMERR_BADVALUE;
    HandOut(static_cast<IDirect3DRMTexture*>(Record().texture.get()), texture);
    return S_OK;
}

HRESULT Face::SetMaterial(IDirect3DRMMaterial* material)
{
    Material* m = As<Material>(material);
    if (material && !m)
        return D3DRMERR_BADOBJECT;
    Record().material = m;
    if (owner_)
        owner_->Touch();
    return S_OK;
}

HRESULT Face::GetMaterial(IDirect3DRMMaterial** material)
{
    if (!material)
        return D3DRMERR_BADVALUE;
    HandOut(static_cast<IDirect3DRMMaterial*>(Record().material.get()), material);
    return S_OK;
}

HRESULT Face::SetTextureCoordinates(DWORD corner, D3DVALUE u, D3DVALUE v)
{
    if (corner >= static_cast<DWORD>(GetVertexCount()) || !std::isfinite(u) || !std::isfinite(v))
        return D3DRMERR_BADVALUE;
    if (!owner_)
        loose_[corner].texCoord = {u, v};
    else
        owner_->SetTexCoord(owner_->Corners()[Record().first + corner].vertex, {u, v});
    return S_OK;
}

HRESULT Face::GetTextureCoordinates(DWORD corner, LPD3DVALUE u, LPD3DVALUE v)
{
    if (corner >= static_cast<DWORD>(GetVertexCount()) || !u || !v)
        return D3DRMERR_BADVALUE;
    TexCoord tc = owner_ ? owner_->TexCoords()[owner_->Corners()[Record().first + corner].vertex]
                         : loose_[corner].texCoord;
    *u = tc.u;
    *v = tc.v;
    return S_OK;
}

HRESULT Face::GetVertex(DWORD corner, LPD3DVECTOR position, LPD3DVECTOR normal)
{
    return CornerPosition(corner, position, normal) ? S_OK : D3DRMERR_BADVALUE;
}

HRESULT Face::GetVertices(LPDWORD count, LPD3DVECTOR positions, LPD3DVECTOR normals)
{
    if (!count)
        return D3DRMERR_BADVALUE;
    const DWORD n = static_cast<DWORD>(GetVertexCount());
    if ((positions || normals) && *count < n)
        return D3DRMERR_BADVALUE;
    for (DWORD i = 0; i < n; ++i)
        CornerPosition(i, positions ? positions + i : nullptr, normals ? normals + i : nullptr);
    *count = n;
    return S_OK;
}

HRESULT Face::GetNormal(LPD3DVECTOR normal)
{
    if (!normal)
        return D3DRMERR_BADVALUE;
    const DWORD n = static_cast<DWORD>(GetVertexCount());
    D3DVECTOR sum, p0, a, b;
    if (n >= 3) {
        CornerPosition(0, &p0, nullptr);
        for (DWORD i = 1; i + 1 < n; ++i) {
            CornerPosition(i, &a, nullptr);
            CornerPosition(i + 1, &b, nullptr);
            sum = sum + Cross(a - p0, b - p0);
        }
    }
    *normal = Normalized(sum);
    return S_OK;
}

int Face::GetVertexCount()
{
    if (!owner_)
        return static_cast<int>(loose_.size());
    return static_cast<int>(Record().count);
}

int Face::GetVertexIndex(DWORD corner)
{
    if (!owner_ || corner >= Record().count)
        return -1;
    return static_cast<int>(owner_->Corners()[Record().first + corner].vertex);
}

int Face::GetTextureCoordinateIndex(DWORD corner) { return GetVertexIndex(corner); }

}  // namespace rm
