// The rasterizer on its own: plain structs in, pixels out.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "platform/rm/raster/cpu_features.h"
#include "platform/rm/raster/row_spans.h"
#include "tests/platform/rm/raster_canvas.h"

namespace rm::raster {
namespace {

using namespace testing;

RasterOptions unlit() {
  RasterOptions o;
  o.lighting = false;
  o.shades = 256;
  return o;
}

void render(Canvas& canvas, const RasterOptions& options, std::initializer_list<const Quad*> quads,
            const ViewSetup* view = nullptr, ColorF ambient = {}, const std::vector<Light>& lights = {}) {
  Renderer r;
  ViewSetup v = view ? *view : perspectiveView(canvas.width, canvas.height);
  clearDepth(canvas.target(), v.viewport, depthClearValue(options.depthFunc));
  r.begin(canvas.target(), v, Mat4{}, options, ambient, lights);
  for (const Quad* q : quads) r.draw(q->batch());
  r.finish();
}

TEST(RasterDepth, NearerQuadWinsWhateverTheOrderAndReversedFunctionShowsTheFarther) {
  Quad red(0, 0, 5, 1, {1, 0, 0}), green(0, 0, 10, 3, {0, 1, 0});
  struct Case {
    DepthFunc func;
    uint32_t expected;
  } cases[] = {{DepthFunc::LessEqual, kRed}, {DepthFunc::Less, kRed}, {DepthFunc::GreaterEqual, kGreen},
               {DepthFunc::Greater, kGreen}};
  for (const Case& c : cases)
    for (bool redFirst : {true, false}) {
      Canvas canvas(64, 64);
      RasterOptions o = unlit();
      o.depthFunc = c.func;
      if (redFirst) {
        render(canvas, o, {&red, &green});
      } else {
        render(canvas, o, {&green, &red});
      }
      EXPECT_EQ(canvas.at(32, 32), c.expected) << static_cast<int>(c.func) << " redFirst " << redFirst;
    }
}

TEST(RasterDepth, DisabledTestOrWriteLetsLaterQuadsOverdraw) {
  Quad red(0, 0, 5, 1, {1, 0, 0}), green(0, 0, 10, 3, {0, 1, 0}), blue(0, 0, 20, 3, {0, 0, 1});
  Canvas off(64, 64);
  RasterOptions o = unlit();
  o.depthTest = false;
  render(off, o, {&red, &green});
  EXPECT_EQ(off.at(32, 32), kGreen);

  // Without depth writes the red quad leaves the far plane in the buffer: blue behind it wins.
  Canvas noWrite(64, 64);
  o = unlit();
  o.depthWrite = false;
  render(noWrite, o, {&red, &blue});
  EXPECT_EQ(noWrite.at(32, 32), kBlue);
}

TEST(RasterCoverage, TwoTrianglesOfASquareCoverEveryPixelOnce) {
  // Pixel-aligned corners put many pixel centres exactly on the shared diagonal.
  Vertex v[4] = {{{-1, 1, 5}, {}, {}, {1, 1, 1}}, {{1, 1, 5}, {}, {}, {1, 1, 1}},
                 {{1, -1, 5}, {}, {}, {1, 1, 1}}, {{-1, -1, 5}, {}, {}, {1, 1, 1}}};
  uint32_t first[3] = {0, 1, 2}, second[3] = {0, 2, 3};
  ViewSetup view;
  view.viewport = {0, 0, 40, 40};
  view.projection = ProjectionKind::Orthographic;
  view.left = view.bottom = -2;
  view.right = view.top = 2;
  int total = 0;
  std::vector<int> hits(40 * 40, 0);
  for (const uint32_t* tri : {first, second}) {
    Canvas canvas(40, 40);
    Renderer r;
    r.begin(canvas.target(), view, Mat4{}, unlit(), {}, {});
    Batch b;
    b.vertices = v;
    b.vertexCount = 4;
    b.indices = tri;
    b.indexCount = 3;
    r.draw(b);
    r.finish();
    for (int i = 0; i < 40 * 40; ++i)
      if ((canvas.color[i] & 0xFFFFFF) == 0xFFFFFF) ++hits[i], ++total;
  }
  EXPECT_EQ(total, 20 * 20);
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 30; ++x) EXPECT_EQ(hits[y * 40 + x], 1) << x << "," << y;
}

TEST(RasterCoverage, JitteredMeshCoversEveryPixelOnce) {
  // A grid of points moved by random sub-pixel amounts, each cell split into two triangles of
  // either winding: every pixel centre inside the grid belongs to exactly one triangle, whatever
  // the slopes, also along the outer rows and columns that wide spans cross.
  constexpr int kSize = 96, kCells = 6;
  std::mt19937 random(7);
  std::uniform_real_distribution<float> jitter(-3.1f, 3.1f);
  ShadedVertex shaded;
  ScreenVertex grid[kCells + 1][kCells + 1];
  for (int j = 0; j <= kCells; ++j)
    for (int i = 0; i <= kCells; ++i) {
      bool border = i == 0 || j == 0 || i == kCells || j == kCells;
      float x = 8.0f + i * 13.3f + (border ? 0 : jitter(random)), y = 8.0f + j * 13.3f + (border ? 0 : jitter(random));
      grid[j][i] = {x, y, 0.5f, 1, &shaded};
    }
  RasterOptions options = unlit();
  options.depthTest = false;
  std::vector<int> hits(kSize * kSize, 0);
  Canvas canvas(kSize, kSize);
  FragmentContext ctx;
  ctx.target = canvas.target();
  ctx.clip = {0, 0, kSize, kSize};
  ctx.options = &options;
  auto fill = [&](const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c) {
    std::fill(canvas.color.begin(), canvas.color.end(), 0xFF000000u);
    fillTriangle(a, b, c, ctx);
    for (int k = 0; k < kSize * kSize; ++k) hits[k] += canvas.color[k] != 0xFF000000u;
  };
  shaded.diffuse = {1, 1, 1};
  for (int j = 0; j < kCells; ++j)
    for (int i = 0; i < kCells; ++i) {
      const ScreenVertex &p = grid[j][i], &q = grid[j][i + 1], &r = grid[j + 1][i + 1], &s = grid[j + 1][i];
      if ((i + j) % 2) {
        fill(p, q, r);
        fill(s, r, p);  // the other winding
      } else {
        fill(p, q, s);
        fill(q, r, s);
      }
    }
  const float inner0 = 8.0f, inner1 = 8.0f + kCells * 13.3f;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      float cx = x + 0.5f, cy = y + 0.5f;
      int expected = cx > inner0 && cx < inner1 && cy > inner0 && cy < inner1 ? 1 : 0;
      ASSERT_EQ(hits[y * kSize + x], expected) << x << "," << y;
    }
}

