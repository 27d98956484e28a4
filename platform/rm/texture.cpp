#include "platform/rm/impl/texture_impl.h"

namespace rm {

Texture::Texture(int width, int height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels))
{
    image_.width = width_;
    image_.height = height_;
    image_.bytes_per_line = width_ * 4;
    image_.buffer1 = pixels_.data();
}

void* Texture::FindInterface(REFIID iid)
{
    if (iid == IID_IDirect3DRMVisual)
        return static_cast<IDirect3DRMVisual*>(this);
    return Object::FindInterface(iid);
}

HRESULT Texture::Changed(BOOL, BOOL)
{
    ++revision_;
    return S_OK;
}

HRESULT Texture::SetColors(DWORD colors)
{
    if (colors == 0)
        return D3DRMERR_BADVALUE;
    colors_ = colors;
    return S_OK;
}

HRESULT Texture::SetShades(DWORD shades)
{
    if (shades == 0 || (shades & (shades - 1)) != 0)
        return D3DRMERR_BADVALUE;
    shades_ = shades;
    return S_OK;
}

HRESULT Texture::CloneObject(REFIID iid, void** object)
{
    RefPtr<Texture> copy = RefPtr<Texture>::Adopt(new Texture(width_, height_, pixels_));
    copy->colors_ = colors_;
    copy->shades_ = shades_;
    copy->fileName_ = fileName_;
    CopyBasicsTo(*copy);
    return copy->QueryInterface(iid, object);
}

}  // namespace rm
