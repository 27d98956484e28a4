#pragma once
// The X-format text grammar, as read here:
//
//   file      := "xof " 4 digits "txt " 4 digits  { template | object }
//   template  := "template" name "{" ... "}"                  (declaration: skipped whole)
//   object    := identifier [name] "{" [<guid>] body "}"
//   reference := "{" name [<guid>] "}"  |  "{" <guid> "}"
//
// Separators (";" and ",") between values are optional and may repeat: values are read in
// order and separators skipped, which takes doubled, missing and mixed separators alike.
// Objects acted on: Header (skipped), Frame, FrameTransformMatrix, Mesh, MeshMaterialList,
// Material, TextureFilename, MeshNormals, MeshTextureCoords, MeshVertexColors,
// MeshFaceWraps (read, no effect). Every other object (animation, skinning, custom records,
// unknown templates) is skipped whole, nested braces included. Identifiers compare without
// regard to case. A reference names an object defined earlier in the text (Frame, Mesh or
// Material); a name defined twice refers to the later definition.
//
// An unmatched closing brace at the top level is passed over (some exporters leave them).
//
// Limits that keep hostile text harmless: frames nest at most kMaxFrameDepth deep; every
// count is checked against the bytes left before anything is allocated for it; indexes are
// checked against their lists; non-finite numbers are refused.

#include "platform/rm/impl/frame_impl.h"
#include "platform/rm/impl/meshbuilder_impl.h"
#include "platform/rm/impl/ref_ptr.h"

#include <string>
#include <string_view>
#include <vector>

namespace rm::xfile {

constexpr int kMaxFrameDepth = 256;

// Where textures named by TextureFilename come from: the callback when there is one, else
// the file, looked for beside the text (directory) and along the search path.
struct TextureSource {
    D3DRMLOADTEXTURECALLBACK callback = nullptr;
    void* arg = nullptr;
    std::string directory;
};

struct TopLevelObject {
    RefPtr<Frame> frame;        // one of frame and mesh is set
    RefPtr<MeshBuilder> mesh;
    bool referenced = false;    // a mesh some frame refers to by name
};

struct ParseResult {
    std::vector<TopLevelObject> objects;  // top-level frames and meshes in text order
    std::string error;                    // why the text was refused ("" when it was not)
    std::uint32_t errorLine = 0;
};

// Parses the whole text; false (with result->error set) for a text that is not well formed.
bool ParseScene(std::string_view text, const TextureSource& textures, ParseResult* result);

}  // namespace rm::xfile
