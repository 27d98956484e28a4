// The retained-mode object: a factory over the shared registry.

#include "platform/rm/rm.h"

#include "platform/rm/d3d_com.h"
#include "platform/rm/impl/frame_impl.h"
#include "platform/rm/impl/light_impl.h"
#include "platform/rm/impl/material_impl.h"
#include "platform/rm/impl/meshbuilder_impl.h"
#include "platform/rm/impl/texture_impl.h"
#include "platform/rm/impl/wrap_impl.h"
#include "platform/rm/render_hooks.h"
#include "platform/rm/texture_file.h"
#include "platform/rm/xfile/load.h"

#include <cmath>
#include <cstring>

namespace rm {

namespace {

bool Finite(std::initializer_list<D3DVALUE> values)
{
    for (D3DVALUE v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

template <class T, class I>
HRESULT HandOutNew(T* object, I** out)
{
    *out = object;  // the new object's one reference goes to the caller
    return S_OK;
}

// Copies an image into 0xAARRGGBB pixels; false for a layout it cannot read.
bool ReadImage(const D3DRMIMAGE& image, std::vector<std::uint32_t>* pixels)
{
    if (image.width <= 0 || image.height <= 0 || image.width > 8192 || image.height > 8192 || !image.buffer1)
        return false;
    const int bytesPerPixel = image.depth / 8;
    if (image.bytes_per_line < image.width * bytesPerPixel)
        return false;
    pixels->resize(static_cast<std::size_t>(image.width) * image.height);
    const auto* base = static_cast<const std::uint8_t*>(image.buffer1);
    auto channel = [](std::uint32_t value, DWORD mask) -> std::uint32_t {
        if (!mask)
            return 0;
        int shift = 0;
        while (!((mask >> shift) & 1))
            ++shift;
        const std::uint32_t max = mask >> shift;
        return ((value & mask) >> shift) * 255 / max;
    };
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = base + static_cast<std::size_t>(y) * image.bytes_per_line;
        for (int x = 0; x < image.width; ++x) {
            std::uint32_t out;
            if (!image.rgb) {
                if (image.depth != 8 || !image.palette || row[x] >= image.palette_size)
                    return false;
                const D3DRMPALETTEENTRY& e = image.palette[row[x]];
                out = D3DRGBA_BYTES(e.red, e.green, e.blue, 255);
            } else if (image.depth == 32 || image.depth == 24) {
                std::uint32_t value = 0;
                std::memcpy(&value, row + x * bytesPerPixel, bytesPerPixel);
                const std::uint32_t a = image.alpha_mask ? channel(value, image.alpha_mask) : 255;
                out = D3DRGBA_BYTES(channel(value, image.red_mask), channel(value, image.green_mask),
                                    channel(value, image.blue_mask), a);
            } else {
                return false;
            }
            (*pixels)[static_cast<std::size_t>(y) * image.width + x] = out;
        }
    }
    return true;
}

class RetainedMode final : public ComObject<IDirect3DRM> {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDirect3DRM)
            return HandOutAs<IDirect3DRM>(object);
        *object = nullptr;
        return E_NOINTERFACE;
    }

    HRESULT CreateFrame(IDirect3DRMFrame* parent, IDirect3DRMFrame** frame) override
    {
        if (!frame)
            return D3DRMERR_BADVALUE;
        *frame = nullptr;
        Frame* p = As<Frame>(parent);
        if (parent && !p)
            return D3DRMERR_BADOBJECT;
        Frame* f = new Frame;
        f->AttachTo(p);
        return HandOutNew(f, frame);
    }

    HRESULT CreateMeshBuilder(IDirect3DRMMeshBuilder** builder) override
    {
        if (!builder)
            return D3DRMERR_BADVALUE;
        return HandOutNew(new MeshBuilder, builder);
    }

    HRESULT CreateFace(IDirect3DRMFace** face) override
    {
        if (!face)
            return D3DRMERR_BADVALUE;
        return HandOutNew(new Face, face);
    }

    HRESULT CreateLight(D3DRMLIGHTTYPE type, D3DCOLOR color, IDirect3DRMLight** light) override
    {
        return CreateLightRGB(type, D3DRMColorGetRed(color), D3DRMColorGetGreen(color), D3DRMColorGetBlue(color),
                              light);
    }

