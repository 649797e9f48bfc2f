// Benchmarks of the hot paths; report figures as ratios within one run.
#include "app/QtTextRasteriser.h"
#include "app/Workbench.h"
#include "raster/Primitives.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

static void BM_Layout(benchmark::State& s) {
    vk::Workbench bench;
    for (auto _ : s) bench.layoutPictures();
}
BENCHMARK(BM_Layout);

static void BM_StretchLargePicture(benchmark::State& s) {
    const vk::Image picture(4000, 3000);
    vk::Image canvas(275, 116);
    for (auto _ : s) canvas.stretchDraw({0, 0, 275, 116}, picture);
}
BENCHMARK(BM_StretchLargePicture);

static void BM_RaiseFrameWholeWindow(benchmark::State& s) {
    vk::Image canvas(275, 116);
    for (auto _ : s) vk::raiseFrame(canvas, false, 0, 0, 275, 116);
}
BENCHMARK(BM_RaiseFrameWholeWindow);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    vk::installQtTextRasteriser();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
