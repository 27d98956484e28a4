#pragma once
// Resources compiled into the executable, found by name and type (case-insensitive, as the
// system compares resource names). A source file registers its data with a static object:
//
//   static const char kScene[] = "xof 0302txt 0064 ...";
//   static const ResourceRegistration sceneResource("ZTARN_SCENE", "X", kScene, sizeof kScene - 1);
//
// Note: a registration in a static library is linked only when something else in its object
// file is referenced; keep it beside the code that loads it.

#include <cstddef>
#include <optional>
#include <string_view>

struct ResourceData {
    const void* Data = nullptr;  // borrowed: lives as long as the program
    std::size_t Size = 0;        // bytes
};

class ResourceRegistration {
public:
    ResourceRegistration(const char* name, const char* type, const void* data, std::size_t size);
    ~ResourceRegistration();
    ResourceRegistration(const ResourceRegistration&) = delete;
    ResourceRegistration& operator=(const ResourceRegistration&) = delete;

private:
    const char* FName;
    const char* FType;
};

// The bytes of the resource, or nothing when no resource of that name and type exists.
std::optional<ResourceData> FindResource(std::string_view name, std::string_view type);
