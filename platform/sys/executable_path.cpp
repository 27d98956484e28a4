#include "platform/sys/executable_path.h"

#include <filesystem>
#include <system_error>

std::string ExecutablePath()
{
    std::error_code ec;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

std::string ChangeFileExt(std::string_view path, std::string_view ext)
{
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    const bool hasExt = dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
    std::string result(hasExt ? path.substr(0, dot) : path);
    result += ext;
    return result;
}
