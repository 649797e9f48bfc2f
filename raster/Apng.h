// An animated PNG put together from frames already encoded as PNG pictures:
// their image data is moved into the animation's frame chunks, so any PNG
// encoder serves, including one that knows nothing of animation.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace vk {

struct ApngFrame {
    std::vector<std::uint8_t> png;  // a whole PNG file of this frame's rectangle
    int x = 0, y = 0;               // where the rectangle sits on the canvas
    int milliseconds = 0;           // how long the frame shows
};

// The animation, looping forever. The first frame covers the whole canvas and
// is what a viewer without animation shows; every frame's PNG has the first's
// bit depth and colour type. Throws Error("Cannot encode the animation") on a
// frame that is no PNG, does not fit the canvas or differs in kind.
std::vector<std::uint8_t> assembleApng(const std::vector<ApngFrame>& frames);

// The number of frames an animated PNG says it has (acTL), or 0 for a still one.
int apngFrameCount(std::span<const std::uint8_t> png);

} // namespace vk
