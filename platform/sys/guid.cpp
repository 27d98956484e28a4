#include "platform/sys/guid.h"

#include <cstdio>

std::string GuidToString(const GUID& guid)
{
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.Data1), static_cast<unsigned>(guid.Data2),
                  static_cast<unsigned>(guid.Data3), guid.Data4[0], guid.Data4[1], guid.Data4[2],
                  guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at `pos`; false when any is not a hex digit.
bool ReadHex(std::string_view text, std::size_t pos, int digits, std::uint32_t& value)
{
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int v = HexValue(text[pos + static_cast<std::size_t>(i)]);
        if (v < 0) return false;
        value = (value << 4) | static_cast<std::uint32_t>(v);
    }
    return true;
}

}  // namespace

std::optional<GUID> StringToGuid(std::string_view text)
{
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-')
        return std::nullopt;
    GUID guid;
    std::uint32_t v = 0;
    if (!ReadHex(text, 1, 8, v)) return std::nullopt;
    guid.Data1 = v;
    if (!ReadHex(text, 10, 4, v)) return std::nullopt;
    guid.Data2 = static_cast<std::uint16_t>(v);
    if (!ReadHex(text, 15, 4, v)) return std::nullopt;
    guid.Data3 = static_cast<std::uint16_t>(v);
    static constexpr std::size_t bytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (std::size_t i = 0; i < 8; ++i) {
        if (!ReadHex(text, bytePos[i], 2, v)) return std::nullopt;
        guid.Data4[i] = static_cast<std::uint8_t>(v);
    }
    return guid;
}
