#pragma once
// Texture: Width() x Height() pixels, 0xAARRGGBB, rows top to bottom (Pixels()[y * Width() + x]).
// Texture coordinate (0, 0) is the top-left corner of the picture, (1, 1) the bottom-right.
// Revision() grows when the pixels change (Changed), for mipmap caches.

#include "platform/rm/impl/object_impl.h"
#include "platform/rm/impl/change_stamp.h"
#include "platform/rm/texture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rm {

class Texture final : public Object<IDirect3DRMTexture> {
public:
    Texture(int width, int height, std::vector<std::uint32_t> pixels);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
    std::uint64_t Revision() const { return revision_; }
    // The file the texture was loaded from ("" when made from an image); written by Save.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string name) { fileName_ = std::move(name); }

    D3DRMIMAGE* GetImage() override { return &image_; }
    HRESULT Changed(BOOL pixels, BOOL palette) override;
    HRESULT SetColors(DWORD colors) override;
    HRESULT SetShades(DWORD shades) override;
    DWORD GetColors() override { return colors_; }
    DWORD GetShades() override { return shades_; }

    const char* ClassName() const override { return "Texture"; }
    HRESULT CloneObject(REFIID iid, void** object) override;

protected:
    void* FindInterface(REFIID iid) override;
    const IID& InterfaceId() const override { return IID_IDirect3DRMTexture; }

private:
    ~Texture() override = default;

    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;
    D3DRMIMAGE image_;  // describes pixels_
    ChangeStamp revision_;
    DWORD colors_ = 8, shades_ = 16;
    std::string fileName_;
};

}  // namespace rm
