// The view control's share of a frame: copying what a screen-sized device presents (two
// viewports of a 640 x 480 view) into the picture the widget paints, on the offscreen platform.
// Compared with a bare copy of the same rectangles.
//
//   ./make.sh bench --benchmark_filter=ViewPresent
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "d3dvcs/d3d_view.h"

namespace {

constexpr int kDeviceWidth = 1920, kDeviceHeight = 1080;
constexpr rm::SurfaceRect kLeft{0, 0, 320, 480}, kRight{325, 0, 640, 480};

// A widget needs an application object; the benchmark runner's main does not make one.
void EnsureApplication()
{
    if (QCoreApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "ztarn_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

void BM_ViewPresent(benchmark::State& state)
{
    EnsureApplication();
    TD3dView view;
    view.resize(640, 480);
    std::vector<std::uint32_t> device(static_cast<std::size_t>(kDeviceWidth) * kDeviceHeight, 0xFF336699u);
    for (auto _ : state) {
        view.Present(device.data(), kDeviceWidth, kDeviceWidth, kDeviceHeight, kLeft);
        view.Present(device.data(), kDeviceWidth, kDeviceWidth, kDeviceHeight, kRight);
        benchmark::DoNotOptimize(view.Picture().constBits());
    }
    state.SetItemsProcessed(state.iterations() * (320 * 480 + 315 * 480));
}
BENCHMARK(BM_ViewPresent);

void BM_ViewPresentBareCopy(benchmark::State& state)
{
    std::vector<std::uint32_t> device(static_cast<std::size_t>(kDeviceWidth) * kDeviceHeight, 0xFF336699u);
    std::vector<std::uint32_t> picture(640 * 480);
    for (auto _ : state) {
        for (const rm::SurfaceRect& r : {kLeft, kRight})
            for (int y = r.top; y < r.bottom; ++y)
                std::memcpy(&picture[static_cast<std::size_t>(y) * 640 + r.left],
                            &device[static_cast<std::size_t>(y) * kDeviceWidth + r.left],
                            static_cast<std::size_t>(r.right - r.left) * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(picture.data());
    }
    state.SetItemsProcessed(state.iterations() * (320 * 480 + 315 * 480));
}
BENCHMARK(BM_ViewPresentBareCopy);

}  // namespace
