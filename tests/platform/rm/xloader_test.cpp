#include "rm_fixture.h"

#include "platform/rm/impl/frame_impl.h"
#include "platform/rm/impl/meshbuilder_impl.h"
#include "platform/sys/resources.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <unistd.h>

namespace {

using XLoader = RmTest;

// Frames, named meshes shared by reference, a named material, an inline one, comments,
// doubled and missing separators, and records of templates the loader does not know.
constexpr char kScene[] = R"(xof 0302txt 0064
template Header {
 <3D82AB43-62DA-11cf-AB39-0020AF71E433>
 WORD major; WORD minor; DWORD flags;
}
#Templates for Y-Forge
template YF_Light {
 <F3BBF980-7B14-11d1-BFE2-444553540000>
 STRING FrameName; STRING EnableFrameName; BYTE LightType; Vector Attenuation;
 ColorRGB Color; DOUBLE Penumbra; DOUBLE Range;
}
Header {1; 0; 1;}
Material Red { 1.0;0.0;0.0;1.0;; 5.0; 1.0;1.0;1.0;; 0.0;0.0;0.0;; }
Mesh Quad {
 4;
 0.0;0.0;0.0;, 0.0;1.0;0.0;, 1.0;1.0;0.0;, 1.0;0.0;0.0;;
 2;
 3;0,1,2;, 3;0,2,3;;
 MeshMaterialList {
  2; 2; 0, 1;;
  {Red}
  Material { 0.0;0.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
 }
}
// the tree
Frame Root {
 FrameTransformMatrix { 1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 0.0,0.0,0.0,1.0;; }
 Frame Left {
  FrameTransformMatrix { 1,0,0,0 0,1,0,0 0,0,1,0 -2,0,0,1 }
  { Quad }
 }
 Frame Right {
  FrameTransformMatrix { 1.0;0.0;0.0;0.0;;0.0;1.0;0.0;0.0;; 0.0;0.0;1.0;0.0;; 2.0;0.0;0.0;1.0;;; }
  {Quad}
  Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0, 2, 1;; }
  AnimationKey { 4; 1; 0; 16; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;;; { nested { deeper } } }
 }
}
#Additional data for Y-Forge:
YF_Light POINT { "Left"; ""; 1; 1.0; 0.0; 0.0;; 1.0; 1.0; 1.0;; 0.5; 256.0; }
)";

D3DRMLOADMEMORY Memory(std::string_view text)
{
    D3DRMLOADMEMORY m;
    m.lpMemory = const_cast<char*>(text.data());
    m.dSize = static_cast<DWORD>(text.size());
    return m;
}

rm::Frame* Impl(IDirect3DRMFrame* f) { return rm::As<rm::Frame>(f); }

