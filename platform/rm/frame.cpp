// Frames: tree, transforms relative to any frame, motion.

#include "platform/rm/impl/frame_impl.h"

#include "platform/rm/impl/array_impl.h"
#include "platform/rm/impl/light_impl.h"
#include "platform/rm/xfile/load.h"

#include <algorithm>
#include <cmath>

namespace rm {

namespace {

bool Finite(D3DVALUE a, D3DVALUE b = 0, D3DVALUE c = 0, D3DVALUE d = 0)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

bool ValidCombine(D3DRMCOMBINETYPE c)
{
    return c == D3DRMCOMBINE_REPLACE || c == D3DRMCOMBINE_BEFORE || c == D3DRMCOMBINE_AFTER;
}

// The world transform of a reference frame; null means the world itself. False for an
// object that is not a frame of this library.
bool ReferenceWorld(IDirect3DRMFrame* reference, Matrix* world)
{
    if (!reference) {
        *world = Matrix::Identity();
        return true;
    }
    Frame* f = As<Frame>(reference);
    if (!f)
        return false;
    *world = f->World();
    return true;
}

// A direction given in `from` space expressed in `to` space (both as world transforms).
D3DVECTOR ConvertDirection(D3DVECTOR v, const Matrix& from, const Matrix& to)
{
    return TransformDirection(TransformDirection(v, from), Inverse(to));
}

}  // namespace

Frame::Frame() = default;

namespace {

// Children whose last reference goes while another frame is being destroyed wait here, so
// that releasing a deep tree takes a loop rather than one stack level per generation.
std::vector<RefPtr<Frame>> gPendingRelease;
bool gDraining = false;

}  // namespace

Frame::~Frame()
{
    // Children outlive us as roots that keep their place in the world (we have no parent here:
    // a parent would still hold a reference).
    for (auto& child : children_) {
        child->local_ = child->local_ * local_;
        child->parent_ = nullptr;
        gPendingRelease.push_back(std::move(child));
    }
    children_.clear();
    if (gDraining)
        return;
    gDraining = true;
    while (!gPendingRelease.empty()) {
        RefPtr<Frame> next = std::move(gPendingRelease.back());
        gPendingRelease.pop_back();
        next.reset();
    }
    gDraining = false;
}

Matrix Frame::World() const
{
    Matrix m = local_;
    for (const Frame* p = parent_; p; p = p->parent_)
        m = m * p->local_;
    return m;
}

Matrix Frame::ParentWorld() const { return parent_ ? parent_->World() : Matrix::Identity(); }

Frame* Frame::Root()
{
    Frame* f = this;
    while (f->parent_)
        f = f->parent_;
    return f;
}

bool Frame::IsWithin(const Frame* ancestor) const
{
    for (const Frame* f = this; f; f = f->parent_)
        if (f == ancestor)
            return true;
    return false;
}

bool Frame::IsMoving() const
{
    return rotationRate_ != 0 || velocity_.x != 0 || velocity_.y != 0 || velocity_.z != 0;
}

void Frame::Detach()
{
    if (!parent_)
        return;
    Frame* parent = parent_;
    parent_ = nullptr;
    auto& siblings = parent->children_;
    auto it = std::find(siblings.begin(), siblings.end(), this);
    if (it != siblings.end())
        siblings.erase(it);  // may drop the last reference: callers hold one first
}

void Frame::AttachTo(Frame* parent)
{
    RefPtr<Frame> keep(this);
    Detach();
    if (parent) {
        parent->children_.emplace_back(this);
        parent_ = parent;
    }
}

void* Frame::FindInterface(REFIID iid)
{
    if (iid == IID_IDirect3DRMVisual)
        return static_cast<IDirect3DRMVisual*>(this);
    return Object::FindInterface(iid);
}

// ---- Tree --------------------------------------------------------------------------------

HRESULT Frame::AddChild(IDirect3DRMFrame* child)
{
    Frame* c = As<Frame>(child);
    if (!c)
        return D3DRMERR_BADOBJECT;
    if (IsWithin(c))
        return D3DRMERR_BADVALUE;  // would make the frame its own ancestor
    if (c->parent_ == this)
        return S_OK;
    const Matrix world = c->World();
    RefPtr<Frame> keep(c);
    c->Detach();
    children_.push_back(keep);
    c->parent_ = this;
    c->local_ = world * Inverse(World());
    return S_OK;
}

HRESULT Frame::DeleteChild(IDirect3DRMFrame* child)
{
    Frame* c = As<Frame>(child);
    if (!c)
        return D3DRMERR_BADOBJECT;
    if (c->parent_ != this)
        return D3DRMERR_NOTFOUND;
    const Matrix world = c->World();
    RefPtr<Frame> keep(c);
    c->Detach();
    c->local_ = world;
    return S_OK;
}

HRESULT Frame::GetChildren(IDirect3DRMFrameArray** children)
{
    std::vector<RefPtr<IDirect3DRMFrame>> items(children_.begin(), children_.end());
    return HandOutArray(IID_IDirect3DRMFrameArray, std::move(items), children);
}

HRESULT Frame::GetParent(IDirect3DRMFrame** parent)
{
    if (!parent)
        return D3DRMERR_BADVALUE;
    HandOut(static_cast<IDirect3DRMFrame*>(parent_), parent);
    return S_OK;
}

HRESULT Frame::GetScene(IDirect3DRMFrame** scene)
{
    if (!scene)
        return D3DRMERR_BADVALUE;
    HandOut(static_cast<IDirect3DRMFrame*>(Root()), scene);
    return S_OK;
}

// ---- Lights and visuals ---------------------------------------------------------------------

HRESULT Frame::AddLight(IDirect3DRMLight* light)
{
    Light* l = As<Light>(light);
    if (!l)
        return D3DRMERR_BADOBJECT;
    if (std::find(lights_.begin(), lights_.end(), l) == lights_.end())
        lights_.emplace_back(l);
    return S_OK;
}

HRESULT Frame::DeleteLight(IDirect3DRMLight* light)
{
    Light* l = As<Light>(light);
    if (!l)
        return D3DRMERR_BADOBJECT;
    auto it = std::find(lights_.begin(), lights_.end(), l);
    if (it == lights_.end())
        return D3DRMERR_NOTFOUND;
    lights_.erase(it);
    return S_OK;
}

HRESULT Frame::GetLights(IDirect3DRMLightArray** lights)
{
    std::vector<RefPtr<IDirect3DRMLight>> items(lights_.begin(), lights_.end());
    return HandOutArray(IID_IDirect3DRMLightArray, std::move(items), lights);
}

HRESULT Frame::AddVisual(IDirect3DRMVisual* visual)
{
    if (!ObjectBase::From(visual))
        return D3DRMERR_BADOBJECT;
    if (Frame* f = As<Frame>(visual); f && IsWithin(f))
        return D3DRMERR_BADVALUE;  // a frame cannot show itself or an ancestor
    if (std::find(visuals_.begin(), visuals_.end(), visual) == visuals_.end())
        visuals_.emplace_back(visual);
    return S_OK;
}

HRESULT Frame::DeleteVisual(IDirect3DRMVisual* visual)
{
    if (!visual)
        return D3DRMERR_BADOBJECT;
    auto it = std::find(visuals_.begin(), visuals_.end(), visual);
    if (it == visuals_.end())
        return D3DRMERR_NOTFOUND;
    visuals_.erase(it);
    return S_OK;
}

HRESULT Frame::GetVisuals(IDirect3DRMVisualArray** visuals)
{
    return HandOutArray(IID_IDirect3DRMVisualArray, visuals_, visuals);
}

// ---- Transform ---------------------------------------------------------------------------

namespace {

HRESULT Combine(Matrix& local, D3DRMCOMBINETYPE combine, const Matrix& m)
{
    switch (combine) {
    case D3DRMCOMBINE_REPLACE:
        local = m;
        return S_OK;
    case D3DRMCOMBINE_BEFORE:
        local = m * local;
        return S_OK;
    case D3DRMCOMBINE_AFTER:
        local = local * m;
        return S_OK;
    }
    return D3DRMERR_BADVALUE;
}

}  // namespace

HRESULT Frame::AddTransform(D3DRMCOMBINETYPE combine, D3DRMMATRIX4D matrix)
{
    if (!matrix || !ValidCombine(combine))
        return D3DRMERR_BADVALUE;
    Matrix m = Matrix::From(matrix);
    for (auto& row : m.m)
        if (!Finite(row[0], row[1], row[2], row[3]))
            return D3DRMERR_BADVALUE;
    return Combine(local_, combine, m);
}

HRESULT Frame::GetTransform(D3DRMMATRIX4D matrix)
{
    if (!matrix)
        return D3DRMERR_BADVALUE;
    local_.CopyTo(matrix);
    return S_OK;
}

HRESULT Frame::AddTranslation(D3DRMCOMBINETYPE combine, D3DVALUE x, D3DVALUE y, D3DVALUE z)
{
    if (!Finite(x, y, z))
        return D3DRMERR_BADVALUE;
    return Combine(local_, combine, Matrix::Translation(x, y, z));
}

HRESULT Frame::AddScale(D3DRMCOMBINETYPE combine, D3DVALUE sx, D3DVALUE sy, D3DVALUE sz)
{
    if (!Finite(sx, sy, sz))
        return D3DRMERR_BADVALUE;
    return Combine(local_, combine, Matrix::Scaling(sx, sy, sz));
}

HRESULT Frame::AddRotation(D3DRMCOMBINETYPE combine, D3DVALUE x, D3DVALUE y, D3DVALUE z, D3DVALUE theta)
{
    D3DVECTOR axis = Normalized(Vec(x, y, z));
    if (!Finite(x, y, z, theta) || Dot(axis, axis) == 0)
        return D3DRMERR_BADVALUE;
    return Combine(local_, combine, Matrix::Rotation(axis, theta));
}

HRESULT Frame::SetPosition(IDirect3DRMFrame* reference, D3DVALUE x, D3DVALUE y, D3DVALUE z)
{
    Matrix ref;
    if (!ReferenceWorld(reference, &ref))
        return D3DRMERR_BADOBJECT;
    if (!Finite(x, y, z))
        return D3DRMERR_BADVALUE;
    D3DVECTOR inParent = TransformPoint(TransformPoint(Vec(x, y, z), ref), Inverse(ParentWorld()));
    local_.SetRow(3, inParent);
    return S_OK;
}

HRESULT Frame::GetPosition(IDirect3DRMFrame* reference, LPD3DVECTOR position)
{
    Matrix ref;
    if (!ReferenceWorld(reference, &ref))
        return D3DRMERR_BADOBJECT;
    if (!position)
        return D3DRMERR_BADVALUE;
    *position = TransformPoint(World().Row(3), Inverse(ref));
    return S_OK;
}

HRESULT Frame::SetOrientation(IDirect3DRMFrame* reference, D3DVALUE dx, D3DVALUE dy, D3DVALUE dz, D3DVALUE ux,
                              D3DVALUE uy, D3DVALUE uz)
{
    Matrix ref;
    if (!ReferenceWorld(reference, &ref))
        return D3DRMERR_BADOBJECT;
    if (!Finite(dx, dy, dz) || !Finite(ux, uy, uz))
        return D3DRMERR_BADVALUE;
    const Matrix parent = ParentWorld();
    D3DVECTOR z = Normalized(ConvertDirection(Vec(dx, dy, dz), ref, parent));
    D3DVECTOR up = ConvertDirection(Vec(ux, uy, uz), ref, parent);
    D3DVECTOR y = Normalized(up - z * Dot(up, z));
    if (Dot(z, z) == 0 || Dot(y, y) == 0)
        return D3DRMERR_BADVALUE;
    D3DVECTOR x = Cross(y, z);
    // Keep the frame's own scale along each axis.
    local_.SetRow(0, x * Length(local_.Row(0)));
    local_.SetRow(1, y * Length(local_.Row(1)));
    local_.SetRow(2, z * Length(local_.Row(2)));
    return S_OK;
}

HRESULT Frame::GetOrientation(IDirect3DRMFrame* reference, LPD3DVECTOR direction, LPD3DVECTOR up)
{
    Matrix ref;
    if (!ReferenceWorld(reference, &ref))
        return D3DRMERR_BADOBJECT;
    if (!direction || !up)
        return D3DRMERR_BADVALUE;
    const Matrix world = World();
    const Matrix toRef = Inverse(ref);
    *direction = Normalized(TransformDirection(world.Row(2), toRef));
    *up = Normalized(TransformDirection(world.Row(1), toRef));
    return S_OK;
}

HRESULT Frame::LookAt(IDirect3DRMFrame* target, IDirect3DRMFrame* reference)
{
    Frame* t = As<Frame>(target);
    Matrix ref;
    if (!t || !ReferenceWorld(reference, &ref))
        return D3DRMERR_BADOBJECT;
    D3DVECTOR dir = t->World().Row(3) - World().Row(3);
    D3DVECTOR up = ref.Row(1);
    return SetOrientation(nullptr, dir.x, dir.y, dir.z, up.x, up.y, up.z);
}

HRESULT Frame::Transform(LPD3DVECTOR destination, LPD3DVECTOR source)
{
    if (!destination || !source)
        return D3DRMERR_BADVALUE;
    *destination = TransformPoint(*source, World());
    return S_OK;
}

HRESULT Frame::InverseTransform(LPD3DVECTOR destination, LPD3DVECTOR source)
{
    if (!destination || !source)
        return D3DRMERR_BADVALUE;
    *destination = TransformPoint(*source, Inverse(World()));
    return S_OK;
}

// ---- Motion ------------------------------------------------------------------------------

HRESULT Frame::SetVelocity(IDirect3DRMFrame* reference, D3DVALUE x, D3DVALUE y, D3DVALUE z, BOOL withRotation)
{
    Matrix ref;
    if (!ReferenceWorld(reference, &ref))
        return D3DRMERR_BADOBJECT;
    if (!Finite(x, y, z))
        return D3DRMERR_BADVALUE;
    velocity_ = ConvertDirection(Vec(x, y, z), ref, ParentWorld());
    velocityWithRotation_ = withRotation;
    return S_OK;
}

HRESULT Frame::GetVelocity(IDirect3DRMFrame* reference, LPD3DVECTOR velocity, BOOL)
{
    Matrix ref;
    if (!ReferenceWorld(reference, &ref))
        return D3DRMERR_BADOBJECT;
    if (!velocity)
        return D3DRMERR_BADVALUE;
    *velocity = ConvertDirection(velocity_, ParentWorld(), ref);
    return S_OK;
}

HRESULT Frame::SetRotation(IDirect3DRMFrame* reference, D3DVALUE x, D3DVALUE y, D3DVALUE z, D3DVALUE theta)
{
    Matrix ref;
    if (!ReferenceWorld(reference, &ref))
        return D3DRMERR_BADOBJECT;
    if (!Finite(x, y, z, theta))
        return D3DRMERR_BADVALUE;
    D3DVECTOR axis = Normalized(ConvertDirection(Vec(x, y, z), ref, ParentWorld()));
    if (Dot(axis, axis) == 0) {
        if (theta != 0)
            return D3DRMERR_BADVALUE;
        axis = rotationAxis_;
    }
    rotationAxis_ = axis;
    rotationRate_ = theta;
    return S_OK;
}

HRESULT Frame::GetRotation(IDirect3DRMFrame* reference, LPD3DVECTOR axis, LPD3DVALUE theta)
{
    Matrix ref;
    if (!ReferenceWorld(reference, &ref))
        return D3DRMERR_BADOBJECT;
    if (!axis || !theta)
        return D3DRMERR_BADVALUE;
    *axis = Normalized(ConvertDirection(rotationAxis_, ParentWorld(), ref));
    *theta = rotationRate_;
    return S_OK;
}

// Turns the axes (rows 0..2) about the frame's own origin, then moves the origin.
HRESULT Frame::Move(D3DVALUE delta)
{
    if (!std::isfinite(delta))
        return D3DRMERR_BADVALUE;
    if (rotationRate_ != 0 && delta != 0) {
        const Matrix r = Matrix::Rotation(rotationAxis_, rotationRate_ * delta);
        for (int row = 0; row < 3; ++row)
            local_.SetRow(row, TransformDirection(local_.Row(row), r));
    }
    if (delta != 0)
        local_.SetRow(3, local_.Row(3) + velocity_ * delta);
    return S_OK;
}

void MoveAllFrames(D3DVALUE delta)
{
    std::vector<RefPtr<Frame>> moving;
    for (ObjectBase* o = ObjectBase::FirstLiving(); o; o = o->NextLiving())
        if (auto* f = dynamic_cast<Frame*>(o); f && f->IsMoving())
            moving.emplace_back(f);
    for (auto& f : moving)
        f->Move(delta);
}

// ---- Scene background ----------------------------------------------------------------------

HRESULT Frame::SetSceneBackground(D3DCOLOR color)
{
    Root()->background_ = color;
    return S_OK;
}

HRESULT Frame::SetSceneBackgroundRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue)
{
    if (!Finite(red, green, blue))
        return D3DRMERR_BADVALUE;
    return SetSceneBackground(D3DRMCreateColorRGB(red, green, blue));
}

D3DCOLOR Frame::GetSceneBackground() { return Root()->background_; }

// ---- Copy and load -------------------------------------------------------------------------

// The copy has this frame's transform, motion, background and name, but no parent, children,
// visuals or lights: copying the contents is left to the caller.
HRESULT Frame::CloneObject(REFIID iid, void** object)
{
    RefPtr<Frame> copy = RefPtr<Frame>::Adopt(new Frame);
    copy->local_ = local_;
    copy->background_ = background_;
    copy->velocity_ = velocity_;
    copy->velocityWithRotation_ = velocityWithRotation_;
    copy->rotationAxis_ = rotationAxis_;
    copy->rotationRate_ = rotationRate_;
    CopyBasicsTo(*copy);
    return copy->QueryInterface(iid, object);
}

HRESULT Frame::Load(LPVOID source, LPVOID objectId, D3DRMLOADOPTIONS options,
                    D3DRMLOADTEXTURECALLBACK textureCallback, LPVOID textureArg)
{
    const LoadRequest request{source, objectId, options, textureCallback, textureArg};
    LoadTarget target;
    target.parent = this;
    return LoadScene(request, target);
}

}  // namespace rm
