// Sprites that both the MakeSkin pass and the slider restyling draw: written
// once here so the two always agree on where a knob is.
#pragma once
#include "raster/Rect.h"

namespace vk::skin {

// The playlist scroll-bar knob in plEdit, released and pressed, and where the
// preview window shows it.
inline constexpr Rect kPlScrollKnobSprite{52, 53, 60, 71};
inline constexpr Rect kPlScrollKnobPressedSprite{61, 53, 69, 71};
inline constexpr Rect kPlScrollKnobOnPreview{260, 20, 268, 38};

} // namespace vk::skin
