// The three window canvases arranged as the main window shows them, for a
// picture of the skin that can be looked at without a player.
#pragma once
#include "document/SkinDocument.h"

namespace vk {

// One window wide; the main window, the equaliser canvas (eqMain's window
// rows) and the playlist canvas at their tops on the window's silver background.
Image windowPreview(const SkinDocument& doc);

} // namespace vk
