#pragma once
// The display modes EnumDisplayModes lists: the real screens' modes when the view layer gave
// them (SetDisplayModes), otherwise a default list of common modes.

#include <vector>

#include "platform/rm/ddraw.h"

namespace rm {

const std::vector<DisplayMode>& CurrentDisplayModes();
DDSURFACEDESC ModeDescription(const DisplayMode& mode);
// Whether a mode fits the fields flagged in the filter (width, height, bit count).
bool ModeMatches(const DDSURFACEDESC& filter, const DDSURFACEDESC& mode);

}  // namespace rm
