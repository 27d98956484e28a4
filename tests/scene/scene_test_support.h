#pragma once
// Small helpers for the scene reader's tests: object names, a frame's lights, temporary files.

#include "scene/rm_ref.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

inline std::string NameOf(IDirect3DRMObject* object)
{
    char name[256] = "";
    DWORD size = sizeof name;
    if (!object || FAILED(object->GetName(&size, name)))
        return "<no name>";
    return name;
}

// A light as the tests look at it.
struct TLightView {
    std::string Name;
    D3DRMLIGHTTYPE Type = D3DRMLIGHT_AMBIENT;
    D3DCOLOR Color = 0;
    D3DVECTOR Attenuation;  // constant, linear, quadratic
    float Penumbra = 0;
    float Range = 0;
    std::string EnableFrame;  // empty for none
};

inline std::vector<TLightView> LightsOf(IDirect3DRMFrame* frame)
{
    std::vector<TLightView> views;
    TRmRef<IDirect3DRMLightArray> lights;
    if (!frame || FAILED(frame->GetLights(lights.Put())) || !lights)
        return views;
    for (DWORD i = 0; i < lights->GetSize(); ++i) {
        TRmRef<IDirect3DRMLight> light;
        if (FAILED(lights->GetElement(i, light.Put())))
            continue;
        TLightView view;
        view.Name = NameOf(light.Get());
        view.Type = light->GetType();
        view.Color = light->GetColor();
        view.Attenuation = {light->GetConstantAttenuation(), light->GetLinearAttenuation(),
                            light->GetQuadraticAttenuation()};
        view.Penumbra = light->GetPenumbra();
        view.Range = light->GetRange();
        TRmRef<IDirect3DRMFrame> enable;
        if (SUCCEEDED(light->GetEnableFrame(enable.Put())) && enable)
            view.EnableFrame = NameOf(enable.Get());
        views.push_back(view);
    }
    return views;
}

inline std::vector<std::string> LightNamesOf(IDirect3DRMFrame* frame)
{
    std::vector<std::string> names;
    for (const TLightView& light : LightsOf(frame))
        names.push_back(light.Name);
    return names;
}

// A file in the temporary directory with the given text, removed with the object.
class TTempSceneFile {
public:
    explicit TTempSceneFile(const std::string& text)
        : FPath(std::filesystem::temp_directory_path() /
                ("ztarn_scene_test_" + std::to_string(getpid()) + "_" + std::to_string(++Counter()) + ".x"))
    {
        std::ofstream(FPath, std::ios::binary) << text;
    }
    ~TTempSceneFile() { std::filesystem::remove(FPath); }
    TTempSceneFile(const TTempSceneFile&) = delete;
    TTempSceneFile& operator=(const TTempSceneFile&) = delete;

    std::string Path() const { return FPath.string(); }

private:
    static int& Counter()
    {
        static int counter = 0;
        return counter;
    }
    std::filesystem::path FPath;
};