TEST_F(XLoader, SmallSceneLoadsIntoTheExpectedTree)
{
    auto scene = Frame();
    D3DRMLOADMEMORY memory = Memory(kScene);
    ASSERT_EQ(scene->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, nullptr, nullptr), S_OK);

    rm::Frame* s = Impl(scene.get());
    ASSERT_EQ(s->Children().size(), 1u);
    EXPECT_TRUE(s->Visuals().empty());  // Quad is shown through its references only
    rm::Frame* root = s->Children()[0].get();
    EXPECT_EQ(root->Name(), "Root");
    ASSERT_EQ(root->Children().size(), 2u);
    rm::Frame* left = root->Children()[0].get();
    rm::Frame* right = root->Children()[1].get();
    EXPECT_EQ(left->Name(), "Left");
    D3DVECTOR p;
    right->GetPosition(scene.get(), &p);
    EXPECT_VEC_NEAR(p, 2, 0, 0, 0);
    left->GetPosition(scene.get(), &p);
    EXPECT_VEC_NEAR(p, -2, 0, 0, 0);
    EXPECT_TRUE(left->Lights().empty());  // custom records are not the loader's business

    ASSERT_EQ(left->Visuals().size(), 1u);
    ASSERT_EQ(right->Visuals().size(), 2u);
    EXPECT_EQ(left->Visuals()[0], right->Visuals()[0]);  // one mesh, two frames
    auto* quad = rm::As<rm::MeshBuilder>(left->Visuals()[0].get());
    ASSERT_NE(quad, nullptr);
    EXPECT_EQ(quad->Name(), "Quad");
    ASSERT_EQ(quad->Faces().size(), 2u);
    EXPECT_EQ(quad->Faces()[0].color, 0xFFFF0000u);
    EXPECT_EQ(quad->Faces()[1].color, 0xFF0000FFu);
    ASSERT_TRUE(quad->Faces()[0].material);
    EXPECT_FLOAT_EQ(quad->Faces()[0].material->Params().power, 5);
    EXPECT_FLOAT_EQ(quad->Faces()[0].material->Params().specular[1], 1);
    // No normals in the text: generated, facing -z for these clockwise faces.
    ASSERT_EQ(quad->Corners()[0].normal != rm::FaceCorner::kNoNormal, true);
    D3DVECTOR n = quad->Normals()[quad->Corners()[0].normal];
    EXPECT_VEC_NEAR(n, 0, 0, -1, 1e-6);

    auto* inlineMesh = rm::As<rm::MeshBuilder>(right->Visuals()[1].get());
    ASSERT_NE(inlineMesh, nullptr);
    EXPECT_EQ(inlineMesh->GetFaceCount(), 1);

    rm::RefPtr<IDirect3DRMObject> found;
    ASSERT_EQ(rm->GetNamedObject("Right", found.put()), S_OK);
    EXPECT_EQ(found.get(), static_cast<IDirect3DRMObject*>(right));
    ASSERT_EQ(rm->GetNamedObject("Red", found.put()), S_OK);
    EXPECT_EQ(ClassOf(found.get()), "Material");
}

TEST_F(XLoader, TheCubeSceneLoadsWithItsCubiesOnTheGrid)
{
    const std::string path = ZTARN_TEST_DATA_DIR "/../../../../app/resources/ztarn_scene.x";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "cube scene text not found";
    auto scene = Frame();
    ASSERT_EQ(scene->Load(const_cast<char*>(path.c_str()), nullptr, D3DRMLOAD_FROMFILE, nullptr, nullptr), S_OK);
    rm::RefPtr<IDirect3DRMObject> object;
    ASSERT_EQ(rm->GetNamedObject("ZTarnCenter", object.put()), S_OK);
    rm::RefPtr<IDirect3DRMFrame> center;
    ASSERT_EQ(object->QueryInterface(IID_IDirect3DRMFrame, reinterpret_cast<void**>(center.put())), S_OK);
    rm::RefPtr<IDirect3DRMFrameArray> children;
    center->GetChildren(children.put());
    ASSERT_EQ(children->GetSize(), 26u);
    std::set<std::tuple<int, int, int>> places;
    for (DWORD i = 0; i < children->GetSize(); ++i) {
        rm::RefPtr<IDirect3DRMFrame> cubie;
        children->GetElement(i, cubie.put());
        D3DVECTOR p;
        cubie->GetPosition(center.get(), &p);
        places.emplace(std::lround(p.x), std::lround(p.y), std::lround(p.z));
        rm::RefPtr<IDirect3DRMVisualArray> visuals;
        cubie->GetVisuals(visuals.put());
        EXPECT_EQ(visuals->GetSize(), 1u);
    }
    EXPECT_EQ(places.size(), 26u);
    EXPECT_EQ(places.count({0, 0, 0}), 0u);
    EXPECT_EQ(rm->GetNamedObject("LeftCameraFrame", object.put()), S_OK);
    EXPECT_EQ(rm->GetNamedObject("RightCameraFrame", object.put()), S_OK);
    EXPECT_TRUE(Impl(scene.get())->Visuals().empty());  // the 26 meshes are shown by the cubies only
}

