// What a skin is made of, with no commands and no Qt: SkinState, the template
// set, the window canvases and the options MakeSkin reads. The pass, the
// colour tools and the writer work on this; the workbench above drives it.
#pragma once
#include "document/SkinState.h"
#include "format/Geometry.h"
#include "templates/TemplateSet.h"

namespace vk {

class TextRasteriser;

enum class LayoutMode { ThreeWindows, TwoPlusOne, Continuous };

// The radios MakeSkin and the layout read at the moment of the call.
struct Options {
    LayoutMode layout = LayoutMode::ThreeWindows;
    bool full3D = true;     // "Full 3D Skin"; false is "Buttons Only"
    bool sinkFrame = false; // "Sink Frame"; false is "Raise Frame"
};

struct SkinDocument {
    SkinDocument() : t(TemplateSet::embedded()) {}

    SkinState state;
    TemplateSet t;  // eqMain's rows 0 ... 115 are the equaliser window canvas
    Image mainWindow{format::kMainWindowSize.width, format::kMainWindowSize.height};
    Image plShow{format::kMainWindowSize.width, format::kMainWindowSize.height};
    Image twoWinPic{format::kMainWindowSize.width, 2 * format::kMainWindowSize.height};
    Image oneWinPic{format::kMainWindowSize.width, 3 * format::kMainWindowSize.height};
    Options options;
    // Draws the playlist preview's text; none draws no glyphs.
    TextRasteriser* text = nullptr;
};

} // namespace vk
