#include "platform/rm/d3d_drivers.h"

namespace rm {

namespace {

constexpr DriverInfo kDrivers[] = {
    {{0x5A3F0100u, 0x7C2B, 0x4E1D, {0x9A, 0x61, 0x52, 0x47, 0x42, 0x00, 0x00, 0x01}},
     "Software RGB",
     "Software rasterizer with the RGB colour model",
     D3DCOLOR_RGB},
    {{0x5A3F0100u, 0x7C2B, 0x4E1D, {0x9A, 0x61, 0x4D, 0x4F, 0x4E, 0x4F, 0x00, 0x02}},
     "Software Mono",
     "Software rasterizer with the mono (ramp) colour model",
     D3DCOLOR_MONO},
};

D3DPRIMCAPS PrimitiveCaps(D3DCOLORMODEL model)
{
    D3DPRIMCAPS caps;
    caps.dwSize = sizeof(D3DPRIMCAPS);
    caps.dwMiscCaps = D3DPMISCCAPS_MASKZ | D3DPMISCCAPS_CULLNONE | D3DPMISCCAPS_CULLCW | D3DPMISCCAPS_CULLCCW;
    caps.dwRasterCaps = D3DPRASTERCAPS_DITHER | D3DPRASTERCAPS_ZTEST | D3DPRASTERCAPS_SUBPIXEL;
    caps.dwZCmpCaps = D3DPCMPCAPS_ALL;
    caps.dwShadeCaps = model == D3DCOLOR_RGB
                           ? D3DPSHADECAPS_COLORFLATRGB | D3DPSHADECAPS_COLORGOURAUDRGB | D3DPSHADECAPS_COLORPHONGRGB
                           : D3DPSHADECAPS_COLORFLATMONO | D3DPSHADECAPS_COLORGOURAUDMONO |
                                 D3DPSHADECAPS_COLORPHONGMONO;
    caps.dwTextureCaps = D3DPTEXTURECAPS_PERSPECTIVE;
    caps.dwTextureFilterCaps = D3DPTFILTERCAPS_NEAREST | D3DPTFILTERCAPS_LINEAR | D3DPTFILTERCAPS_MIPNEAREST |
                               D3DPTFILTERCAPS_MIPLINEAR | D3DPTFILTERCAPS_LINEARMIPNEAREST |
                               D3DPTFILTERCAPS_LINEARMIPLINEAR;
    caps.dwTextureBlendCaps = D3DPTBLENDCAPS_MODULATE;
    caps.dwTextureAddressCaps = D3DPTADDRESSCAPS_WRAP;
    return caps;
}

}  // namespace

const DriverInfo* Drivers() { return kDrivers; }
std::size_t DriverCount() { return sizeof(kDrivers) / sizeof(kDrivers[0]); }

const DriverInfo* FindDriver(const GUID* guid)
{
    if (!guid || *guid == GUID_NULL)
        return &kDrivers[0];
    for (const DriverInfo& d : kDrivers)
        if (d.guid == *guid)
            return &d;
    return nullptr;
}

D3DDEVICEDESC DriverDescription(const DriverInfo& driver)
{
    D3DDEVICEDESC d;
    d.dwSize = sizeof(D3DDEVICEDESC);
    d.dwFlags = D3DDD_COLORMODEL | D3DDD_DEVCAPS | D3DDD_TRANSFORMCAPS | D3DDD_LIGHTINGCAPS | D3DDD_BCLIPPING |
                D3DDD_LINECAPS | D3DDD_TRICAPS | D3DDD_DEVICERENDERBITDEPTH | D3DDD_DEVICEZBUFFERBITDEPTH |
                D3DDD_MAXBUFFERSIZE | D3DDD_MAXVERTEXCOUNT;
    d.dcmColorModel = driver.colorModel;
    d.dwDevCaps = D3DDEVCAPS_FLOATTLVERTEX | D3DDEVCAPS_EXECUTESYSTEMMEMORY | D3DDEVCAPS_TEXTURESYSTEMMEMORY;
    d.dtcTransformCaps = {sizeof(D3DTRANSFORMCAPS), D3DTRANSFORMCAPS_CLIP};
    d.bClipping = TRUE;
    d.dlcLightingCaps.dwSize = sizeof(D3DLIGHTINGCAPS);
    d.dlcLightingCaps.dwCaps =
        D3DLIGHTCAPS_POINT | D3DLIGHTCAPS_SPOT | D3DLIGHTCAPS_DIRECTIONAL | D3DLIGHTCAPS_PARALLELPOINT;
    d.dlcLightingCaps.dwLightingModel =
        driver.colorModel == D3DCOLOR_RGB ? D3DLIGHTINGMODEL_RGB : D3DLIGHTINGMODEL_MONO;
    d.dlcLightingCaps.dwNumLights = 0;
    d.dpcLineCaps = PrimitiveCaps(driver.colorModel);
    d.dpcTriCaps = PrimitiveCaps(driver.colorModel);
    d.dwDeviceRenderBitDepth = 0x0400 | 0x0200 | 0x0100;  // DDBD_16 | DDBD_24 | DDBD_32
    d.dwDeviceZBufferBitDepth = 0x0400 | 0x0100;          // DDBD_16 | DDBD_32
    d.dwMaxBufferSize = 0;
    d.dwMaxVertexCount = 65535;
    return d;
}

}  // namespace rm
