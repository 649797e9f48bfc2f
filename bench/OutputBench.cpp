// The skin writer's costs apart from the disk: encoding the sixteen files,
// and deflating them into an archive.
#include "app/Workbench.h"
#include "app/QtTextRasteriser.h"
#include "output/WszArchive.h"
#include "skin/MakeSkin.h"

#include <benchmark/benchmark.h>

static void BM_EncodeSkinFiles(benchmark::State& s) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    vk::MakeSkinClick(bench);
    for (auto _ : s) benchmark::DoNotOptimize(vk::skinFiles(bench));
}
BENCHMARK(BM_EncodeSkinFiles);

static void BM_EncodeWsz(benchmark::State& s) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    vk::MakeSkinClick(bench);
    const auto files = vk::skinFiles(bench);
    for (auto _ : s) benchmark::DoNotOptimize(vk::encodeWsz(files));
}
BENCHMARK(BM_EncodeWsz);
