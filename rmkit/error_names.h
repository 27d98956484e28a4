#pragma once
// The string table of error names carried in the executable: one row per DirectDraw, Direct3D
// and retained-mode error code.

#include "platform/sys/hresult.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

inline constexpr std::size_t ErrorNameRowCount = 147;

// The row id of a code: the low 16 bits of (hr - 0x88760005), so MAKE_DDHRESULT(n) has id n - 5
// and the generic COM codes that DirectDraw reuses wrap around (0x80004005 has id 16384).
std::uint16_t ErrorNameId(HRESULT hr);

// The text of row `id`, empty when the table has no such row.
std::string_view LoadErrorName(std::uint16_t id);
