// Benchmarks of the hot paths; report figures as ratios within one run.
#include "tests/app/WorkbenchAccess.h"
#include "app/qt/QtTextRasteriser.h"
#include "app/qt/PictureIntake.h"
#include "app/Workbench.h"
#include "app/WorkingMemory.h"
#include "raster/Bmp.h"
#include "raster/Primitives.h"
#include "skin/MakeSkin.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <QGuiApplication>
#ifdef VK_BENCH_WIDGETS
#include <QApplication>
#endif
#include <benchmark/benchmark.h>

static void BM_Layout(benchmark::State& s) {
    vk::Workbench bench{vk::qtTextRasteriser()};
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

static void BM_MakeSkinPass(benchmark::State& s) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    for (auto _ : s) {
        bench.layoutPictures();
        vk::MakeSkinClick(bench);
    }
}
BENCHMARK(BM_MakeSkinPass);

// A phone-camera-sized picture (24 MP) from disk to source picture: decoding
// dominates; a 200 MP picture scales from this linearly.
static void BM_LoadLargeBmp(benchmark::State& s) {
    const auto path = std::filesystem::temp_directory_path() / "vk-bench-large.bmp";
    {
        vk::Image picture(6000, 4000);
        const auto bytes = vk::encodeBmp(picture);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    for (auto _ : s) benchmark::DoNotOptimize(vk::loadPictureFile(path.string()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadLargeBmp)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    // The heap as both programs lay it out.
    vk::reserveWorkingMemory(std::size_t(16) << 20);
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef VK_BENCH_WIDGETS
    QApplication app(argc, argv);  // the preview window's benchmark shows a widget
#else
    QGuiApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
