// Every template image the generator draws, one function per image, grouped
// by family: emboss stamps, glyph masks, whole sprites and output sheets.
#pragma once
#include "raster/Image.h"

namespace vk::gen {

// Emboss stamps (Stamps.cpp): pure red ground, exact white and black relief.
Image buts();
Image downButs();
Image loadDown();
Image shuffleUpBut();
Image shuffleDown();
Image repUpBut();
Image repDown();
Image eqUpBut();
Image eqButDown();
Image plUpBut();
Image plButDown();
Image choices(int pressed);  // 0: none pressed; 1 ... 5: O, A, I, D, V
Image presetUp();
Image presetDown();
Image offManUp();
Image offManDown();
Image onAutoUp();
Image onAutoDown();
Image puller();
Image cornerPull();
Image plButs1();
Image plButs2();

// Glyph masks (Glyphs.cpp): white ink on black. Each glyph image starts
// equal to its mask.
Image textMask();
Image nums_exMask();
Image playPausMask();
Image plToolsMask();
Image topBitMask();
Image vKitMask();

// Sprites and pictures (Sprites.cpp).
Image volBut();
Image volButPressed();
Image eqKnob(bool pressed);
Image eqShadeThumb();
Image exampleSlider();
Image firstImage();
Image visiBar();

// Output sheets (SheetsMain.cpp, SheetsEqualiser.cpp, SheetsPlaylist.cpp).
Image titleBarImage();
Image volumeWindow();
Image balanceWindow();
Image posBar();
Image monoSter();
Image shufrep();
Image cButtons();
Image eqMain();
Image eqEx();
Image plEdit();

} // namespace vk::gen
