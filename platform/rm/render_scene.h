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

// What a viewport showed after its last clear and render: the settings of the whole picture and
// every batch with where it lay on the device. With it the next frame of the same scene clears
// and redraws only where a batch moved or changed.
class SceneMemory {
public:
    void Forget() { valid_ = placed_ = false; }

private:
    friend class SceneDrawer;
    struct Settings {
        const Frame* scene = nullptr;
        raster::Mat4 worldToCamera;
        raster::ViewSetup view;
        raster::RasterOptions options;
        raster::ColorF ambient;
        std::vector<raster::Light> lights;
        std::vector<Frame*> enableFrames;
        std::uint32_t clearColor = 0;
        float clearDepth = 1;
        bool operator==(const Settings&) const = default;
    };
    struct Item {
        const MeshBuilder* mesh = nullptr;
        std::size_t group = 0;
        std::uint64_t meshRevision = 0;
        raster::Mat4 modelToWorld;
        raster::Material material;
        const Texture* texture = nullptr;
        std::uint64_t textureRevision = 0;
        std::uint32_t lightMask = 0;
        raster::BandRegion footprint;   // on the device: where its triangles lie, band by band; the
                                        // whole viewport when the batch reaches past it
        raster::BandRegion shown;       // where its pixels may show in the picture (no smaller)
        raster::PreparedBatch prepared;  // its triangles as last prepared, to fill again
        bool SameBatch(const Item& o) const
        {
            return mesh == o.mesh && group == o.group && meshRevision == o.meshRevision &&
                   modelToWorld == o.modelToWorld && material == o.material && texture == o.texture &&
                   textureRevision == o.textureRevision && lightMask == o.lightMask;
        }
    };
    bool valid_ = false;
    bool placed_ = false;  // the items' footprints are known
    Settings settings_;
    std::vector<Item> items_;  // in the order the scene lists them
};

class SceneDrawer {
public:
    // Draws frame's subtree (and instanced frames) through the camera, after clearing what
    // clear asks for (null: nothing). Lights come from the whole tree frame belongs to. The
    // renderer then reports the triangles drawn and the area touched.
    //
    // With memory of the viewport's last frame (which must have been a clear and this one render)
    // and a clear, only the area where batches moved or changed is cleared and redrawn: then the
    // function returns true and redrawn holds that area. Otherwise everything is drawn and memory,
    // when given, remembers this frame.
    bool Draw(raster::Renderer& renderer, const raster::RenderTarget& target, const raster::ViewSetup& view,
              const raster::RasterOptions& options, Frame& frame, Frame& camera, const raster::ClearRequest* clear,
              SceneMemory* memory, raster::BandRegion& redrawn);

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
        SceneMemory::Item item;
        bool changed = false;        // differs from the remembered batch
        raster::BandRegion written;  // where this frame wrote its pixels
    };
    // Where the batch can draw on the device: the band extents of the convex hull of its corners,
    // a little larger; the whole viewport when a corner lies outside the view.
    void Footprint(const raster::Batch& batch, SceneMemory::Item& item);
    // Takes the places of unchanged batches from memory and works out those of the others; with
    // partial, adds to redrawn the area where the changed ones showed and may show now.
    void FindChanges(raster::Renderer& renderer, SceneMemory& memory, bool partial, raster::BandRegion& redrawn);
    // Hands this frame's settings and batches to memory; placed: their places are known.
    void Remember(SceneMemory& memory, bool partial, bool placed);

    std::unordered_map<const MeshBuilder*, CachedMesh> meshes_;
    std::vector<Pending> pending_;          // refilled every draw in the scene's order, capacity kept
    std::size_t pendingUsed_ = 0;           // entries refilled so far while collecting
    std::vector<Pending*> order_;     // the drawing order
    std::unordered_map<const Texture*, CachedTexture> textures_;
    std::vector<raster::Light> lights_;  // world space, refilled every draw
    std::vector<Frame*> enableFrames_;   // per light: the subtree it lights, null for everything
    bool anyEnableFrame_ = false;
    raster::ColorF ambient_;
    raster::Mat4 worldToCamera_;
    SceneMemory::Settings settings_;  // of this frame; capacity kept
    raster::Projection projection_;   // of this frame's view
    raster::PixelRect viewport_;      // of this frame's view
    std::vector<raster::Vec2> screen_;  // the corners of one batch on the device; capacity kept
    std::vector<raster::Vec2> hull_;    // their convex hull
    std::vector<std::pair<float, float>> extents_;  // the hull's x extent per band of rows
};

}  // namespace rm
