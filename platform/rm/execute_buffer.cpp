#include "platform/rm/execute_buffer.h"

#include <cstring>

#include "platform/rm/d3d_render_states.h"

namespace rm {

HRESULT ExecuteBuffer::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDirect3DExecuteBuffer)
        return HandOutAs<IDirect3DExecuteBuffer>(object);
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ExecuteBuffer::Lock(D3DEXECUTEBUFFERDESC* desc)
{
    if (!desc)
        return DDERR_INVALIDPARAMS;
    if (locked_)
        return D3DERR_EXECUTE_LOCKED;
    locked_ = true;
    desc->dwBufferSize = static_cast<DWORD>(bytes_.size());
    desc->lpData = bytes_.data();
    desc->dwFlags |= D3DDEB_BUFSIZE | D3DDEB_LPDATA;
    return D3D_OK;
}

HRESULT ExecuteBuffer::Unlock()
{
    if (!locked_)
        return D3DERR_EXECUTE_NOT_LOCKED;
    locked_ = false;
    return D3D_OK;
}

HRESULT ExecuteBuffer::SetExecuteData(D3DEXECUTEDATA* data)
{
    if (!data)
        return DDERR_INVALIDPARAMS;
    DWORD size = static_cast<DWORD>(bytes_.size());
    if (data->dwInstructionOffset > size || data->dwInstructionLength > size - data->dwInstructionOffset)
        return DDERR_INVALIDPARAMS;
    data_ = *data;
    return D3D_OK;
}

HRESULT ExecuteBuffer::GetExecuteData(D3DEXECUTEDATA* data)
{
    if (!data)
        return DDERR_INVALIDPARAMS;
    *data = data_;
    return D3D_OK;
}

HRESULT ExecuteBuffer::Run(RenderStateTable& states) const
{
    const BYTE* at = bytes_.data() + data_.dwInstructionOffset;
    const BYTE* end = at + data_.dwInstructionLength;
    while (end - at >= static_cast<std::ptrdiff_t>(sizeof(D3DINSTRUCTION))) {
        D3DINSTRUCTION op;
        std::memcpy(&op, at, sizeof op);
        at += sizeof op;
        if (op.bOpcode == D3DOP_EXIT)
            return D3D_OK;
        std::size_t payload = static_cast<std::size_t>(op.bSize) * op.wCount;
        if (payload > static_cast<std::size_t>(end - at))
            return D3DERR_EXECUTE_FAILED;
        if (op.bOpcode == D3DOP_STATERENDER && op.bSize >= sizeof(D3DSTATE)) {
            for (WORD i = 0; i < op.wCount; ++i) {
                D3DSTATE entry;
                std::memcpy(&entry, at + static_cast<std::size_t>(i) * op.bSize, sizeof entry);
                states.Execute(entry.dwState, entry.dwArg);
            }
        }
        at += payload;
    }
    return D3D_OK;
}

}  // namespace rm
