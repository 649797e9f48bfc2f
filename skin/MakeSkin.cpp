#include "skin/MakeSkin.h"

namespace vk::skin {

void enterPass(SkinDocument& doc) { doc.state.buttonsOnly = !doc.options.full3D; }

void makeSkin(SkinDocument& doc) {
    enterPass(doc);
    mainFrameAndTitleBar(doc);
    sliderSheets(doc);
    buttonSheets(doc);
    equaliserWindow(doc);
    playlistEditor(doc);
    applyTextColours(doc);
    paintEqSliders(doc);
    paintPlaylistPreview(doc);
}

} // namespace vk::skin
