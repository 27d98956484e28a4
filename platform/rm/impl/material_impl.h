#pragma once
// Material: specular power and colour, emissive colour (components 0..1).

#include "platform/rm/impl/object_impl.h"
#include "platform/rm/material.h"

namespace rm {

struct MaterialParams {
    D3DVALUE power = 0;  // 0: no specular highlight
    D3DVALUE specular[3] = {0, 0, 0};
    D3DVALUE emissive[3] = {0, 0, 0};
};

class Material final : public Object<IDirect3DRMMaterial> {
public:
    explicit Material(D3DVALUE power = 0) { params_.power = power; }
    const MaterialParams& Params() const { return params_; }

    HRESULT SetPower(D3DVALUE power) override;
    HRESULT SetSpecular(D3DVALUE red, D3DVALUE green, D3DVALUE blue) override;
    HRESULT SetEmissive(D3DVALUE red, D3DVALUE green, D3DVALUE blue) override;
    D3DVALUE GetPower() override { return params_.power; }
    HRESULT GetSpecular(LPD3DVALUE red, LPD3DVALUE green, LPD3DVALUE blue) override;
    HRESULT GetEmissive(LPD3DVALUE red, LPD3DVALUE green, LPD3DVALUE blue) override;

    const char* ClassName() const override { return "Material"; }
    HRESULT CloneObject(REFIID iid, void** object) override;

protected:
    const IID& InterfaceId() const override { return IID_IDirect3DRMMaterial; }

private:
    ~Material() override = default;
    MaterialParams params_;
};

}  // namespace rm
