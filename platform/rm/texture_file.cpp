#include "platform/rm/texture_file.h"

#include "platform/rm/image_file.h"

#include <fstream>
#include <iterator>

namespace rm {

namespace {

std::string gSearchPath;

// Picture files larger than this are refused without reading them.
constexpr std::streamoff kMaxPictureBytes = 256ll << 20;

bool ReadFile(const std::string& path, std::vector<std::uint8_t>* bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxPictureBytes)
        return false;
    in.seekg(0);
    bytes->resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes->data()), size);
    return static_cast<bool>(in) || in.gcount() == size;
}

std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> dirs;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            dirs.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return dirs;
}

}  // namespace

void SetTextureSearchPath(const std::string& path) { gSearchPath = path; }

void AddTextureSearchPath(const std::string& path)
{
    if (path.empty())
        return;
    gSearchPath = gSearchPath.empty() ? path : gSearchPath + ":" + path;
}

std::string TextureSearchPath() { return gSearchPath; }

HRESULT LoadTextureFile(const std::string& name, const std::vector<std::string>& extraDirs, RefPtr<Texture>* texture)
{
    if (name.empty() || name.find('\0') != std::string::npos)
        return D3DRMERR_FILENOTFOUND;
    std::vector<std::string> candidates{name};
    if (name[0] != '/') {
        std::vector<std::string> dirs = extraDirs;
        for (auto& d : SplitPath(gSearchPath))
            dirs.push_back(d);
        for (auto& d : dirs)
            candidates.push_back(d + "/" + name);
    }
    std::vector<std::uint8_t> bytes;
    for (const auto& path : candidates) {
        if (!ReadFile(path, &bytes))
            continue;
        DecodedImage image;
        if (!DecodeImage(bytes.data(), bytes.size(), &image))
            return D3DRMERR_BADFILE;
        *texture = RefPtr<Texture>::Adopt(new Texture(image.width, image.height, std::move(image.pixels)));
        (*texture)->SetFileName(name);
        return S_OK;
    }
    return D3DRMERR_FILENOTFOUND;
}

}  // namespace rm
