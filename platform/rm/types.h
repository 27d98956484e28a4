#pragma once
// Plain types, enumerations and constants of the software 3D library.
//
// Coordinates are left-handed with row vectors: a point p in a frame's coordinates is
// p * M in its parent's coordinates, and M's fourth row holds the translation. A positive
// rotation angle turns clockwise when looking along the rotation axis toward the origin.

#include "platform/rm/errors.h"
#include "platform/sys/guid.h"
#include "platform/sys/hresult.h"

#include <cstdint>

// Integer types of the interface, with the widths the calls are specified with.
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using BOOL = std::int32_t;
using DWORD_PTR = std::uintptr_t;  // wide enough to carry a pointer (application data)
using LPDWORD = DWORD*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using LPGUID = GUID*;
using LPIID = IID*;
using HMODULE = void*;  // an executable module; null is the running program itself
using HDC = void*;      // a drawing context handed to a window device's HandlePaint

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

using D3DVALUE = float;
using LPD3DVALUE = D3DVALUE*;

struct D3DVECTOR {
    D3DVALUE x = 0, y = 0, z = 0;
};
using LPD3DVECTOR = D3DVECTOR*;

// Homogeneous screen coordinates as a viewport's Transform gives them.
struct D3DRMVECTOR4D {
    D3DVALUE x = 0, y = 0, z = 0, w = 0;
};
using LPD3DRMVECTOR4D = D3DRMVECTOR4D*;

// Row-major, row vectors: [3][0..2] is the translation.
using D3DRMMATRIX4D = D3DVALUE[4][4];

struct D3DRMQUATERNION {
    D3DVALUE s = 1;  // scalar part: cos(theta / 2)
    D3DVECTOR v;     // vector part: axis * sin(theta / 2)
};
using LPD3DRMQUATERNION = D3DRMQUATERNION*;

// Axis-aligned box: min holds the smallest coordinates, max the largest.
struct D3DRMBOX {
    D3DVECTOR min, max;
};
using LPD3DRMBOX = D3DRMBOX*;

// 32-bit colour, 0xAARRGGBB.
using D3DCOLOR = DWORD;

constexpr D3DCOLOR D3DRGBA_BYTES(DWORD r, DWORD g, DWORD b, DWORD a)
{
    return ((a & 0xFFu) << 24) | ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}
constexpr DWORD RGBA_GETALPHA(D3DCOLOR c) { return c >> 24; }
constexpr DWORD RGBA_GETRED(D3DCOLOR c) { return (c >> 16) & 0xFFu; }
constexpr DWORD RGBA_GETGREEN(D3DCOLOR c) { return (c >> 8) & 0xFFu; }
constexpr DWORD RGBA_GETBLUE(D3DCOLOR c) { return c & 0xFFu; }

// Colour from components 0..1 (clamped), alpha 1.
D3DCOLOR D3DRMCreateColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue);
D3DCOLOR D3DRMCreateColorRGBA(D3DVALUE red, D3DVALUE green, D3DVALUE blue, D3DVALUE alpha);
// Components of a colour as 0..1.
D3DVALUE D3DRMColorGetRed(D3DCOLOR color);
D3DVALUE D3DRMColorGetGreen(D3DCOLOR color);
D3DVALUE D3DRMColorGetBlue(D3DCOLOR color);
D3DVALUE D3DRMColorGetAlpha(D3DCOLOR color);

