#pragma once
// Emptying a frame of its lights, visuals and child frames (one level deep: a removed child
// takes its own subtree with it when its last reference goes). Failures are reported with
// ReportHResult under module "_Clear" and end the clearing.

#include "platform/rm/frame.h"

void ClearFrame(IDirect3DRMFrame* IPar);
