// Stage 6 of MakeSkin: bevels the playlist window plShow, cuts each tile the
// player repeats (corners, fillers, side tiles, shaded bar) into plEdit once,
// then pastes tiles back so plShow previews the finished window. The order
// decides what each tile carries.
#include "skin/MakeSkin.h"
#include "skin/Pass.h"
#include "skin/SharedSprites.h"

namespace vk::skin {

namespace {

// The playlist window, plShow.
constexpr Rect kPlWindow{0, 0, 275, 116};
constexpr Rect kPlInnerRing{1, 1, 274, 115};
constexpr Rect kPlCloseButton{264, 3, 273, 12};
constexpr Rect kPlShadeButton{255, 3, 264, 12};
constexpr Rect kPlShadeButtonBar{255, 3, 264, 6};  // the shade button's glyph: its top three rows
constexpr Rect kPlTitleLeftCorner{0, 0, 25, 20};
constexpr Rect kPlTitleFiller{25, 0, 50, 20};
constexpr Rect kPlTitleCentre{87, 0, 187, 20};
constexpr Rect kPlTitleRightCorner{250, 0, 275, 20};
constexpr Rect kPlBarLeftEnd{0, 0, 25, 14};
constexpr Rect kPlBarMiddle{25, 0, 50, 14};
constexpr Rect kPlBarRightEnd{225, 0, 275, 14};
constexpr Rect kPlListWell{11, 19, 256, 79};
constexpr Rect kPlLeftSideTile{0, 49, 25, 78};
constexpr Rect kPlRightSideTile{250, 49, 275, 78};
constexpr Rect kPlLeftSideTileAbove{0, 20, 25, 49};    // where the player repeats the side tiles
constexpr Rect kPlRightSideTileAbove{250, 20, 275, 49};
constexpr Rect kPlBottomLeftCorner{0, 78, 125, 116};
constexpr Rect kPlBottomRightCorner{125, 78, 275, 116};
constexpr Rect kPlBottomFiller{125, 78, 150, 116};
constexpr Rect kPlVisPiece{125, 78, 200, 116};
constexpr Rect kPlUpperDisplayWell{129, 85, 223, 97};
constexpr Rect kPlLowerDisplayWell{129, 99, 223, 111};
constexpr Point kPlMenuCaptions{15, 91};
constexpr Point kPlListOptionsCaption{232, 87};
constexpr Point kPlResizeGrip{256, 97};
constexpr Point kPlTransportGlyphs{130, 100};
// The filler as the player repeats it either side of the centre piece.
constexpr int kPlFillerRepeatX[] = {37, 62, 187, 200, 225};
constexpr Rect plFillerRepeat(int x) { return {x, 0, x + 25, 20}; }

// plEdit: title pieces in the active row, the inactive row 21 rows below.
constexpr Rect kTitleLeftCornerSprite{0, 0, 25, 20};
constexpr Rect kTitleCentreSprite{26, 0, 126, 20};
constexpr Rect kTitleFillerSprite{127, 0, 152, 20};
constexpr Rect kTitleRightCornerSprite{153, 0, 178, 20};
constexpr int kInactiveTitleRow = 21;
constexpr Rect kBottomFillerSprite{179, 0, 204, 38};
constexpr Rect kVisPieceSprite{205, 0, 280, 38};
constexpr Rect kVisWellSprite{205, 6, 280, 29};
constexpr Rect kLeftSideTileSprite{0, 42, 25, 71};
constexpr Rect kRightSideTileSprite{26, 42, 51, 71};
// One row beyond the tile at each end, on gap rows no copy rewrites: each
// pass shades those four pixels once more.
constexpr Rect kRightSideTileGroove{39, 41, 41, 72};
constexpr Rect kCloseButtonPressed{52, 42, 61, 51};
constexpr Rect kShadeButtonPressed{62, 42, 71, 51};
constexpr Rect kShadeButtonBarPressed{62, 42, 71, 45};
constexpr Rect kBarLeftEndSprite{72, 42, 97, 56};
constexpr Rect kBarMiddleSprite{72, 57, 97, 71};
constexpr Rect kBarRightEndActive{99, 42, 149, 56};
constexpr Rect kBarRightEndInactive{99, 57, 149, 71};
constexpr Point kBarGripActive{121, 45};
constexpr Point kBarGripInactive{121, 60};
constexpr Rect kBarShadeButtonPressed{150, 42, 159, 51};
constexpr Rect kBarShadeButtonBarPressed{150, 42, 159, 45};
// The second outline starts one column left of the middle tile, so that tile
// gets black top and bottom edges but no black side.
constexpr Rect kBarActiveOutline{72, 42, 149, 56};
constexpr Rect kBarInactiveOutline{71, 57, 149, 71};
constexpr Rect kBottomLeftCornerSprite{0, 72, 125, 110};
constexpr Rect kBottomRightCornerSprite{126, 72, 276, 110};

struct TitlePiece {
    Rect sprite;  // in the active row
    Rect source;
};
constexpr TitlePiece kTitlePieces[] = {
    {kTitleLeftCornerSprite, kPlTitleLeftCorner},
    {kTitleCentreSprite, kPlTitleCentre},
    {kTitleRightCornerSprite, kPlTitleRightCorner},
    {kTitleFillerSprite, kPlTitleFiller},
};

} // namespace

void playlistEditor(SkinDocument& doc) {
    Pass pass(doc);
    TemplateSet& t = doc.t;
    Image& show = doc.plShow;
    Image& pl = t.plEdit;

    // Title buttons, then the shaded-bar pieces, cut before the outer frame.
    pass.raise(show, kPlCloseButton);                                     // 1
    pass.raise(show, kPlShadeButtonBar);                                  // 2
    pass.copy(pl, kBarRightEndActive, show, kPlBarRightEnd);              // 3
    pass.stamp(pl, kBarGripActive, t.puller);                             // 4
    pass.copy(pl, kBarRightEndInactive, show, kPlBarRightEnd);            // 5
    pass.stamp(pl, kBarGripInactive, t.puller);                           // 6
    pass.copy(pl, kBarLeftEndSprite, show, kPlBarLeftEnd);                // 7
    pass.copy(pl, kBarMiddleSprite, show, kPlBarMiddle);                  // 8

    // Window bevels and captions; the bottom filler and visualisation piece
    // are cut before the display wells, grip and glyphs reach them.
    pass.sink(show, kPlInnerRing, When::SinkFrameOnly);                   // 9
    pass.raise(show, kPlWindow);                                          // 10
    pass.stamp(show, kPlMenuCaptions, t.plButs1);                         // 11
    pass.stamp(show, kPlListOptionsCaption, t.plButs2);                   // 12
    pass.sink(show, kPlListWell);                                         // 13
    pass.copy(pl, kBottomFillerSprite, show, kPlBottomFiller);            // 14
    pass.copy(pl, kVisPieceSprite, show, kPlVisPiece);                    // 15
    pass.sink(pl, kVisWellSprite);                                        // 16
    if (pass.applies(When::NotButtonsOnly)) {                             // 17
        pass.sink(show, kPlUpperDisplayWell);
        pass.sink(show, kPlLowerDisplayWell);
        pass.stamp(show, kPlResizeGrip, t.cornerPull);
        pass.paste(show, kPlTransportGlyphs, t.plTools);
    }

    // Pressed buttons: the bevelled buttons with a sunken frame over them.
    pass.copy(pl, kCloseButtonPressed, show, kPlCloseButton);             // 18
    pass.sink(pl, kCloseButtonPressed);                                   // 19
    pass.copy(pl, kShadeButtonPressed, show, kPlShadeButton);             // 20
    pass.copy(pl, kBarShadeButtonPressed, show, kPlShadeButton);          // 21
    pass.sink(pl, kShadeButtonBarPressed);                                // 22
    pass.sink(pl, kBarShadeButtonBarPressed);                             // 23

    // Title pieces, each into the active row and then the inactive one.
    for (const TitlePiece& piece : kTitlePieces)                          // 24 to 31
        for (int row : {0, kInactiveTitleRow})
            pass.copy(pl, piece.sprite.shifted(0, row), show, piece.source);
    pass.outline(pl, kBarActiveOutline, kBlack, When::NotButtonsOnly);            // 32
    pass.outline(pl, kBarInactiveOutline, kBlack, When::NotButtonsOnly);

    // The preview's title strip and sides, tiled as the player tiles them.
    for (int x : kPlFillerRepeatX)                                        // 33 to 37
        pass.copy(show, plFillerRepeat(x), pl, kTitleFillerSprite);
    pass.copy(pl, kLeftSideTileSprite, show, kPlLeftSideTile);            // 38
    pass.copy(pl, kRightSideTileSprite, show, kPlRightSideTile);          // 39
    pass.sink(pl, kRightSideTileGroove);                                  // 40
    pass.copy(show, kPlRightSideTile, pl, kRightSideTileSprite);          // 41
    pass.copy(show, kPlRightSideTileAbove, pl, kRightSideTileSprite);     // 42
    pass.copy(show, kPlLeftSideTileAbove, pl, kLeftSideTileSprite);       // 43

    // The bottom corners last, so they carry every caption, well and glyph.
    pass.copy(pl, kBottomLeftCornerSprite, show, kPlBottomLeftCorner);    // 44
    pass.copy(pl, kBottomRightCornerSprite, show, kPlBottomRightCorner);  // 45
    pass.copy(show, kPlScrollKnobOnPreview, pl, kPlScrollKnobSprite);            // 46
}

} // namespace vk::skin
