#pragma once
// Execute buffers of the immediate-mode device: a block of bytes the application fills between
// Lock and Unlock, the range of it that holds instructions (SetExecuteData), and the reading of
// those instructions.

#include <vector>

#include "platform/rm/d3d_com.h"
#include "platform/rm/d3d_device.h"

namespace rm {

class RenderStateTable;

class ExecuteBuffer final : public ComObject<IDirect3DExecuteBuffer> {
public:
    explicit ExecuteBuffer(DWORD size) : bytes_(size, 0) {}

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT Lock(D3DEXECUTEBUFFERDESC* desc) override;
    HRESULT Unlock() override;
    HRESULT SetExecuteData(D3DEXECUTEDATA* data) override;
    HRESULT GetExecuteData(D3DEXECUTEDATA* data) override;

    bool IsLocked() const { return locked_; }
    // Runs the instructions: render states go into states; D3DOP_EXIT or the end of the
    // instruction range stops. Other operations are stepped over. An instruction that runs
    // past the range gives D3DERR_EXECUTE_FAILED (the states before it stay set).
    HRESULT Run(RenderStateTable& states) const;

private:
    std::vector<BYTE> bytes_;
    bool locked_ = false;
    D3DEXECUTEDATA data_;
};

}  // namespace rm
