#include "platform/rm/d3d_render_states.h"

namespace rm {

namespace {

bool ValidValue(DWORD state, DWORD value)
{
    switch (state) {
    case D3DRENDERSTATE_CULLMODE:
        return value >= D3DCULL_NONE && value <= D3DCULL_CCW;
    case D3DRENDERSTATE_ZFUNC:
        return value >= D3DCMP_NEVER && value <= D3DCMP_ALWAYS;
    case D3DRENDERSTATE_ZENABLE:
    case D3DRENDERSTATE_ZWRITEENABLE:
        return value <= 1;
    default:
        return true;
    }
}

raster::DepthFunc ToDepthFunc(DWORD func)
{
    switch (func) {
    case D3DCMP_NEVER: return raster::DepthFunc::Never;
    case D3DCMP_LESS: return raster::DepthFunc::Less;
    case D3DCMP_EQUAL: return raster::DepthFunc::Equal;
    case D3DCMP_GREATER: return raster::DepthFunc::Greater;
    case D3DCMP_NOTEQUAL: return raster::DepthFunc::NotEqual;
    case D3DCMP_GREATEREQUAL: return raster::DepthFunc::GreaterEqual;
    case D3DCMP_ALWAYS: return raster::DepthFunc::Always;
    default: return raster::DepthFunc::LessEqual;
    }
}

}  // namespace

RenderStateTable::RenderStateTable()
{
    values_[D3DRENDERSTATE_ZENABLE] = TRUE;
    values_[D3DRENDERSTATE_ZWRITEENABLE] = TRUE;
    values_[D3DRENDERSTATE_ZFUNC] = D3DCMP_LESSEQUAL;
    values_[D3DRENDERSTATE_CULLMODE] = D3DCULL_CCW;
    values_[D3DRENDERSTATE_DITHERENABLE] = FALSE;
    values_[D3DRENDERSTATE_SPECULARENABLE] = TRUE;
}

bool RenderStateTable::Execute(DWORD state, DWORD value)
{
    if (state >= D3DSTATE_OVERRIDE_BIAS) {
        DWORD target = state - D3DSTATE_OVERRIDE_BIAS;
        if (target == 0 || target >= kStateCount)
            return false;
        locked_[target] = value != 0;
        return true;
    }
    if (state == 0 || state >= kStateCount || !ValidValue(state, value))
        return false;
    values_[state] = value;
    return true;
}

void RenderStateTable::SetOwn(D3DRENDERSTATETYPE state, DWORD value)
{
    if (!locked_[state])
        values_[state] = value;
}

void RenderStateTable::ApplyLibraryValues(bool cullBackFaces)
{
    SetOwn(D3DRENDERSTATE_ZENABLE, TRUE);
    SetOwn(D3DRENDERSTATE_ZWRITEENABLE, TRUE);
    SetOwn(D3DRENDERSTATE_ZFUNC, D3DCMP_LESSEQUAL);
    SetOwn(D3DRENDERSTATE_CULLMODE, cullBackFaces ? D3DCULL_CCW : D3DCULL_NONE);
}

void RenderStateTable::ApplyTo(raster::RasterOptions& options) const
{
    switch (values_[D3DRENDERSTATE_CULLMODE]) {
    case D3DCULL_NONE: options.cull = raster::CullMode::None; break;
    case D3DCULL_CW: options.cull = raster::CullMode::Clockwise; break;
    default: options.cull = raster::CullMode::CounterClockwise; break;
    }
    options.depthTest = values_[D3DRENDERSTATE_ZENABLE] != 0;
    options.depthWrite = values_[D3DRENDERSTATE_ZWRITEENABLE] != 0;
    options.depthFunc = ToDepthFunc(values_[D3DRENDERSTATE_ZFUNC]);
}

}  // namespace rm
