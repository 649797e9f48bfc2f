#include "skin/MakeSkin.h"

namespace vk {

namespace skin {
void enterPass(Workbench& bench) {
    bench.enterMade();
    bench.state.buttonsOnly = !bench.options.full3D;
}
} // namespace skin

void MakeSkinClick(Workbench& bench) {
    if (bench.beginBusy) bench.beginBusy();
    struct RestoreCursor {
        Workbench& bench;
        ~RestoreCursor() {
            if (bench.endBusy) bench.endBusy();
        }
    } restore{bench};

    skin::enterPass(bench);
    skin::mainFrameAndTitleBar(bench);
    skin::sliderSheets(bench);
    skin::buttonSheets(bench);
    skin::equaliserWindow(bench);
    skin::playlistEditor(bench);
    applyTextColours(bench);
    paintEqSliders(bench);
    paintPlaylistPreview(bench);
}

} // namespace vk
