// Stage 5 of MakeSkin: bevels the equaliser window (rows 0-115 of eqMain) and
// cuts its title bars, buttons and captions into eqMain's sprite rows and the
// shaded-mode sheet eqEx. The order decides what each sprite carries: some are
// cut before the bevels or stamps they must not show, others after.
#include "skin/MakeSkin.h"
#include "skin/Pass.h"

namespace vk::skin {

namespace {

// The equaliser window, in eqMain's top 116 rows.
constexpr Rect kEqWindow{0, 0, 275, 116};
constexpr Rect kEqInnerRing{1, 1, 274, 115};
constexpr Rect kEqTitleStrip{0, 0, 275, 14};
constexpr Rect kEqTitleButtons{253, 3, 273, 12};   // shade (254-262) and close (264-272) together
constexpr Rect kEqCloseButton{264, 3, 273, 12};
constexpr Rect kEqShadeButtonBar{254, 3, 263, 6};  // the shade button's glyph: its top three rows
constexpr Rect kEqOnAutoPair{14, 18, 72, 30};
constexpr Rect kEqPresetsButton{217, 18, 261, 30};
constexpr Rect kEqResponseGraph{86, 17, 200, 37};  // 114 columns
constexpr Rect kEqPreampWell{20, 37, 36, 102};
constexpr int kEqBands = 10;
constexpr Rect eqSliderWell(int i) { return {77 + 18 * i, 37, 93 + 18 * i, 102}; }

// eqEx: the equaliser rolled up to a bar.
constexpr Rect kExBarActive{0, 0, 275, 14};
constexpr Rect kExBarInactive{0, 15, 275, 29};
constexpr Rect kExButtonsReleased{0, 38, 20, 47};
constexpr Rect kExButtonsPressed{0, 47, 20, 56};
constexpr Rect kExCloseButtonPressed{11, 47, 20, 56};
constexpr Rect kExShadeButtonBarPressed{1, 47, 10, 50};

// eqMain's sprite rows.
constexpr Rect kCloseButtonReleased{0, 116, 9, 125};
constexpr Rect kCloseButtonPressed{0, 125, 9, 134};
constexpr Rect kTitleBarActive{0, 134, 275, 148};
constexpr Rect kTitleBarInactive{0, 149, 275, 163};
constexpr Rect kPresetsReleased{224, 164, 268, 176};
constexpr Rect kPresetsPressed{224, 176, 268, 188};
constexpr Rect kResponseGraphSprite{0, 294, 113, 314};  // 113 columns: one fewer than the graph
constexpr Rect kOffManualReleased{10, 119, 68, 131};
// The other three on/auto sprites side by side, 59 pixels apart.
constexpr int kOnAutoCopies = 3;
constexpr Rect onAutoSprite(int i) { return {69 + 59 * i, 119, 127 + 59 * i, 131}; }
constexpr Rect kOnAutoReleased = onAutoSprite(0);
constexpr Rect kOffManualPressed = onAutoSprite(1);
constexpr Rect kOnAutoPressed = onAutoSprite(2);

} // namespace

void equaliserWindow(SkinDocument& doc) {
    Pass pass(doc);
    TemplateSet& t = doc.t;
    Image& eq = t.eqMain;
    Image& ex = t.eqEx;

    // Shaded-mode buttons and bars: the pressed buttons come from the window
    // before its buttons are raised, the bars before its outer frame.
    pass.copy(ex, kExButtonsPressed, eq, kEqTitleButtons);      // 1
    pass.sink(ex, kExCloseButtonPressed);                       // 2
    pass.sink(ex, kExShadeButtonBarPressed);                    // 3
    pass.raise(eq, kEqCloseButton);                             // 4
    pass.raise(eq, kEqShadeButtonBar);                          // 5
    pass.copy(ex, kExBarActive, eq, kEqTitleStrip);             // 6
    pass.copy(ex, kExBarInactive, ex, kExBarActive);            // 7
    pass.outline(ex, kExBarActive, kBlack, When::NotButtonsOnly);       // 8
    pass.outline(ex, kExBarInactive, kBlack, When::NotButtonsOnly);
    pass.copy(ex, kExButtonsReleased, eq, kEqTitleButtons);     // 9

    // Window bevels.
    pass.sink(eq, kEqInnerRing, When::SinkFrameOnly);           // 10
    pass.raise(eq, kEqWindow);                                  // 11
    pass.sink(eq, kEqPreampWell);                               // 12
    for (int i = 0; i < kEqBands; ++i)                          // 13
        pass.sink(eq, eqSliderWell(i));

    // Sprite rows. The graph is the one copy that scales: 114 columns onto
    // 113, the dropped one AND-merged into its neighbour by the canvas copy.
    pass.shrinkByOneColumn(eq, kResponseGraphSprite, eq, kEqResponseGraph);  // 14
    pass.copy(eq, kCloseButtonPressed, eq, kEqCloseButton);     // 15
    pass.sink(eq, kCloseButtonPressed);                         // 16
    pass.copy(eq, kCloseButtonReleased, eq, kEqCloseButton);    // 17
    pass.copy(eq, kTitleBarActive, eq, kEqTitleStrip);          // 18
    pass.copy(eq, kTitleBarInactive, eq, kEqTitleStrip);        // 19

    // Captions: a pressed sprite is cut from the unstamped button and stamped
    // in place; a released one is cut after the window's button is stamped.
    pass.copy(eq, kPresetsPressed, eq, kEqPresetsButton);       // 20
    pass.stamp(eq, topLeft(kEqPresetsButton), t.presetUp);      // 21
    pass.copy(eq, kPresetsReleased, eq, kEqPresetsButton);      // 22
    pass.stamp(eq, topLeft(kPresetsPressed), t.presetDown);     // 23
    for (int i = 0; i < kOnAutoCopies; ++i)                     // 24
        pass.copy(eq, onAutoSprite(i), eq, kEqOnAutoPair);
    pass.stamp(eq, topLeft(kOnAutoReleased), t.onAutoUp);       // 25
    pass.stamp(eq, topLeft(kOnAutoPressed), t.onAutoDown);      // 26
    pass.stamp(eq, topLeft(kOffManualPressed), t.offManDown);   // 27
    pass.stamp(eq, topLeft(kEqOnAutoPair), t.offManUp);         // 28
    pass.copy(eq, kOffManualReleased, eq, kEqOnAutoPair);       // 29
}

} // namespace vk::skin