// Counts what a loaded tree holds: frames below the scene, distinct meshes and their sizes.
struct Counts {
    int frames = 0;
    std::set<const rm::MeshBuilder*> meshes;
    int vertices = 0, faces = 0;
    void Walk(const rm::Frame& f, bool isScene)
    {
        frames += isScene ? 0 : 1;
        for (const auto& v : f.Visuals())
            if (auto* mb = rm::As<rm::MeshBuilder>(v.get()); mb && meshes.insert(mb).second) {
                vertices += mb->GetVertexCount();
                faces += mb->GetFaceCount();
            }
        for (const auto& c : f.Children())
            Walk(*c, false);
    }
};

struct XFileCase {
    const char* file;
    int frames, meshes, vertices, faces;
};

// Counted from the texts: Frame objects, Mesh objects and the sums of their vertex and face counts.
constexpr XFileCase kXFiles[] = {
    {"assimp_kwxport_cube_vcolors.x", 1, 1, 24, 12}, {"assimp_test_cube_text.x", 2, 1, 24, 12},
    {"assimp_test_maya_cube.x", 1, 1, 24, 12},       {"blitz_biplane.x", 9, 8, 1282, 596},
    {"blitz_crate.x", 3, 2, 48, 24},                 {"blitz_facia.x", 14, 14, 82, 28},
    {"blitz_ladders.x", 9, 2, 14, 3},                {"blitz_pistol.x", 5, 3, 200, 287},
    {"blitz_supplies.x", 2, 2, 24, 12},              {"irr_earth.x", 2, 1, 2307, 4512},
    {"mtg_character.x", 10, 1, 192, 48},             {"scpcb_firstaid.x", 7, 6, 24, 12},
    {"scpcb_paper.x", 1, 1, 24, 12},
};

TEST_F(XLoader, EveryCollectedFileLoadsWithItsFramesVerticesAndFaces)
{
    for (const XFileCase& c : kXFiles) {
        SCOPED_TRACE(c.file);
        const std::string path = std::string(ZTARN_SHARED_DIR "/xfiles/") + c.file;
        auto scene = Frame();
        ASSERT_EQ(scene->Load(const_cast<char*>(path.c_str()), nullptr, D3DRMLOAD_FROMFILE, nullptr, nullptr), S_OK);
        Counts counts;
        counts.Walk(*Impl(scene.get()), true);
        EXPECT_EQ(counts.frames, c.frames);
        EXPECT_EQ(static_cast<int>(counts.meshes.size()), c.meshes);
        EXPECT_EQ(counts.vertices, c.vertices);
        EXPECT_EQ(counts.faces, c.faces);
    }
}

struct BadCase {
    const char* what;
    const char* text;
};