// ---- Render quality: shade mode | light mode | fill mode -------------------------------
using D3DRMRENDERQUALITY = DWORD;
constexpr D3DRMRENDERQUALITY D3DRMSHADE_FLAT = 0;
constexpr D3DRMRENDERQUALITY D3DRMSHADE_GOURAUD = 1;
constexpr D3DRMRENDERQUALITY D3DRMSHADE_PHONG = 2;
constexpr D3DRMRENDERQUALITY D3DRMSHADE_MASK = 7;
constexpr D3DRMRENDERQUALITY D3DRMSHADE_MAX = 8;
constexpr D3DRMRENDERQUALITY D3DRMLIGHT_OFF = 0;
constexpr D3DRMRENDERQUALITY D3DRMLIGHT_ON = 8;
constexpr D3DRMRENDERQUALITY D3DRMLIGHT_MASK = 56;
constexpr D3DRMRENDERQUALITY D3DRMLIGHT_MAX = 64;
constexpr D3DRMRENDERQUALITY D3DRMFILL_POINTS = 0;
constexpr D3DRMRENDERQUALITY D3DRMFILL_WIREFRAME = 64;
constexpr D3DRMRENDERQUALITY D3DRMFILL_SOLID = 128;
constexpr D3DRMRENDERQUALITY D3DRMFILL_MASK = 448;
constexpr D3DRMRENDERQUALITY D3DRMFILL_MAX = 512;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_WIREFRAME = D3DRMSHADE_FLAT | D3DRMLIGHT_OFF | D3DRMFILL_WIREFRAME;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_UNLITFLAT = D3DRMSHADE_FLAT | D3DRMLIGHT_OFF | D3DRMFILL_SOLID;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_FLAT = D3DRMSHADE_FLAT | D3DRMLIGHT_ON | D3DRMFILL_SOLID;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_GOURAUD = D3DRMSHADE_GOURAUD | D3DRMLIGHT_ON | D3DRMFILL_SOLID;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_PHONG = D3DRMSHADE_PHONG | D3DRMLIGHT_ON | D3DRMFILL_SOLID;

// Wireframe options of a device.
constexpr DWORD D3DRMWIREFRAME_CULL = 1;
constexpr DWORD D3DRMWIREFRAME_HIDDENLINE = 2;

// ---- Enumerations (fixed underlying type: any value converts without harm and is checked) --
enum D3DRMTEXTUREQUALITY : std::int32_t {
    D3DRMTEXTURE_NEAREST = 0,
    D3DRMTEXTURE_LINEAR = 1,
    D3DRMTEXTURE_MIPNEAREST = 2,
    D3DRMTEXTURE_MIPLINEAR = 3,
    D3DRMTEXTURE_LINEARMIPNEAREST = 4,
    D3DRMTEXTURE_LINEARMIPLINEAR = 5,
};

enum D3DCOLORMODEL : std::int32_t {
    D3DCOLOR_MONO = 1,  // a ramp of shades of one colour per material
    D3DCOLOR_RGB = 2,
};
using D3DRMCOLORMODEL = D3DCOLORMODEL;
constexpr D3DRMCOLORMODEL D3DRMCOLOR_RAMP = D3DCOLOR_MONO;
constexpr D3DRMCOLORMODEL D3DRMCOLOR_RGB = D3DCOLOR_RGB;

enum D3DRMCOMBINETYPE : std::int32_t {
    D3DRMCOMBINE_REPLACE = 0,  // the given matrix becomes the frame's transform
    D3DRMCOMBINE_BEFORE = 1,   // given * current: applied in the frame's own coordinates
    D3DRMCOMBINE_AFTER = 2,    // current * given: applied in the parent's coordinates
};

enum D3DRMPROJECTIONTYPE : std::int32_t {
    D3DRMPROJECT_PERSPECTIVE = 0,
    D3DRMPROJECT_ORTHOGRAPHIC = 1,
};

enum D3DRMLIGHTTYPE : std::int32_t {
    D3DRMLIGHT_AMBIENT = 0,
    D3DRMLIGHT_POINT = 1,
    D3DRMLIGHT_SPOT = 2,
    D3DRMLIGHT_DIRECTIONAL = 3,
    D3DRMLIGHT_PARALLELPOINT = 4,
};

enum D3DRMWRAPTYPE : std::int32_t {
    D3DRMWRAP_FLAT = 0,
    D3DRMWRAP_CYLINDER = 1,
    D3DRMWRAP_SPHERE = 2,
    D3DRMWRAP_CHROME = 3,
};

enum D3DRMCOLORSOURCE : std::int32_t {
    D3DRMCOLOR_FROMFACE = 0,
    D3DRMCOLOR_FROMVERTEX = 1,
};

