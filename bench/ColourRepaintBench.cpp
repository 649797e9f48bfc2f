// The three repaint routines each colour picker runs while the user waits.
#include "tests/app/WorkbenchAccess.h"
#include "app/qt/QtTextRasteriser.h"
#include "app/Workbench.h"
#include "skin/MakeSkin.h"

#include <benchmark/benchmark.h>

static void BM_ApplyTextColours(benchmark::State& s) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    for (auto _ : s) vk::skin::applyTextColours(docOf(bench));
}
BENCHMARK(BM_ApplyTextColours);

static void BM_PaintEqSliders(benchmark::State& s) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    for (auto _ : s) vk::skin::paintEqSliders(docOf(bench));
}
BENCHMARK(BM_PaintEqSliders);

// Four lines through the text rasteriser.
static void BM_PaintPlaylistPreview(benchmark::State& s) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    for (auto _ : s) vk::skin::paintPlaylistPreview(docOf(bench));
}
BENCHMARK(BM_PaintPlaylistPreview);
