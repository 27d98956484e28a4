// Reading the embedded cube scene: a whole load (the library's loader and the reader's two
// record passes) and the record passes alone, which is what the reader adds to a load.
#include "scene/rm_ref.h"
#include "scene/scene_reader.h"
#include "scene/scene_records.h"

#include "platform/sys/resources.h"

#include <benchmark/benchmark.h>

#include <string_view>

namespace {

void BM_LoadCubeScene(benchmark::State& state)
{
    TRmRef<IDirect3DRM> rm;
    Direct3DRMCreate(rm.Put());
    for (auto _ : state) {
        TRmRef<IDirect3DRMFrame> scene;
        rm->CreateFrame(nullptr, scene.Put());
        if (LoadSceneID(scene.Get(), "ZTARN_SCENE", nullptr) != S_OK)
            state.SkipWithError("the cube scene did not load");
    }
}
BENCHMARK(BM_LoadCubeScene)->Unit(benchmark::kMicrosecond);

// Without a loaded scene the records name no frame, so this is the tokenizer over the whole
// text plus two look-ups.
void BM_CubeSceneRecordPasses(benchmark::State& state)
{
    const auto resource = FindResource("ZTARN_SCENE", "X");
    if (!resource) {
        state.SkipWithError("no cube scene resource");
        return;
    }
    const std::string_view text(static_cast<const char*>(resource->Data), resource->Size);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadAdditionalData(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_CubeSceneRecordPasses)->Unit(benchmark::kMicrosecond);

}  // namespace
