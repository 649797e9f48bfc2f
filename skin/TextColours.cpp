// The last stage of MakeSkin, which the colour pickers run again: everything
// painted in the colour settings (glyph sheets and display areas, the
// equaliser slider art, the sample song list of the playlist preview).
#include "raster/Error.h"
#include "format/SkinTextFiles.h"
#include "format/WindowAreas.h"
#include "skin/MakeSkin.h"
#include "skin/Pass.h"

#include <cstdint>
#include <string>

namespace vk::skin {

namespace {

// A setting reaches a pen, brush or font only as a non-negative value; the
// pickers store plain RGB, so this fires only on a corrupted setting.
TColor setting(TColor value) {
    if (static_cast<std::int32_t>(value) < 0) throw Error(kRangeCheckError);
    return value;
}

using namespace format;

// Display areas, each one pixel inside a sunken well of its window.
namespace mainWin {
constexpr Rect kDisplayPanel = shrunk(kDisplayPanelArea, 1);
constexpr Rect kTextStrip = shrunk(kSongTitleWell, 1);  // vKit covers it exactly
constexpr Rect kLeftReadout = shrunk(kKbpsWell, 1);
constexpr Rect kRightReadout = shrunk(kKhzWell, 1);
} // namespace mainWin

namespace titleBar {
// The six transport symbols of plTools, without its top row, go into both
// shade bars, 172 pixels from their left end.
constexpr Rect kPlToolsSymbols{0, 1, 55, 8};
constexpr Rect symbolsIn(const Rect& bar) { return placed(offset(topLeft(bar), 172, 4), kPlToolsSymbols); }
constexpr Rect kActiveShadeBarSymbols = symbolsIn(kShadeBarActive);
constexpr Rect kInactiveShadeBarSymbols = symbolsIn(kShadeBarInactive);
constexpr Point kTopBit{0, 36};
} // namespace titleBar

namespace playlist {
constexpr Rect kUpperDisplay = shrunk(kPlUpperDisplayWell, 1);
constexpr Rect kLowerDisplay = shrunk(kPlLowerDisplayWell, 1);
// The same two displays in the sheet's bottom-right corner sprite.
constexpr Rect kSheetUpperDisplay = kUpperDisplay.shifted(kPlCornerToSprite.x, kPlCornerToSprite.y);
constexpr Rect kSheetLowerDisplay = kLowerDisplay.shifted(kPlCornerToSprite.x, kPlCornerToSprite.y);
constexpr Rect kSheetVisualisation = shrunk(kPlVisualiserWell, 1);
constexpr Point kSheetPlTools = offset(kPlTransportGlyphsAt, kPlCornerToSprite.x, kPlCornerToSprite.y);
} // namespace playlist

// The two track boxes of each shaded equaliser bar; they have no well.
namespace eqShade {
constexpr Rect kActiveLeftBox{61, 4, 159, 11};
constexpr Rect kActiveRightBox{163, 4, 208, 11};
constexpr Rect kInactiveLeftBox = below(kActiveLeftBox, kEqShadeBarInactive.top);
constexpr Rect kInactiveRightBox = below(kActiveRightBox, kEqShadeBarInactive.top);
} // namespace eqShade

// The equaliser's slider art inside a bar frame or the strip template (cell
// coordinates): the level bar and the ticks run on columns 5 ... 8, the bar
// ends on row 60, the ticks start on row 3; the strip's bar starts on row 28
// (33 rows, the same art as frame 17).
namespace eqArt {
constexpr int kBarLeft = 5;
constexpr int kBarWidth = 4;
constexpr int kBarBottomRow = 60;
constexpr int kFirstTickRow = 3;
constexpr int kStripBarTop = 28;
constexpr int kFirstRowTop = kEqSliderFrame0.top;
constexpr int kSecondRowTop = eqSliderFrame(kEqSliderFramesPerRow).top;
constexpr int frameLeft(int column) { return eqSliderFrame(column).left; }
} // namespace eqArt

namespace preview {
constexpr Rect kListArea = plListArea(kPlPreviewSize);
constexpr Rect kSelectedBand{12, 60, 255, 74};  // one row taller than its line
constexpr int kFontHeight = 13;  // the whole cell, internal leading included
} // namespace preview

} // namespace

void applyTextColours(SkinDocument& doc) {
    TemplateSet& t = doc.templates;
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
    pass.paste(doc.plShow, kPlTransportGlyphsAt, t.plTools);

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
    using namespace eqArt;
    TemplateSet& t = doc.templates;
    const SkinState& s = doc.state;
    Pass pass(doc);

    // The strip template is painted for good; its art never comes back.
    Image& strip = t.exampleSlider;
    strip.fill(strip.bounds(), setting(s.eqBackColour));
    strip.fill({kBarLeft, kStripBarTop, kBarLeft + kBarWidth, kBarBottomRow + 1}, setting(s.eqHighlightColour));
    drawTickLadder(strip, kBarLeft, kFirstTickRow, setting(s.eqForeColour));

    Image& eq = t.eqMain;
    // The knobs' insides stay: they are the template art or the restyled colour.
    pass.outline(eq, kEqSliderThumb, setting(s.eqBackColour));
    pass.outline(eq, kEqSliderThumbPressed, setting(s.eqBackColour));

    eq.fill(kEqSliderFrames, setting(s.eqBackColour));
    // Frame i of the first row shows a bar of 2i rows, frame 14 + i one of 2i + 27.
    for (int i = 0; i < kEqSliderFramesPerRow; ++i) {
        const int left = frameLeft(i) + kBarLeft;
        const int firstBottom = kFirstRowTop + kBarBottomRow + 1;
        const int secondBottom = kSecondRowTop + kBarBottomRow + 1;
        eq.fill({left, firstBottom - 2 * i, left + kBarWidth, firstBottom}, setting(s.eqHighlightColour));
        eq.fill({left, secondBottom - (2 * i + 27), left + kBarWidth, secondBottom}, setting(s.eqHighlightColour));
    }
    for (int i = 0; i < kEqSliderFramesPerRow; ++i) {
        const int left = frameLeft(i) + kBarLeft;
        drawTickLadder(eq, left, kFirstRowTop + kFirstTickRow, setting(s.eqForeColour));
        drawTickLadder(eq, left, kSecondRowTop + kFirstTickRow, setting(s.eqForeColour));
    }

    for (int i = 0; i < kEqBandCount; ++i) {
        pass.paste(eq, eqBandAt(i), strip);
        pass.copy(eq, eqThumbOnSlider(eqBandAt(i)), eq, kEqSliderThumb);
    }
    pass.paste(eq, kEqPreampAt, strip);
    pass.copy(eq, eqThumbOnSlider(kEqPreampAt), eq, kEqSliderThumb);
}

void paintPlaylistPreview(SkinDocument& doc) {
    using namespace preview;
    if (doc.state.buttonsOnly) return;
    const SkinState& s = doc.state;
    Image& list = doc.plShow;

    list.fill(kListArea, setting(s.plNormalBgColour));
    list.fill(kSelectedBand, setting(s.plSelectedBgColour));
    list.setFont(std::string(kDefaultPlaylistFont), kFontHeight, setting(s.plNormalColour));

    // Text out fills each cell with the brush, which the band left selected.
    list.textOut(13, 60, doc.text, "4. Selected Song");
    list.setBrush(setting(s.plNormalBgColour), BrushStyle::Solid);
    list.textOut(13, 21, doc.text, "1. Unselected Song");
    list.textOut(13, 47, doc.text, "3. Unselected Song");
    list.setFont(std::string(kDefaultPlaylistFont), kFontHeight, setting(s.plCurrentColour));
    list.textOut(13, 34, doc.text, "2. Current Song");
}

RepaintRoutine repaintRoutineFor(ColourSetting setting) {
    switch (setting) {
    case ColourSetting::winBackColour:
    case ColourSetting::winTextColour: return &applyTextColours;
    case ColourSetting::plNormalBgColour:
    case ColourSetting::plNormalColour:
    case ColourSetting::plCurrentColour:
    case ColourSetting::plSelectedBgColour: return &paintPlaylistPreview;
    case ColourSetting::eqBackColour:
    case ColourSetting::eqForeColour:
    case ColourSetting::eqHighlightColour: return &paintEqSliders;
    }
    throw Error("Unknown colour setting");
}

} // namespace vk::skin