TEST(RasterCoverage, TouchedAreaHoldsEveryWrittenPixelAndLittleElse) {
  // Random triangles at every instruction-set level: each pixel that changed lies in the area the
  // render reports (cleared and presented from it later), and a slanted triangle's area stays
  // well under its bounding box.
  std::mt19937 random(11);
  std::uniform_real_distribution<float> coordinate(-1.4f, 1.4f);
  ViewSetup view;
  view.viewport = {3, 5, 77, 70};
  view.projection = ProjectionKind::Orthographic;
  view.left = view.bottom = -1;
  view.right = view.top = 1;
  for (SimdLevel level : {SimdLevel::Sse2, SimdLevel::Avx2, SimdLevel::Avx512}) {
    capSimdLevel(level);
    for (int round = 0; round < 20; ++round) {
      Vertex v[3];
      for (Vertex& corner : v) corner = {{coordinate(random), coordinate(random), 5}, {}, {}, {1, 1, 1}};
      const uint32_t indices[3] = {0, 1, 2}, reversed[3] = {0, 2, 1};
      Canvas canvas(80, 72);
      Renderer r;
      RasterOptions options = unlit();
      options.cull = CullMode::None;
      r.begin(canvas.target(), view, Mat4{}, options, {}, {});
      Batch b;
      b.vertices = v;
      b.vertexCount = 3;
      b.indices = round % 2 ? indices : reversed;
      b.indexCount = 3;
      r.draw(b);
      r.finish();
      int written = 0, area = 0;
      r.touched().forEachRect([&](const PixelRect& rect) { area += rect.width() * rect.height(); });
      for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
          if (canvas.at(x, y) == 0) continue;
          ++written;
          bool inside = false;
          r.touched().forEachRect([&](const PixelRect& rect) {
            inside |= x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
          });
          ASSERT_TRUE(inside) << x << "," << y << " level " << static_cast<int>(level);
        }
      if (written > 400) {
        EXPECT_LT(area, 2 * written + 8 * 80) << "level " << static_cast<int>(level);
      }
    }
  }
  capSimdLevel(SimdLevel::Avx512);
}

