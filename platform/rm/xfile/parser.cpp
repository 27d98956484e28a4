#include "platform/rm/xfile/parser.h"

#include "platform/rm/texture_file.h"
#include "platform/rm/xfile/lexer.h"

#include <charconv>
#include <cmath>
#include <strings.h>
#include <unordered_map>
#include <unordered_set>

namespace rm::xfile {

namespace {

bool Is(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool IsDigits(std::string_view s)
{
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A material as faces use it: diffuse colour on the face, the rest in the material object.
struct MaterialInfo {
    D3DCOLOR color = 0xFFFFFFFFu;
    RefPtr<Material> material;
    RefPtr<Texture> texture;
};

// A mesh as read, before it becomes a builder.
struct MeshData {
    std::vector<D3DVECTOR> positions;
    std::vector<DWORD> faceCounts;
    std::vector<DWORD> indices;          // the corners of all faces, face after face
    std::vector<D3DVECTOR> normals;
    std::vector<DWORD> normalIndices;    // parallel to indices when the normals fit the faces
    std::vector<TexCoord> texCoords;
    std::vector<std::pair<DWORD, D3DCOLOR>> vertexColors;
    std::vector<DWORD> faceMaterials;    // per face, index into materials
    std::vector<MaterialInfo> materials;
};

struct Named {
    RefPtr<Frame> frame;
    RefPtr<MeshBuilder> mesh;
    const MaterialInfo* material = nullptr;  // points into materialStore_
};

class Parser {
public:
    Parser(std::string_view text, const TextureSource& textures, ParseResult* result)
        : lexer_(text), textures_(textures), result_(result)
    {
    }

    bool Run();

private:
    // ---- tokens ----
    Token Take()
    {
        if (peeked_) {
            peeked_ = false;
            return peek_;
        }
        return lexer_.Next();
    }
    const Token& Peek()
    {
        if (!peeked_) {
            peek_ = lexer_.Next();
            peeked_ = true;
        }
        return peek_;
    }
    // The next token that is not a separator.
    Token TakeValue()
    {
        Token t = Take();
        while (t.kind == TokenKind::Semicolon || t.kind == TokenKind::Comma)
            t = Take();
        return t;
    }
    bool Fail(const char* why)
    {
        if (result_->error.empty()) {
            result_->error = why;
            result_->errorLine = lexer_.Line();
        }
        return false;
    }
    std::size_t Remaining() const { return lexer_.Remaining(); }

    // ---- values ----
    bool ReadFloat(D3DVALUE* value);
    bool ReadCount(DWORD* count, std::size_t valuesPerItem);
    bool ReadIndex(DWORD* index, std::size_t limit);
    bool ReadString(std::string* text);

    // ---- structure ----
    // After an identifier: the optional name, "{" and the optional instance GUID.
    bool OpenObject(std::string_view* name);
    // After "{": everything up to the matching "}".
    bool SkipBody();
    // After "{": the name referred to and the closing "}".
    bool ReadReference(std::string_view* name);
    // The children of an object up to its "}": each child object is handed to onObject
    // (identifier, name) and each reference to onReference (name); both return false to fail.
    template <class OnObject, class OnReference>
    bool Children(OnObject onObject, OnReference onReference);

    bool ParseFrame(std::string_view name, int depth, RefPtr<Frame>* out);
    bool ParseTransform(Matrix* m);
    bool ParseMesh(std::string_view name, RefPtr<MeshBuilder>* out);
    bool ParseNormals(MeshData& mesh);
    bool ParseTexCoords(MeshData& mesh);
    bool ParseVertexColors(MeshData& mesh);
    bool ParseMaterialList(MeshData& mesh);
    bool ParseMaterial(std::string_view name, MaterialInfo* out);
    bool ParseTextureFilename(RefPtr<Texture>* texture);
    RefPtr<MeshBuilder> Build(MeshData& mesh);
    const MaterialInfo* StoreMaterial(std::string_view name, MaterialInfo info);

    Lexer lexer_;
    Token peek_;
    bool peeked_ = false;
    const TextureSource& textures_;
    ParseResult* result_;
    std::unordered_map<std::string, Named> named_;
    std::vector<std::unique_ptr<MaterialInfo>> materialStore_;
    std::unordered_map<std::string, RefPtr<Texture>> textureCache_;
    std::unordered_set<MeshBuilder*> referencedMeshes_;
};

bool Parser::ReadFloat(D3DVALUE* value)
{
    Token t = TakeValue();
    if (t.kind != TokenKind::Number)
        return Fail("number expected");
    std::string_view s = t.text;
    if (!s.empty() && s[0] == '+')
        s.remove_prefix(1);
    float v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec == std::errc::result_out_of_range || (ec == std::errc() && end == s.data() + s.size() && !std::isfinite(v)))
        return Fail("number out of range");
    if (ec != std::errc() || end != s.data() + s.size())
        return Fail("malformed number");
    *value = v;
    return true;
}

// A count of items of valuesPerItem numbers each: every number takes at least one byte of
// the text that follows, so a larger count cannot be right and allocates nothing.
bool Parser::ReadCount(DWORD* count, std::size_t valuesPerItem)
{
    Token t = TakeValue();
    if (t.kind != TokenKind::Number || t.text.empty() || t.text.size() > 10 || !IsDigits(t.text))
        return Fail("count expected");
    unsigned long long v = 0;
    std::from_chars(t.text.data(), t.text.data() + t.text.size(), v);
    if (v > 0xFFFFFFFull || v * valuesPerItem > Remaining())
        return Fail("count larger than the data that follows");
    *count = static_cast<DWORD>(v);
    return true;
}

bool Parser::ReadIndex(DWORD* index, std::size_t limit)
{
    Token t = TakeValue();
    if (t.kind != TokenKind::Number || t.text.empty() || t.text.size() > 10 || !IsDigits(t.text))
        return Fail("index expected");
    unsigned long long v = 0;
    std::from_chars(t.text.data(), t.text.data() + t.text.size(), v);
    if (v >= limit)
        return Fail("index out of range");
    *index = static_cast<DWORD>(v);
    return true;
}

bool Parser::ReadString(std::string* text)
{
    Token t = TakeValue();
    if (t.kind != TokenKind::String)
        return Fail("string expected");
    text->assign(t.text);
    return true;
}

bool Parser::OpenObject(std::string_view* name)
{
    *name = {};
    Token t = Take();
    if (t.kind == TokenKind::Name || t.kind == TokenKind::Number) {
        *name = t.text;
        t = Take();
    }
    if (t.kind != TokenKind::OpenBrace)
        return Fail("'{' expected");
    if (Peek().kind == TokenKind::Guid)
        Take();
    return true;
}

bool Parser::SkipBody()
{
    std::size_t depth = 1;
    while (depth > 0) {
        Token t = Take();
        switch (t.kind) {
        case TokenKind::OpenBrace: ++depth; break;
        case TokenKind::CloseBrace: --depth; break;
        case TokenKind::End: return Fail("'}' missing at the end of the text");
        case TokenKind::Error: return Fail("unterminated string or GUID");
        default: break;
        }
    }
    return true;
}

bool Parser::ReadReference(std::string_view* name)
{
    *name = {};
    Token t = Take();
    if (t.kind == TokenKind::Name || t.kind == TokenKind::Number) {
        *name = t.text;
        t = Take();
    }
    if (t.kind == TokenKind::Guid)
        t = Take();
    if (t.kind != TokenKind::CloseBrace)
        return Fail("malformed reference");
    return true;
}

template <class OnObject, class OnReference>
bool Parser::Children(OnObject onObject, OnReference onReference)
{
    for (;;) {
        Token t = TakeValue();
        switch (t.kind) {
        case TokenKind::CloseBrace:
            return true;
        case TokenKind::OpenBrace: {
            std::string_view name;
            if (!ReadReference(&name) || !onReference(name))
                return false;
            break;
        }
        case TokenKind::Name: {
            std::string_view name;
            if (!OpenObject(&name) || !onObject(t.text, name))
                return false;
            break;
        }
        case TokenKind::End:
            return Fail("'}' missing at the end of the text");
        default:
            return Fail("unexpected data in an object");
        }
    }
}

// ---- Frames ------------------------------------------------------------------------------

bool Parser::ParseTransform(Matrix* m)
{
    for (auto& row : m->m)
        for (D3DVALUE& v : row)
            if (!ReadFloat(&v))
                return false;
    return Children([this](std::string_view, std::string_view) { return SkipBody(); },
                    [](std::string_view) { return true; });
}

bool Parser::ParseFrame(std::string_view name, int depth, RefPtr<Frame>* out)
{
    if (depth > kMaxFrameDepth)
        return Fail("frames nested too deep");
    RefPtr<Frame> frame = RefPtr<Frame>::Adopt(new Frame);
    if (!name.empty()) {
        frame->SetNameText(std::string(name));
        named_[std::string(name)].frame = frame;
    }
    bool ok = Children(
        [&](std::string_view id, std::string_view childName) {
            if (Is(id, "FrameTransformMatrix")) {
                Matrix m;
                if (!ParseTransform(&m))
                    return false;
                frame->SetLocal(m);
                return true;
            }
            if (Is(id, "Frame")) {
                RefPtr<Frame> child;
                if (!ParseFrame(childName, depth + 1, &child))
                    return false;
                child->AttachTo(frame.get());
                return true;
            }
            if (Is(id, "Mesh")) {
                RefPtr<MeshBuilder> mesh;
                if (!ParseMesh(childName, &mesh))
                    return false;
                frame->AppendVisual(mesh.get());
                return true;
            }
            return SkipBody();
        },
        [&](std::string_view ref) {
            auto it = named_.find(std::string(ref));
            if (it == named_.end())
                return Fail("reference to an unknown object");
            // A reference to a frame (an instance) is not drawn and is passed over.
            if (it->second.mesh) {
                frame->AppendVisual(it->second.mesh.get());
                referencedMeshes_.insert(it->second.mesh.get());
            }
            return true;
        });
    if (!ok)
        return false;
    *out = std::move(frame);
    return true;
}

// ---- Meshes ------------------------------------------------------------------------------

bool Parser::ParseMesh(std::string_view name, RefPtr<MeshBuilder>* out)
{
    MeshData mesh;
    DWORD vertexCount = 0, faceCount = 0;
    if (!ReadCount(&vertexCount, 3))
        return false;
    mesh.positions.resize(vertexCount);
    for (D3DVECTOR& p : mesh.positions)
        if (!ReadFloat(&p.x) || !ReadFloat(&p.y) || !ReadFloat(&p.z))
            return false;
    if (!ReadCount(&faceCount, 1))
        return false;
    mesh.faceCounts.resize(faceCount);
    for (DWORD& n : mesh.faceCounts) {
        if (!ReadCount(&n, 1))
            return false;
        for (DWORD i = 0; i < n; ++i) {
            DWORD index;
            if (!ReadIndex(&index, vertexCount))
                return false;
            mesh.indices.push_back(index);
        }
    }
    bool ok = Children(
        [&](std::string_view id, std::string_view) {
            if (Is(id, "MeshNormals"))
                return ParseNormals(mesh);
            if (Is(id, "MeshTextureCoords"))
                return ParseTexCoords(mesh);
            if (Is(id, "MeshVertexColors"))
                return ParseVertexColors(mesh);
            if (Is(id, "MeshMaterialList"))
                return ParseMaterialList(mesh);
            return SkipBody();  // MeshFaceWraps, duplication indices, skinning, unknown
        },
        [](std::string_view) { return true; });
    if (!ok)
        return false;
    RefPtr<MeshBuilder> builder = Build(mesh);
    if (!name.empty()) {
        builder->SetNameText(std::string(name));
        named_[std::string(name)].mesh = builder;
    }
    *out = std::move(builder);
    return true;
}

bool Parser::ParseNormals(MeshData& mesh)
{
    DWORD normalCount = 0, faceCount = 0;
    if (!ReadCount(&normalCount, 3))
        return false;
    mesh.normals.resize(normalCount);
    for (D3DVECTOR& n : mesh.normals) {
        if (!ReadFloat(&n.x) || !ReadFloat(&n.y) || !ReadFloat(&n.z))
            return false;
        n = Normalized(n);
    }
    if (!ReadCount(&faceCount, 1))
        return false;
    // Face normal lists that do not match the faces corner for corner are read and dropped:
    // the mesh then gets generated normals.
    bool fits = faceCount == mesh.faceCounts.size();
    std::vector<DWORD> indices;
    for (DWORD f = 0; f < faceCount; ++f) {
        DWORD n;
        if (!ReadCount(&n, 1))
            return false;
        fits = fits && n == mesh.faceCounts[f];
        for (DWORD i = 0; i < n; ++i) {
            DWORD index;
            if (!ReadIndex(&index, normalCount))
                return false;
            indices.push_back(index);
        }
    }
    if (fits)
        mesh.normalIndices = std::move(indices);
    return Children([this](std::string_view, std::string_view) { return SkipBody(); },
                    [](std::string_view) { return true; });
}

bool Parser::ParseTexCoords(MeshData& mesh)
{
    DWORD count = 0;
    if (!ReadCount(&count, 2))
        return false;
    mesh.texCoords.resize(count);
    for (TexCoord& tc : mesh.texCoords)
        if (!ReadFloat(&tc.u) || !ReadFloat(&tc.v))
            return false;
    return Children([this](std::string_view, std::string_view) { return SkipBody(); },
                    [](std::string_view) { return true; });
}

bool Parser::ParseVertexColors(MeshData& mesh)
{
    DWORD count = 0;
    if (!ReadCount(&count, 5))
        return false;
    mesh.vertexColors.reserve(count);
    for (DWORD i = 0; i < count; ++i) {
        DWORD index;
        D3DVALUE r, g, b, a;
        if (!ReadIndex(&index, mesh.positions.size()) || !ReadFloat(&r) || !ReadFloat(&g) || !ReadFloat(&b) ||
            !ReadFloat(&a))
            return false;
        mesh.vertexColors.emplace_back(index, D3DRMCreateColorRGBA(r, g, b, a));
    }
    return Children([this](std::string_view, std::string_view) { return SkipBody(); },
                    [](std::string_view) { return true; });
}

bool Parser::ParseMaterialList(MeshData& mesh)
{
    DWORD materialCount = 0, indexCount = 0;
    if (!ReadCount(&materialCount, 1) || !ReadCount(&indexCount, 1))
        return false;
    mesh.faceMaterials.resize(indexCount);
    for (DWORD& m : mesh.faceMaterials)
        if (!ReadIndex(&m, materialCount))
            return false;
    mesh.materials.clear();
    return Children(
        [&](std::string_view id, std::string_view name) {
            if (!Is(id, "Material"))
                return SkipBody();
            MaterialInfo info;
            if (!ParseMaterial(name, &info))
                return false;
            mesh.materials.push_back(info);
            return true;
        },
        [&](std::string_view ref) {
            auto it = named_.find(std::string(ref));
            if (it == named_.end() || !it->second.material)
                return Fail("reference to an unknown material");
            mesh.materials.push_back(*it->second.material);
            return true;
        });
}

bool Parser::ParseMaterial(std::string_view name, MaterialInfo* out)
{
    D3DVALUE rgba[4], power, specular[3], emissive[3];
    for (D3DVALUE& v : rgba)
        if (!ReadFloat(&v))
            return false;
    if (!ReadFloat(&power))
        return false;
    for (D3DVALUE& v : specular)
        if (!ReadFloat(&v))
            return false;
    for (D3DVALUE& v : emissive)
        if (!ReadFloat(&v))
            return false;
    MaterialInfo info;
    info.color = D3DRMCreateColorRGBA(rgba[0], rgba[1], rgba[2], rgba[3]);
    info.material = RefPtr<Material>::Adopt(new Material(std::fmax(power, 0.0f)));
    info.material->SetSpecular(specular[0], specular[1], specular[2]);
    info.material->SetEmissive(emissive[0], emissive[1], emissive[2]);
    if (!name.empty())
        info.material->SetNameText(std::string(name));
    bool ok = Children(
        [&](std::string_view id, std::string_view) {
            if (Is(id, "TextureFilename"))
                return ParseTextureFilename(&info.texture);
            return SkipBody();
        },
        [](std::string_view) { return true; });
    if (!ok)
        return false;
    if (!name.empty())
        named_[std::string(name)].material = StoreMaterial(name, info);
    *out = std::move(info);
    return true;
}

const MaterialInfo* Parser::StoreMaterial(std::string_view, MaterialInfo info)
{
    materialStore_.push_back(std::make_unique<MaterialInfo>(std::move(info)));
    return materialStore_.back().get();
}

// A texture that cannot be had leaves the faces untextured; it does not fail the load.
bool Parser::ParseTextureFilename(RefPtr<Texture>* texture)
{
    std::string file;
    if (!ReadString(&file))
        return false;
    // Windows separators, single or written doubled as in C strings, become '/'.
    std::string path;
    for (char c : file) {
        if (c == '\\') {
            if (path.empty() || path.back() != '/')
                path += '/';
        } else {
            path += c;
        }
    }
    file = std::move(path);
    auto cached = textureCache_.find(file);
    if (cached != textureCache_.end()) {
        *texture = cached->second;
    } else {
        RefPtr<Texture> loaded;
        if (textures_.callback) {
            IDirect3DRMTexture* given = nullptr;
            std::vector<char> nameBuffer(file.begin(), file.end());
            nameBuffer.push_back('\0');
            if (SUCCEEDED(textures_.callback(nameBuffer.data(), textures_.arg, &given)) && given) {
                loaded = As<Texture>(given);
                given->Release();
                if (loaded && loaded->FileName().empty())
                    loaded->SetFileName(file);  // so that a saved mesh names it again
            }
        } else if (!file.empty()) {
            std::vector<std::string> dirs;
            if (!textures_.directory.empty())
                dirs.push_back(textures_.directory);
            LoadTextureFile(file, dirs, &loaded);
        }
        textureCache_[file] = loaded;
        *texture = loaded;
    }
    return Children([this](std::string_view, std::string_view) { return SkipBody(); },
                    [](std::string_view) { return true; });
}

RefPtr<MeshBuilder> Parser::Build(MeshData& mesh)
{
    RefPtr<MeshBuilder> mb = RefPtr<MeshBuilder>::Adopt(new MeshBuilder);
    for (const D3DVECTOR& p : mesh.positions)
        mb->AppendVertex(p);
    for (const D3DVECTOR& n : mesh.normals)
        mb->AppendNormal(n);
    const bool haveNormals = !mesh.normalIndices.empty() && mesh.normalIndices.size() == mesh.indices.size();
    std::vector<FaceCorner> corners;
    std::size_t at = 0;
    for (DWORD f = 0; f < mesh.faceCounts.size(); ++f) {
        corners.clear();
        for (DWORD i = 0; i < mesh.faceCounts[f]; ++i, ++at)
            corners.push_back({mesh.indices[at], haveNormals ? mesh.normalIndices[at] : FaceCorner::kNoNormal});
        const DWORD face = mb->AppendFace(corners.data(), static_cast<DWORD>(corners.size()), 0xFFFFFFFFu);
        // Faces past the end of the material index list take the last index.
        if (!mesh.faceMaterials.empty()) {
            const DWORD m = mesh.faceMaterials[std::min<std::size_t>(f, mesh.faceMaterials.size() - 1)];
            if (m < mesh.materials.size()) {
                FaceRecord& record = mb->FaceAt(face);
                record.color = mesh.materials[m].color;
                record.material = mesh.materials[m].material;
                record.texture = mesh.materials[m].texture;
            }
        }
    }
    for (DWORD v = 0; v < mesh.texCoords.size() && v < mesh.positions.size(); ++v)
        mb->SetTexCoord(v, mesh.texCoords[v]);
    if (!mesh.vertexColors.empty()) {
        for (auto& [v, color] : mesh.vertexColors)
            mb->SetVertexColorValue(v, color);
        mb->SetColorSource(D3DRMCOLOR_FROMVERTEX);
    }
    if (!haveNormals)
        mb->GenerateNormals();
    return mb;
}

// ---- The file ----------------------------------------------------------------------------

bool Parser::Run()
{
    for (;;) {
        Token t = TakeValue();
        switch (t.kind) {
        case TokenKind::End:
            for (auto& top : result_->objects)
                top.referenced = top.mesh && referencedMeshes_.count(top.mesh.get()) > 0;
            return true;
        case TokenKind::Name:
            break;
        case TokenKind::CloseBrace:
            continue;  // exporters leave unmatched closing braces at the end: harmless
        case TokenKind::Error:
            return Fail("unterminated string or GUID");
        default:
            return Fail("object expected");
        }
        if (Is(t.text, "template")) {
            Token name = Take();
            if (name.kind != TokenKind::Name || Take().kind != TokenKind::OpenBrace)
                return Fail("malformed template");
            if (!SkipBody())
                return false;
            continue;
        }
        std::string_view name;
        if (!OpenObject(&name))
            return false;
        TopLevelObject top;
        if (Is(t.text, "Frame")) {
            if (!ParseFrame(name, 1, &top.frame))
                return false;
        } else if (Is(t.text, "Mesh")) {
            if (!ParseMesh(name, &top.mesh))
                return false;
        } else if (Is(t.text, "Material")) {
            MaterialInfo info;
            if (!ParseMaterial(name, &info))
                return false;
            continue;
        } else {
            if (!SkipBody())
                return false;
            continue;
        }
        result_->objects.push_back(std::move(top));
    }
}

bool CheckHeader(std::string_view text, std::string* error)
{
    // "xof " major minor "txt " float size, 16 characters.
    if (text.size() < 16 || text.substr(0, 4) != "xof " || !IsDigits(text.substr(4, 4)) ||
        !IsDigits(text.substr(12, 4))) {
        *error = "not an X-format text";
        return false;
    }
    if (text.substr(8, 4) != "txt ") {
        *error = "only the text format is read";
        return false;
    }
    if (text.substr(4, 2) != "03") {
        *error = "unsupported format version";
        return false;
    }
    return true;
}

}  // namespace

bool ParseScene(std::string_view text, const TextureSource& textures, ParseResult* result)
{
    result->objects.clear();
    result->error.clear();
    if (!CheckHeader(text, &result->error)) {
        result->errorLine = 1;
        return false;
    }
    Parser parser(text.substr(16), textures, result);
    if (!parser.Run()) {
        result->objects.clear();
        return false;
    }
    return true;
}

}  // namespace rm::xfile
