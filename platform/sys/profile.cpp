#include "platform/sys/profile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string_view Trim(std::string_view s)
{
    const auto notSpace = [](char c) { return c != ' ' && c != '\t'; };
    while (!s.empty() && !notSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && !notSpace(s.back())) s.remove_suffix(1);
    return s;
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

// The section name of a "[name]" line, or nothing for any other line.
bool SectionOf(std::string_view line, std::string_view& name)
{
    line = Trim(line);
    if (line.empty() || line.front() != '[') return false;
    const auto close = line.find(']');
    if (close == std::string_view::npos) return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

bool KeyOf(std::string_view line, std::string_view& name)
{
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    name = Trim(line.substr(0, eq));
    return true;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

bool ReadWholeFile(const std::string& fileName, std::string& text, bool& exists)
{
    errno = 0;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        exists = (access(fileName.c_str(), F_OK) == 0);
        return !exists;  // a missing file reads as empty; an unreadable one is a failure
    }
    exists = true;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

bool ReplaceAtomically(const std::string& fileName, const std::string& text, bool exists)
{
    std::string tempName = fileName + ".XXXXXX";
    const int fd = mkstemp(tempName.data());
    if (fd < 0) return false;
    bool ok = true;
    struct stat st {};
    if (exists && stat(fileName.c_str(), &st) == 0)
        ok = fchmod(fd, st.st_mode & 07777) == 0;
    else
        ok = fchmod(fd, 0644) == 0;
    std::size_t written = 0;
    while (ok && written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ok = false;
        else written += static_cast<std::size_t>(n);
    }
    ok = ok && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && std::rename(tempName.c_str(), fileName.c_str()) == 0;
    if (!ok) unlink(tempName.c_str());
    return ok;
}

// Where `key=value` goes: the index of the line to replace (`replace` true) or to insert before;
// npos when the section is missing.
std::size_t FindEntrySlot(const std::vector<std::string>& lines, std::string_view section,
                          std::string_view key, bool& replace)
{
    replace = false;
    bool inSection = false;
    std::size_t slot = std::string::npos;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (SectionOf(lines[i], name)) {
            if (inSection) break;
            inSection = SameText(name, section);
            if (inSection) slot = i + 1;
        } else if (inSection) {
            if (KeyOf(lines[i], name) && SameText(name, key)) {
                replace = true;
                return i;
            }
            if (!Trim(lines[i]).empty()) slot = i + 1;
        }
    }
    return slot;
}

}  // namespace

std::string ProfileWithKey(std::string_view text, std::string_view section, std::string_view key,
                           std::string_view value)
{
    std::vector<std::string> lines = SplitLines(text);
    const std::string entry = std::string(key) + "=" + std::string(value);
    bool replace = false;
    const std::size_t slot = FindEntrySlot(lines, section, key, replace);
    if (replace) {
        lines[slot] = entry;
    } else if (slot != std::string::npos) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(slot), entry);
    } else {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
    }
    std::string result;
    for (const auto& line : lines) {
        result += line;
        result += '\n';
    }
    return result;
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& fileName)
{
    if (fileName.empty() || Trim(section).empty() || Trim(key).empty() || HasLineBreak(section) ||
        HasLineBreak(key) || HasLineBreak(value) || section.find(']') != std::string_view::npos ||
        key.find('=') != std::string_view::npos)
        return false;
    std::string text;
    bool exists = false;
    if (!ReadWholeFile(fileName, text, exists)) return false;
    return ReplaceAtomically(fileName, ProfileWithKey(text, section, key, value), exists);
}
