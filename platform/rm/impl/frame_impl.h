#pragma once
// Frame: a node of the scene tree. What the renderer reads:
//   Local()      transform relative to the parent (rows 0..2 axes, row 3 origin);
//   World()      transform relative to the world, computed by walking up the parents
//                (a renderer walking down the tree can instead multiply Local() as it goes);
//   Children(), Visuals(), Lights()   in the order they were added;
//   Background() the scene background colour (meaningful on the root).
// A frame holds one reference to each child, visual and light; the parent link is plain.

#include "platform/rm/frame.h"
#include "platform/rm/impl/matrix.h"
#include "platform/rm/impl/object_impl.h"

#include <vector>

namespace rm {

class Light;

class Frame final : public Object<IDirect3DRMFrame> {
public:
    Frame();

    const Matrix& Local() const { return local_; }
    Matrix World() const;
    Frame* Parent() const { return parent_; }
    Frame* Root();
    const std::vector<RefPtr<Frame>>& Children() const { return children_; }
    const std::vector<RefPtr<IDirect3DRMVisual>>& Visuals() const { return visuals_; }
    const std::vector<RefPtr<Light>>& Lights() const { return lights_; }
    D3DCOLOR Background() const { return background_; }
    // Whether ancestor is this frame or one of its ancestors.
    bool IsWithin(const Frame* ancestor) const;

    // Motion as stored: velocity and rotation axis in the parent's coordinates.
    D3DVECTOR Velocity() const { return velocity_; }
    D3DVECTOR RotationAxis() const { return rotationAxis_; }
    D3DVALUE RotationRate() const { return rotationRate_; }
    bool IsMoving() const;

    // Links a frame made by IDirect3DRM::CreateFrame under its parent (the frame keeps its
    // local transform, unlike AddChild).
    void AttachTo(Frame* parent);
    void SetLocal(const Matrix& m) { local_ = m; }
    // Adds a visual without looking for it among the present ones (the loader's many-mesh
    // frames stay linear); the caller makes sure the visual cannot contain this frame.
    void AppendVisual(IDirect3DRMVisual* visual) { visuals_.emplace_back(visual); }

    // IDirect3DRMFrame
    HRESULT AddChild(IDirect3DRMFrame* child) override;
    HRESULT DeleteChild(IDirect3DRMFrame* child) override;
    HRESULT GetChildren(IDirect3DRMFrameArray** children) override;
    HRESULT GetParent(IDirect3DRMFrame** parent) override;
    HRESULT GetScene(IDirect3DRMFrame** scene) override;
    HRESULT AddLight(IDirect3DRMLight* light) override;
    HRESULT DeleteLight(IDirect3DRMLight* light) override;
    HRESULT GetLights(IDirect3DRMLightArray** lights) override;
    HRESULT AddVisual(IDirect3DRMVisual* visual) override;
    HRESULT DeleteVisual(IDirect3DRMVisual* visual) override;
    HRESULT GetVisuals(IDirect3DRMVisualArray** visuals) override;
    HRESULT AddTransform(D3DRMCOMBINETYPE combine, D3DRMMATRIX4D matrix) override;
    HRESULT GetTransform(D3DRMMATRIX4D matrix) override;
    HRESULT AddTranslation(D3DRMCOMBINETYPE combine, D3DVALUE x, D3DVALUE y, D3DVALUE z) override;
    HRESULT AddScale(D3DRMCOMBINETYPE combine, D3DVALUE sx, D3DVALUE sy, D3DVALUE sz) override;
    HRESULT AddRotation(D3DRMCOMBINETYPE combine, D3DVALUE x, D3DVALUE y, D3DVALUE z, D3DVALUE theta) override;
    HRESULT SetPosition(IDirect3DRMFrame* reference, D3DVALUE x, D3DVALUE y, D3DVALUE z) override;
    HRESULT GetPosition(IDirect3DRMFrame* reference, LPD3DVECTOR position) override;
    HRESULT SetOrientation(IDirect3DRMFrame* reference, D3DVALUE dx, D3DVALUE dy, D3DVALUE dz, D3DVALUE ux,
                           D3DVALUE uy, D3DVALUE uz) override;
    HRESULT GetOrientation(IDirect3DRMFrame* reference, LPD3DVECTOR direction, LPD3DVECTOR up) override;
    HRESULT LookAt(IDirect3DRMFrame* target, IDirect3DRMFrame* reference) override;
    HRESULT Transform(LPD3DVECTOR destination, LPD3DVECTOR source) override;
    HRESULT InverseTransform(LPD3DVECTOR destination, LPD3DVECTOR source) override;
    HRESULT SetVelocity(IDirect3DRMFrame* reference, D3DVALUE x, D3DVALUE y, D3DVALUE z, BOOL withRotation) override;
    HRESULT GetVelocity(IDirect3DRMFrame* reference, LPD3DVECTOR velocity, BOOL withRotation) override;
    HRESULT SetRotation(IDirect3DRMFrame* reference, D3DVALUE x, D3DVALUE y, D3DVALUE z, D3DVALUE theta) override;
    HRESULT GetRotation(IDirect3DRMFrame* reference, LPD3DVECTOR axis, LPD3DVALUE theta) override;
    HRESULT Move(D3DVALUE delta) override;
    HRESULT SetSceneBackground(D3DCOLOR color) override;
    HRESULT SetSceneBackgroundRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) override;
    D3DCOLOR GetSceneBackground() override;
    HRESULT Load(LPVOID source, LPVOID objectId, D3DRMLOADOPTIONS options, D3DRMLOADTEXTURECALLBACK textureCallback,
                 LPVOID textureArg) override;

    const char* ClassName() const override { return "Frame"; }
    HRESULT CloneObject(REFIID iid, void** object) override;

protected:
    void* FindInterface(REFIID iid) override;
    const IID& InterfaceId() const override { return IID_IDirect3DRMFrame; }

private:
    ~Frame() override;
    // Unlinks this frame from its parent (which drops its reference to it).
    void Detach();
    // The transform from this frame's parent space to world coordinates.
    Matrix ParentWorld() const;

    Matrix local_;
    Frame* parent_ = nullptr;
    std::vector<RefPtr<Frame>> children_;
    std::vector<RefPtr<IDirect3DRMVisual>> visuals_;
    std::vector<RefPtr<Light>> lights_;
    D3DCOLOR background_ = 0xFF000000u;
    D3DVECTOR velocity_;       // parent coordinates, units per time unit
    BOOL velocityWithRotation_ = FALSE;
    D3DVECTOR rotationAxis_{0, 1, 0};  // parent coordinates, unit length
    D3DVALUE rotationRate_ = 0;        // radians per time unit
};

// Every frame of the process that has a velocity or rotation moves by delta (IDirect3DRM::Tick).
void MoveAllFrames(D3DVALUE delta);

}  // namespace rm
