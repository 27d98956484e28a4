#pragma once
// From the scene graph to the rasterizer: walks a frame tree, gathers its lights in world
// space, and hands every mesh builder to the renderer as batches (one per material and texture
// of its faces). Converted meshes and textures are cached per device and rebuilt only when
// their object changes, so a steady scene renders without allocating.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/rm/impl/scene.h"
#include "platform/rm/raster/renderer.h"
#include "platform/rm/raster/texture.h"

namespace rm {

// The library's matrices and the rasterizer's share one layout (row vectors, translation in
// the fourth row).
raster::Mat4 ToRasterMatrix(const Matrix& m);
Matrix FromRasterMatrix(const raster::Mat4& m);

class SceneDrawer {
public:
    // Draws frame's subtree (and instanced frames) through the camera, after clearing what
    // clear asks for (null: nothing). Lights come from the whole tree frame belongs to. The
    // renderer then reports the triangles drawn and the area touched.
    void Draw(raster::Renderer& renderer, const raster::RenderTarget& target, const raster::ViewSetup& view,
              const raster::RasterOptions& options, Frame& frame, Frame& camera, const raster::ClearRequest* clear);

private:
    struct MeshGroup {
        std::uint32_t firstVertex = 0, vertexCount = 0;  // in vertices
        std::uint32_t firstIndex = 0, indexCount = 0;    // in indices (local to the group's vertices)
        raster::Material material;
        const Texture* texture = nullptr;                // held by the builder's faces
    };
    struct CachedMesh {
        std::shared_ptr<WeakAnchor> anchor;  // tells whether the builder still lives
        std::uint64_t revision = 0;
        std::vector<raster::Vertex> vertices;
        std::vector<std::uint32_t> indices;
        std::vector<std::uint8_t> edges;     // one per triangle
        std::vector<MeshGroup> groups;
    };
    struct CachedTexture {
        std::shared_ptr<WeakAnchor> anchor;
        std::uint64_t revision = 0;
        raster::Texture texture;
    };

    const CachedMesh& MeshFor(MeshBuilder& builder);
    const raster::Texture* TextureFor(const Texture* texture);
    void CollectLights(Frame& frame, const Matrix& world, int depth);
    void CollectFrame(Frame& frame, const Matrix& world, int depth);
    void CollectBuilder(MeshBuilder& builder, const Matrix& world, std::uint32_t lightMask);
    // Which lights reach the visuals of frame (bit i for lights_[i]).
    std::uint32_t LightMaskFor(const Frame& frame) const;
    void Prune();

    // A batch waiting to be drawn, with its distance from the camera.
    struct Pending {
        raster::Batch batch;
        float depth = 0;  // camera-space z of the batch's model origin
    };

    std::unordered_map<const MeshBuilder*, CachedMesh> meshes_;
    std::vector<Pending> pending_;  // refilled every draw, capacity kept
    std::unordered_map<const Texture*, CachedTexture> textures_;
    std::vector<raster::Light> lights_;  // world space, refilled every draw
    std::vector<Frame*> enableFrames_;   // per light: the subtree it lights, null for everything
    bool anyEnableFrame_ = false;
    raster::ColorF ambient_;
    raster::Mat4 worldToCamera_;
};

}  // namespace rm
