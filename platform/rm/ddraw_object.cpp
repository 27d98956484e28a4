// The DirectDraw object of the primary display, which also answers the Direct3D interface
// (its software drivers) through QueryInterface.
#include <cstring>
#include <string>

#include "platform/rm/d3d_com.h"
#include "platform/rm/d3d_device.h"
#include "platform/rm/d3d_drivers.h"
#include "platform/rm/ddraw.h"
#include "platform/rm/ddraw_clipper.h"
#include "platform/rm/ddraw_modes.h"

namespace rm {

namespace {

// Whether every bit the search asks for in a capability field is present in the driver's.
bool HasCaps(const D3DPRIMCAPS& wanted, const D3DPRIMCAPS& have)
{
    const DWORD* w = &wanted.dwMiscCaps;
    const DWORD* h = &have.dwMiscCaps;
    for (int i = 0; i < 11; ++i)  // dwMiscCaps .. dwTextureAddressCaps
        if ((w[i] & h[i]) != w[i])
            return false;
    return true;
}

bool Matches(const D3DFINDDEVICESEARCH& s, const DriverInfo& driver, const D3DDEVICEDESC& desc)
{
    if ((s.dwFlags & D3DFDS_COLORMODEL) && s.dcmColorModel != driver.colorModel)
        return false;
    if ((s.dwFlags & D3DFDS_GUID) && !(s.guid == driver.guid))
        return false;
    if ((s.dwFlags & D3DFDS_HARDWARE) && s.bHardware)
        return false;  // every driver here is a software one
    if ((s.dwFlags & D3DFDS_TRIANGLES) && !HasCaps(s.dpcPrimCaps, desc.dpcTriCaps))
        return false;
    if ((s.dwFlags & D3DFDS_LINES) && !HasCaps(s.dpcPrimCaps, desc.dpcLineCaps))
        return false;
    return true;
}

DDCAPS DisplayCaps(DWORD size)
{
    DDCAPS caps;
    caps.dwSize = size;
    caps.dwCaps = DDCAPS_BLT | DDCAPS_BLTCOLORFILL | DDCAPS_3D;
    caps.dwZBufferBitDepths = DDBD_16 | DDBD_32;
    return caps;
}

class DirectDraw final : public ComObject<IDirectDraw, IDirect3D> {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDirectDraw)
            return HandOutAs<IDirectDraw>(object);
        if (iid == IID_IDirect3D)
            return HandOutAs<IDirect3D>(object);
        *object = nullptr;
        return E_NOINTERFACE;
    }

    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) override
    {
        if (!clipper)
            return DDERR_INVALIDPARAMS;
        *clipper = nullptr;
        if (flags != 0 || outer)
            return DDERR_INVALIDPARAMS;
        *clipper = new Clipper();
        return DD_OK;
    }

    HRESULT EnumDisplayModes(DWORD, DDSURFACEDESC* filter, LPVOID context, LPDDENUMMODESCALLBACK callback) override
    {
        if (!callback)
            return DDERR_INVALIDPARAMS;
        for (const DisplayMode& mode : CurrentDisplayModes()) {
            DDSURFACEDESC d = ModeDescription(mode);
            if (filter && !ModeMatches(*filter, d))
                continue;
            if (callback(&d, context) == DDENUMRET_CANCEL)
                break;
        }
        return DD_OK;
    }

    HRESULT FlipToGDISurface() override { return DD_OK; }

    HRESULT GetCaps(DDCAPS* driverCaps, DDCAPS* emulationCaps) override
    {
        if (!driverCaps && !emulationCaps)
            return DDERR_INVALIDPARAMS;
        if (driverCaps)
            *driverCaps = DisplayCaps(driverCaps->dwSize);
        if (emulationCaps)
            *emulationCaps = DisplayCaps(emulationCaps->dwSize);
        return DD_OK;
    }

    HRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK callback, LPVOID context) override
    {
        if (!callback)
            return DDERR_INVALIDPARAMS;
        for (std::size_t i = 0; i < DriverCount(); ++i) {
            const DriverInfo& driver = Drivers()[i];
            // Copies: the callback gets writable texts and records it may change freely.
            GUID guid = driver.guid;
            std::string description = driver.description, name = driver.name;
            D3DDEVICEDESC hardware;
            hardware.dwSize = sizeof(D3DDEVICEDESC);
            D3DDEVICEDESC emulation = DriverDescription(driver);
            if (callback(&guid, description.data(), name.data(), &hardware, &emulation, context) ==
                D3DENUMRET_CANCEL)
                break;
        }
        return D3D_OK;
    }

    HRESULT FindDevice(D3DFINDDEVICESEARCH* search, D3DFINDDEVICERESULT* result) override
    {
        if (!search || !result)
            return DDERR_INVALIDPARAMS;
        for (std::size_t i = 0; i < DriverCount(); ++i) {
            const DriverInfo& driver = Drivers()[i];
            D3DDEVICEDESC desc = DriverDescription(driver);
            if (!Matches(*search, driver, desc))
                continue;
            DWORD size = result->dwSize;
            *result = D3DFINDDEVICERESULT{};
            result->dwSize = size;
            result->guid = driver.guid;
            result->ddHwDesc.dwSize = sizeof(D3DDEVICEDESC);
            result->ddSwDesc = desc;
            return D3D_OK;
        }
        return DDERR_NOTFOUND;
    }
};

}  // namespace

}  // namespace rm

HRESULT DirectDrawCreate(GUID* driver, IDirectDraw** directDraw, IUnknown* outer)
{
    if (!directDraw)
        return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (outer)
        return DDERR_INVALIDPARAMS;
    if (driver && !(*driver == GUID_NULL))
        return DDERR_INVALIDDIRECTDRAWGUID;  // only the primary display exists
    *directDraw = static_cast<IDirectDraw*>(new rm::DirectDraw());
    return DD_OK;
}

HRESULT DirectDrawEnumerate(LPDDENUMCALLBACK callback, LPVOID context)
{
    if (!callback)
        return DDERR_INVALIDPARAMS;
    char description[] = "Primary display driver";
    char name[] = "display";
    callback(nullptr, description, name, context);
    return DD_OK;
}
