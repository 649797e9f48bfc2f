// Placeholder until the text colour pass and previews have their own file.
#include "skin/MakeSkin.h"

namespace vk {
void applyTextColours(Workbench&) {}
void paintEqSliders(Workbench&) {}
void paintPlaylistPreview(Workbench&) {}
} // namespace vk
