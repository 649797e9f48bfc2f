// Colours taken from the pictures: a palette quantised in OKLab, and from it
// the nine colour settings, the three knob colours and the seventeen
// visualisation colours, each text colour readable on its background.
#pragma once
#include "document/SkinDocument.h"

#include <array>
#include <vector>

namespace vk {

// Text against the background it is drawn on.
inline constexpr double kTextContrast = 4.5;
// Knobs against their groove, analyser bars and the oscilloscope against the visualiser's background.
inline constexpr double kShapeContrast = 3.0;

struct PaletteColour {
    TColor colour;
    double share;  // of the sampled pixels, 0 ... 1
};
// Up to `size` colours, the largest share first. The same pictures always
// give the same palette: a bounded grid of samples and k-means seeded from
// the lightness order, with no randomness.
std::vector<PaletteColour> picturePalette(const std::vector<const Image*>& pictures, int size = 8);

struct PictureColours {
    std::array<TColor, 9> settings;  // in the order of colourSettings()
    std::array<TColor, 3> knobs;     // in the order of kSliderKnobs
    std::array<TColor, kVisColourCount> vis;
};
// The colours for the document's pictures (those its layout shows), knobs
// chosen against the grooves as the made skin has them.
PictureColours choosePictureColours(const SkinDocument& doc);

// A colour of that hue moved lighter or darker (towards the side that can
// reach it) until it has at least the ratio against every one of the backs.
TColor withContrast(TColor colour, const std::vector<TColor>& backs, double ratio);

// The text colour and background pairs the player draws, by the settings' field names.
struct TextPair {
    ColourSetting text, back;
};
const std::vector<TextPair>& textPairs();

} // namespace vk
