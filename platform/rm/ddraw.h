#pragma once
// Display objects: the DirectDraw object of a display driver (capabilities, display modes, the
// Direct3D interface through QueryInterface) and clippers that bind a device to a window.

#include <vector>

#include "platform/rm/surface.h"
#include "platform/rm/unknown.h"

// Colour depth flags (bits per pixel) of capability and mode fields.
constexpr DWORD DDBD_1 = 0x4000;
constexpr DWORD DDBD_2 = 0x2000;
constexpr DWORD DDBD_4 = 0x1000;
constexpr DWORD DDBD_8 = 0x0800;
constexpr DWORD DDBD_16 = 0x0400;
constexpr DWORD DDBD_24 = 0x0200;
constexpr DWORD DDBD_32 = 0x0100;

// Driver capability bits (DDCAPS::dwCaps) this library reports.
constexpr DWORD DDCAPS_3D = 0x00000001;
constexpr DWORD DDCAPS_BLT = 0x00000040;
constexpr DWORD DDCAPS_BLTCOLORFILL = 0x04000000;
constexpr DWORD DDCAPS_NOHARDWARE = 0x02000000;

// Capabilities of a driver or of its emulation layer; 316 bytes as the format prescribes.
struct DDCAPS {
    DWORD dwSize = 0;
    DWORD dwCaps = 0;
    DWORD dwCaps2 = 0;
    DWORD dwCKeyCaps = 0;
    DWORD dwFXCaps = 0;
    DWORD dwFXAlphaCaps = 0;
    DWORD dwPalCaps = 0;
    DWORD dwSVCaps = 0;
    DWORD dwAlphaBltConstBitDepths = 0;
    DWORD dwAlphaBltPixelBitDepths = 0;
    DWORD dwAlphaBltSurfaceBitDepths = 0;
    DWORD dwAlphaOverlayConstBitDepths = 0;
    DWORD dwAlphaOverlayPixelBitDepths = 0;
    DWORD dwAlphaOverlaySurfaceBitDepths = 0;
    DWORD dwZBufferBitDepths = 0;
    DWORD dwVidMemTotal = 0;  // bytes of display memory
    DWORD dwVidMemFree = 0;   // bytes of it still free
    DWORD dwMaxVisibleOverlays = 0;
    DWORD dwCurrVisibleOverlays = 0;
    DWORD dwNumFourCCCodes = 0;
    DWORD dwAlignBoundarySrc = 0;
    DWORD dwAlignSizeSrc = 0;
    DWORD dwAlignBoundaryDest = 0;
    DWORD dwAlignSizeDest = 0;
    DWORD dwAlignStrideAlign = 0;
    DWORD dwRops[8] = {};
    DWORD ddsCaps = 0;
    DWORD dwMinOverlayStretch = 0;
    DWORD dwMaxOverlayStretch = 0;
    DWORD dwMinLiveVideoStretch = 0;
    DWORD dwMaxLiveVideoStretch = 0;
    DWORD dwMinHwCodecStretch = 0;
    DWORD dwMaxHwCodecStretch = 0;
    DWORD dwReserved1 = 0, dwReserved2 = 0, dwReserved3 = 0;
    DWORD dwSVBCaps = 0, dwSVBCKeyCaps = 0, dwSVBFXCaps = 0;
    DWORD dwSVBRops[8] = {};
    DWORD dwVSBCaps = 0, dwVSBCKeyCaps = 0, dwVSBFXCaps = 0;
    DWORD dwVSBRops[8] = {};
    DWORD dwSSBCaps = 0, dwSSBCKeyCaps = 0, dwSSBFXCaps = 0;
    DWORD dwSSBRops[8] = {};
    DWORD dwReserved4 = 0, dwReserved5 = 0, dwReserved6 = 0;
};
static_assert(sizeof(DDCAPS) == 316);

