#pragma once
// Immediate-mode records: device capabilities, device search, execute buffers and the render
// states they carry, with the numbering of the Direct3D formats.

#include "platform/rm/types.h"

// ---- Capabilities --------------------------------------------------------------------------

struct D3DTRANSFORMCAPS {
    DWORD dwSize = 0;
    DWORD dwCaps = 0;
};

struct D3DLIGHTINGCAPS {
    DWORD dwSize = 0;
    DWORD dwCaps = 0;          // D3DLIGHTCAPS_*
    DWORD dwLightingModel = 0; // D3DLIGHTINGMODEL_RGB or _MONO
    DWORD dwNumLights = 0;     // 0: no limit
};

struct D3DPRIMCAPS {
    DWORD dwSize = 0;
    DWORD dwMiscCaps = 0;
    DWORD dwRasterCaps = 0;
    DWORD dwZCmpCaps = 0;
    DWORD dwSrcBlendCaps = 0;
    DWORD dwDestBlendCaps = 0;
    DWORD dwAlphaCmpCaps = 0;
    DWORD dwShadeCaps = 0;
    DWORD dwTextureCaps = 0;
    DWORD dwTextureFilterCaps = 0;
    DWORD dwTextureBlendCaps = 0;
    DWORD dwTextureAddressCaps = 0;
    DWORD dwStippleWidth = 0;
    DWORD dwStippleHeight = 0;
};
static_assert(sizeof(D3DPRIMCAPS) == 56);

// Description of a device (172 bytes). A hardware description with colour model 0 means
// "no hardware device"; software devices describe themselves in the emulation description.
struct D3DDEVICEDESC {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;           // D3DDD_*: which fields are valid
    D3DCOLORMODEL dcmColorModel = static_cast<D3DCOLORMODEL>(0);
    DWORD dwDevCaps = 0;         // D3DDEVCAPS_*
    D3DTRANSFORMCAPS dtcTransformCaps;
    BOOL bClipping = FALSE;
    D3DLIGHTINGCAPS dlcLightingCaps;
    D3DPRIMCAPS dpcLineCaps;
    D3DPRIMCAPS dpcTriCaps;
    DWORD dwDeviceRenderBitDepth = 0;   // DDBD_* flags
    DWORD dwDeviceZBufferBitDepth = 0;  // DDBD_* flags
    DWORD dwMaxBufferSize = 0;          // bytes of an execute buffer; 0: no limit
    DWORD dwMaxVertexCount = 0;
};
static_assert(sizeof(D3DDEVICEDESC) == 172);

constexpr DWORD D3DDD_COLORMODEL = 0x001;
constexpr DWORD D3DDD_DEVCAPS = 0x002;
constexpr DWORD D3DDD_TRANSFORMCAPS = 0x004;
constexpr DWORD D3DDD_LIGHTINGCAPS = 0x008;
constexpr DWORD D3DDD_BCLIPPING = 0x010;
constexpr DWORD D3DDD_LINECAPS = 0x020;
constexpr DWORD D3DDD_TRICAPS = 0x040;
constexpr DWORD D3DDD_DEVICERENDERBITDEPTH = 0x080;
constexpr DWORD D3DDD_DEVICEZBUFFERBITDEPTH = 0x100;
constexpr DWORD D3DDD_MAXBUFFERSIZE = 0x200;
constexpr DWORD D3DDD_MAXVERTEXCOUNT = 0x400;

constexpr DWORD D3DDEVCAPS_FLOATTLVERTEX = 0x001;
constexpr DWORD D3DDEVCAPS_EXECUTESYSTEMMEMORY = 0x010;
constexpr DWORD D3DDEVCAPS_TEXTURESYSTEMMEMORY = 0x100;

constexpr DWORD D3DTRANSFORMCAPS_CLIP = 0x1;

