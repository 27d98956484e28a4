#pragma once
// The software drivers this library offers: each with its GUID, name, description and
// capabilities. The first is the default driver.

#include <cstddef>

#include "platform/rm/d3d_types.h"

namespace rm {

struct DriverInfo {
    GUID guid;
    const char* name;
    const char* description;
    D3DCOLORMODEL colorModel;
};

// The drivers in enumeration order: RGB first (the default), then mono.
const DriverInfo* Drivers();
std::size_t DriverCount();
// The driver with that GUID; null GUID: the default driver; unknown: null.
const DriverInfo* FindDriver(const GUID* guid);
// The driver's description as a software (emulation) device; dwSize set to the full size.
D3DDEVICEDESC DriverDescription(const DriverInfo& driver);

}  // namespace rm
