#include "platform/rm/image_file.h"

#include <cctype>
#include <cstring>

namespace rm {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return kOpaque | (r << 16) | (g << 8) | b; }

bool SizeOk(long long w, long long h) { return w > 0 && h > 0 && w <= kMaxImageSide && h <= kMaxImageSide; }

// ---- PPM ----

struct PpmReader {
    const std::uint8_t* p;
    const std::uint8_t* end;

    void SkipSpaceAndComments()
    {
        while (p < end) {
            if (*p == '#') {
                while (p < end && *p != '\n')
                    ++p;
            } else if (std::isspace(*p)) {
                ++p;
            } else {
                break;
            }
        }
    }
    bool Number(long long* value)
    {
        SkipSpaceAndComments();
        if (p >= end || !std::isdigit(*p))
            return false;
        long long v = 0;
        while (p < end && std::isdigit(*p)) {
            v = v * 10 + (*p++ - '0');
            if (v > 1000000)
                return false;
        }
        *value = v;
        return true;
    }
};

bool DecodePpm(const std::uint8_t* data, std::size_t size, DecodedImage* image)
{
    PpmReader r{data + 2, data + size};
    const bool binary = data[1] == '6';
    long long w, h, maxValue;
    if (!r.Number(&w) || !r.Number(&h) || !r.Number(&maxValue) || !SizeOk(w, h) || maxValue < 1 || maxValue > 255)
        return false;
    const std::size_t count = static_cast<std::size_t>(w * h);
    std::vector<std::uint32_t> pixels(0);
    if (binary) {
        ++r.p;  // the single blank after the maximum
        if (r.p > r.end || static_cast<std::size_t>(r.end - r.p) < count * 3)
            return false;
        pixels.resize(count);
        for (std::size_t i = 0; i < count; ++i, r.p += 3)
            pixels[i] = Rgb(r.p[0] * 255 / maxValue, r.p[1] * 255 / maxValue, r.p[2] * 255 / maxValue);
    } else {
        // Each sample takes at least two bytes of text: refuse early what cannot be there.
        if (static_cast<std::size_t>(r.end - r.p) < count * 3 * 2 - 1)
            return false;
        pixels.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            long long c[3];
            for (auto& v : c)
                if (!r.Number(&v) || v > maxValue)
                    return false;
            pixels[i] = Rgb(static_cast<unsigned>(c[0] * 255 / maxValue), static_cast<unsigned>(c[1] * 255 / maxValue),
                            static_cast<unsigned>(c[2] * 255 / maxValue));
        }
    }
    image->width = static_cast<int>(w);
    image->height = static_cast<int>(h);
    image->pixels = std::move(pixels);
    return true;
}

// ---- BMP ----

std::uint32_t U32(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

bool DecodeBmp(const std::uint8_t* data, std::size_t size, DecodedImage* image)
{
    if (size < 54)
        return false;
    const std::uint32_t pixelOffset = U32(data + 10);
    const std::uint32_t headerSize = U32(data + 14);
    if (headerSize < 40 || 14ull + headerSize > size)
        return false;
    const std::int32_t w = static_cast<std::int32_t>(U32(data + 18));
    const std::int32_t rawH = static_cast<std::int32_t>(U32(data + 22));
    const unsigned bits = U16(data + 28);
    const std::uint32_t compression = U32(data + 30);
    std::uint32_t colorsUsed = U32(data + 46);
    const bool topDown = rawH < 0;
    const long long h = topDown ? -static_cast<long long>(rawH) : rawH;
    if (!SizeOk(w, h) || (compression != 0 && !(compression == 3 && bits == 32)))
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return false;
    std::vector<std::uint32_t> palette;
    if (bits <= 8) {
        const std::uint32_t maxColors = 1u << bits;
        if (colorsUsed == 0 || colorsUsed > maxColors)
            colorsUsed = maxColors;
        const std::size_t paletteAt = 14 + headerSize;
        if (paletteAt + 4ull * colorsUsed > size)
            return false;
        palette.resize(maxColors, kOpaque);
        for (std::uint32_t i = 0; i < colorsUsed; ++i) {
            const std::uint8_t* e = data + paletteAt + 4 * i;
            palette[i] = Rgb(e[2], e[1], e[0]);
        }
    }
    const std::size_t stride = ((static_cast<std::size_t>(w) * bits + 31) / 32) * 4;
    if (pixelOffset > size || (size - pixelOffset) / stride < static_cast<std::size_t>(h))
        return false;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
    for (long long y = 0; y < h; ++y) {
        const long long fileRow = topDown ? y : h - 1 - y;
        const std::uint8_t* row = data + pixelOffset + fileRow * stride;
        std::uint32_t* out = &pixels[static_cast<std::size_t>(y) * w];
        for (std::int32_t x = 0; x < w; ++x) {
            switch (bits) {
            case 1: out[x] = palette[(row[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: out[x] = palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 15]; break;
            case 8: out[x] = palette[row[x]]; break;
            case 24: out[x] = Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
            default: out[x] = Rgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]); break;
            }
        }
    }
    image->width = w;
    image->height = static_cast<int>(h);
    image->pixels = std::move(pixels);
    return true;
}

}  // namespace

bool DecodeImage(const std::uint8_t* data, std::size_t size, DecodedImage* image)
{
    if (!data || !image || size < 3)
        return false;
    if (data[0] == 'P' && (data[1] == '3' || data[1] == '6'))
        return DecodePpm(data, size, image);
    if (data[0] == 'B' && data[1] == 'M')
        return DecodeBmp(data, size, image);
    return false;
}

}  // namespace rm
