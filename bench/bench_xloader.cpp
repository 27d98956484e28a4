// Speed of the X-format text loader: a generated scene of many meshes (about 10 MB; 200 KB
// when ZTARN_BENCH_SMOKE is set), loaded from memory into a frame.

#include "platform/rm/rm.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A grid mesh of n x n quads with normals, texture coordinates and two materials.
void AppendMesh(std::string& text, int index, int n)
{
    char line[160];
    std::snprintf(line, sizeof line, "Mesh Grid%d {\n %d;\n", index, (n + 1) * (n + 1));
    text += line;
    const int vertices = (n + 1) * (n + 1);
    for (int i = 0; i < vertices; ++i) {
        std::snprintf(line, sizeof line, " %.6f;%.6f;%.6f;%s\n", (i % (n + 1)) * 0.5, (i / (n + 1)) * 0.5,
                      (i % 7) * 0.125, i + 1 < vertices ? "," : ";");
        text += line;
    }
    std::snprintf(line, sizeof line, " %d;\n", n * n);
    text += line;
    for (int q = 0; q < n * n; ++q) {
        const int a = (q / n) * (n + 1) + q % n;
        std::snprintf(line, sizeof line, " 4;%d,%d,%d,%d;%s\n", a, a + n + 1, a + n + 2, a + 1, q + 1 < n * n ? "," : ";");
        text += line;
    }
    text += " MeshMaterialList {\n  2;\n  ";
    text += std::to_string(n * n) + ";\n  ";
    for (int q = 0; q < n * n; ++q)
        text += q + 1 < n * n ? (q % 2 ? "1,\n  " : "0,") : "0;;\n";
    text += "  Material { 1.0;0.0;0.0;1.0;; 8.0; 1.0;1.0;1.0;; 0.0;0.0;0.0;; }\n";
    text += "  Material { 0.0;0.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\n }\n";
    text += " MeshNormals {\n  1;\n  0.0;0.0;-1.0;;\n  " + std::to_string(n * n) + ";\n";
    for (int q = 0; q < n * n; ++q)
        text += q + 1 < n * n ? "  4;0,0,0,0;,\n" : "  4;0,0,0,0;;\n";
    text += " }\n MeshTextureCoords {\n  " + std::to_string(vertices) + ";\n";
    for (int i = 0; i < vertices; ++i) {
        std::snprintf(line, sizeof line, "  %.6f;%.6f;%s\n", (i % (n + 1)) / double(n), (i / (n + 1)) / double(n),
                      i + 1 < vertices ? "," : ";");
        text += line;
    }
    text += " }\n}\n";
}

std::string MakeScene(std::size_t targetBytes)
{
    std::string text = "xof 0302txt 0064\nFrame Root {\n";
    for (int i = 0; text.size() < targetBytes; ++i) {
        text += "Frame F" + std::to_string(i) + " {\n FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, " +
                std::to_string(i) + ",0,0,1;; }\n";
        AppendMesh(text, i, 24);
        text += "}\n";
    }
    text += "}\n";
    return text;
}

void BM_XLoadScene(benchmark::State& state)
{
    const bool smoke = std::getenv("ZTARN_BENCH_SMOKE") != nullptr;
    static const std::string scene = MakeScene(smoke ? 200'000 : 10'000'000);
    IDirect3DRM* rm = nullptr;
    Direct3DRMCreate(&rm);
    for (auto _ : state) {
        IDirect3DRMFrame* frame = nullptr;
        rm->CreateFrame(nullptr, &frame);
        D3DRMLOADMEMORY memory;
        memory.lpMemory = const_cast<char*>(scene.data());
        memory.dSize = static_cast<DWORD>(scene.size());
        if (FAILED(frame->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, nullptr, nullptr)))
            state.SkipWithError("the generated scene did not load");
        frame->Release();
    }
    rm->Release();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * scene.size()));
}
BENCHMARK(BM_XLoadScene)->Unit(benchmark::kMillisecond);

}  // namespace
