#include "platform/rm/impl/light_impl.h"

#include <cmath>

namespace rm {

namespace {

bool ValidType(D3DRMLIGHTTYPE t) { return t >= D3DRMLIGHT_AMBIENT && t <= D3DRMLIGHT_PARALLELPOINT; }
// Stores a distance, angle or attenuation: finite and not negative, or refused.
HRESULT SetNonNegative(D3DVALUE& field, D3DVALUE value)
{
    if (!std::isfinite(value) || value < 0)
        return D3DRMERR_BADVALUE;
    field = value;
    return S_OK;
}

}  // namespace

HRESULT Light::SetType(D3DRMLIGHTTYPE type)
{
    if (!ValidType(type))
        return D3DRMERR_BADVALUE;
    params_.type = type;
    return S_OK;
}

HRESULT Light::SetColor(D3DCOLOR color)
{
    params_.red = D3DRMColorGetRed(color);
    params_.green = D3DRMColorGetGreen(color);
    params_.blue = D3DRMColorGetBlue(color);
    return S_OK;
}

HRESULT Light::SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue)
{
    if (!std::isfinite(red) || !std::isfinite(green) || !std::isfinite(blue))
        return D3DRMERR_BADVALUE;
    params_.red = red;
    params_.green = green;
    params_.blue = blue;
    return S_OK;
}

D3DCOLOR Light::GetColor() { return D3DRMCreateColorRGB(params_.red, params_.green, params_.blue); }

HRESULT Light::SetRange(D3DVALUE range) { return SetNonNegative(params_.range, range); }

HRESULT Light::SetUmbra(D3DVALUE angle) { return SetNonNegative(params_.umbra, angle); }

HRESULT Light::SetPenumbra(D3DVALUE angle) { return SetNonNegative(params_.penumbra, angle); }

HRESULT Light::SetConstantAttenuation(D3DVALUE value) { return SetNonNegative(params_.constantAttenuation, value); }

HRESULT Light::SetLinearAttenuation(D3DVALUE value) { return SetNonNegative(params_.linearAttenuation, value); }

HRESULT Light::SetQuadraticAttenuation(D3DVALUE value) { return SetNonNegative(params_.quadraticAttenuation, value); }

HRESULT Light::SetEnableFrame(IDirect3DRMFrame* frame)
{
    Frame* f = As<Frame>(frame);
    if (frame && !f)
        return D3DRMERR_BADOBJECT;
    enableFrame_.Reset(f);
    return S_OK;
}

HRESULT Light::GetEnableFrame(IDirect3DRMFrame** frame)
{
    if (!frame)
        return D3DRMERR_BADVALUE;
    HandOut(static_cast<IDirect3DRMFrame*>(enableFrame_.Get()), frame);
    return S_OK;
}

HRESULT Light::CloneObject(REFIID iid, void** object)
{
    RefPtr<Light> copy = RefPtr<Light>::Adopt(new Light(params_));
    copy->enableFrame_ = enableFrame_;
    CopyBasicsTo(*copy);
    return copy->QueryInterface(iid, object);
}

}  // namespace rm