constexpr DWORD D3DLIGHTINGMODEL_RGB = 0x1;
constexpr DWORD D3DLIGHTINGMODEL_MONO = 0x2;
constexpr DWORD D3DLIGHTCAPS_POINT = 0x1;
constexpr DWORD D3DLIGHTCAPS_SPOT = 0x2;
constexpr DWORD D3DLIGHTCAPS_DIRECTIONAL = 0x4;
constexpr DWORD D3DLIGHTCAPS_PARALLELPOINT = 0x8;

// dwMiscCaps
constexpr DWORD D3DPMISCCAPS_MASKZ = 0x02;
constexpr DWORD D3DPMISCCAPS_CULLNONE = 0x10;
constexpr DWORD D3DPMISCCAPS_CULLCW = 0x20;
constexpr DWORD D3DPMISCCAPS_CULLCCW = 0x40;
// dwRasterCaps
constexpr DWORD D3DPRASTERCAPS_DITHER = 0x01;
constexpr DWORD D3DPRASTERCAPS_ZTEST = 0x10;
constexpr DWORD D3DPRASTERCAPS_SUBPIXEL = 0x20;
// dwZCmpCaps (one bit per comparison)
constexpr DWORD D3DPCMPCAPS_ALL = 0xFF;
// dwShadeCaps
constexpr DWORD D3DPSHADECAPS_COLORFLATMONO = 0x01;
constexpr DWORD D3DPSHADECAPS_COLORFLATRGB = 0x02;
constexpr DWORD D3DPSHADECAPS_COLORGOURAUDMONO = 0x04;
constexpr DWORD D3DPSHADECAPS_COLORGOURAUDRGB = 0x08;
constexpr DWORD D3DPSHADECAPS_COLORPHONGMONO = 0x10;
constexpr DWORD D3DPSHADECAPS_COLORPHONGRGB = 0x20;
// dwTextureCaps
constexpr DWORD D3DPTEXTURECAPS_PERSPECTIVE = 0x01;
constexpr DWORD D3DPTEXTURECAPS_POW2 = 0x02;
// dwTextureFilterCaps
constexpr DWORD D3DPTFILTERCAPS_NEAREST = 0x01;
constexpr DWORD D3DPTFILTERCAPS_LINEAR = 0x02;
constexpr DWORD D3DPTFILTERCAPS_MIPNEAREST = 0x04;
constexpr DWORD D3DPTFILTERCAPS_MIPLINEAR = 0x08;
constexpr DWORD D3DPTFILTERCAPS_LINEARMIPNEAREST = 0x10;
constexpr DWORD D3DPTFILTERCAPS_LINEARMIPLINEAR = 0x20;
// dwTextureBlendCaps and dwTextureAddressCaps
constexpr DWORD D3DPTBLENDCAPS_MODULATE = 0x08;
constexpr DWORD D3DPTADDRESSCAPS_WRAP = 0x1;

// ---- Device search -------------------------------------------------------------------------

// What IDirect3D::FindDevice looks for (92 bytes).
struct D3DFINDDEVICESEARCH {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;       // D3DFDS_*: which of the following count
    BOOL bHardware = FALSE;
    D3DCOLORMODEL dcmColorModel = static_cast<D3DCOLORMODEL>(0);
    GUID guid;
    DWORD dwCaps = 0;
    D3DPRIMCAPS dpcPrimCaps;  // every bit asked for in a field must be present in the device's
};
static_assert(sizeof(D3DFINDDEVICESEARCH) == 92);

