#include "scene/scene_reader.h"

#include "scene/scene_records.h"

#include "platform/sys/resources.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <string>

HRESULT LastLoadResult = S_OK;

namespace {

constexpr const char* kSceneResourceType = "X";

// Ends a load with result: the load functions return LastLoadResult.
HRESULT Finish(HRESULT result)
{
    LastLoadResult = result;
    return result;
}

}  // namespace

HRESULT LoadSceneID(IDirect3DRMFrame* frame, const char* resourceName, D3DRMLOADTEXTURECALLBACK textureCallback)
{
    LastLoadResult = S_OK;
    if (!frame || !resourceName)
        return Finish(D3DRMERR_BADVALUE);

    D3DRMLOADRESOURCE resource;
    resource.hModule = nullptr;  // the program itself
    resource.lpName = resourceName;
    resource.lpType = kSceneResourceType;
    LastLoadResult = frame->Load(&resource, nullptr, D3DRMLOAD_FROMRESOURCE, textureCallback, nullptr);
    if (FAILED(LastLoadResult))
        return LastLoadResult;

    const auto found = FindResource(resourceName, kSceneResourceType);
    if (!found)
        return Finish(D3DRMERR_NOTFOUND);
    if (!found->Data)
        return Finish(D3DRMERR_UNABLETOEXECUTE);
    // The resource's bytes carry no terminating zero: the reader works within its size.
    return ReadAdditionalData({static_cast<const char*>(found->Data), found->Size});
}

HRESULT LoadSceneID(IDirect3DRMFrame* frame, WORD resourceId, D3DRMLOADTEXTURECALLBACK textureCallback)
{
    char name[8] = {'#'};  // "#65535" at most, zero-filled
    std::to_chars(name + 1, name + sizeof name - 1, resourceId);
    return LoadSceneID(frame, name, textureCallback);
}

HRESULT LoadSceneFile(IDirect3DRMFrame* frame, const char* fileName, D3DRMLOADTEXTURECALLBACK textureCallback)
{
    LastLoadResult = S_OK;
    if (!frame || !fileName)
        return Finish(D3DRMERR_BADVALUE);

    LastLoadResult = frame->Load(const_cast<char*>(fileName), nullptr, D3DRMLOAD_FROMFILE, textureCallback, nullptr);
    if (FAILED(LastLoadResult))
        return LastLoadResult;

    // The library has read the file; it can still vanish or fail before the records are read.
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        return Finish(D3DRMERR_FILENOTFOUND);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        return Finish(D3DRMERR_BADFILE);
    return ReadAdditionalData(text);
}