// Pixel format of a surface or display mode.
struct DDPIXELFORMAT {
    DWORD dwSize = 32;
    DWORD dwFlags = 0;
    DWORD dwFourCC = 0;
    DWORD dwRGBBitCount = 0;
    DWORD dwRBitMask = 0, dwGBitMask = 0, dwBBitMask = 0, dwRGBAlphaBitMask = 0;
};
constexpr DWORD DDPF_RGB = 0x40;
constexpr DWORD DDPF_PALETTEINDEXED8 = 0x20;

// Description of a surface; display-mode enumeration fills width, height, pitch, refresh rate
// and pixel format.
struct DDSURFACEDESC {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;
    DWORD dwHeight = 0;
    DWORD dwWidth = 0;
    LONG lPitch = 0;               // bytes per row
    DWORD dwBackBufferCount = 0;
    DWORD dwRefreshRate = 0;       // Hz; 0 unknown
    DWORD dwAlphaBitDepth = 0;
    DWORD dwReserved = 0;
    DDPIXELFORMAT ddpfPixelFormat;
    DWORD ddsCaps = 0;
};
constexpr DWORD DDSD_HEIGHT = 0x2;
constexpr DWORD DDSD_WIDTH = 0x4;
constexpr DWORD DDSD_PITCH = 0x8;
constexpr DWORD DDSD_PIXELFORMAT = 0x1000;
constexpr DWORD DDSD_REFRESHRATE = 0x20000;

// Return values of enumeration callbacks.
constexpr HRESULT DDENUMRET_CANCEL = 0;
constexpr HRESULT DDENUMRET_OK = 1;

// Driver enumeration: GUID (null for the primary display driver), description, name, context.
using LPDDENUMCALLBACK = BOOL (*)(GUID* guid, LPSTR description, LPSTR name, LPVOID context);
// Mode enumeration: one display mode; the description is only valid during the call.
using LPDDENUMMODESCALLBACK = HRESULT (*)(DDSURFACEDESC* mode, LPVOID context);

struct IDirectDrawClipper : IUnknown {
    // Binds the clipper to a window (null unbinds). flags must be 0.
    virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;
    virtual HRESULT GetHWnd(HWND* window) = 0;
};
using LPDIRECTDRAWCLIPPER = IDirectDrawClipper*;

struct IDirectDraw : IUnknown {
    // A clipper not bound to any window; flags must be 0, outer null.
    virtual HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) = 0;
    // Calls back once per display mode of the screens, widest first; a filter with
    // DDSD_WIDTH, DDSD_HEIGHT or DDSD_PIXELFORMAT (bit count) set takes only matching modes.
    // The callback returns DDENUMRET_CANCEL to stop.
    virtual HRESULT EnumDisplayModes(DWORD flags, DDSURFACEDESC* filter, LPVOID context,
                                     LPDDENUMMODESCALLBACK callback) = 0;
    // Makes the desktop's own surface the visible one (windowed drawing is always visible:
    // nothing to do but succeed).
    virtual HRESULT FlipToGDISurface() = 0;
    // Either pointer may be null; a given record is filled whole (its dwSize is kept).
    virtual HRESULT GetCaps(DDCAPS* driverCaps, DDCAPS* emulationCaps) = 0;
};
using LPDIRECTDRAW = IDirectDraw*;

// The DirectDraw object of a display driver: null driver for the primary display (also any
// GUID of an enumerated driver). outer must be null.
HRESULT DirectDrawCreate(GUID* driver, IDirectDraw** directDraw, IUnknown* outer);
// Calls back once per display driver (this library: the primary display, GUID null).
HRESULT DirectDrawEnumerate(LPDDENUMCALLBACK callback, LPVOID context);

namespace rm {

// One mode of a screen, as the view layer knows the real screens.
struct DisplayMode {
    int width = 0, height = 0;  // pixels
    int bitsPerPixel = 32;
    int refreshRate = 0;        // Hz; 0 unknown
};

// Sets the modes that EnumDisplayModes lists (from the real screens); an empty list restores
// the default list of common modes.
void SetDisplayModes(std::vector<DisplayMode> modes);

}  // namespace rm