    HRESULT CreateLightRGB(D3DRMLIGHTTYPE type, D3DVALUE red, D3DVALUE green, D3DVALUE blue,
                           IDirect3DRMLight** light) override
    {
        if (!light)
            return D3DRMERR_BADVALUE;
        *light = nullptr;
        if (type < D3DRMLIGHT_AMBIENT || type > D3DRMLIGHT_PARALLELPOINT || !Finite({red, green, blue}))
            return D3DRMERR_BADVALUE;
        LightParams params;
        params.type = type;
        params.red = red;
        params.green = green;
        params.blue = blue;
        return HandOutNew(new Light(params), light);
    }

    HRESULT CreateMaterial(D3DVALUE power, IDirect3DRMMaterial** material) override
    {
        if (!material)
            return D3DRMERR_BADVALUE;
        *material = nullptr;
        if (!std::isfinite(power) || power < 0)
            return D3DRMERR_BADVALUE;
        return HandOutNew(new Material(power), material);
    }

    HRESULT CreateTexture(D3DRMIMAGE* image, IDirect3DRMTexture** texture) override
    {
        if (!texture)
            return D3DRMERR_BADVALUE;
        *texture = nullptr;
        std::vector<std::uint32_t> pixels;
        if (!image || !ReadImage(*image, &pixels))
            return D3DRMERR_BADVALUE;
        return HandOutNew(new Texture(image->width, image->height, std::move(pixels)), texture);
    }

    HRESULT LoadTexture(LPCSTR fileName, IDirect3DRMTexture** texture) override
    {
        if (!texture)
            return D3DRMERR_BADVALUE;
        *texture = nullptr;
        if (!fileName)
            return D3DRMERR_BADVALUE;
        RefPtr<Texture> loaded;
        HRESULT hr = LoadTextureFile(fileName, {}, &loaded);
        if (FAILED(hr))
            return hr;
        *texture = loaded.detach();
        return S_OK;
    }

    HRESULT CreateWrap(D3DRMWRAPTYPE type, IDirect3DRMFrame* reference, D3DVALUE ox, D3DVALUE oy, D3DVALUE oz,
                       D3DVALUE dx, D3DVALUE dy, D3DVALUE dz, D3DVALUE ux, D3DVALUE uy, D3DVALUE uz, D3DVALUE ou,
                       D3DVALUE ov, D3DVALUE su, D3DVALUE sv, IDirect3DRMWrap** wrap) override
    {
        if (!wrap)
            return D3DRMERR_BADVALUE;
        *wrap = nullptr;
        Frame* ref = As<Frame>(reference);
        if (reference && !ref)
            return D3DRMERR_BADOBJECT;
        if (type < D3DRMWRAP_FLAT || type > D3DRMWRAP_CHROME ||
            !Finite({ox, oy, oz, dx, dy, dz, ux, uy, uz, ou, ov, su, sv}))
            return D3DRMERR_BADVALUE;
        WrapParams p;
        p.type = type;
        p.origin = Vec(ox, oy, oz);
        p.direction = Vec(dx, dy, dz);
        p.up = Vec(ux, uy, uz);
        D3DVECTOR z = Normalized(p.direction);
        D3DVECTOR y = p.up - z * Dot(p.up, z);
        if (Dot(z, z) == 0 || Length(y) < 1e-6f)
            return D3DRMERR_BADVALUE;  // no axes can be made
        p.ou = ou;
        p.ov = ov;
        p.su = su;
        p.sv = sv;
        return HandOutNew(new Wrap(p, ref), wrap);
    }

    HRESULT CreateDeviceFromClipper(IDirectDrawClipper* clipper, LPGUID driver, int width, int height,
                                    IDirect3DRMDevice** device) override
    {
        if (!device)
            return D3DRMERR_BADVALUE;
        *device = nullptr;
        return render::CreateDeviceFromClipper(clipper, driver, width, height, device);
    }

    HRESULT CreateViewport(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y, DWORD width,
                           DWORD height, IDirect3DRMViewport** viewport) override
    {
        if (!viewport)
            return D3DRMERR_BADVALUE;
        *viewport = nullptr;
        return render::CreateViewport(device, camera, x, y, width, height, viewport);
    }

