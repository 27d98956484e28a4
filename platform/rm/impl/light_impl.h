#pragma once
// Light: what the renderer reads is Params() and EnableFrame(). A light shines from every
// frame it was added to: its position is that frame's origin and its direction (spot,
// directional, parallel point) that frame's +Z axis, both in world coordinates through the
// frame's World(). With an enable frame it lights only that frame's subtree.

#include "platform/rm/impl/frame_impl.h"
#include "platform/rm/impl/object_impl.h"
#include "platform/rm/light.h"

namespace rm {

struct LightParams {
    D3DRMLIGHTTYPE type = D3DRMLIGHT_AMBIENT;
    D3DVALUE red = 1, green = 1, blue = 1;  // 0..1 (may exceed 1)
    D3DVALUE range = 256;
    D3DVALUE umbra = 0.4f, penumbra = 0.5f;  // full cone angles, radians
    D3DVALUE constantAttenuation = 1, linearAttenuation = 0, quadraticAttenuation = 0;
};

class Light final : public Object<IDirect3DRMLight> {
public:
    explicit Light(const LightParams& params) : params_(params) {}
    const LightParams& Params() const { return params_; }
    Frame* EnableFrame() const { return enableFrame_.Get(); }

    HRESULT SetType(D3DRMLIGHTTYPE type) override;
    D3DRMLIGHTTYPE GetType() override { return params_.type; }
    HRESULT SetColor(D3DCOLOR color) override;
    HRESULT SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) override;
    D3DCOLOR GetColor() override;
    HRESULT SetRange(D3DVALUE range) override;
    D3DVALUE GetRange() override { return params_.range; }
    HRESULT SetUmbra(D3DVALUE angle) override;
    HRESULT SetPenumbra(D3DVALUE angle) override;
    D3DVALUE GetUmbra() override { return params_.umbra; }
    D3DVALUE GetPenumbra() override { return params_.penumbra; }
    HRESULT SetConstantAttenuation(D3DVALUE value) override;
    HRESULT SetLinearAttenuation(D3DVALUE value) override;
    HRESULT SetQuadraticAttenuation(D3DVALUE value) override;
    D3DVALUE GetConstantAttenuation() override { return params_.constantAttenuation; }
    D3DVALUE GetLinearAttenuation() override { return params_.linearAttenuation; }
    D3DVALUE GetQuadraticAttenuation() override { return params_.quadraticAttenuation; }
    HRESULT SetEnableFrame(IDirect3DRMFrame* frame) override;
    HRESULT GetEnableFrame(IDirect3DRMFrame** frame) override;

    const char* ClassName() const override { return "Light"; }
    HRESULT CloneObject(REFIID iid, void** object) override;

protected:
    const IID& InterfaceId() const override { return IID_IDirect3DRMLight; }

private:
    ~Light() override = default;
    LightParams params_;
    WeakRef<Frame> enableFrame_;
};

}  // namespace rm
