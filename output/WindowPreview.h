// The three window canvases arranged as the main window shows them, for a
// picture of the skin that can be looked at without a player.
#pragma once
#include "document/SkinDocument.h"

namespace vk {

// Tops of the equaliser and playlist canvases below the main window's top:
// windows with pictures of their own keep a 4-pixel gap, windows cut from
// one picture touch.
struct WindowTops {
    int equaliser;
    int playlist;
};
WindowTops windowTops(LayoutMode layout);

// One window wide; the main window, the equaliser canvas (eqMain's window
// rows) and the playlist canvas at their tops on the window's silver background.
Image windowPreview(const SkinDocument& doc);

} // namespace vk
