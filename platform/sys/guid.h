#pragma once
// Globally unique identifiers and their registry text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::array<std::uint8_t, 8> Data4{};

    friend constexpr bool operator==(const GUID&, const GUID&) = default;
};

using IID = GUID;
using REFIID = const GUID&;
using REFGUID = const GUID&;

constexpr GUID GUID_NULL{};

// Upper-case hex digits in braces, 38 characters.
std::string GuidToString(const GUID& guid);

// Parses the braced form (either case of hex digits); nothing on any other text.
std::optional<GUID> StringToGuid(std::string_view text);
