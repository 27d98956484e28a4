// Texture wraps: texture coordinates from a projection of the vertices.
//
// The wrap's axes: z = direction, y = up made perpendicular to z, x = y cross z. A vertex p
// becomes q = ((p - origin).x, (p - origin).y, (p - origin).z) in those axes, and:
//   flat      u = su * qx - ou,            v = -sv * qy - ov   (texture rows run down: -y)
//   cylinder  u = su * a / 2pi - ou,       v = sv * qz - ov    (a: angle about z from y toward x)
//   sphere    u = su * a / 2pi - ou,       v = sv * b / pi - ov (b: angle from +z)
//   chrome    the sphere formulas applied to the view ray reflected about the vertex normal,
//             the viewer sitting at the origin of the coordinates the wrap works in.

#include "platform/rm/impl/wrap_impl.h"

#include "platform/rm/impl/meshbuilder_impl.h"

#include <cmath>
#include <numbers>
#include <algorithm>

namespace rm {

namespace {

struct WrapAxes {
    D3DVECTOR origin, x, y, z;
};

bool MakeAxes(const WrapParams& p, WrapAxes* axes)
{
    D3DVECTOR z = Normalized(p.direction);
    D3DVECTOR y = Normalized(p.up - z * Dot(p.up, z));
    if (Dot(z, z) == 0 || Dot(y, y) == 0)
        return false;
    *axes = {p.origin, Cross(y, z), y, z};
    return true;
}

D3DVECTOR InAxes(const WrapAxes& a, D3DVECTOR v) { return {Dot(v, a.x), Dot(v, a.y), Dot(v, a.z)}; }

// Angle about z measured from +y toward +x, in [0, 2pi).
double AngleAround(D3DVECTOR q)
{
    double a = std::atan2(static_cast<double>(q.x), static_cast<double>(q.y));
    return a < 0 ? a + 2 * std::numbers::pi : a;
}

TexCoord SphereCoords(const WrapParams& p, D3DVECTOR q)
{
    const double len = Length(q);
    const double polar = len > 0 ? std::acos(std::clamp(q.z / len, -1.0, 1.0)) : 0;
    return {static_cast<D3DVALUE>(p.su * AngleAround(q) / (2 * std::numbers::pi) - p.ou),
            static_cast<D3DVALUE>(p.sv * polar / std::numbers::pi - p.ov)};
}

// One normal per vertex: the first corner normal found, else the average of the plane
// normals of the faces around it.
std::vector<D3DVECTOR> VertexNormals(const MeshBuilder& mb)
{
    const auto& positions = mb.Positions();
    std::vector<D3DVECTOR> sums(positions.size());
    std::vector<bool> given(positions.size(), false);
    for (const FaceRecord& f : mb.Faces()) {
        const FaceCorner* c = mb.Corners().data() + f.first;
        D3DVECTOR plane;
        if (f.count >= 3)
            for (DWORD i = 1; i + 1 < f.count; ++i)
                plane = plane + Cross(positions[c[i].vertex] - positions[c[0].vertex],
                                      positions[c[i + 1].vertex] - positions[c[0].vertex]);
        plane = Normalized(plane);
        for (DWORD i = 0; i < f.count; ++i) {
            const DWORD v = c[i].vertex;
            if (c[i].normal != FaceCorner::kNoNormal) {
                if (!given[v])
                    sums[v] = mb.Normals()[c[i].normal];
                given[v] = true;
            } else if (!given[v]) {
                sums[v] = sums[v] + plane;
            }
        }
    }
    for (auto& n : sums)
        n = Normalized(n);
    return sums;
}

// Computes the coordinates of every vertex; toWrap takes the builder's coordinates into the
// wrap's (identity for Apply).
HRESULT ApplyTo(const WrapParams& p, MeshBuilder& mb, const Matrix& toWrap)
{
    WrapAxes axes;
    if (!MakeAxes(p, &axes))
        return D3DRMERR_BADVALUE;
    std::vector<D3DVECTOR> normals;
    if (p.type == D3DRMWRAP_CHROME)
        normals = VertexNormals(mb);
    const auto& positions = mb.Positions();
    for (DWORD i = 0; i < positions.size(); ++i) {
        const D3DVECTOR world = TransformPoint(positions[i], toWrap);
        const D3DVECTOR q = InAxes(axes, world - axes.origin);
        TexCoord tc;
        switch (p.type) {
        case D3DRMWRAP_FLAT:
            tc = {p.su * q.x - p.ou, -p.sv * q.y - p.ov};
            break;
        case D3DRMWRAP_CYLINDER:
            tc = {static_cast<D3DVALUE>(p.su * AngleAround(q) / (2 * std::numbers::pi) - p.ou), p.sv * q.z - p.ov};
            break;
        case D3DRMWRAP_SPHERE:
            tc = SphereCoords(p, q);
            break;
        case D3DRMWRAP_CHROME: {
            const D3DVECTOR eye = Normalized(world);
            const D3DVECTOR n = Normalized(TransformDirection(normals[i], toWrap));
            const D3DVECTOR reflected = eye - n * (2 * Dot(eye, n));
            tc = SphereCoords(p, InAxes(axes, reflected));
            break;
        }
        }
        mb.SetTexCoord(i, tc);
    }
    return S_OK;
}

MeshBuilder* TargetBuilder(IDirect3DRMObject* object)
{
    if (auto* mb = As<MeshBuilder>(object))
        return mb;
    if (auto* face = As<Face>(object))
        return face->Owner();
    return nullptr;
}

}  // namespace

HRESULT Wrap::Apply(IDirect3DRMObject* object)
{
    MeshBuilder* mb = TargetBuilder(object);
    if (!mb)
        return D3DRMERR_BADOBJECT;
    return ApplyTo(params_, *mb, Matrix::Identity());
}

HRESULT Wrap::ApplyRelative(IDirect3DRMFrame* frame, IDirect3DRMObject* object)
{
    Frame* f = As<Frame>(frame);
    MeshBuilder* mb = TargetBuilder(object);
    if (!f || !mb)
        return D3DRMERR_BADOBJECT;
    Frame* reference = reference_.Get();
    const Matrix toWrap = reference ? f->World() * Inverse(reference->World()) : f->World();
    return ApplyTo(params_, *mb, toWrap);
}

HRESULT Wrap::CloneObject(REFIID iid, void** object)
{
    RefPtr<Wrap> copy = RefPtr<Wrap>::Adopt(new Wrap(params_, reference_.Get()));
    CopyBasicsTo(*copy);
    return copy->QueryInterface(iid, object);
}

}  // namespace rm
