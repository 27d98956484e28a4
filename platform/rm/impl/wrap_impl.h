#pragma once
// Wrap: the parameters of a texture projection and the computation of texture coordinates.

#include "platform/rm/impl/frame_impl.h"
#include "platform/rm/impl/object_impl.h"
#include "platform/rm/wrap.h"

namespace rm {

struct WrapParams {
    D3DRMWRAPTYPE type = D3DRMWRAP_FLAT;
    D3DVECTOR origin;
    D3DVECTOR direction{0, 0, 1};  // the wrap's z axis
    D3DVECTOR up{0, 1, 0};         // the wrap's y axis
    D3DVALUE ou = 0, ov = 0;       // texture origin
    D3DVALUE su = 1, sv = 1;       // texture scale
};

class Wrap final : public Object<IDirect3DRMWrap> {
public:
    Wrap(const WrapParams& params, Frame* reference) : params_(params), reference_(reference) {}
    const WrapParams& Params() const { return params_; }

    HRESULT Apply(IDirect3DRMObject* object) override;
    HRESULT ApplyRelative(IDirect3DRMFrame* frame, IDirect3DRMObject* object) override;

    const char* ClassName() const override { return "Wrap"; }
    HRESULT CloneObject(REFIID iid, void** object) override;

protected:
    const IID& InterfaceId() const override { return IID_IDirect3DRMWrap; }

private:
    ~Wrap() override = default;
    WrapParams params_;
    WeakRef<Frame> reference_;
};

}  // namespace rm
