// The immediate-mode device under a retained-mode device.
#include <algorithm>

#include "platform/rm/device_impl.h"
#include "platform/rm/execute_buffer.h"
#include "platform/rm/viewport_impl.h"

namespace rm {

namespace {
constexpr DWORD kMaxExecuteBufferSize = 1u << 20;  // bytes
}  // namespace

HRESULT ImmediateDevice::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDirect3DDevice) {
        AddRef();
        *object = static_cast<IDirect3DDevice*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ImmediateDevice::AddRef() { return owner_.AddRef(); }
ULONG ImmediateDevice::Release() { return owner_.Release(); }

HRESULT ImmediateDevice::GetCaps(D3DDEVICEDESC* hardware, D3DDEVICEDESC* emulation)
{
    if (!hardware && !emulation)
        return DDERR_INVALIDPARAMS;
    if (hardware) {  // a software device: no hardware description (colour model 0)
        DWORD size = hardware->dwSize;
        *hardware = D3DDEVICEDESC{};
        hardware->dwSize = size;
    }
    if (emulation) {
        DWORD size = emulation->dwSize;
        *emulation = DriverDescription(owner_.Driver());
        emulation->dwSize = size;
    }
    return D3D_OK;
}

HRESULT ImmediateDevice::CreateExecuteBuffer(D3DEXECUTEBUFFERDESC* desc, IDirect3DExecuteBuffer** buffer,
                                             IUnknown* outer)
{
    if (!buffer)
        return DDERR_INVALIDPARAMS;
    *buffer = nullptr;
    if (!desc || outer || !(desc->dwFlags & D3DDEB_BUFSIZE) || desc->dwBufferSize == 0 ||
        desc->dwBufferSize > kMaxExecuteBufferSize)
        return DDERR_INVALIDPARAMS;
    *buffer = new ExecuteBuffer(desc->dwBufferSize);
    return D3D_OK;
}

HRESULT ImmediateDevice::BeginScene()
{
    if (inScene_)
        return D3DERR_SCENE_IN_SCENE;
    inScene_ = true;
    return D3D_OK;
}

HRESULT ImmediateDevice::EndScene()
{
    if (!inScene_)
        return D3DERR_SCENE_NOT_IN_SCENE;
    inScene_ = false;
    return D3D_OK;
}

HRESULT ImmediateDevice::Execute(IDirect3DExecuteBuffer* buffer, IDirect3DViewport* viewport, DWORD)
{
    auto* b = dynamic_cast<ExecuteBuffer*>(buffer);
    auto* v = dynamic_cast<ImmediateViewport*>(viewport);
    if (!b || !v || &v->Owner().Owner() != &owner_)
        return DDERR_INVALIDPARAMS;
    if (!inScene_)
        return D3DERR_SCENE_NOT_IN_SCENE;
    if (b->IsLocked())
        return D3DERR_EXECUTE_LOCKED;
    return b->Run(owner_.States());
}

HRESULT ImmediateDevice::NextViewport(IDirect3DViewport* reference, IDirect3DViewport** viewport, DWORD flags)
{
    if (!viewport)
        return DDERR_INVALIDPARAMS;
    *viewport = nullptr;
    const std::vector<Viewport*>& list = owner_.Viewports();
    Viewport* found = nullptr;
    if (flags == D3DNEXT_HEAD) {
        found = list.empty() ? nullptr : list.front();
    } else if (flags == D3DNEXT_TAIL) {
        found = list.empty() ? nullptr : list.back();
    } else if (flags == D3DNEXT_NEXT) {
        auto* ref = dynamic_cast<ImmediateViewport*>(reference);
        if (!ref)
            return DDERR_INVALIDPARAMS;
        auto it = std::find(list.begin(), list.end(), &ref->Owner());
        if (it != list.end() && it + 1 != list.end())
            found = *(it + 1);
    } else {
        return DDERR_INVALIDPARAMS;
    }
    if (!found)
        return DDERR_NOTFOUND;
    HandOut(found->Immediate(), viewport);
    return D3D_OK;
}

}  // namespace rm