TEST_F(XLoader, MalformedTextsFailWithBadFileAndAddNothing)
{
    std::string deep = "xof 0302txt 0064\n";
    for (int i = 0; i < 300; ++i)
        deep += "Frame {";
    for (int i = 0; i < 300; ++i)
        deep += "}";
    const std::string deepCopy = deep;
    const BadCase cases[] = {
        {"empty", ""},
        {"no header", "Frame A { }"},
        {"binary format", "xof 0302bin 0064 Frame A { }"},
        {"old version", "xof 0201txt 0032 Frame A { }"},
        {"truncated object", "xof 0302txt 0064\nFrame A { Frame B { "},
        {"count beyond the data", "xof 0302txt 0064\nMesh { 1000000; 0;0;0;; 0;; }"},
        {"huge count", "xof 0302txt 0064\nMesh { 4294967295; }"},
        {"negative count", "xof 0302txt 0064\nMesh { -1; }"},
        {"face index out of range", "xof 0302txt 0064\nMesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,3;; }"},
        {"face count beyond the data", "xof 0302txt 0064\nMesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 900;0,1,2;; }"},
        {"material index out of range",
         "xof 0302txt 0064\nMesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 1;; } }"},
        {"normal index out of range",
         "xof 0302txt 0064\nMesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; } }"},
        {"word for a number", "xof 0302txt 0064\nMesh { 1; nan;0;0;; 0;; }"},
        {"not a finite number", "xof 0302txt 0064\nMesh { 1; 1e999;0;0;; 0;; }"},
        {"malformed number", "xof 0302txt 0064\nMesh { 1; 1.2.3;0;0;; 0;; }"},
        {"unknown reference", "xof 0302txt 0064\nFrame A { { Nowhere } }"},
        {"reference to a mesh as material",
         "xof 0302txt 0064\nMesh M { 0;; 0;; }\nMesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 0;; {M} } }"},
        {"unterminated string",
         "xof 0302txt 0064\nMaterial X { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"abc; } }"},
        {"unterminated GUID", "xof 0302txt 0064\ntemplate T { <1234 }"},
        {"unterminated unknown object", "xof 0302txt 0064\nAnimationSet { Animation { { A } "},
        {"transform too short", "xof 0302txt 0064\nFrame A { FrameTransformMatrix { 1,0,0; } }"},
        {"nesting too deep", deepCopy.c_str()},
        {"control character", "xof 0302txt 0064\n\x01"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto scene = Frame();
        D3DRMLOADMEMORY memory = Memory(c.text);
        EXPECT_EQ(scene->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, nullptr, nullptr), D3DRMERR_BADFILE);
        EXPECT_TRUE(Impl(scene.get())->Children().empty());
        EXPECT_TRUE(Impl(scene.get())->Visuals().empty());
        rm::RefPtr<IDirect3DRMObject> leftover;
        EXPECT_EQ(rm->GetNamedObject("A", leftover.put()), D3DRMERR_NOTFOUND);  // nothing half-made lives on
    }
}

TEST_F(XLoader, SourcesAndArgumentChecks)
{
    auto scene = Frame();
    EXPECT_EQ(scene->Load(const_cast<char*>("/no/such/file.x"), nullptr, D3DRMLOAD_FROMFILE, nullptr, nullptr),
              D3DRMERR_FILENOTFOUND);
    EXPECT_EQ(scene->Load(nullptr, nullptr, D3DRMLOAD_FROMMEMORY, nullptr, nullptr), D3DRMERR_BADVALUE);
    D3DRMLOADMEMORY memory = Memory(kScene);
    EXPECT_EQ(scene->Load(&memory, nullptr, D3DRMLOAD_FROMSTREAM, nullptr, nullptr), D3DRMERR_BADVALUE);

    static const ResourceRegistration resource("RM_TEST_SCENE", "X", kScene, sizeof kScene - 1);
    D3DRMLOADRESOURCE res;
    res.lpName = "RM_TEST_SCENE";
    res.lpType = "X";
    ASSERT_EQ(scene->Load(&res, nullptr, D3DRMLOAD_FROMRESOURCE, nullptr, nullptr), S_OK);
    EXPECT_EQ(Impl(scene.get())->Children().size(), 1u);
    res.lpName = "NO_SUCH_SCENE";
    EXPECT_EQ(scene->Load(&res, nullptr, D3DRMLOAD_FROMRESOURCE, nullptr, nullptr), D3DRMERR_FILENOTFOUND);

    // Selecting one top-level object by name, through the retained-mode object's Load.
    auto other = Frame();
    ASSERT_EQ(rm->Load(&memory, const_cast<char*>("Quad"), nullptr, 0, D3DRMLOAD_FROMMEMORY | D3DRMLOAD_BYNAME,
                       nullptr, nullptr, nullptr, nullptr, other.get()),
              S_OK);
    EXPECT_TRUE(Impl(other.get())->Children().empty());
    EXPECT_EQ(Impl(other.get())->Visuals().size(), 1u);
    EXPECT_EQ(rm->Load(&memory, const_cast<char*>("Missing"), nullptr, 0, D3DRMLOAD_FROMMEMORY | D3DRMLOAD_BYNAME,
                       nullptr, nullptr, nullptr, nullptr, other.get()),
              D3DRMERR_NOTFOUND);
}

