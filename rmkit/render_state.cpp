#include "rmkit/render_state.h"

#include <cstring>

#include "platform/rm/impl/ref_ptr.h"

namespace {

// Two instruction headers and three state entries.
constexpr DWORD kBufferSize = 2 * sizeof(D3DINSTRUCTION) + 3 * sizeof(D3DSTATE);
static_assert(kBufferSize == 32);

void WriteInstructions(BYTE* bytes, D3DRENDERSTATETYPE state, DWORD value)
{
    std::memset(bytes, 0, kBufferSize);
    const D3DINSTRUCTION render{D3DOP_STATERENDER, sizeof(D3DSTATE), 3};
    const DWORD s = static_cast<DWORD>(state);
    const D3DSTATE entries[3] = {{s + D3DSTATE_OVERRIDE_BIAS, 0}, {s, value}, {s + D3DSTATE_OVERRIDE_BIAS, 1}};
    const D3DINSTRUCTION exit{D3DOP_EXIT, 0, 0};
    std::memcpy(bytes, &render, sizeof render);
    std::memcpy(bytes + sizeof render, entries, sizeof entries);
    std::memcpy(bytes + sizeof render + sizeof entries, &exit, sizeof exit);
}

}  // namespace

HRESULT SetDeviceRenderState(IDirect3DRMDevice* device, D3DRENDERSTATETYPE state, DWORD value)
{
    if (!device)
        return E_INVALIDARG;
    rm::RefPtr<IDirect3DDevice> d3d;
    if (HRESULT hr = device->GetDirect3DDevice(d3d.put()); FAILED(hr))
        return hr;
    return ExecuteRenderState(d3d.get(), state, value);
}

HRESULT ExecuteRenderState(IDirect3DDevice* device, D3DRENDERSTATETYPE state, DWORD value)
{
    if (!device)
        return E_INVALIDARG;
    rm::RefPtr<IDirect3DViewport> viewport;
    HRESULT hr;
    try {
        hr = device->NextViewport(nullptr, viewport.put(), D3DNEXT_HEAD);
    } catch (...) {
        return D3DRMERR_NOTDONEYET;
    }
    if (FAILED(hr))
        return hr;

    D3DEXECUTEBUFFERDESC desc;
    desc.dwSize = sizeof desc;
    desc.dwFlags = D3DDEB_BUFSIZE;
    desc.dwBufferSize = kBufferSize;
    rm::RefPtr<IDirect3DExecuteBuffer> buffer;
    if (hr = device->CreateExecuteBuffer(&desc, buffer.put(), nullptr); FAILED(hr))
        return hr;
    if (hr = buffer->Lock(&desc); FAILED(hr))
        return hr;
    if (desc.lpData && desc.dwBufferSize >= kBufferSize)
        WriteInstructions(static_cast<BYTE*>(desc.lpData), state, value);
    if (hr = buffer->Unlock(); FAILED(hr))
        return hr;

    D3DEXECUTEDATA data;
    data.dwSize = sizeof data;
    data.dwInstructionOffset = 0;
    data.dwInstructionLength = kBufferSize;
    buffer->SetExecuteData(&data);  // its result is not looked at

    if (hr = device->BeginScene(); FAILED(hr))
        return hr;
    hr = device->Execute(buffer.get(), viewport.get(), D3DEXECUTE_UNCLIPPED);
    HRESULT end = device->EndScene();
    return FAILED(hr) ? hr : end;
}
