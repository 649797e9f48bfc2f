// Stage 2 of MakeSkin: the main window's 3D frame and sunken wells, and the
// title-bar sheet cut from the shaded picture. The numbered comments follow
// the order of the operations; later copies see what earlier ones drew.
#include "skin/MainWindowGeometry.h"
#include "skin/MakeSkin.h"
#include "skin/Pass.h"

namespace vk::skin {

namespace {

// How a title button's glyph is made out of the picture: a raised box over the
// whole button, or a raised bar over its top or bottom rows.
enum class Glyph { Box, TopBar, BottomBar };
constexpr int kGlyphBarRows = 3;

struct TitleButton {
    Rect area;  // in mainWindow
    Glyph glyph;
};

constexpr TitleButton kOptions{kTitleButtonLeft, Glyph::Box};
constexpr TitleButton kMinimise{kTitleButtonRight1, Glyph::BottomBar};
constexpr TitleButton kShade{kTitleButtonRight2, Glyph::TopBar};
constexpr TitleButton kClose{kTitleButtonRight3, Glyph::Box};

// The glyph's rectangle inside a box the size of the button: the button itself
// on the picture, or one of its cells in the sheet.
constexpr Rect glyphIn(const TitleButton& button, const Rect& box) {
    switch (button.glyph) {
    case Glyph::TopBar: return topRows(box, kGlyphBarRows);
    case Glyph::BottomBar: return bottomRows(box, kGlyphBarRows);
    case Glyph::Box: break;
    }
    return box;
}

// titleBarImage: the button cells, released ("Up") and pressed ("Down").
constexpr Rect kOptionsUp{0, 0, 9, 9};
constexpr Rect kOptionsDown{0, 9, 9, 18};
constexpr Rect kMinimiseUp{9, 0, 18, 9};
constexpr Rect kMinimiseDown{9, 9, 18, 18};
constexpr Rect kCloseUp{18, 0, 27, 9};
constexpr Rect kCloseDown{18, 9, 27, 18};
constexpr Rect kShadeUp{0, 18, 9, 27};
constexpr Rect kShadeDown{9, 18, 18, 27};
constexpr Rect kUnshadeUp{0, 27, 9, 36};
constexpr Rect kUnshadeDown{9, 27, 18, 36};

// titleBarImage: the strips the player lays over the top of the window.
constexpr Rect kTitleBars[] = {
    {27, 0, 302, 14},   // focused
    {27, 15, 302, 29},  // unfocused
    {27, 58, 302, 72},  // the two spare bars of the sheet
    {27, 73, 302, 87},
};
// The whole window rolled up into one strip, focused and unfocused. They
// share row 42: the outline of the first bar is the top row of the second.
constexpr Rect kShadeBarFocused{27, 29, 302, 43};
constexpr Rect kShadeBar{27, 42, 302, 56};
// The first shade bar is copied one row short, since row 42 belongs to the second.
constexpr int kFirstShadeBarRows = 13;

// titleBarImage: the choices column at rest, twice (normal and disabled)...
constexpr Rect kChoicesAtRestCells[] = {{304, 0, 312, 43}, {312, 0, 320, 43}};
// ...and with its i-th letter pressed, i = 1 ... 5.
constexpr int kChoiceLetters = 5;
constexpr Rect choicesPressedCell(int i) { return {296 + 8 * i, 44, 304 + 8 * i, 87}; }

} // namespace

void mainFrameAndTitleBar(SkinDocument& doc) {
    Pass p(doc);
    Image& main = doc.mainWindow;
    Image& title = doc.t.titleBarImage;

    // 1-4: the title buttons' glyphs, raised out of the picture itself.
    p.raise(main, glyphIn(kOptions, kOptions.area));
    p.raise(main, glyphIn(kClose, kClose.area));
    p.raise(main, glyphIn(kShade, kShade.area));
    p.raise(main, glyphIn(kMinimise, kMinimise.area));

    // 5-6: the shade bars, taken before the window gets its frame.
    p.copy(title, topRows(kShadeBarFocused, kFirstShadeBarRows), main, topRows(kTitleStrip, kFirstShadeBarRows));
    p.copy(title, kShadeBar, main, kTitleStrip);

    // 7-8: the window frame.
    p.sink(main, kInnerRing, When::SinkFrameOnly);
    p.raise(main, kMainWindowArea);

    // 9-14: the wells and grooves.
    p.sink(main, kDisplayPanel);
    p.sink(main, kTextStrip);
    p.sink(main, kLeftReadout);
    p.sink(main, kRightReadout);
    p.sink(main, kVolumeGroove);
    p.sink(main, kBalanceGroove);

    // 15: black outlines round the shade bars.
    p.outline(title, kShadeBarFocused, kBlack, When::NotButtonsOnly);
    p.outline(title, kShadeBar, kBlack, When::NotButtonsOnly);

    // 16: each pressed-letter cell from the unstamped column, stamped right after its copy.
    for (int i = 1; i <= kChoiceLetters; ++i) {
        const Rect cell = choicesPressedCell(i);
        p.copy(title, cell, main, kChoicesColumn);
        p.stamp(title, topLeft(cell), doc.t.choices(i));
    }

    // 17-19: the column at rest, on the window and then in the sheet.
    p.stamp(main, topLeft(kChoicesColumn), doc.t.choices0);
    for (const Rect& cell : kChoicesAtRestCells) p.copy(title, cell, main, kChoicesColumn);

    // 20-24: the pressed button cells, still showing the raised glyphs.
    p.copy(title, kOptionsDown, main, kOptions.area);
    p.copy(title, kMinimiseDown, main, kMinimise.area);
    p.copy(title, kCloseDown, main, kClose.area);
    p.copy(title, kShadeDown, main, kShade.area);
    p.copy(title, kUnshadeDown, main, kShade.area);

    // 25-28: the title bars, now with the frame.
    for (const Rect& bar : kTitleBars) p.copy(title, bar, main, kTitleStrip);

    // 29-33: the released button cells.
    p.copy(title, kOptionsUp, main, kOptions.area);
    p.copy(title, kMinimiseUp, main, kMinimise.area);
    p.copy(title, kShadeUp, main, kShade.area);
    p.copy(title, kUnshadeUp, main, kShade.area);
    p.copy(title, kCloseUp, main, kClose.area);

    // 34-38: press the pressed cells: sink exactly what was raised.
    p.sink(title, glyphIn(kClose, kCloseDown));
    p.sink(title, glyphIn(kOptions, kOptionsDown));
    p.sink(title, glyphIn(kShade, kShadeDown));
    p.sink(title, glyphIn(kShade, kUnshadeDown));
    p.sink(title, glyphIn(kMinimise, kMinimiseDown));
}

} // namespace vk::skin
