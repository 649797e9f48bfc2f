// The last stage of MakeSkin, which the colour pickers run again: everything
// painted in the colour settings (glyph sheets and display areas, the
// equaliser slider art, the sample song list of the playlist preview).
#include "raster/Error.h"
#include "skin/EqSliderArt.h"
#include "skin/MainWindowGeometry.h"
#include "skin/MakeSkin.h"
#include "skin/Pass.h"

#include <cstdint>

namespace vk::skin {

namespace {

// A setting reaches a pen, brush or font only as a non-negative value; the
// pickers store plain RGB, so this fires only on a corrupted setting.
TColor setting(TColor value) {
    if (static_cast<std::int32_t>(value) < 0) throw Error(kRangeCheckError);
    return value;
}

// Display areas, each one pixel inside a sunken well of its window.
namespace mainWin {
constexpr Rect kDisplayPanel = shrunk(skin::kDisplayPanel, 1);
constexpr Rect kTextStrip = shrunk(skin::kTextStrip, 1);  // vKit covers it exactly
constexpr Rect kLeftReadout = shrunk(skin::kLeftReadout, 1);
constexpr Rect kRightReadout = shrunk(skin::kRightReadout, 1);
} // namespace mainWin

namespace titleBar {
// The six transport symbols of plTools, without its top row, go into both
// shade bars, 172 pixels from their left end.
constexpr Rect kPlToolsSymbols{0, 1, 55, 8};
constexpr Rect kActiveShadeBarSymbols{199, 33, 254, 40};
constexpr Rect kInactiveShadeBarSymbols{199, 46, 254, 53};
constexpr Point kTopBit{0, 36};
} // namespace titleBar

namespace playlist {
constexpr Rect kUpperDisplay{130, 86, 222, 96};
constexpr Rect kLowerDisplay{130, 100, 222, 110};
constexpr Point kPlTools{130, 100};
// The same two displays in the sheet's bottom-right corner sprite.
constexpr Rect kSheetUpperDisplay{131, 80, 223, 90};
constexpr Rect kSheetLowerDisplay{131, 94, 223, 104};
constexpr Rect kSheetVisualisation{206, 7, 279, 28};
constexpr Point kSheetPlTools{131, 94};
} // namespace playlist

// The two track boxes of each shaded equaliser bar; they have no well.
namespace eqShade {
constexpr Rect kActiveLeftBox{61, 4, 159, 11};
constexpr Rect kActiveRightBox{163, 4, 208, 11};
constexpr Rect kInactiveLeftBox{61, 19, 159, 26};
constexpr Rect kInactiveRightBox{163, 19, 208, 26};
} // namespace eqShade

namespace preview {
constexpr Rect kListArea{12, 20, 255, 78};
constexpr Rect kSelectedBand{12, 60, 255, 74};  // one row taller than its line
constexpr const char* kFontName = "Arial";
constexpr int kFontHeight = 13;  // the whole cell, internal leading included
} // namespace preview

} // namespace

void applyTextColours(SkinDocument& doc) {
    TemplateSet& t = doc.t;
    const TColor back = setting(doc.state.winBackColour);
    const TColor text = setting(doc.state.winTextColour);

    // Recolour first, whatever the mode: every paste below shows the new colours.
    recolourByMask(t.plTools, t.plToolsMask, back, text);
    recolourByMask(t.nums_ex, t.nums_exMask, back, text);
    recolourByMask(t.text, t.textMask, back, text);
    recolourByMask(t.playPaus, t.playPausMask, back, text);
    recolourByMask(t.topBit, t.topBitMask, back, text);
    recolourByMask(t.vKit, t.vKitMask, back, text);

    Pass pass(doc);
    if (!pass.applies(When::NotButtonsOnly)) return;

    Image& main = doc.mainWindow;
    main.fill(mainWin::kDisplayPanel, back);
    main.fill(mainWin::kTextStrip, back);
    pass.paste(main, topLeft(mainWin::kTextStrip), t.vKit);
    main.fill(mainWin::kLeftReadout, back);
    main.fill(mainWin::kRightReadout, back);

    pass.copy(t.titleBarImage, titleBar::kActiveShadeBarSymbols, t.plTools, titleBar::kPlToolsSymbols);
    pass.copy(t.titleBarImage, titleBar::kInactiveShadeBarSymbols, t.plTools, titleBar::kPlToolsSymbols);
    pass.paste(t.titleBarImage, titleBar::kTopBit, t.topBit);

    doc.plShow.fill(playlist::kUpperDisplay, back);
    doc.plShow.fill(playlist::kLowerDisplay, back);
    pass.paste(doc.plShow, playlist::kPlTools, t.plTools);

    t.plEdit.fill(playlist::kSheetUpperDisplay, back);
    t.plEdit.fill(playlist::kSheetLowerDisplay, back);
    t.plEdit.fill(playlist::kSheetVisualisation, back);
    pass.paste(t.plEdit, playlist::kSheetPlTools, t.plTools);

    t.eqEx.fill(eqShade::kActiveLeftBox, back);
    t.eqEx.fill(eqShade::kActiveRightBox, back);
    t.eqEx.fill(eqShade::kInactiveLeftBox, back);
    t.eqEx.fill(eqShade::kInactiveRightBox, back);
}

void paintEqSliders(SkinDocument& doc) {
    using namespace eqSliders;
    TemplateSet& t = doc.t;
    const SkinState& s = doc.state;
    Pass pass(doc);

    // The strip template is painted for good; its art never comes back.
    Image& strip = t.exampleSlider;
    strip.fill(strip.bounds(), setting(s.eqBackColour));
    strip.fill({kBarLeft, kStripBarTop, kBarLeft + kBarWidth, kBarBottomRow + 1}, setting(s.eqHighlightColour));
    drawTickLadder(strip, kBarLeft, kFirstTickRow, setting(s.eqForeColour));

    Image& eq = t.eqMain;
    // The knobs' insides stay: they are the template art or the restyled colour.
    pass.outline(eq, kKnobNormal, setting(s.eqBackColour));
    pass.outline(eq, kKnobPressed, setting(s.eqBackColour));

    eq.fill(kFrameArea, setting(s.eqBackColour));
    // Frame i of the first row shows a bar of 2i rows, frame 14 + i one of 2i + 27.
    for (int i = 0; i < kFramesPerRow; ++i) {
        const int left = frameLeft(i) + kBarLeft;
        const int firstBottom = kFirstRowTop + kBarBottomRow + 1;
        const int secondBottom = kSecondRowTop + kBarBottomRow + 1;
        eq.fill({left, firstBottom - 2 * i, left + kBarWidth, firstBottom}, setting(s.eqHighlightColour));
        eq.fill({left, secondBottom - (2 * i + 27), left + kBarWidth, secondBottom}, setting(s.eqHighlightColour));
    }
    for (int i = 0; i < kFramesPerRow; ++i) {
        const int left = frameLeft(i) + kBarLeft;
        drawTickLadder(eq, left, kFirstRowTop + kFirstTickRow, setting(s.eqForeColour));
        drawTickLadder(eq, left, kSecondRowTop + kFirstTickRow, setting(s.eqForeColour));
    }

    for (int i = 0; i < kBandCount; ++i) {
        pass.paste(eq, {bandLeft(i), kSliderTop}, strip);
        pass.copy(eq, knobOnSlider(bandLeft(i)), eq, kKnobNormal);
    }
    pass.paste(eq, {kPreampLeft, kSliderTop}, strip);
    pass.copy(eq, knobOnSlider(kPreampLeft), eq, kKnobNormal);
}

void paintPlaylistPreview(SkinDocument& doc) {
    using namespace preview;
    if (doc.state.buttonsOnly) return;
    const SkinState& s = doc.state;
    Image& list = doc.plShow;

    list.fill(kListArea, setting(s.plNormalBgColour));
    list.fill(kSelectedBand, setting(s.plSelectedBgColour));
    list.setFont(kFontName, kFontHeight, setting(s.plNormalColour));

    // Text out fills each cell with the brush, which the band left selected.
    list.textOut(13, 60, doc.text, "4. Selected Song");
    list.setBrush(setting(s.plNormalBgColour), BrushStyle::Solid);
    list.textOut(13, 21, doc.text, "1. Unselected Song");
    list.textOut(13, 47, doc.text, "3. Unselected Song");
    list.setFont(kFontName, kFontHeight, setting(s.plCurrentColour));
    list.textOut(13, 34, doc.text, "2. Current Song");
}

} // namespace vk::skin