constexpr DWORD D3DFDS_COLORMODEL = 0x001;
constexpr DWORD D3DFDS_GUID = 0x002;
constexpr DWORD D3DFDS_HARDWARE = 0x004;
constexpr DWORD D3DFDS_TRIANGLES = 0x008;
constexpr DWORD D3DFDS_LINES = 0x010;
constexpr DWORD D3DFDS_MISCCAPS = 0x020;
constexpr DWORD D3DFDS_RASTERCAPS = 0x040;
constexpr DWORD D3DFDS_ZCMPCAPS = 0x080;
constexpr DWORD D3DFDS_ALPHACMPCAPS = 0x100;
constexpr DWORD D3DFDS_SRCBLENDCAPS = 0x200;
constexpr DWORD D3DFDS_DSTBLENDCAPS = 0x400;
constexpr DWORD D3DFDS_SHADECAPS = 0x800;
constexpr DWORD D3DFDS_TEXTURECAPS = 0x1000;
constexpr DWORD D3DFDS_TEXTUREFILTERCAPS = 0x2000;
constexpr DWORD D3DFDS_TEXTUREBLENDCAPS = 0x4000;
constexpr DWORD D3DFDS_TEXTUREADDRESSCAPS = 0x8000;

// The device found (364 bytes).
struct D3DFINDDEVICERESULT {
    DWORD dwSize = 0;
    GUID guid;
    D3DDEVICEDESC ddHwDesc;
    D3DDEVICEDESC ddSwDesc;
};
static_assert(sizeof(D3DFINDDEVICERESULT) == 364);

// ---- Render states ---------------------------------------------------------------------------

enum D3DRENDERSTATETYPE : std::int32_t {
    D3DRENDERSTATE_TEXTUREHANDLE = 1,
    D3DRENDERSTATE_ANTIALIAS = 2,
    D3DRENDERSTATE_TEXTUREADDRESS = 3,
    D3DRENDERSTATE_TEXTUREPERSPECTIVE = 4,
    D3DRENDERSTATE_WRAPU = 5,
    D3DRENDERSTATE_WRAPV = 6,
    D3DRENDERSTATE_ZENABLE = 7,
    D3DRENDERSTATE_FILLMODE = 8,
    D3DRENDERSTATE_SHADEMODE = 9,
    D3DRENDERSTATE_LINEPATTERN = 10,
    D3DRENDERSTATE_MONOENABLE = 11,
    D3DRENDERSTATE_ROP2 = 12,
    D3DRENDERSTATE_PLANEMASK = 13,
    D3DRENDERSTATE_ZWRITEENABLE = 14,
    D3DRENDERSTATE_ALPHATESTENABLE = 15,
    D3DRENDERSTATE_LASTPIXEL = 16,
    D3DRENDERSTATE_TEXTUREMAG = 17,
    D3DRENDERSTATE_TEXTUREMIN = 18,
    D3DRENDERSTATE_SRCBLEND = 19,
    D3DRENDERSTATE_DESTBLEND = 20,
    D3DRENDERSTATE_TEXTUREMAPBLEND = 21,
    D3DRENDERSTATE_CULLMODE = 22,
    D3DRENDERSTATE_ZFUNC = 23,
    D3DRENDERSTATE_ALPHAREF = 24,
    D3DRENDERSTATE_ALPHAFUNC = 25,
    D3DRENDERSTATE_DITHERENABLE = 26,
    D3DRENDERSTATE_BLENDENABLE = 27,
    D3DRENDERSTATE_FOGENABLE = 28,
    D3DRENDERSTATE_SPECULARENABLE = 29,
    D3DRENDERSTATE_ZVISIBLE = 30,
    D3DRENDERSTATE_SUBPIXEL = 31,
    D3DRENDERSTATE_SUBPIXELX = 32,
    D3DRENDERSTATE_STIPPLEDALPHA = 33,
    D3DRENDERSTATE_FOGCOLOR = 34,
    D3DRENDERSTATE_FOGTABLEMODE = 35,
    D3DRENDERSTATE_FOGTABLESTART = 36,
    D3DRENDERSTATE_FOGTABLEEND = 37,
    D3DRENDERSTATE_FOGTABLEDENSITY = 38,
    D3DRENDERSTATE_STIPPLEENABLE = 39,
};

// An executed state s + D3DSTATE_OVERRIDE_BIAS with value 1 locks state s against the
// retained-mode library's own settings, with value 0 unlocks it.
constexpr DWORD D3DSTATE_OVERRIDE_BIAS = 256;

