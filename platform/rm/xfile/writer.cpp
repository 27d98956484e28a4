#include "platform/rm/xfile/writer.h"

#include <charconv>
#include <fstream>
#include <map>
#include <tuple>

namespace rm::xfile {

namespace {

constexpr const char* kTemplates = R"(template Vector {
 <3D82AB5E-62DA-11cf-AB39-0020AF71E433>
 FLOAT x;
 FLOAT y;
 FLOAT z;
}

template Coords2d {
 <F6F23F44-7686-11cf-8F52-0040333594A3>
 FLOAT u;
 FLOAT v;
}

template ColorRGBA {
 <35FF44E0-6C7C-11cf-8F52-0040333594A3>
 FLOAT red;
 FLOAT green;
 FLOAT blue;
 FLOAT alpha;
}

template ColorRGB {
 <D3E16E81-7835-11cf-8F52-0040333594A3>
 FLOAT red;
 FLOAT green;
 FLOAT blue;
}

template IndexedColor {
 <1630B820-7842-11cf-8F52-0040333594A3>
 DWORD index;
 ColorRGBA indexColor;
}

template TextureFilename {
 <A42790E1-7810-11cf-8F52-0040333594A3>
 STRING filename;
}

template Material {
 <3D82AB4D-62DA-11cf-AB39-0020AF71E433>
 ColorRGBA faceColor;
 FLOAT power;
 ColorRGB specularColor;
 ColorRGB emissiveColor;
 [...]
}

template MeshFace {
 <3D82AB5F-62DA-11cf-AB39-0020AF71E433>
 DWORD nFaceVertexIndices;
 array DWORD faceVertexIndices[nFaceVertexIndices];
}

template MeshTextureCoords {
 <F6F23F40-7686-11cf-8F52-0040333594A3>
 DWORD nTextureCoords;
 array Coords2d textureCoords[nTextureCoords];
}

template MeshMaterialList {
 <F6F23F42-7686-11cf-8F52-0040333594A3>
 DWORD nMaterials;
 DWORD nFaceIndexes;
 array DWORD faceIndexes[nFaceIndexes];
 [Material]
}

template MeshNormals {
 <F6F23F43-7686-11cf-8F52-0040333594A3>
 DWORD nNormals;
 array Vector normals[nNormals];
 DWORD nFaceNormals;
 array MeshFace faceNormals[nFaceNormals];
}

template MeshVertexColors {
 <1630B821-7842-11cf-8F52-0040333594A3>
 DWORD nVertexColors;
 array IndexedColor vertexColors[nVertexColors];
}

template Mesh {
 <3D82AB44-62DA-11cf-AB39-0020AF71E433>
 DWORD nVertices;
 array Vector vertices[nVertices];
 DWORD nFaces;
 array MeshFace faces[nFaces];
 [...]
}

)";

// Indexes per line in long lists, so that no line reaches 256 characters.
constexpr int kPerLine = 16;

class Out {
public:
    std::string text;

    Out& operator<<(std::string_view s)
    {
        text += s;
        return *this;
    }
    Out& operator<<(DWORD v)
    {
        char buf[16];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        text.append(buf, r.ptr);
        return *this;
    }
    // Shortest text that reads back as the same float; the C locale's point always.
    Out& Value(D3DVALUE v)
    {
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        text.append(buf, r.ptr);
        return *this;
    }
};

// Names are written as identifiers: characters the reader would take as punctuation or
// blanks become '_'.
std::string Identifier(const std::string& name)
{
    std::string id = name;
    for (char& c : id) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u <= ' ' || u >= 127 || std::string_view("{}[];,\"<>#/").find(c) != std::string_view::npos)
            c = '_';
    }
    if (!id.empty() && ((id[0] >= '0' && id[0] <= '9') || id[0] == '-' || id[0] == '+' || id[0] == '.'))
        id.insert(0, "_");
    return id;
}

// An index list "a,b,c" broken over lines, ending with `end`.
void IndexList(Out& out, const std::vector<DWORD>& values, std::string_view end)
{
    out << " ";
    for (std::size_t i = 0; i < values.size(); ++i) {
        out << values[i];
        if (i + 1 < values.size())
            out << (((i + 1) % kPerLine == 0) ? ",\n " : ",");
    }
    out << end << "\n";
}

void WriteFaceLists(Out& out, const MeshBuilder& mb, bool normals)
{
    const auto& faces = mb.Faces();
    const auto& corners = mb.Corners();
    out << " " << static_cast<DWORD>(faces.size()) << ";\n";
    for (std::size_t f = 0; f < faces.size(); ++f) {
        out << " " << faces[f].count << ";";
        for (DWORD i = 0; i < faces[f].count; ++i) {
            const FaceCorner& c = corners[faces[f].first + i];
            out << (normals ? c.normal : c.vertex);
            if (i + 1 < faces[f].count)
                out << (((i + 1) % kPerLine == 0) ? ",\n " : ",");
        }
        out << (f + 1 < faces.size() ? ";,\n" : ";;\n");
    }
}

void WriteVectors(Out& out, const std::vector<D3DVECTOR>& list)
{
    out << " " << static_cast<DWORD>(list.size()) << ";\n";
    for (std::size_t i = 0; i < list.size(); ++i) {
        out << " ";
        out.Value(list[i].x) << ";";
        out.Value(list[i].y) << ";";
        out.Value(list[i].z) << (i + 1 < list.size() ? ";,\n" : ";;\n");
    }
}

