// Stage 2 of MakeSkin: the main window's 3D frame and sunken wells, and the
// title-bar sheet cut from the shaded picture. The numbered comments follow
// the order of the operations; later copies see what earlier ones drew.
#include "format/WindowAreas.h"
#include "skin/MakeSkin.h"
#include "skin/Pass.h"

namespace vk::skin {

namespace {

using namespace format;

// How a title button's glyph is made out of the picture: a raised box over the
// whole button, or a raised bar over its top or bottom rows.
enum class Glyph { Box, TopBar, BottomBar };

struct TitleButton {
    Rect area;  // in mainWindow
    Glyph glyph;
};

constexpr TitleButton kOptions{kOptionsButtonArea, Glyph::Box};
constexpr TitleButton kMinimise{kMinimiseButtonArea, Glyph::BottomBar};
constexpr TitleButton kShade{kShadeButtonArea, Glyph::TopBar};
constexpr TitleButton kClose{kCloseButtonArea, Glyph::Box};

// The glyph's rectangle inside a box the size of the button: the button itself
// on the picture, or one of its cells in the sheet.
constexpr Rect glyphIn(const TitleButton& button, const Rect& box) {
    switch (button.glyph) {
    case Glyph::TopBar: return topRows(box, kTitleGlyphBarRows);
    case Glyph::BottomBar: return bottomRows(box, kTitleGlyphBarRows);
    case Glyph::Box: break;
    }
    return box;
}

// titleBarImage: the strips the player lays over the top of the window, and
// the sheet's two spare bars, a row below the players' easter-egg bars.
constexpr Rect kTitleBars[] = {kTitleBarActive, kTitleBarInactive, below(kTitleBarActive, 58), below(kTitleBarActive, 73)};
// The whole window rolled up into one strip. The two share a row: the outline
// of the first bar is the top row of the second, so the first is copied one row short.
constexpr int kFirstShadeBarRows = kShadeBarActive.height() - 1;

// The choices column with its i-th letter pressed, i = 1 ... 5.
constexpr Rect choicesPressedCell(int i) { return below(rightOf(kClutterBar, kClutterBar.width() * (i - 1)), kClutterPressedDrop); }
// ...and at rest, twice (normal and disabled).
constexpr Rect kChoicesAtRestCells[] = {kClutterBar, kClutterBarDisabled};

} // namespace

void mainFrameAndTitleBar(SkinDocument& doc) {
    Pass pass(doc);
    Image& main = doc.mainWindow;
    Image& title = doc.templates.titleBarImage;

    // 1-4: the title buttons' glyphs, raised out of the picture itself.
    pass.raise(main, glyphIn(kOptions, kOptions.area));
    pass.raise(main, glyphIn(kClose, kClose.area));
    pass.raise(main, glyphIn(kShade, kShade.area));
    pass.raise(main, glyphIn(kMinimise, kMinimise.area));

    // 5-6: the shade bars, taken before the window gets its frame.
    pass.copy(title, topRows(kShadeBarActive, kFirstShadeBarRows), main, topRows(kTitleStrip, kFirstShadeBarRows));
    pass.copy(title, kShadeBarInactive, main, kTitleStrip);

    // 7-8: the window frame.
    pass.sink(main, kInnerRing, When::SinkFrameOnly);
    pass.raise(main, kMainWindow);

    // 9-14: the wells and grooves.
    pass.sink(main, kDisplayPanelArea);
    pass.sink(main, kSongTitleWell);
    pass.sink(main, kKbpsWell);
    pass.sink(main, kKhzWell);
    pass.sink(main, kVolumeGroove);
    pass.sink(main, kBalanceGroove);

    // 15: black outlines round the shade bars.
    pass.outline(title, kShadeBarActive, kBlack, When::NotButtonsOnly);
    pass.outline(title, kShadeBarInactive, kBlack, When::NotButtonsOnly);

    // 16: each pressed-letter cell from the unstamped column, stamped right after its copy.
    for (int i = 1; i <= kClutterLetterCount; ++i) {
        const Rect cell = choicesPressedCell(i);
        pass.copy(title, cell, main, kClutterBarArea);
        pass.stamp(title, topLeft(cell), doc.templates.choices(i));
    }

    // 17-19: the column at rest, on the window and then in the sheet.
    pass.stamp(main, topLeft(kClutterBarArea), doc.templates.choices0);
    for (const Rect& cell : kChoicesAtRestCells) pass.copy(title, cell, main, kClutterBarArea);

    // 20-24: the pressed button cells, still showing the raised glyphs.
    pass.copy(title, kOptionsButtonPressed, main, kOptions.area);
    pass.copy(title, kMinimiseButtonPressed, main, kMinimise.area);
    pass.copy(title, kCloseButtonPressed, main, kClose.area);
    pass.copy(title, kShadeButtonPressed, main, kShade.area);
    pass.copy(title, kUnshadeButtonPressed, main, kShade.area);

    // 25-28: the title bars, now with the frame.
    for (const Rect& bar : kTitleBars) pass.copy(title, bar, main, kTitleStrip);

    // 29-33: the released button cells.
    pass.copy(title, kOptionsButton, main, kOptions.area);
    pass.copy(title, kMinimiseButton, main, kMinimise.area);
    pass.copy(title, kShadeButton, main, kShade.area);
    pass.copy(title, kUnshadeButton, main, kShade.area);
    pass.copy(title, kCloseButton, main, kClose.area);

    // 34-38: press the pressed cells: sink exactly what was raised.
    pass.sink(title, glyphIn(kClose, kCloseButtonPressed));
    pass.sink(title, glyphIn(kOptions, kOptionsButtonPressed));
    pass.sink(title, glyphIn(kShade, kShadeButtonPressed));
    pass.sink(title, glyphIn(kShade, kUnshadeButtonPressed));
    pass.sink(title, glyphIn(kMinimise, kMinimiseButtonPressed));
}

} // namespace vk::skin