TEST_F(XLoader, TexturesComeThroughTheCallbackWhenOneIsGiven)
{
    constexpr char text[] = R"(xof 0302txt 0032
Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,2,1;;
 MeshMaterialList { 1; 1; 0;;
  Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { "dir\\wood.bmp"; } } }
 MeshTextureCoords { 3; 0;0;, 1;0;, 0;1;; } }
)";
    struct Context {
        IDirect3DRM* rm;
        std::vector<std::string> asked;
    } context{rm.get(), {}};
    auto callback = [](char* name, void* arg, IDirect3DRMTexture** texture) -> HRESULT {
        auto* c = static_cast<Context*>(arg);
        c->asked.push_back(name);
        std::uint32_t pixel = 0xFF123456u;
        D3DRMIMAGE image;
        image.width = image.height = 1;
        image.bytes_per_line = 4;
        image.buffer1 = &pixel;
        return c->rm->CreateTexture(&image, texture);
    };
    auto scene = Frame();
    D3DRMLOADMEMORY memory = Memory(text);
    ASSERT_EQ(scene->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, callback, &context), S_OK);
    EXPECT_EQ(context.asked, (std::vector<std::string>{"dir/wood.bmp"}));
    auto* mesh = rm::As<rm::MeshBuilder>(Impl(scene.get())->Visuals().at(0).get());
    ASSERT_TRUE(mesh->Faces()[0].texture);
    EXPECT_EQ(mesh->Faces()[0].texture->Pixels()[0], 0xFF123456u);
    EXPECT_FLOAT_EQ(mesh->TexCoords()[2].v, 1);
}

TEST_F(XLoader, TexturesAreReadFromBesideTheFile)
{
    const auto dir = std::filesystem::temp_directory_path() / ("rm_xload_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "maps");
    {
        std::ofstream(dir / "maps" / "one.ppm") << "P3 1 1 255 0 255 0\n";
        std::ofstream(dir / "scene.x") << "xof 0302txt 0064\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,2,1;;\n"
                                          " MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;;\n"
                                          "  TextureFilename { \"maps\\\\one.ppm\"; } } } }\n";
    }
    std::vector<std::string> handed;
    auto scene = Frame();
    const std::string path = (dir / "scene.x").string();
    ASSERT_EQ(rm->Load(const_cast<char*>(path.c_str()), nullptr, nullptr, 0, D3DRMLOAD_FROMFILE,
                       [](IDirect3DRMObject* o, REFIID iid, void* arg) {
                           EXPECT_TRUE(iid == IID_IDirect3DRMMeshBuilder);
                           static_cast<std::vector<std::string>*>(arg)->push_back(ClassOf(o));
                       },
                       &handed, nullptr, nullptr, scene.get()),
              S_OK);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(handed, (std::vector<std::string>{"Builder"}));
    auto* mesh = rm::As<rm::MeshBuilder>(Impl(scene.get())->Visuals().at(0).get());
    ASSERT_TRUE(mesh->Faces()[0].texture);
    EXPECT_EQ(mesh->Faces()[0].texture->Pixels()[0], 0xFF00FF00u);
    EXPECT_EQ(mesh->Faces()[0].texture->FileName(), "maps/one.ppm");
}

// Inputs that were once troublesome (fuzz_*: found by the fuzzer; hostile_*: written to
// show a fault, each says which in its comment line): each must load or fail cleanly.
TEST_F(XLoader, TroublesomeInputsStayFixed)
{
    for (const auto& entry : std::filesystem::directory_iterator(ZTARN_TEST_DATA_DIR)) {
        if (entry.path().extension() != ".x")
            continue;
        SCOPED_TRACE(entry.path().string());
        std::ifstream in(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        auto scene = Frame();
        D3DRMLOADMEMORY memory = Memory(bytes);
        HRESULT hr = scene->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, nullptr, nullptr);
        EXPECT_TRUE(hr == S_OK || hr == D3DRMERR_BADFILE) << std::hex << hr;
    }
}

}  // namespace
