#pragma once
// Writing one key of a profile (INI) file: "[section]" lines followed by "key=value" lines.

#include <string>
#include <string_view>

// Sets `key` of `section` to `value` in the file `fileName`, keeping every other section, key,
// comment and blank line. Section and key names compare case-insensitively; a missing section is
// appended at the end, a missing key at the end of its section. The file is created when missing
// and otherwise replaced atomically (a temporary file beside it, then a rename), so a failure
// never leaves a half-written file. Returns false, leaving the old file untouched, when the file
// cannot be read or written, or when a name or the value holds a line break (or the section a
// ']', the key a '='), which would corrupt the file's structure.
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& fileName);

// The edit alone, on the file's text: what the writer puts into the file.
std::string ProfileWithKey(std::string_view text, std::string_view section, std::string_view key,
                           std::string_view value);
