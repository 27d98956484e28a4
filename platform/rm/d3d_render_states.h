#pragma once
// The render states of an immediate-mode device: the values last set, and which of them are
// locked against the retained-mode library's own settings (D3DSTATE_OVERRIDE_BIAS). Before each
// viewport is drawn the library puts its own values into every state that is not locked, so an
// executed state lasts only until then unless it was locked.

#include "platform/rm/d3d_types.h"
#include "platform/rm/raster/options.h"

namespace rm {

class RenderStateTable {
public:
    static constexpr DWORD kStateCount = 64;  // states 1 .. kStateCount - 1

    RenderStateTable();

    // One executed entry: a state, or a state plus D3DSTATE_OVERRIDE_BIAS (value 1 locks, 0
    // unlocks). Unknown states and values a state cannot take are ignored: false.
    bool Execute(DWORD state, DWORD value);
    DWORD Value(D3DRENDERSTATETYPE state) const { return values_[state]; }
    bool Locked(D3DRENDERSTATETYPE state) const { return locked_[state]; }

    // The library's own values, for the states it manages, where they are not locked.
    // cullBackFaces: whether the retained-mode settings want back faces culled.
    void ApplyLibraryValues(bool cullBackFaces);

    // The drawing options these states ask for: cull mode and the depth test.
    void ApplyTo(raster::RasterOptions& options) const;

private:
    void SetOwn(D3DRENDERSTATETYPE state, DWORD value);

    DWORD values_[kStateCount] = {};
    bool locked_[kStateCount] = {};
};

}  // namespace rm
