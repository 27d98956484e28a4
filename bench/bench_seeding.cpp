// Seeding speed: quarter turns per second while a new game scrambles the cube, each turn one
// rendering of both viewports, on the offscreen platform (presents are not paced there). The
// argument is the form's width; its height keeps the default form's proportions.
//
//   ./make.sh bench --benchmark_filter=Seeding
#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/cube_form.h"
#include "d3dvcs/d3d_view.h"
#include "platform/ui/application.h"
#include "platform/rm/rm.h"
#include "platform/ui/message_box.h"

namespace {

QApplication& App()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "ztarn_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// The largest distance of a cubie coordinate from the grid {-2, 0, 2}: the rounding error that
// the turns so far have left in the cubies' transforms.
double GridError(TCubeForm& form)
{
    double worst = 0.0;
    for (int i = 1; i <= 26; ++i) {
        IDirect3DRMObject* object = nullptr;
        IDirect3DRMFrame* frame = nullptr;
        form.D3dView->IRM->GetNamedObject(("Frame" + std::to_string(i)).c_str(), &object);
        if (!object) continue;
        object->QueryInterface(IID_IDirect3DRMFrame, reinterpret_cast<void**>(&frame));
        object->Release();
        if (!frame) continue;
        D3DVECTOR p{};
        frame->GetPosition(form.ICubeCenter, &p);
        frame->Release();
        for (double c : {p.x, p.y, p.z}) worst = std::max(worst, std::abs(c - 2.0 * std::round(c / 2.0)));
    }
    return worst;
}

void BM_Seeding(benchmark::State& state)
{
    App();
    TMessageBoxScript boxes;  // a failed call must not wait for an answer
    double clock = 46000.5;
    {
        TCubeForm form(nullptr);
        const int width = static_cast<int>(state.range(0));
        form.resize(width, width * 290 / 433);
        form.show();
        // One second per turn, so that the drawn turns vary as over a long seeding.
        form.Now = [&clock] { return clock; };
        for (auto _ : state) {
            clock += 1.0 / 86400.0;
            form.SeedStep();
        }
        state.SetItemsProcessed(state.iterations());
        if (!form.ICubeCenter) {
            state.SkipWithError("the cube scene did not load");
        } else {
            state.counters["turns"] = static_cast<double>(state.iterations());
            state.counters["grid_error"] = GridError(form);
        }
    }
    Application->OnIdle = {};
}
BENCHMARK(BM_Seeding)->Arg(433)->Arg(1024)->Unit(benchmark::kMicrosecond);

}  // namespace
