// A skin for the renderer tests whose every sprite is one colour of its own,
// so that a sprite cut from the wrong place or drawn at the wrong place shows
// by name.
#pragma once
#include "format/EqSprites.h"
#include "format/MainSprites.h"
#include "format/PlaylistSprites.h"
#include "format/TextFont.h"
#include "player/ClassicSkin.h"

#include <string>
#include <vector>

namespace vk::test {

using format::Sheet;

// A distinct, never-black colour for sprite number n.
inline TColor spriteColour(int n) { return rgb(40 + (n * 37) % 200, 30 + (n * 71) % 210, 20 + (n * 113) % 220); }

struct SyntheticSkin {
    player::ClassicSkin skin;
    int next = 1;

    SyntheticSkin() {
        for (std::size_t s = 0; s < format::kSheetCount; ++s) {
            const format::Size size = format::conventionalSize(Sheet(s));
            skin.sheets[s] = Image(size.width, size.height);
            skin.sheets[s].fill(skin.sheets[s].bounds(), rgb(1, 2, int(s) + 3));
        }
        // The digits and glyphs, one colour per cell.
        for (int d = 0; d <= format::kMinusDigit; ++d) paint(Sheet::NumsEx, format::digitCell(d));
        for (int r = 0; r < format::kTextRows; ++r)
            for (int c = 0; c < format::kTextColumns; ++c) paint(Sheet::Text, format::glyphCell(c, r));
        for (int r = 0; r < format::kEqGraphLineColours.height(); ++r)
            paint(Sheet::EqMain, format::xywh(format::kEqGraphLineColours.left, format::kEqGraphLineColours.top + r, 1, 1));
    }
    // Gives a sprite its own colour and returns it.
    TColor paint(Sheet sheet, const Rect& sprite) {
        const TColor c = spriteColour(next++);
        skin.sheet(sheet).fill(sprite, c);
        return c;
    }
};

} // namespace vk::test
