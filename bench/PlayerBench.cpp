// The player renderer: one full frame of the three windows at 1x, with and
// without the playlist text, and a skin read from its files.
#include "tests/app/WorkbenchAccess.h"
#include "app/qt/QtTextRasteriser.h"
#include "app/Workbench.h"
#include "output/SkinWriter.h"
#include "player/PlayerRenderer.h"
#include "skin/MakeSkin.h"

#include <benchmark/benchmark.h>

namespace {

std::vector<vk::player::NamedFile> madeSkinFiles() {
    vk::Workbench bench{vk::qtTextRasteriser()};
    bench.layoutPictures();
    vk::MakeSkinClick(bench);
    return vk::skinFiles(docOf(bench));
}

vk::player::PlayerState busyState() {
    vk::player::PlayerState state;
    state.seconds = 83;
    state.title = "A title long enough to scroll round the marquee field";
    state.titleScroll = 17;
    state.vis.mode = vk::player::VisFrame::Mode::Spectrum;
    for (int i = 0; i < vk::format::kVisBarCount; ++i) state.vis.bars[std::size_t(i)] = (i * 7) % 17, state.vis.peaks[std::size_t(i)] = 16;
    for (int i = 0; i < 8; ++i) state.entries.push_back({"Entry number " + std::to_string(i + 1), 200 + i});
    return state;
}

const std::vector<vk::player::PlayerWindow> kAllWindows{vk::player::PlayerWindow::Main, vk::player::PlayerWindow::Equaliser,
                                                        vk::player::PlayerWindow::Playlist};

void BM_PlayerFrame(benchmark::State& s) {
    const vk::player::ClassicSkin skin = vk::player::skinFromFiles(madeSkinFiles());
    const vk::player::PlayerState state = busyState();
    vk::TextRasteriser* text = s.range(0) ? vk::qtTextRasteriser() : nullptr;
    for (auto _ : s) benchmark::DoNotOptimize(vk::player::renderPlayer(skin, state, kAllWindows, 1, text));
}
BENCHMARK(BM_PlayerFrame)->ArgName("text")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_PlayerSkinFromFiles(benchmark::State& s) {
    const std::vector<vk::player::NamedFile> files = madeSkinFiles();
    for (auto _ : s) benchmark::DoNotOptimize(vk::player::skinFromFiles(files));
}
BENCHMARK(BM_PlayerSkinFromFiles)->Unit(benchmark::kMicrosecond);

} // namespace