// Checks walkRows at every level on the triangle with corners (X, Y) in sixteenths of a pixel,
// through a window of 30 x 150 pixels walked in runs of random lengths: each row's span must
// hold exactly the pixel centres on the inner side of all three edges (top-left rule).
void expectRowWalksFollowEdges(int64_t (&X)[3], int64_t (&Y)[3], const PixelRect& box, std::mt19937& random) {
  const int64_t area = (X[1] - X[0]) * (Y[2] - Y[0]) - (X[2] - X[0]) * (Y[1] - Y[0]);
  if (area == 0) return;
  if (area < 0) std::swap(X[1], X[2]), std::swap(Y[1], Y[2]);
  Edge edges[3];
  for (int i = 0; i < 3; ++i) {
    const int j = (i + 1) % 3;
    Edge& e = edges[i];
    e.a = -(Y[j] - Y[i]);
    e.b = X[j] - X[i];
    e.c = -e.a * X[i] - e.b * Y[i];
    e.bias = (e.a == 0 && e.b > 0) || e.a > 0 ? 0 : 1;
  }
  auto inside = [&](int x, int y) {
    for (const Edge& e : edges)
      if (e.a * (16 * x + 8) + e.b * (16 * y + 8) + e.c - e.bias < 0) return false;
    return true;
  };
  for (SimdLevel level : {SimdLevel::Sse2, SimdLevel::Avx512}) {
    capSimdLevel(level);
    EdgeWalk walks[3] = {{edges[0], box.top}, {edges[1], box.top}, {edges[2], box.top}};
    RowSpans spans;
    for (int y = box.top; y < box.bottom; y += spans.count) {
      walkRows(walks, box, nullptr, y, std::min<int>(1 + random() % RowSpans::kMaxRows, box.bottom - y), spans);
      for (int i = 0; i < spans.count; ++i)
        for (int x = box.left; x < box.right; ++x)
          ASSERT_EQ(x >= spans.first[i] && x <= spans.hi[i], inside(x, y + i))
              << "corners " << X[0] << "," << Y[0] << " " << X[1] << "," << Y[1] << " " << X[2] << "," << Y[2]
              << " level " << static_cast<int>(level) << " pixel " << x << "," << y + i;
    }
  }
  capSimdLevel(SimdLevel::Avx512);
}