    HRESULT GetDevices(IDirect3DRMDeviceArray** devices) override
    {
        if (!devices)
            return D3DRMERR_BADVALUE;
        *devices = nullptr;
        return render::GetDevices(devices);
    }

    HRESULT GetNamedObject(LPCSTR name, IDirect3DRMObject** object) override
    {
        if (!object)
            return D3DRMERR_BADVALUE;
        *object = nullptr;
        if (!name)
            return D3DRMERR_BADVALUE;
        for (ObjectBase* o = ObjectBase::FirstLiving(); o; o = o->NextLiving())
            if (o->Name() == name) {
                HandOut(o->AsObject(), object);
                return S_OK;
            }
        return D3DRMERR_NOTFOUND;
    }

    HRESULT EnumerateObjects(D3DRMOBJECTCALLBACK callback, void* arg) override
    {
        if (!callback)
            return D3DRMERR_BADVALUE;
        // A snapshot with references: the callback may make or release objects.
        std::vector<RefPtr<IDirect3DRMObject>> all;
        for (ObjectBase* o = ObjectBase::FirstLiving(); o; o = o->NextLiving())
            all.emplace_back(o->AsObject());
        for (auto& o : all)
            callback(o.get(), arg);
        return S_OK;
    }

    HRESULT Load(LPVOID source, LPVOID objectId, LPIID* guids, DWORD guidCount, D3DRMLOADOPTIONS options,
                 D3DRMLOADCALLBACK callback, LPVOID arg, D3DRMLOADTEXTURECALLBACK textureCallback, LPVOID textureArg,
                 IDirect3DRMFrame* parent) override
    {
        Frame* p = As<Frame>(parent);
        if ((parent && !p) || (guidCount && !guids))
            return D3DRMERR_BADVALUE;
        if (!p && !callback)
            return D3DRMERR_BADVALUE;  // the loaded objects would go nowhere
        const LoadRequest request{source, objectId, options, textureCallback, textureArg, guids, guidCount};
        LoadTarget target;
        target.parent = p;
        target.callback = callback;
        target.callbackArg = arg;
        return LoadScene(request, target);
    }

    HRESULT Tick(D3DVALUE delta) override
    {
        if (!std::isfinite(delta))
            return D3DRMERR_BADVALUE;
        if (delta != 0)
            MoveAllFrames(delta);
        return render::RenderAllDevices();
    }

    HRESULT SetDefaultTextureColors(DWORD colors) override
    {
        if (colors == 0)
            return D3DRMERR_BADVALUE;
        defaultTextureColors_ = colors;
        return S_OK;
    }

    HRESULT SetDefaultTextureShades(DWORD shades) override
    {
        if (shades == 0)
            return D3DRMERR_BADVALUE;
        defaultTextureShades_ = shades;
        return S_OK;
    }

    HRESULT SetSearchPath(LPCSTR path) override
    {
        SetTextureSearchPath(path ? path : "");
        return S_OK;
    }

    HRESULT AddSearchPath(LPCSTR path) override
    {
        if (!path)
            return D3DRMERR_BADVALUE;
        AddTextureSearchPath(path);
        return S_OK;
    }

    HRESULT GetSearchPath(LPDWORD size, LPSTR path) override
    {
        if (!size)
            return D3DRMERR_BADVALUE;
        const std::string text = TextureSearchPath();
        const DWORD needed = static_cast<DWORD>(text.size() + 1);
        if (!path) {
            *size = needed;
            return S_OK;
        }
        if (*size < needed)
            return D3DRMERR_BADVALUE;
        std::memcpy(path, text.c_str(), needed);
        *size = needed;
        return S_OK;
    }

private:
    ~RetainedMode() override = default;
    DWORD defaultTextureColors_ = 8;
    DWORD defaultTextureShades_ = 16;
};

}  // namespace

}  // namespace rm

HRESULT Direct3DRMCreate(IDirect3DRM** rm)
{
    if (!rm)
        return D3DRMERR_BADVALUE;
    *rm = new rm::RetainedMode;
    return S_OK;
}
