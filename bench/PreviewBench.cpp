// The player preview window: one animated frame as its timer gives it (state
// moved on, frame rendered, converted and painted), and one document change.
#include "tests/app/WorkbenchAccess.h"
#include "app/window/PlayerPreview.h"
#include "app/Workbench.h"
#include "app/qt/QtTextRasteriser.h"
#include "skin/MakeSkin.h"

#include <benchmark/benchmark.h>

namespace {

struct ShownPreview {
    vk::Workbench bench{vk::qtTextRasteriser()};
    vk::PlayerPreview preview{bench};
    explicit ShownPreview(int zoom) {
        bench.layoutPictures();
        vk::MakeSkinClick(bench);
        preview.setZoom(zoom);
        preview.show();
    }
};

void BM_PreviewAnimatedFrame(benchmark::State& s) {
    ShownPreview shown(int(s.range(0)));
    for (auto _ : s) {
        shown.preview.tick();
        shown.preview.repaint();
    }
}
BENCHMARK(BM_PreviewAnimatedFrame)->ArgName("zoom")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_PreviewDocumentChanged(benchmark::State& s) {
    ShownPreview shown(1);
    for (auto _ : s) {
        shown.preview.documentChanged();
        shown.preview.repaint();
    }
}
BENCHMARK(BM_PreviewDocumentChanged)->Unit(benchmark::kMicrosecond);

} // namespace