TEST(RasterCoverage, RowWalksTakeInThePixelsTheEdgeFunctionsTakeIn) {
  std::mt19937 random(11);
  // Random triangles from slivers to ones far larger than any screen.
  const int64_t scales[] = {3, 40, 900, 60000, 16000000};  // sixteenths of a pixel
  for (int trial = 0; trial < 1500; ++trial) {
    std::uniform_int_distribution<int64_t> coordinate(-scales[trial % 5], scales[trial % 5]);
    int64_t X[3], Y[3];
    for (int i = 0; i < 3; ++i) X[i] = 400 + coordinate(random), Y[i] = 400 + coordinate(random);
    if (trial % 3 == 0)  // corners on pixel centres
      for (int i = 0; i < 3; ++i) X[i] = X[i] / 16 * 16 + 8, Y[i] = Y[i] / 16 * 16 + 8;
    if (trial % 7 == 0) Y[1] = Y[0];  // an edge level with the rows
    const int left = static_cast<int>(random() % 40), top = static_cast<int>(random() % 40);
    expectRowWalksFollowEdges(X, Y, {left, top, left + 30, top + 150}, random);
  }
  // Edges through a pixel centre every few rows, at every whole-pixel slope up to 130 rows per
  // pixel: where the walk wraps exactly onto a centre, the rounding of a quotient shows.
  for (int64_t rows = 1; rows <= 130; ++rows)
    for (int64_t pixels : {-3, -1, 1, 2}) {
      int64_t X[3] = {8 + 16 * 12, 8 + 16 * (12 + pixels), 8 + 16 * 40}, Y[3] = {8, 8 + 16 * rows, 8 + 16 * 200};
      expectRowWalksFollowEdges(X, Y, {0, 0, 30, 150}, random);
    }
}

TEST(RasterRegion, BandsFollowAnOutlineWithinExactTopAndBottom) {
  // Whole bands of eight rows, except the first and last rows of the region, which are exact.
  BandRegion region;
  region.add({10, 3, 20, 9});   // rows 3..8: bands 0 and 1
  region.add({30, 9, 40, 12});  // band 1 again: its extent grows to 10..40
  region.add({0, 30, 5, 31});   // a band further down, with empty bands between
  std::vector<PixelRect> rects;
  region.forEachRect([&](const PixelRect& r) { rects.push_back(r); });
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ((std::vector<int>{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom}),
            (std::vector<int>{10, 3, 20, 8}));
  EXPECT_EQ((std::vector<int>{rects[1].left, rects[1].top, rects[1].right, rects[1].bottom}),
            (std::vector<int>{10, 8, 40, 16}));
  EXPECT_EQ((std::vector<int>{rects[2].left, rects[2].top, rects[2].right, rects[2].bottom}),
            (std::vector<int>{0, 24, 5, 31}));
  const PixelRect b = region.clippedTo({12, 4, 35, 100}).bounds();
  EXPECT_EQ((std::vector<int>{b.left, b.top, b.right, b.bottom}), (std::vector<int>{12, 4, 35, 16}));
  EXPECT_TRUE(region.clippedTo({50, 0, 60, 40}).empty());
  EXPECT_TRUE(region.meets({39, 11, 45, 20}));    // the last column of band 1
  EXPECT_FALSE(region.meets({40, 0, 45, 40}));    // right of every band
  EXPECT_FALSE(region.meets({0, 16, 100, 24}));   // the empty band between
  EXPECT_FALSE(region.meets({0, 0, 100, 3}));     // above the first row
  EXPECT_TRUE(region.meets(BandRegion({35, 10, 50, 11})));
  EXPECT_FALSE(region.meets(BandRegion({0, 16, 100, 24})));
}

TEST(RasterCull, WindingDecidesWhatIsDrawn) {
  Quad front(0, 0, 5, 1, {1, 0, 0});
  Quad back = front;  // same square wound the other way: its back faces the camera
  back.indices[1] = 2, back.indices[2] = 1, back.indices[4] = 3, back.indices[5] = 2;
  struct Case {
    CullMode cull;
    bool frontDrawn, backDrawn;
  } cases[] = {{CullMode::CounterClockwise, true, false}, {CullMode::Clockwise, false, true},
               {CullMode::None, true, true}};
  for (const Case& c : cases) {
    RasterOptions o = unlit();
    o.cull = c.cull;
    Canvas a(32, 32), b(32, 32);
    render(a, o, {&front});
    render(b, o, {&back});
    EXPECT_EQ(a.at(16, 16) == kRed, c.frontDrawn) << static_cast<int>(c.cull);
    EXPECT_EQ(b.at(16, 16) == kRed, c.backDrawn) << static_cast<int>(c.cull);
  }
}

