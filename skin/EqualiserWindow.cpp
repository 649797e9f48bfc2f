// Stage 5 of MakeSkin: bevels the equaliser window (rows 0-115 of eqMain) and
// cuts its title bars, buttons and captions into eqMain's sprite rows and the
// shaded-mode sheet eqEx. The order decides what each sprite carries: some are
// cut before the bevels or stamps they must not show, others after.
#include "format/WindowAreas.h"
#include "skin/MakeSkin.h"
#include "skin/Pass.h"

namespace vk::skin {

namespace {

using namespace format;

// The equaliser window, in eqMain's top rows.
constexpr Rect kEqInnerRing = shrunk(kEqWindow, 1);
// Shade and close together, from the column left of the shade button.
constexpr Rect kEqTitleButtons{kEqShadeButtonArea.left - 1, kEqShadeButtonArea.top, kEqCloseButtonArea.right,
                               kEqCloseButtonArea.bottom};
constexpr Rect kEqShadeButtonBar = topRows(kEqShadeButtonArea, kTitleGlyphBarRows);
constexpr Rect kEqPreampWell = eqSliderWell(kEqPreampAt);

// eqEx: the equaliser rolled up to a bar; both title buttons in one strip,
// released, and pressed a strip below.
constexpr Rect kExButtonsReleased{0, kEqShadeButtonPressed.top, kEqShadeCloseButton.right, kEqShadeButtonPressed.bottom};
constexpr Rect kExButtonsPressed = below(kExButtonsReleased, kExButtonsReleased.height());
constexpr Rect kExShadeButtonBarPressed = topRows(kEqUnshadeButtonPressed, kTitleGlyphBarRows);

// eqMain's ON and AUTO sprites, both buttons as one, four groups side by side.
constexpr Rect onAutoSprite(bool on, bool pressed) {
    const Rect off = eqButtonState(kEqOnButton, on, pressed);
    return {off.left, off.top, eqButtonState(kEqAutoButton, on, pressed).right, off.bottom};
}
constexpr Rect kOffManualReleased = onAutoSprite(false, false);
constexpr Rect kOnAutoReleased = onAutoSprite(true, false);
constexpr Rect kOffManualPressed = onAutoSprite(false, true);
constexpr Rect kOnAutoPressed = onAutoSprite(true, true);
// The three copied before their stamps, in the order they are copied.
constexpr Rect kOnAutoCopies[] = {kOnAutoReleased, kOffManualPressed, kOnAutoPressed};

} // namespace

void equaliserWindow(SkinDocument& doc) {
    Pass pass(doc);
    TemplateSet& t = doc.templates;
    Image& eq = t.eqMain;
    Image& ex = t.eqEx;

    // Shaded-mode buttons and bars: the pressed buttons come from the window
    // before its buttons are raised, the bars before its outer frame.
    pass.copy(ex, kExButtonsPressed, eq, kEqTitleButtons);      // 1
    pass.sink(ex, kEqShadeCloseButtonPressed);                       // 2
    pass.sink(ex, kExShadeButtonBarPressed);                    // 3
    pass.raise(eq, kEqCloseButtonArea);                             // 4
    pass.raise(eq, kEqShadeButtonBar);                          // 5
    pass.copy(ex, kEqShadeBarActive, eq, kTitleStrip);             // 6
    pass.copy(ex, kEqShadeBarInactive, ex, kEqShadeBarActive);            // 7
    pass.outline(ex, kEqShadeBarActive, kBlack, When::NotButtonsOnly);       // 8
    pass.outline(ex, kEqShadeBarInactive, kBlack, When::NotButtonsOnly);
    pass.copy(ex, kExButtonsReleased, eq, kEqTitleButtons);     // 9

    // Window bevels.
    pass.sink(eq, kEqInnerRing, When::SinkFrameOnly);           // 10
    pass.raise(eq, kEqWindow);                                  // 11
    pass.sink(eq, kEqPreampWell);                               // 12
    for (int i = 0; i < kEqBandCount; ++i)                      // 13
        pass.sink(eq, eqSliderWell(eqBandAt(i)));

    // Sprite rows. The graph is the one copy that scales: 114 columns onto
    // 113, the dropped one AND-merged into its neighbour by the canvas copy.
    pass.shrinkByOneColumn(eq, kEqGraphSprite, eq, kEqGraphArea);  // 14
    pass.copy(eq, kEqCloseButtonPressed, eq, kEqCloseButtonArea);     // 15
    pass.sink(eq, kEqCloseButtonPressed);                         // 16
    pass.copy(eq, kEqCloseButton, eq, kEqCloseButtonArea);    // 17
    pass.copy(eq, kEqTitleBarActive, eq, kTitleStrip);          // 18
    pass.copy(eq, kEqTitleBarInactive, eq, kTitleStrip);        // 19

    // Captions: a pressed sprite is cut from the unstamped button and stamped
    // in place; a released one is cut after the window's button is stamped.
    pass.copy(eq, kEqPresetsButtonPressed, eq, kEqPresetsButtonArea);       // 20
    pass.stamp(eq, topLeft(kEqPresetsButtonArea), t.presetUp);      // 21
    pass.copy(eq, kEqPresetsButton, eq, kEqPresetsButtonArea);      // 22
    pass.stamp(eq, topLeft(kEqPresetsButtonPressed), t.presetDown);     // 23
    for (const Rect& sprite : kOnAutoCopies)                    // 24
        pass.copy(eq, sprite, eq, kEqOnAutoArea);
    pass.stamp(eq, topLeft(kOnAutoReleased), t.onAutoUp);       // 25
    pass.stamp(eq, topLeft(kOnAutoPressed), t.onAutoDown);      // 26
    pass.stamp(eq, topLeft(kOffManualPressed), t.offManDown);   // 27
    pass.stamp(eq, topLeft(kEqOnAutoArea), t.offManUp);         // 28
    pass.copy(eq, kOffManualReleased, eq, kEqOnAutoArea);       // 29
}

} // namespace vk::skin
