// Feeds arbitrary bytes to the X-format text loader. Besides "never crash, hang or read out of
// bounds", every mesh that loads must write out as text that loads again.

#include "platform/rm/impl/frame_impl.h"
#include "platform/rm/impl/meshbuilder_impl.h"
#include "platform/rm/rm.h"
#include "platform/rm/xfile/parser.h"
#include "platform/rm/xfile/writer.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Textures never come from the disk while fuzzing.
HRESULT NoTexture(char*, void*, IDirect3DRMTexture** texture)
{
    *texture = nullptr;
    return D3DRMERR_FILENOTFOUND;
}

void CheckRoundTrip(const rm::Frame& frame, int depth)
{
    if (depth > 300)
        abort();
    for (const auto& visual : frame.Visuals())
        if (auto* mb = rm::As<rm::MeshBuilder>(visual.get())) {
            std::string text = rm::xfile::WriteMeshFile(*mb, D3DRMXOFSAVE_ALL | D3DRMXOFSAVE_TEMPLATES);
            rm::xfile::ParseResult again;
            if (!rm::xfile::ParseScene(text, rm::xfile::TextureSource{NoTexture}, &again) || again.objects.size() != 1 ||
                again.objects[0].mesh->GetFaceCount() != mb->GetFaceCount())
                abort();
        }
    for (const auto& child : frame.Children())
        CheckRoundTrip(*child, depth + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    IDirect3DRM* rm = nullptr;
    if (FAILED(Direct3DRMCreate(&rm)))
        return 0;
    IDirect3DRMFrame* scene = nullptr;
    rm->CreateFrame(nullptr, &scene);
    D3DRMLOADMEMORY memory;
    memory.lpMemory = const_cast<std::uint8_t*>(data);
    memory.dSize = static_cast<DWORD>(size);
    if (SUCCEEDED(scene->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, NoTexture, nullptr)))
        CheckRoundTrip(*rm::As<rm::Frame>(scene), 0);
    scene->Release();
    rm->Release();
    return 0;
}
