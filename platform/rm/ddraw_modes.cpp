#include "platform/rm/ddraw_modes.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace rm {

namespace {

std::vector<DisplayMode> DefaultModes()
{
    std::vector<DisplayMode> modes;
    const int sizes[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1920, 1080}};
    for (const auto& s : sizes)
        for (int bits : {16, 32})
            modes.push_back({s[0], s[1], bits, 60});
    return modes;
}

std::vector<DisplayMode>& Modes()
{
    static std::vector<DisplayMode> modes = DefaultModes();
    return modes;
}

DWORD DepthMasks(int bits, DWORD& r, DWORD& g, DWORD& b)
{
    switch (bits) {
    case 16: r = 0xF800, g = 0x07E0, b = 0x001F; return DDPF_RGB;
    case 24:
    case 32: r = 0xFF0000, g = 0x00FF00, b = 0x0000FF; return DDPF_RGB;
    case 8: r = g = b = 0; return DDPF_RGB | DDPF_PALETTEINDEXED8;
    default: r = g = b = 0; return DDPF_RGB;
    }
}

}  // namespace

void SetDisplayModes(std::vector<DisplayMode> modes)
{
    std::erase_if(modes, [](const DisplayMode& m) { return m.width <= 0 || m.height <= 0 || m.bitsPerPixel <= 0; });
    std::sort(modes.begin(), modes.end(), [](const DisplayMode& a, const DisplayMode& b) {
        return std::tie(a.width, a.height, a.bitsPerPixel, a.refreshRate) <
               std::tie(b.width, b.height, b.bitsPerPixel, b.refreshRate);
    });
    modes.erase(std::unique(modes.begin(), modes.end(),
                            [](const DisplayMode& a, const DisplayMode& b) {
                                return a.width == b.width && a.height == b.height &&
                                       a.bitsPerPixel == b.bitsPerPixel && a.refreshRate == b.refreshRate;
                            }),
                modes.end());
    Modes() = modes.empty() ? DefaultModes() : std::move(modes);
}

const std::vector<DisplayMode>& CurrentDisplayModes() { return Modes(); }

DDSURFACEDESC ModeDescription(const DisplayMode& mode)
{
    DDSURFACEDESC d;
    d.dwSize = sizeof(DDSURFACEDESC);
    d.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
    d.dwWidth = static_cast<DWORD>(mode.width);
    d.dwHeight = static_cast<DWORD>(mode.height);
    d.lPitch = static_cast<LONG>(mode.width * ((mode.bitsPerPixel + 7) / 8));
    d.dwRefreshRate = static_cast<DWORD>(mode.refreshRate);
    d.ddpfPixelFormat.dwRGBBitCount = static_cast<DWORD>(mode.bitsPerPixel);
    d.ddpfPixelFormat.dwFlags = DepthMasks(mode.bitsPerPixel, d.ddpfPixelFormat.dwRBitMask,
                                           d.ddpfPixelFormat.dwGBitMask, d.ddpfPixelFormat.dwBBitMask);
    return d;
}

bool ModeMatches(const DDSURFACEDESC& filter, const DDSURFACEDESC& mode)
{
    if ((filter.dwFlags & DDSD_WIDTH) && filter.dwWidth != mode.dwWidth)
        return false;
    if ((filter.dwFlags & DDSD_HEIGHT) && filter.dwHeight != mode.dwHeight)
        return false;
    if ((filter.dwFlags & DDSD_PIXELFORMAT) &&
        filter.ddpfPixelFormat.dwRGBBitCount != mode.ddpfPixelFormat.dwRGBBitCount)
        return false;
    return true;
}

}  // namespace rm
