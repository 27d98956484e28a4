#include "rm_fixture.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

using MeshBuilders = RmTest;

// A unit square (two faces sharing an edge) made through AddFaces.
rm::RefPtr<IDirect3DRMMeshBuilder> Square(IDirect3DRM* rm)
{
    rm::RefPtr<IDirect3DRMMeshBuilder> b;
    rm->CreateMeshBuilder(b.put());
    D3DVECTOR v[4] = {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}};
    DWORD faces[] = {3, 0, 1, 2, 3, 0, 2, 3, 0};
    EXPECT_EQ(b->AddFaces(4, v, 0, nullptr, faces, nullptr), S_OK);
    return b;
}

TEST_F(MeshBuilders, VerticesFacesAndBox)
{
    auto b = Square(rm.get());
    EXPECT_EQ(b->GetVertexCount(), 4);
    EXPECT_EQ(b->GetFaceCount(), 2);
    b->Translate(1, 2, 3);
    D3DRMBOX box;
    ASSERT_EQ(b->GetBox(&box), S_OK);
    EXPECT_VEC_NEAR(box.min, 1, 2, 3, 0);
    EXPECT_VEC_NEAR(box.max, 2, 3, 3, 0);

    DWORD count = 0;
    ASSERT_EQ(b->GetVertices(&count, nullptr, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(count, 4u);
    D3DVECTOR too[3];
    DWORD small = 3;
    EXPECT_EQ(b->GetVertices(&small, too, nullptr, nullptr, nullptr, nullptr), D3DRMERR_BADVALUE);
    D3DVECTOR all[4];
    ASSERT_EQ(b->GetVertices(&count, all, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_VEC_NEAR(all[2], 2, 3, 3, 0);
    EXPECT_EQ(b->SetVertex(4, 0, 0, 0), D3DRMERR_BADVALUE);
    ASSERT_EQ(b->SetVertex(2, 5, 5, 5), S_OK);

    rm::RefPtr<IDirect3DRMFaceArray> faces;
    ASSERT_EQ(b->GetFaces(faces.put()), S_OK);
    ASSERT_EQ(faces->GetSize(), 2u);
    rm::RefPtr<IDirect3DRMFace> face;
    faces->GetElement(0, face.put());
    EXPECT_EQ(face->GetVertexCount(), 3);
    D3DVECTOR p;
    ASSERT_EQ(face->GetVertex(2, &p, nullptr), S_OK);
    EXPECT_VEC_NEAR(p, 5, 5, 5, 0);
    EXPECT_EQ(face->GetVertex(3, &p, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(faces->GetElement(2, face.put()), D3DRMERR_BADVALUE);

    // Corners run clockwise seen from the front: this square faces -z.
    faces->GetElement(1, face.put());
    D3DVECTOR n;
    face->GetNormal(&n);
    b->SetVertex(2, 2, 3, 3);
    face->GetNormal(&n);
    EXPECT_VEC_NEAR(n, 0, 0, -1, 1e-6);
}

TEST_F(MeshBuilders, RefusesBadFaceData)
{
    auto b = Builder();
    D3DVECTOR v[3] = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}};
    DWORD outOfRange[] = {3, 0, 1, 3, 0};
    EXPECT_EQ(b->AddFaces(3, v, 0, nullptr, outOfRange, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(b->GetVertexCount(), 0);  // nothing half-added
    EXPECT_EQ(b->AddFaces(3, nullptr, 0, nullptr, outOfRange, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(b->GetBox(nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(b->AddFrame(nullptr), D3DRMERR_BADOBJECT);
    EXPECT_EQ(b->SetTextureCoordinates(0, 0, 0), D3DRMERR_BADVALUE);
}

TEST_F(MeshBuilders, LooseFacesJoinOneBuilderOnly)
{
    rm::RefPtr<IDirect3DRMFace> face;
    rm->CreateFace(face.put());
    face->AddVertex(0, 0, 0);
    face->AddVertex(0, 1, 0);
    face->AddVertex(1, 0, 0);
    face->SetColorRGB(1, 0, 0);
    auto b = Builder();
    ASSERT_EQ(b->AddFace(face.get()), S_OK);
    EXPECT_EQ(b->GetVertexCount(), 3);
    EXPECT_EQ(face->GetVertexIndex(1), 1);
    EXPECT_EQ(face->GetColor(), 0xFFFF0000u);
    auto other = Builder();
    EXPECT_EQ(other->AddFace(face.get()), D3DRMERR_FACEUSED);
    // A face that grows after others keeps its corners together.
    rm::RefPtr<IDirect3DRMFace> second;
    b->CreateFace(second.put());
    second->AddVertex(2, 2, 2);
    face->AddVertex(3, 3, 3);
    D3DVECTOR p;
    face->GetVertex(3, &p, nullptr);
    EXPECT_VEC_NEAR(p, 3, 3, 3, 0);
    second->GetVertex(0, &p, nullptr);
    EXPECT_VEC_NEAR(p, 2, 2, 2, 0);
}

TEST_F(MeshBuilders, AddFrameTakesMeshesInTheFramesCoordinates)
{
    auto top = Frame();
    top->SetPosition(nullptr, 100, 0, 0);  // the top frame's own place does not count
    auto child = Frame(top.get());
    child->SetPosition(top.get(), 0, 10, 0);
    auto square = Square(rm.get());
    child->AddVisual(square.get());
    top->AddVisual(square.get());
    auto b = Builder();
    ASSERT_EQ(b->AddFrame(top.get()), S_OK);
    EXPECT_EQ(b->GetVertexCount(), 8);
    EXPECT_EQ(b->GetFaceCount(), 4);
    D3DRMBOX box;
    b->GetBox(&box);
    EXPECT_VEC_NEAR(box.min, 0, 0, 0, 1e-6);
    EXPECT_VEC_NEAR(box.max, 1, 11, 0, 1e-6);
}

TEST_F(MeshBuilders, SavesTextThatLoadsBack)
{
    auto b = Square(rm.get());
    b->SetName("Sq");
    rm::RefPtr<IDirect3DRMMaterial> material;
    rm->CreateMaterial(7, material.put());
    material->SetSpecular(0.5f, 0.25f, 1);
    b->SetMaterial(material.get());
    b->SetColorRGB(0, 1, 0);
    b->SetTextureCoordinates(2, 0.5f, 0.75f);
    const std::string path = "rm_save_" + std::to_string(getpid()) + ".x";
    ASSERT_EQ(b->Save(path.c_str(), D3DRMXOF_TEXT, D3DRMXOFSAVE_ALL | D3DRMXOFSAVE_TEMPLATES), S_OK);
    EXPECT_EQ(b->Save(path.c_str(), D3DRMXOF_BINARY, D3DRMXOFSAVE_ALL), D3DRMERR_BADVALUE);

    std::ifstream in(path);
    std::string line;
    bool meshLine = false;
    while (std::getline(in, line)) {
        EXPECT_LT(line.size(), 256u);
        meshLine = meshLine || line == "Mesh Sq {";
    }
    EXPECT_TRUE(meshLine);

    auto loaded = Builder();
    ASSERT_EQ(loaded->Load(const_cast<char*>(path.c_str()), nullptr, D3DRMLOAD_FROMFILE, nullptr, nullptr), S_OK);
    std::remove(path.c_str());
    EXPECT_EQ(loaded->GetVertexCount(), 4);
    EXPECT_EQ(loaded->GetFaceCount(), 2);
    D3DVALUE u, v;
    loaded->GetTextureCoordinates(2, &u, &v);
    EXPECT_FLOAT_EQ(u, 0.5f);
    EXPECT_FLOAT_EQ(v, 0.75f);
    rm::RefPtr<IDirect3DRMFaceArray> faces;
    loaded->GetFaces(faces.put());
    rm::RefPtr<IDirect3DRMFace> face;
    faces->GetElement(1, face.put());
    EXPECT_EQ(face->GetColor(), 0xFF00FF00u);
    rm::RefPtr<IDirect3DRMMaterial> m;
    face->GetMaterial(m.put());
    ASSERT_TRUE(m);
    EXPECT_FLOAT_EQ(m->GetPower(), 7);
    D3DVALUE r, g, bl;
    m->GetSpecular(&r, &g, &bl);
    EXPECT_FLOAT_EQ(g, 0.25f);
}

TEST_F(MeshBuilders, TexturesFromPpmAndBmpFiles)
{
    const std::string ppm = "rm_tex_" + std::to_string(getpid()) + ".ppm";
    {
        std::ofstream out(ppm);
        out << "P3\n# two pixels\n2 1\n255\n255 0 0  0 0 255\n";
    }
    rm::RefPtr<IDirect3DRMTexture> texture;
    ASSERT_EQ(rm->LoadTexture(ppm.c_str(), texture.put()), S_OK);
    std::remove(ppm.c_str());
    D3DRMIMAGE* image = texture->GetImage();
    ASSERT_EQ(image->width, 2);
    EXPECT_EQ(static_cast<std::uint32_t*>(image->buffer1)[1], 0xFF0000FFu);

    // A 2x2 BMP, 24 bits, rows stored bottom-up: the top-left pixel is the first of the last row.
    const std::string bmp = "rm_tex_" + std::to_string(getpid()) + ".bmp";
    {
        const unsigned char header[54] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0,
                                          2,   0,   0,  0, 1, 0, 24, 0};
        const unsigned char rows[16] = {0, 255, 0, 0, 0, 0, 0, 0,     // bottom row: green, black, padding
                                        255, 255, 255, 0, 0, 255, 0, 0};  // top row: white, red, padding
        std::ofstream out(bmp, std::ios::binary);
        out.write(reinterpret_cast<const char*>(header), sizeof header);
        out.write(reinterpret_cast<const char*>(rows), sizeof rows);
    }
    ASSERT_EQ(rm->LoadTexture(bmp.c_str(), texture.put()), S_OK);
    std::remove(bmp.c_str());
    auto* pixels = static_cast<std::uint32_t*>(texture->GetImage()->buffer1);
    EXPECT_EQ(pixels[0], 0xFFFFFFFFu);
    EXPECT_EQ(pixels[1], 0xFFFF0000u);
    EXPECT_EQ(pixels[2], 0xFF00FF00u);

    EXPECT_EQ(rm->LoadTexture("no_such_picture.ppm", texture.put()), D3DRMERR_FILENOTFOUND);
}

}  // namespace
