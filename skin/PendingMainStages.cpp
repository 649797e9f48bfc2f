// Placeholder until stages 2 to 4 have their own files.
#include "skin/MakeSkin.h"

namespace vk::skin {
void mainFrameAndTitleBar(Workbench&) {}
void sliderSheets(Workbench&) {}
void buttonSheets(Workbench&) {}
} // namespace vk::skin