TEST(RasterClip, PrimitivesStayInsideTheViewportAndBehindTheFrontPlane) {
  // A quad far larger than the view, crossing the camera plane, drawn into the middle viewport.
  Vertex v[4] = {{{-50, 50, -5}, {}, {}, {0, 0, 1}}, {{50, 50, -5}, {}, {}, {0, 0, 1}},
                 {{50, -50, 30}, {}, {}, {0, 0, 1}}, {{-50, -50, 30}, {}, {}, {0, 0, 1}}};
  uint32_t idx[6] = {0, 1, 2, 0, 2, 3};
  for (FillMode fill : {FillMode::Solid, FillMode::Wireframe, FillMode::Points}) {
    Canvas canvas(60, 60, 0xFFFFFFFF);
    ViewSetup view = perspectiveView(60, 60);
    view.viewport = {10, 20, 50, 40};
    RasterOptions o = unlit();
    o.cull = CullMode::None;
    o.fill = fill;
    Renderer r;
    r.begin(canvas.target(), view, Mat4{}, o, {}, {});
    Batch b;
    b.vertices = v;
    b.vertexCount = 4;
    b.indices = idx;
    b.indexCount = 6;
    r.draw(b);
    r.finish();
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x)
        if (x < 10 || x >= 50 || y < 20 || y >= 40) {
          ASSERT_EQ(canvas.at(x, y), 0xFFFFFFu) << x << "," << y;
        }
    if (fill == FillMode::Solid) {
      EXPECT_EQ(canvas.at(30, 30), kBlue);
      EXPECT_EQ(r.trianglesDrawn(), 2u);
      EXPECT_FALSE(r.touched().empty());
    }
  }
}

// Wild input: huge, tiny, infinite and NaN coordinates in every fill mode, on a viewport that
// does not start at the target's corner. Nothing may be written outside the viewport (the
// sanitizers catch anything outside the buffers).
TEST(RasterClip, WildTrianglesNeverWriteOutsideTheViewport) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> any(-2e4f, 2e4f), small(-3, 3);
  const float specials[] = {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN(), 0.0f, 1e-30f, 1e30f};
  std::vector<Vertex> v(300);
  for (size_t i = 0; i < v.size(); ++i) {
    auto pick = [&](int kind) { return kind == 0 ? any(random) : kind == 1 ? small(random) : specials[random() % 6]; };
    int kind = static_cast<int>(random() % 10 == 0 ? 2 : random() % 2);
    v[i] = {{pick(kind), pick(kind), pick(kind)}, {small(random), small(random), small(random)}, {small(random), small(random)},
            {1, 1, 1}};
  }
  std::vector<uint32_t> idx(v.size());
  for (size_t i = 0; i < idx.size(); ++i) idx[i] = static_cast<uint32_t>(i);
  std::vector<uint32_t> texels(4, 0xFF808080u);
  Texture tex = makeTexture(texels.data(), 2, 2, 2);
  for (ProjectionKind projection : {ProjectionKind::Perspective, ProjectionKind::Orthographic})
    for (FillMode fill : {FillMode::Solid, FillMode::Wireframe, FillMode::Points})
      for (ShadeMode shade : {ShadeMode::Flat, ShadeMode::Gouraud, ShadeMode::Phong}) {
        Canvas canvas(50, 40, 0xFF123456);
        ViewSetup view = perspectiveView(50, 40);
        view.projection = projection;
        view.viewport = {7, 5, 43, 33};
        RasterOptions o;
        o.fill = fill;
        o.shade = shade;
        o.cull = CullMode::None;
        std::vector<Light> lights(1);
        lights[0].kind = LightKind::Point;
        Renderer r;
        r.begin(canvas.target(), view, Mat4{}, o, {0.2f, 0.2f, 0.2f}, lights);
        Batch b;
        b.vertices = v.data();
        b.vertexCount = static_cast<uint32_t>(v.size());
        b.indices = idx.data();
        b.indexCount = static_cast<uint32_t>(idx.size());
        b.texture = shade == ShadeMode::Gouraud ? &tex : nullptr;
        r.draw(b);
        r.finish();
        for (int y = 0; y < 40; ++y)
          for (int x = 0; x < 50; ++x)
            if (x < 7 || x >= 43 || y < 5 || y >= 33) {
              ASSERT_EQ(canvas.at(x, y), 0x123456u) << x << "," << y;
            }
      }
}

