// Stages not yet written; each is replaced by its own file.
#include "skin/MakeSkin.h"

namespace vk {
namespace skin {
void mainFrameAndTitleBar(Workbench&) {}
void sliderSheets(Workbench&) {}
void buttonSheets(Workbench&) {}
void equaliserWindow(Workbench&) {}
void playlistEditor(Workbench&) {}
} // namespace skin
void applyTextColours(Workbench&) {}
void paintEqSliders(Workbench&) {}
void paintPlaylistPreview(Workbench&) {}
} // namespace vk
