#pragma once
// Writing a mesh builder as X-format text.

#include "platform/rm/impl/meshbuilder_impl.h"

#include <string>

namespace rm::xfile {

// The text of a whole file: header line, the template declarations when the options ask for
// them, then "Mesh <name> {" and its body. Lines stay under 256 characters.
std::string WriteMeshFile(const MeshBuilder& builder, D3DRMSAVEOPTIONS options);

}  // namespace rm::xfile