void WriteMaterials(Out& out, const MeshBuilder& mb, D3DRMSAVEOPTIONS options)
{
    // One material entry per distinct (colour, material, texture) of the faces.
    using Key = std::tuple<D3DCOLOR, const Material*, const Texture*>;
    std::map<Key, DWORD> index;
    std::vector<Key> order;
    std::vector<DWORD> faceIndexes;
    for (const FaceRecord& f : mb.Faces()) {
        Key key{f.color, f.material.get(), f.texture.get()};
        auto [it, added] = index.emplace(key, static_cast<DWORD>(order.size()));
        if (added)
            order.push_back(key);
        faceIndexes.push_back(it->second);
    }
    out << " MeshMaterialList {\n  " << static_cast<DWORD>(order.size()) << ";\n  "
        << static_cast<DWORD>(faceIndexes.size()) << ";\n ";
    IndexList(out, faceIndexes, ";;");
    for (const auto& [color, material, texture] : order) {
        out << "  Material {\n   ";
        out.Value(D3DRMColorGetRed(color)) << ";";
        out.Value(D3DRMColorGetGreen(color)) << ";";
        out.Value(D3DRMColorGetBlue(color)) << ";";
        out.Value(D3DRMColorGetAlpha(color)) << ";;\n   ";
        MaterialParams p = material ? material->Params() : MaterialParams{};
        out.Value(p.power) << ";\n   ";
        out.Value(p.specular[0]) << ";";
        out.Value(p.specular[1]) << ";";
        out.Value(p.specular[2]) << ";;\n   ";
        out.Value(p.emissive[0]) << ";";
        out.Value(p.emissive[1]) << ";";
        out.Value(p.emissive[2]) << ";;\n";
        if (texture && (options & D3DRMXOFSAVE_TEXTURENAMES) && !texture->FileName().empty()) {
            std::string file = texture->FileName();
            for (char& c : file)
                if (c == '"' || c == '\n' || c == '\r')
                    c = '_';
            out << "   TextureFilename {\n    \"" << file << "\";\n   }\n";
        }
        out << "  }\n";
    }
    out << " }\n";
}

}  // namespace

std::string WriteMeshFile(const MeshBuilder& mb, D3DRMSAVEOPTIONS options)
{
    Out out;
    out << "xof 0302txt 0064\n";
    if (options & D3DRMXOFSAVE_TEMPLATES)
        out << kTemplates;
    out << "Mesh " << Identifier(mb.Name()) << (mb.Name().empty() ? "{\n" : " {\n");
    WriteVectors(out, mb.Positions());
    WriteFaceLists(out, mb, false);
    if ((options & D3DRMXOFSAVE_MATERIALS) && !mb.Faces().empty())
        WriteMaterials(out, mb, options);
    bool allNormals = !mb.Normals().empty();
    for (const FaceCorner& c : mb.Corners())
        allNormals = allNormals && c.normal != FaceCorner::kNoNormal;
    if ((options & D3DRMXOFSAVE_NORMALS) && allNormals) {
        out << " MeshNormals {\n";
        WriteVectors(out, mb.Normals());
        WriteFaceLists(out, mb, true);
        out << " }\n";
    }
    if ((options & D3DRMXOFSAVE_TEXTURECOORDINATES) && !mb.TexCoords().empty()) {
        const auto& tcs = mb.TexCoords();
        out << " MeshTextureCoords {\n  " << static_cast<DWORD>(tcs.size()) << ";\n";
        for (std::size_t i = 0; i < tcs.size(); ++i) {
            out << "  ";
            out.Value(tcs[i].u) << ";";
            out.Value(tcs[i].v) << (i + 1 < tcs.size() ? ";,\n" : ";;\n");
        }
        out << " }\n";
    }
    if (mb.ColorSource() == D3DRMCOLOR_FROMVERTEX && !mb.VertexColors().empty()) {
        const auto& colors = mb.VertexColors();
        out << " MeshVertexColors {\n  " << static_cast<DWORD>(colors.size()) << ";\n";
        for (std::size_t i = 0; i < colors.size(); ++i) {
            out << "  " << static_cast<DWORD>(i) << ";";
            out.Value(D3DRMColorGetRed(colors[i])) << ";";
            out.Value(D3DRMColorGetGreen(colors[i])) << ";";
            out.Value(D3DRMColorGetBlue(colors[i])) << ";";
            out.Value(D3DRMColorGetAlpha(colors[i])) << (i + 1 < colors.size() ? ";;,\n" : ";;;\n");
        }
        out << " }\n";
    }
    out << "}\n";
    return std::move(out.text);
}

}  // namespace rm::xfile

namespace rm {

HRESULT MeshBuilder::Save(LPCSTR fileName, D3DRMXOFFORMAT format, D3DRMSAVEOPTIONS save)
{
    if (!fileName || !*fileName || format != D3DRMXOF_TEXT)
        return D3DRMERR_BADVALUE;
    const std::string text = xfile::WriteMeshFile(*this, save);
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file)
        return D3DRMERR_FILENOTFOUND;
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return file ? S_OK : D3DRMERR_BADFILE;
}

}  // namespace rm
