#pragma once
// The status code every layer returns: negative means failure, zero or positive success.
// Bit 31 is the severity, bits 16..26 the facility, bits 0..15 the code.

#include <cstdint>

using HRESULT = std::int32_t;

// Builds a status code from its severity (0 success, 1 failure), facility and code.
constexpr HRESULT MAKE_HRESULT(std::uint32_t severity, std::uint32_t facility, std::uint32_t code)
{
    return static_cast<HRESULT>((severity << 31) | ((facility & 0x7FFu) << 16) | (code & 0xFFFFu));
}

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

// The low 16 bits: for most facilities the number that names the error.
constexpr std::uint32_t HRESULT_CODE(HRESULT hr) { return static_cast<std::uint32_t>(hr) & 0xFFFFu; }
constexpr std::uint32_t HRESULT_FACILITY(HRESULT hr)
{
    return (static_cast<std::uint32_t>(hr) >> 16) & 0x7FFu;
}

constexpr std::uint32_t FACILITY_NULL = 0;
constexpr std::uint32_t FACILITY_ITF = 4;
constexpr std::uint32_t FACILITY_WIN32 = 7;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_ABORT = static_cast<HRESULT>(0x80004004u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);
constexpr HRESULT E_HANDLE = static_cast<HRESULT>(0x80070006u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
