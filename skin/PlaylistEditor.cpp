// Stage 6 of MakeSkin: bevels the playlist window plShow, cuts each tile the
// player repeats (corners, fillers, side tiles, shaded bar) into plEdit once,
// then pastes tiles back so plShow previews the finished window. The order
// decides what each tile carries.
#include "format/WindowAreas.h"
#include "skin/MakeSkin.h"
#include "skin/Pass.h"

namespace vk::skin {

namespace {

using namespace format;

// The playlist window, plShow, at the editor's smallest size.
constexpr Size kShow = kPlPreviewSize;
constexpr Rect kPlWindow{0, 0, kShow.width, kShow.height};
constexpr Rect kPlInnerRing = shrunk(kPlWindow, 1);
constexpr Rect kPlCloseButton = placed(plCloseButtonAt(kShow), kPlCloseButtonPressed);
// One column right of where the player draws it.
constexpr Rect kPlShadeButton = placed(offset(plShadeButtonAt(kShow), 1, 0), kPlShadeButtonPressed);
constexpr Rect kPlShadeButtonBar = topRows(kPlShadeButton, kTitleGlyphBarRows);
constexpr Rect kPlTitleLeftCorner = placed({0, 0}, kPlTopLeftCorner);
constexpr Rect kPlTitleFiller = placed({kPlTileWidth, 0}, kPlTopTile);
constexpr Rect kPlTitleCentre = placed(plTitleBarAt(kShow), kPlTitleBar);
constexpr Rect kPlTitleRightCorner = placed(plTopRightCornerAt(kShow), kPlTopRightCorner);
// The shaded bar's pieces come from the top of the window.
constexpr Rect kPlBarLeftEnd = placed({0, 0}, kPlShadeLeft);
constexpr Rect kPlBarMiddle = placed({kPlTileWidth, 0}, kPlShadeTile);
constexpr Rect kPlBarRightEnd = placed({kShow.width - kPlShadeRightActive.width(), 0}, kPlShadeRightActive);
constexpr Rect kPlListWell = grown(plListArea(kShow), 1);
// The side tiles as whole 25-column cells, of which players show the outer columns.
constexpr Rect kLeftSideTileSprite{kPlLeftTile.left, kPlLeftTile.top, kPlLeftTile.left + kPlTileWidth, kPlLeftTile.bottom};
constexpr Rect kRightSideTileSprite{kPlRightTile.right - kPlTileWidth, kPlRightTile.top, kPlRightTile.right, kPlRightTile.bottom};
constexpr Rect sideTileCell(Point at) { return placed(at, kLeftSideTileSprite); }
constexpr Rect kPlLeftSideTile = sideTileCell(plLeftTileAt(1));
constexpr Rect kPlRightSideTile = sideTileCell({kShow.width - kPlTileWidth, plLeftTileAt(1).y});
constexpr Rect kPlLeftSideTileAbove = sideTileCell(plLeftTileAt(0));  // where the player repeats the side tiles
constexpr Rect kPlRightSideTileAbove = sideTileCell({kShow.width - kPlTileWidth, plLeftTileAt(0).y});
constexpr Rect kPlBottomLeftCorner = placed(plBottomLeftCornerAt(kShow), format::kPlBottomLeftCorner);
constexpr Rect kPlBottomRightCorner = placed(plBottomRightCornerAt(kShow), format::kPlBottomRightCorner);
constexpr Rect kPlBottomFiller = placed(plBottomRightCornerAt(kShow), kPlBottomTile);
constexpr Rect kPlVisPiece = placed(plBottomRightCornerAt(kShow), kPlVisualiser);
constexpr Point kPlMenuCaptions{15, 91};
constexpr Point kPlListOptionsCaption{232, 87};
constexpr Point kPlResizeGrip{256, 97};
// The filler as the player repeats it either side of the centre piece.
constexpr int kPlFillerRepeatX[] = {37, 62, 187, 200, 225};
constexpr Rect plFillerRepeat(int x) { return placed({x, 0}, kPlTopTile); }

// plEdit: one row beyond the right tile's
// groove at each end, on gap rows no copy rewrites: each pass shades those
// four pixels once more.
constexpr Rect kRightSideTileGroove{39, 41, 41, 72};
constexpr Rect kShadeButtonBarPressed = topRows(kPlShadeButtonPressed, kTitleGlyphBarRows);
constexpr Point kBarGripActive{121, 45};
constexpr Point kBarGripInactive = offset(kBarGripActive, 0, kPlShadeRightInactive.top - kPlShadeRightActive.top);
constexpr Rect kBarShadeButtonBarPressed = topRows(kPlUnshadeButtonPressed, kTitleGlyphBarRows);
// The second outline starts one column left of the middle tile, so that tile
// gets black top and bottom edges but no black side.
constexpr Rect kBarActiveOutline{kPlShadeLeft.left, kPlShadeLeft.top, kPlShadeRightActive.right, kPlShadeRightActive.bottom};
constexpr Rect kBarInactiveOutline{kPlShadeTile.left - 1, kPlShadeTile.top, kPlShadeRightInactive.right, kPlShadeRightInactive.bottom};

struct TitlePiece {
    Rect sprite;  // in the active row
    Rect source;
};
constexpr TitlePiece kTitlePieces[] = {
    {kPlTopLeftCorner, kPlTitleLeftCorner},
    {kPlTitleBar, kPlTitleCentre},
    {kPlTopRightCorner, kPlTitleRightCorner},
    {kPlTopTile, kPlTitleFiller},
};

} // namespace

void playlistEditor(SkinDocument& doc) {
    Pass pass(doc);
    TemplateSet& t = doc.templates;
    Image& show = doc.plShow;
    Image& pl = t.plEdit;

    // Title buttons, then the shaded-bar pieces, cut before the outer frame.
    pass.raise(show, kPlCloseButton);                                     // 1
    pass.raise(show, kPlShadeButtonBar);                                  // 2
    pass.copy(pl, kPlShadeRightActive, show, kPlBarRightEnd);              // 3
    pass.stamp(pl, kBarGripActive, t.puller);                             // 4
    pass.copy(pl, kPlShadeRightInactive, show, kPlBarRightEnd);            // 5
    pass.stamp(pl, kBarGripInactive, t.puller);                           // 6
    pass.copy(pl, kPlShadeLeft, show, kPlBarLeftEnd);                // 7
    pass.copy(pl, kPlShadeTile, show, kPlBarMiddle);                  // 8

    // Window bevels and captions; the bottom filler and visualisation piece
    // are cut before the display wells, grip and glyphs reach them.
    pass.sink(show, kPlInnerRing, When::SinkFrameOnly);                   // 9
    pass.raise(show, kPlWindow);                                          // 10
    pass.stamp(show, kPlMenuCaptions, t.plButs1);                         // 11
    pass.stamp(show, kPlListOptionsCaption, t.plButs2);                   // 12
    pass.sink(show, kPlListWell);                                         // 13
    pass.copy(pl, kPlBottomTile, show, kPlBottomFiller);            // 14
    pass.copy(pl, kPlVisualiser, show, kPlVisPiece);                    // 15
    pass.sink(pl, kPlVisualiserWell);                                        // 16
    if (pass.applies(When::NotButtonsOnly)) {                             // 17
        pass.sink(show, kPlUpperDisplayWell);
        pass.sink(show, kPlLowerDisplayWell);
        pass.stamp(show, kPlResizeGrip, t.cornerPull);
        pass.paste(show, kPlTransportGlyphsAt, t.plTools);
    }

    // Pressed buttons: the bevelled buttons with a sunken frame over them.
    pass.copy(pl, kPlCloseButtonPressed, show, kPlCloseButton);             // 18
    pass.sink(pl, kPlCloseButtonPressed);                                   // 19
    pass.copy(pl, kPlShadeButtonPressed, show, kPlShadeButton);             // 20
    pass.copy(pl, kPlUnshadeButtonPressed, show, kPlShadeButton);          // 21
    pass.sink(pl, kShadeButtonBarPressed);                                // 22
    pass.sink(pl, kBarShadeButtonBarPressed);                             // 23

    // Title pieces, each into the active row and then the inactive one.
    for (const TitlePiece& piece : kTitlePieces)                          // 24 to 31
        for (int row : {0, kPlInactiveDrop})
            pass.copy(pl, piece.sprite.shifted(0, row), show, piece.source);
    pass.outline(pl, kBarActiveOutline, kBlack, When::NotButtonsOnly);            // 32
    pass.outline(pl, kBarInactiveOutline, kBlack, When::NotButtonsOnly);

    // The preview's title strip and sides, tiled as the player tiles them.
    for (int x : kPlFillerRepeatX)                                        // 33 to 37
        pass.copy(show, plFillerRepeat(x), pl, kPlTopTile);
    pass.copy(pl, kLeftSideTileSprite, show, kPlLeftSideTile);            // 38
    pass.copy(pl, kRightSideTileSprite, show, kPlRightSideTile);          // 39
    pass.sink(pl, kRightSideTileGroove);                                  // 40
    pass.copy(show, kPlRightSideTile, pl, kRightSideTileSprite);          // 41
    pass.copy(show, kPlRightSideTileAbove, pl, kRightSideTileSprite);     // 42
    pass.copy(show, kPlLeftSideTileAbove, pl, kLeftSideTileSprite);       // 43

    // The bottom corners last, so they carry every caption, well and glyph.
    pass.copy(pl, format::kPlBottomLeftCorner, show, kPlBottomLeftCorner);    // 44
    pass.copy(pl, format::kPlBottomRightCorner, show, kPlBottomRightCorner);  // 45
    pass.copy(show, kPlScrollHandleArea, pl, kPlScrollHandle);            // 46
}

} // namespace vk::skin
