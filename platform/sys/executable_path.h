#pragma once
// The running program's own file.

#include <string>
#include <string_view>

// Full path of the running executable; empty when the system does not tell.
std::string ExecutablePath();

// `path` with the extension of its last component replaced by `ext` (which starts with a dot);
// without an extension, `ext` is appended.
std::string ChangeFileExt(std::string_view path, std::string_view ext);