// ---- Loading ------------------------------------------------------------------------------
using D3DRMLOADOPTIONS = DWORD;
constexpr D3DRMLOADOPTIONS D3DRMLOAD_FROMFILE = 0x00;      // source: a file name (LPCSTR)
constexpr D3DRMLOADOPTIONS D3DRMLOAD_FROMRESOURCE = 0x01;  // source: D3DRMLOADRESOURCE*
constexpr D3DRMLOADOPTIONS D3DRMLOAD_FROMMEMORY = 0x02;    // source: D3DRMLOADMEMORY*
constexpr D3DRMLOADOPTIONS D3DRMLOAD_FROMSTREAM = 0x04;    // not supported
constexpr D3DRMLOADOPTIONS D3DRMLOAD_SOURCEMASK = 0x0F;
constexpr D3DRMLOADOPTIONS D3DRMLOAD_BYNAME = 0x10;      // object id: the name (LPCSTR) to load
constexpr D3DRMLOADOPTIONS D3DRMLOAD_BYPOSITION = 0x20;  // object id: DWORD* index of top-level object
constexpr D3DRMLOADOPTIONS D3DRMLOAD_BYGUID = 0x40;      // object id: GUID* (never matches: text has no object GUIDs)
constexpr D3DRMLOADOPTIONS D3DRMLOAD_FIRST = 0x80;       // only the first top-level object that fits

// The resource of type lpType named lpName in module hModule (null: the running program).
struct D3DRMLOADRESOURCE {
    HMODULE hModule = nullptr;
    LPCSTR lpName = nullptr;
    LPCSTR lpType = nullptr;
};
using LPD3DRMLOADRESOURCE = D3DRMLOADRESOURCE*;

// A text in memory; borrowed for the duration of the load.
struct D3DRMLOADMEMORY {
    LPVOID lpMemory = nullptr;
    DWORD dSize = 0;
};
using LPD3DRMLOADMEMORY = D3DRMLOADMEMORY*;

// ---- Saving ---------------------------------------------------------------------------------
enum D3DRMXOFFORMAT : std::int32_t {
    D3DRMXOF_BINARY = 0,
    D3DRMXOF_COMPRESSED = 1,
    D3DRMXOF_TEXT = 2,  // the only format written
};

using D3DRMSAVEOPTIONS = DWORD;
constexpr D3DRMSAVEOPTIONS D3DRMXOFSAVE_NORMALS = 0x01;
constexpr D3DRMSAVEOPTIONS D3DRMXOFSAVE_TEXTURECOORDINATES = 0x02;
constexpr D3DRMSAVEOPTIONS D3DRMXOFSAVE_MATERIALS = 0x04;
constexpr D3DRMSAVEOPTIONS D3DRMXOFSAVE_TEXTURENAMES = 0x08;
constexpr D3DRMSAVEOPTIONS D3DRMXOFSAVE_ALL = 0x0F;
constexpr D3DRMSAVEOPTIONS D3DRMXOFSAVE_TEMPLATES = 0x10;
constexpr D3DRMSAVEOPTIONS D3DRMXOFSAVE_TEXTURETOPOLOGY = 0x20;

// ---- Images -------------------------------------------------------------------------------
struct D3DRMPALETTEENTRY {
    BYTE red = 0, green = 0, blue = 0, flags = 0;
};

// A picture. Textures hold theirs as 32 bits per pixel, 0xAARRGGBB, rows top to bottom;
// CreateTexture also takes 24-bit RGB (masks) and 8-bit palette images (rgb FALSE).
struct D3DRMIMAGE {
    int width = 0, height = 0;    // pixels
    int aspectx = 1, aspecty = 1;
    int depth = 32;               // bits per pixel
    BOOL rgb = TRUE;
    int bytes_per_line = 0;
    void* buffer1 = nullptr;      // pixels
    void* buffer2 = nullptr;      // unused
    DWORD red_mask = 0x00FF0000u, green_mask = 0x0000FF00u, blue_mask = 0x000000FFu;
    DWORD alpha_mask = 0xFF000000u;
    int palette_size = 0;
    D3DRMPALETTEENTRY* palette = nullptr;
};
using LPD3DRMIMAGE = D3DRMIMAGE*;