TEST(RasterClip, BadViewOrIndicesDrawNothing) {
  Quad q(0, 0, 5, 1, {1, 0, 0});
  Canvas canvas(16, 16);
  ViewSetup bad = perspectiveView(16, 16);
  bad.front = 0;  // perspective needs a front plane in front of the eye
  render(canvas, unlit(), {&q}, &bad);
  EXPECT_EQ(canvas.count(kRed), 0);
  q.indices[2] = 99;  // out of range: that triangle is skipped, the other drawn
  Canvas other(16, 16);
  render(other, unlit(), {&q});
  EXPECT_GT(other.count(kRed), 0);
}

TEST(RasterFill, FlatGouraudWireframeAndPointsDiffer) {
  // A square lit by a point light near its top-left corner, with per-corner normals.
  Quad q(0, 0, 5, 2, {1, 1, 1});
  std::vector<Light> lights(1);
  lights[0].kind = LightKind::Point;
  lights[0].position = {-2, 2, 3};
  RasterOptions o;
  o.shades = 256;
  struct Mode {
    FillMode fill;
    ShadeMode shade;
  } modes[] = {{FillMode::Solid, ShadeMode::Flat}, {FillMode::Solid, ShadeMode::Gouraud},
               {FillMode::Solid, ShadeMode::Phong}, {FillMode::Wireframe, ShadeMode::Gouraud},
               {FillMode::Points, ShadeMode::Gouraud}};
  std::vector<Canvas> out;
  for (const Mode& m : modes) {
    o.fill = m.fill;
    o.shade = m.shade;
    Canvas c(64, 64);
    render(c, o, {&q}, nullptr, {0.1f, 0.1f, 0.1f}, lights);
    out.push_back(c);
  }
  const char* names[] = {"flat", "gouraud", "phong", "wireframe", "points"};
  for (size_t i = 0; i < out.size(); ++i) out[i].dump(std::string("raster_") + names[i]);
  auto covered = [](const Canvas& c) { return c.width * c.height - c.count(kBlack); };
  // Flat: one colour over the face; Gouraud and Phong: a gradient, Phong's highlight differs.
  EXPECT_EQ(out[0].distinct().size(), 2u);
  EXPECT_GT(out[1].distinct().size(), 20u);
  EXPECT_NE(out[1].color, out[2].color);
  EXPECT_EQ(covered(out[0]), covered(out[1]));
  EXPECT_LT(covered(out[3]), covered(out[1]) / 4);
  EXPECT_GT(covered(out[3]), covered(out[4]));
  EXPECT_EQ(covered(out[4]), 4);  // the four corners (shared ones drawn twice)
  // Wireframe outlines the square without its diagonal: the centre stays empty.
  EXPECT_EQ(out[3].at(32, 32), kBlack);
}

