#include "platform/sys/resources.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

struct Entry {
    const char* Name;
    const char* Type;
    ResourceData Data;
};

// Function-local so that registrations from any static initialiser find it constructed.
std::vector<Entry>& Registry()
{
    static std::vector<Entry> entries;
    return entries;
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

ResourceRegistration::ResourceRegistration(const char* name, const char* type, const void* data,
                                           std::size_t size)
    : FName(name), FType(type)
{
    Registry().push_back({name, type, {data, size}});
}

ResourceRegistration::~ResourceRegistration()
{
    auto& entries = Registry();
    std::erase_if(entries, [this](const Entry& e) { return e.Name == FName && e.Type == FType; });
}

std::optional<ResourceData> FindResource(std::string_view name, std::string_view type)
{
    for (const Entry& e : Registry())
        if (SameText(e.Name, name) && SameText(e.Type, type)) return e.Data;
    return std::nullopt;
}
