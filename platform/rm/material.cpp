#include "platform/rm/impl/material_impl.h"

#include <cmath>

namespace rm {

namespace {

// Stores a colour of finite channels; anything else is refused and changes nothing.
HRESULT WriteRGB(D3DVALUE (&rgb)[3], D3DVALUE r, D3DVALUE g, D3DVALUE b)
{
    if (!std::isfinite(r) || !std::isfinite(g) || !std::isfinite(b))
        return D3DRMERR_BADVALUE;
    rgb[0] = r;
    rgb[1] = g;
    rgb[2] = b;
    return S_OK;
}

HRESULT ReadRGB(const D3DVALUE (&rgb)[3], LPD3DVALUE r, LPD3DVALUE g, LPD3DVALUE b)
{
    if (!r || !g || !b)
        return D3DRMERR_BADVALUE;
    *r = rgb[0];
    *g = rgb[1];
    *b = rgb[2];
    return S_OK;
}

}  // namespace

HRESULT Material::SetPower(D3DVALUE power)
{
    if (!std::isfinite(power) || power < 0)
        return D3DRMERR_BADVALUE;
    params_.power = power;
    return S_OK;
}

HRESULT Material::SetSpecular(D3DVALUE red, D3DVALUE green, D3DVALUE blue)
{
    return WriteRGB(params_.specular, red, green, blue);
}

HRESULT Material::SetEmissive(D3DVALUE red, D3DVALUE green, D3DVALUE blue)
{
    return WriteRGB(params_.emissive, red, green, blue);
}

HRESULT Material::GetSpecular(LPD3DVALUE red, LPD3DVALUE green, LPD3DVALUE blue)
{
    return ReadRGB(params_.specular, red, green, blue);
}

HRESULT Material::GetEmissive(LPD3DVALUE red, LPD3DVALUE green, LPD3DVALUE blue)
{
    return ReadRGB(params_.emissive, red, green, blue);
}

HRESULT Material::CloneObject(REFIID iid, void** object)
{
    RefPtr<Material> copy = RefPtr<Material>::Adopt(new Material);
    copy->params_ = params_;
    CopyBasicsTo(*copy);
    return copy->QueryInterface(iid, object);
}

}  // namespace rm
