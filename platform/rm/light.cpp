#include "platform/rm/impl/light_impl.h"

#include <cmath>

namespace rm {

namespace {

bool ValidType(D3DRMLIGHTTYPE t) { return t >= D3DRMLIGHT_AMBIENT && t <= D3DRMLIGHT_PARALLELPOINT; }
bool NonNegative(D3DVALUE v) { return std::isfinite(v) && v >= 0; }

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

HRESULT Light::SetRange(D3DVALUE range)
{
    if (!NonNegative(range))
        return D3DRMERR_BADVALUE;
    params_.range = range;
    return S_OK;
}

HRESULT Light::SetUmbra(D3DVALUE angle)
{
    if (!NonNegative(angle))
        return D3DRMERR_BADVALUE;
    params_.umbra = angle;
    return S_OK;
}

HRESULT Light::SetPenumbra(D3DVALUE angle)
{
    if (!NonNegative(angle))
        return D3DRMERR_BADVALUE;
    params_.penumbra = angle;
    return S_OK;
}

HRESULT Light::SetConstantAttenuation(D3DVALUE value)
{
    if (!NonNegative(value))
        return D3DRMERR_BADVALUE;
    params_.constantAttenuation = value;
    return S_OK;
}

HRESULT Light::SetLinearAttenuation(D3DVALUE value)
{
    if (!NonNegative(value))
        return D3DRMERR_BADVALUE;
    params_.linearAttenuation = value;
    return S_OK;
}

HRESULT Light::SetQuadraticAttenuation(D3DVALUE value)
{
    if (!NonNegative(value))
        return D3DRMERR_BADVALUE;
    params_.quadraticAttenuation = value;
    return S_OK;
}

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