TEST(RasterShades, MonoRampHasAsManyGreysAsShades) {
  // A white square whose normals turn from edge-on (left) to facing the light (right).
  Quad q(0, 0, 5, 2, {1, 1, 1});
  q.v[0].normal = q.v[3].normal = {-1, 0, 0};
  std::vector<Light> lights(1);
  lights[0].kind = LightKind::Directional;
  lights[0].direction = {0, 0, 1};
  lights[0].color = {1.2f, 1.0f, 0.6f};  // coloured, intensity just over 1: mono keeps only that
  for (uint32_t shades : {4u, 8u, 16u}) {
    RasterOptions o;
    o.colorModel = ColorModel::Mono;
    o.shades = shades;
    o.dither = false;
    Canvas c(128, 64);
    ViewSetup view = perspectiveView(128, 64);
    view.left = -1, view.right = 1, view.bottom = -0.25f, view.top = 0.25f;
    view.uniformScaling = false;
    render(c, o, {&q}, &view, {}, lights);
    c.dump("raster_mono_" + std::to_string(shades));
    std::set<uint32_t> greys = c.distinct();
    for (uint32_t p : greys) EXPECT_TRUE(((p >> 16) & 0xFF) == (p & 0xFF) && ((p >> 8) & 0xFF) == (p & 0xFF)) << std::hex << p;
    EXPECT_EQ(greys.size(), shades) << shades;
  }
}

// The common case (depth less-equal with writes, or no depth test) has a path that fills
// several pixels at once; the general path must give the very same picture.
TEST(RasterFill, FastAndGeneralPathsDrawTheSamePixels) {
  // The general path works a pixel at a time; the fast ones four, eight or sixteen at a time
  // with depth and without.
  Quad q(0.1f, -0.2f, 5, 2.3f, {1, 1, 1});
  q.v[0].color = {1, 0, 0.2f}, q.v[1].color = {0, 1, 0.5f}, q.v[2].color = {0.3f, 0.2f, 1};
  Quad behind(0.3f, 0.1f, 7, 1.5f, {0.2f, 0.9f, 0.4f});
  for (SimdLevel level : {SimdLevel::Sse2, SimdLevel::Avx2, SimdLevel::Avx512}) {
    capSimdLevel(level);
    for (uint32_t shades : {256u, 8u, 64u}) {  // none, few (looked up), many (worked out)
      const bool post = shades != 256;
      RasterOptions fast = unlit();
      fast.shade = ShadeMode::Gouraud;
      fast.shades = shades;
      fast.dither = post;
      RasterOptions general = fast;
      general.depthFunc = DepthFunc::Less;  // same result on a cleared buffer, other path
      RasterOptions noDepth = fast;
      noDepth.depthTest = false;
      Canvas a(61, 37), b(61, 37), c(61, 37);
      render(a, fast, {&q, &behind});
      render(b, general, {&q, &behind});
      render(c, noDepth, {&behind, &q});
      EXPECT_GT(a.distinct().size(), 4u);
      EXPECT_EQ(a.color, b.color) << "shades " << shades << " level " << static_cast<int>(level);
      EXPECT_EQ(a.color, c.color) << "shades " << shades << " level " << static_cast<int>(level);
    }
  }
  capSimdLevel(SimdLevel::Avx512);
}

TEST(RasterShades, DitherMixesNeighbouringShades) {
  Quad q(0, 0, 5, 3, {0.5f, 0.5f, 0.5f});
  RasterOptions o = unlit();
  o.shades = 2;
  Canvas plain(32, 32), dithered(32, 32);
  render(plain, o, {&q});
  o.dither = true;
  render(dithered, o, {&q});
  EXPECT_EQ(plain.distinct().size(), 1u);
  int white = dithered.count(0xFFFFFF), black = dithered.count(kBlack);
  EXPECT_GT(white, 400);
  EXPECT_GT(black, 400);
  EXPECT_NE(dithered.at(0, 0), dithered.at(1, 0));  // ordered: neighbours alternate
}

