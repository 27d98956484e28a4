// Loading X-format text from a file, a resource or memory into frames and mesh builders.

#include "platform/rm/xfile/load.h"

#include "platform/rm/impl/frame_impl.h"
#include "platform/rm/impl/meshbuilder_impl.h"
#include "platform/rm/xfile/parser.h"
#include "platform/sys/resources.h"

#include <fstream>
#include <string>

namespace rm {

namespace {

// Texts larger than this are refused without reading them.
constexpr std::streamoff kMaxTextBytes = 1ll << 30;

struct SourceText {
    std::string owned;      // the file's bytes, when read from a file
    std::string_view text;
    std::string directory;  // where the file lies, for textures named relative to it
};

HRESULT ReadSource(const LoadRequest& request, SourceText* out)
{
    if (!request.source)
        return D3DRMERR_BADVALUE;
    switch (request.options & D3DRMLOAD_SOURCEMASK) {
    case D3DRMLOAD_FROMFILE: {
        const std::string path = static_cast<const char*>(request.source);
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return D3DRMERR_FILENOTFOUND;
        in.seekg(0, std::ios::end);
        const std::streamoff size = in.tellg();
        if (size < 0 || size > kMaxTextBytes)
            return D3DRMERR_BADFILE;
        in.seekg(0);
        out->owned.resize(static_cast<std::size_t>(size));
        in.read(out->owned.data(), size);
        if (in.gcount() != size)
            return D3DRMERR_BADFILE;
        out->text = out->owned;
        const std::size_t slash = path.rfind('/');
        if (slash != std::string::npos)
            out->directory = path.substr(0, slash);
        return S_OK;
    }
    case D3DRMLOAD_FROMRESOURCE: {
        const auto* res = static_cast<const D3DRMLOADRESOURCE*>(request.source);
        if (!res->lpName)
            return D3DRMERR_BADVALUE;
        auto found = FindResource(res->lpName, res->lpType ? res->lpType : "X");
        if (!found || (!found->Data && found->Size))
            return D3DRMERR_FILENOTFOUND;
        out->text = std::string_view(static_cast<const char*>(found->Data), found->Size);
        return S_OK;
    }
    case D3DRMLOAD_FROMMEMORY: {
        const auto* mem = static_cast<const D3DRMLOADMEMORY*>(request.source);
        if (!mem->lpMemory && mem->dSize)
            return D3DRMERR_BADVALUE;
        out->text = std::string_view(static_cast<const char*>(mem->lpMemory), mem->dSize);
        return S_OK;
    }
    default:
        return D3DRMERR_BADVALUE;  // streams are not supported
    }
}

HRESULT Parse(const LoadRequest& request, xfile::ParseResult* result)
{
    SourceText source;
    HRESULT hr = ReadSource(request, &source);
    if (FAILED(hr))
        return hr;
    xfile::TextureSource textures;
    textures.callback = request.textureCallback;
    textures.arg = request.textureArg;
    textures.directory = source.directory;
    return xfile::ParseScene(source.text, textures, result) ? S_OK : D3DRMERR_BADFILE;
}

bool KindWanted(const LoadRequest& request, const IID& kind)
{
    if (!request.kinds || request.kindCount == 0)
        return true;
    for (DWORD i = 0; i < request.kindCount; ++i)
        if (request.kinds[i] && *request.kinds[i] == kind)
            return true;
    return false;
}

}  // namespace

HRESULT LoadScene(const LoadRequest& request, const LoadTarget& target)
{
    xfile::ParseResult parsed;
    HRESULT hr = Parse(request, &parsed);
    if (FAILED(hr))
        return hr;

    const D3DRMLOADOPTIONS selection = request.options & (D3DRMLOAD_BYNAME | D3DRMLOAD_BYPOSITION);
    if ((selection == D3DRMLOAD_BYNAME || selection == D3DRMLOAD_BYPOSITION) && !request.objectId)
        return D3DRMERR_BADVALUE;
    DWORD position = 0;
    bool any = false;
    for (auto& top : parsed.objects) {
        ObjectBase* object = top.frame ? static_cast<ObjectBase*>(top.frame.get()) : top.mesh.get();
        const IID& kind = top.frame ? IID_IDirect3DRMFrame : IID_IDirect3DRMMeshBuilder;
        const DWORD index = position++;
        if (selection == D3DRMLOAD_BYNAME && object->Name() != static_cast<const char*>(request.objectId))
            continue;
        if (selection == D3DRMLOAD_BYPOSITION && index != *static_cast<const DWORD*>(request.objectId))
            continue;
        if (!KindWanted(request, kind))
            continue;
        any = true;
        if (target.parent) {
            // When the whole text is loaded, meshes that its frames show by reference are
            // not shown a second time at the top; a mesh asked for by itself always is.
            if (top.frame)
                top.frame->AttachTo(target.parent);
            else if (!top.referenced || selection || request.kindCount || (request.options & D3DRMLOAD_FIRST))
                target.parent->AppendVisual(top.mesh.get());
        }
        if (target.callback)
            target.callback(object->AsObject(), kind, target.callbackArg);
        if (request.options & D3DRMLOAD_FIRST)
            break;
    }
    if (!any && (selection || (request.options & D3DRMLOAD_FIRST) || request.kindCount))
        return D3DRMERR_NOTFOUND;
    return S_OK;
}

namespace {

// The first mesh of a frame's tree, depth first.
MeshBuilder* FirstMesh(Frame& frame)
{
    for (const auto& visual : frame.Visuals())
        if (auto* mb = As<MeshBuilder>(visual.get()))
            return mb;
    for (const auto& child : frame.Children())
        if (MeshBuilder* mb = FirstMesh(*child))
            return mb;
    return nullptr;
}

}  // namespace

HRESULT LoadMesh(const LoadRequest& request, MeshBuilder& builder)
{
    xfile::ParseResult parsed;
    HRESULT hr = Parse(request, &parsed);
    if (FAILED(hr))
        return hr;
    for (auto& top : parsed.objects) {
        MeshBuilder* mesh = top.mesh ? top.mesh.get() : FirstMesh(*top.frame);
        if (!mesh)
            continue;
        RefPtr<MeshBuilder> keep(&builder);
        builder.Clear();
        builder.AppendTransformed(*mesh, Matrix::Identity());
        builder.SetColorSource(mesh->ColorSource());
        if (builder.Name().empty())
            builder.SetNameText(mesh->Name());
        return S_OK;
    }
    return D3DRMERR_NOTFOUND;
}

}  // namespace rm
