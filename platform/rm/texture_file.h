#pragma once
// Textures read from picture files, looked up through the process-wide search path.

#include "platform/rm/impl/texture_impl.h"

#include <string>
#include <vector>

namespace rm {

// The directories texture files are looked for in after the name as given (':' separated).
void SetTextureSearchPath(const std::string& path);
void AddTextureSearchPath(const std::string& path);
std::string TextureSearchPath();

// Loads a PPM or BMP file: as named, then in each of extraDirs, then along the search path.
// D3DRMERR_FILENOTFOUND when no such file, D3DRMERR_BADFILE when it cannot be decoded.
HRESULT LoadTextureFile(const std::string& name, const std::vector<std::string>& extraDirs, RefPtr<Texture>* texture);

}  // namespace rm