TEST(RasterTexture, FiltersChangeAMinifiedCheckerboard) {
  // 64x64 one-texel checkerboard on a square about 24 pixels wide: heavy minification.
  std::vector<uint32_t> texels(64 * 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) texels[y * 64 + x] = ((x + y) & 1) ? 0xFFFFFFFF : 0xFF000000;
  Texture tex = makeTexture(texels.data(), 64, 64, 64);
  ASSERT_EQ(tex.levels.size(), 7u);
  Quad q(0, 0, 5, 1, {1, 1, 1});
  std::vector<std::set<uint32_t>> colours;
  for (TextureFilter f : {TextureFilter::Nearest, TextureFilter::Linear, TextureFilter::MipNearest,
                          TextureFilter::MipLinear, TextureFilter::LinearMipNearest,
                          TextureFilter::LinearMipLinear}) {
    RasterOptions o = unlit();
    o.textureFilter = f;
    Canvas c(64, 64, 0xFFFF0000);
    Renderer r;
    r.begin(c.target(), perspectiveView(64, 64), Mat4{}, o, {}, {});
    Batch b = q.batch();
    b.texture = &tex;
    r.draw(b);
    r.finish();
    std::set<uint32_t> inside;
    for (int y = 24; y < 40; ++y)
      for (int x = 24; x < 40; ++x) inside.insert(c.at(x, y));
    colours.push_back(inside);
  }
  // Point sampling of level 0 keeps pure black and white; mipmaps average towards grey.
  for (uint32_t p : colours[0]) EXPECT_TRUE(p == 0 || p == 0xFFFFFF) << std::hex << p;
  for (int f = 2; f < 6; ++f)
    for (uint32_t p : colours[f]) EXPECT_TRUE(p != 0 && p != 0xFFFFFF) << f;
}

TEST(RasterLighting, LightKindsAttenuationAndRange) {
  const Vec3 pos{0, 0, 5}, normal{0, 0, -1};  // surface facing the camera at the origin
  auto light = [](LightKind k) {
    Light l;
    l.kind = k;
    return l;
  };
  struct Case {
    const char* name;
    Light light;
    float expected;  // red channel of a white surface
  };
  Light dirOn = light(LightKind::Directional), dirBack = dirOn;
  dirOn.direction = {0, 0, 1};
  dirBack.direction = {0, 0, -1};
  Light point = light(LightKind::Point), far = point, attenuated = point, spotIn = light(LightKind::Spot),
        spotOut = spotIn, parallel = light(LightKind::ParallelPoint);
  point.position = {0, 0, 3};
  far = point;
  far.range = 1.5f;
  attenuated = point;
  attenuated.attenuation0 = 0.5f, attenuated.attenuation1 = 0.25f, attenuated.attenuation2 = 0.125f;  // d = 2: 1/1.5
  spotIn.position = {0, 0, 3}, spotIn.direction = {0, 0, 1};
  spotOut = spotIn;
  spotOut.direction = {1, 0, 0};
  parallel.position = {0, 0, -10};  // aims at the object origin whatever the point's position
  Case cases[] = {{"directional", dirOn, 1},    {"directional behind", dirBack, 0}, {"point", point, 1},
                  {"out of range", far, 0},     {"attenuated", attenuated, 1 / 1.5f},
                  {"spot inside", spotIn, 1},   {"spot outside", spotOut, 0},     {"parallel point", parallel, 1}};
  for (const Case& c : cases) {
    LightSet set;
    set.lights = {c.light};
    LitColor lit = lightPoint(set, {}, {1, 1, 1}, pos, normal, {0, 0, 6}, false);
    EXPECT_NEAR(lit.diffuse.r, c.expected, 1e-4) << c.name;
  }
  // Ambient and emissive add; specular only with a power.
  LightSet set;
  set.ambient = {0.25f, 0.25f, 0.25f};
  set.lights = {dirOn};
  Material m;
  m.emissive = {0, 0, 0.5f};
  m.specular = {1, 1, 1};
  LitColor plain = lightPoint(set, m, {0.5f, 0.5f, 0.5f}, pos, normal, {}, false);
  EXPECT_NEAR(plain.diffuse.b, 0.5f * 1.25f + 0.5f, 1e-4);
  EXPECT_EQ(plain.specular.r, 0);
  m.power = 8;
  EXPECT_GT(lightPoint(set, m, {0.5f, 0.5f, 0.5f}, pos, normal, {}, false).specular.r, 0.9f);
}

}  // namespace
}  // namespace rm::raster
