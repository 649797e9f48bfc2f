// What a skin is made of, with no commands and no Qt: SkinState, the template
// set, the window canvases and the options MakeSkin reads. The pass, the
// colour tools and the writer work on this; the workbench above drives it.
#pragma once
#include "document/SkinState.h"
#include "format/WindowAreas.h"
#include "templates/TemplateSet.h"

#include <vector>

namespace vk {

class TextRasteriser;

enum class LayoutMode { ThreeWindows, TwoPlusOne, Continuous };

// The radios MakeSkin and the layout read at the moment of the call.
struct Options {
    LayoutMode layout = LayoutMode::ThreeWindows;
    bool full3D = true;     // "Full 3D Skin"; false is "Buttons Only"
    bool sinkFrame = false; // "Sink Frame"; false is "Raise Frame"
    // Captions, glyphs and bevels shaded so that they show on any picture;
    // false is the fixed step everywhere.
    bool legible = false;
};

// Tops of the equaliser and playlist canvases below the main window's top:
// windows with pictures of their own keep a 4-pixel gap, windows cut from
// one picture touch.
struct WindowTops {
    int equaliser;
    int playlist;
};
constexpr WindowTops windowTops(LayoutMode layout) {
    const int h = format::kMainWindow.height();
    switch (layout) {
    case LayoutMode::TwoPlusOne: return {h, 2 * h + format::kPreviewWindowGap};
    case LayoutMode::Continuous: return {h, 2 * h};
    case LayoutMode::ThreeWindows: break;
    }
    return {h + format::kPreviewWindowGap, 2 * (h + format::kPreviewWindowGap)};
}

// One emboss stamp as the pass laid it: on which canvas, where, which art.
struct StampPlacement {
    const Image* canvas;
    int x, y;
    const Image* stamp;
};

// One bevel pixel as the pass shaded it: the face it was shaded from and what it became.
struct BevelShade {
    TColor face, shaded;
};

struct SkinDocument {
    SkinDocument() : templates(TemplateSet::embedded()) {}

    SkinState state;
    TemplateSet templates;  // eqMain's rows 0 ... 115 are the equaliser window canvas
    Image mainWindow{format::kMainWindow.width(), format::kMainWindow.height()};
    Image plShow{format::kPlPreviewSize.width, format::kPlPreviewSize.height};
    Image twoWinPic{format::stackedWindows(2).width(), format::stackedWindows(2).height()};
    Image oneWinPic{format::stackedWindows(3).width(), format::stackedWindows(3).height()};
    Options options;
    // Draws the playlist preview's text; none draws no glyphs.
    TextRasteriser* text = nullptr;
    // When set, the pass notes each stamp it lays here, for measuring how the captions read.
    std::vector<StampPlacement>* stampLog = nullptr;
    // Likewise each bevel pixel it shades, for measuring how the bevels show.
    std::vector<BevelShade>* bevelLog = nullptr;
};

} // namespace vk