enum D3DCULL : std::int32_t {
    D3DCULL_NONE = 1,
    D3DCULL_CW = 2,
    D3DCULL_CCW = 3,
};

enum D3DCMPFUNC : std::int32_t {
    D3DCMP_NEVER = 1,
    D3DCMP_LESS = 2,
    D3DCMP_EQUAL = 3,
    D3DCMP_LESSEQUAL = 4,
    D3DCMP_GREATER = 5,
    D3DCMP_NOTEQUAL = 6,
    D3DCMP_GREATEREQUAL = 7,
    D3DCMP_ALWAYS = 8,
};

// ---- Execute buffers -------------------------------------------------------------------------

// One instruction header; bSize bytes per entry, wCount entries follow it.
struct D3DINSTRUCTION {
    BYTE bOpcode = 0;
    BYTE bSize = 0;
    WORD wCount = 0;
};
static_assert(sizeof(D3DINSTRUCTION) == 4);

enum D3DOPCODE : std::int32_t {
    D3DOP_POINT = 1,
    D3DOP_LINE = 2,
    D3DOP_TRIANGLE = 3,
    D3DOP_MATRIXLOAD = 4,
    D3DOP_MATRIXMULTIPLY = 5,
    D3DOP_STATETRANSFORM = 6,
    D3DOP_STATELIGHT = 7,
    D3DOP_STATERENDER = 8,
    D3DOP_PROCESSVERTICES = 9,
    D3DOP_TEXTURELOAD = 10,
    D3DOP_EXIT = 11,
    D3DOP_BRANCHFORWARD = 12,
    D3DOP_SPAN = 13,
    D3DOP_SETSTATUS = 14,
};

// One state entry of a D3DOP_STATERENDER instruction (8 bytes).
struct D3DSTATE {
    DWORD dwState = 0;  // a D3DRENDERSTATETYPE, plus D3DSTATE_OVERRIDE_BIAS for a lock
    DWORD dwArg = 0;
};
static_assert(sizeof(D3DSTATE) == 8);

struct D3DEXECUTEBUFFERDESC {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;       // D3DDEB_*: which fields are given
    DWORD dwCaps = 0;
    DWORD dwBufferSize = 0;  // bytes
    LPVOID lpData = nullptr; // Lock: the buffer's bytes until Unlock
};
constexpr DWORD D3DDEB_BUFSIZE = 0x1;
constexpr DWORD D3DDEB_CAPS = 0x2;
constexpr DWORD D3DDEB_LPDATA = 0x4;

struct D3DRECT {
    LONG x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct D3DSTATUS {
    DWORD dwFlags = 0;
    DWORD dwStatus = 0;
    D3DRECT drExtent;
};

// Where the vertices and instructions lie in an execute buffer (48 bytes).
struct D3DEXECUTEDATA {
    DWORD dwSize = 0;
    DWORD dwVertexOffset = 0;
    DWORD dwVertexCount = 0;
    DWORD dwInstructionOffset = 0;  // bytes from the buffer's start
    DWORD dwInstructionLength = 0;  // bytes
    DWORD dwHVertexOffset = 0;
    D3DSTATUS dsStatus;
};
static_assert(sizeof(D3DEXECUTEDATA) == 48);

constexpr DWORD D3DEXECUTE_CLIPPED = 0x1;
constexpr DWORD D3DEXECUTE_UNCLIPPED = 0x2;

// IDirect3DDevice::NextViewport flags.
constexpr DWORD D3DNEXT_NEXT = 0x1;
constexpr DWORD D3DNEXT_HEAD = 0x2;
constexpr DWORD D3DNEXT_TAIL = 0x4;

// Device enumeration callback results.
constexpr HRESULT D3DENUMRET_CANCEL = 0;
constexpr HRESULT D3DENUMRET_OK = 1;
