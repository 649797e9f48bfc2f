// Stage 4 of MakeSkin: the shuffle/repeat sheet with the EQ and PL toggles,
// the transport button sheet, and the two slider knobs on the window picture.
// Every button is cut twice from its area: pressed before its released art is
// stamped onto the picture, released after.
#include "format/WindowAreas.h"
#include "skin/MakeSkin.h"
#include "skin/Pass.h"

#include <optional>
#include <span>

namespace vk::skin {

namespace {

using namespace format;

using Stamp = Image TemplateSet::*;

struct Button {
    Rect area;  // in mainWindow
    // Repeat and shuffle cut their released cells one row short of the area.
    bool releasedLosesBottomRow;
    Stamp pressedStamp;
    std::span<const Rect> pressedCells;
    // Null when another button's stamp carries this one's released art.
    Stamp releasedStamp;
    std::span<const Rect> releasedCells;  // in the order they are copied
    // The released cell that gets the released stamp a second time.
    std::optional<Rect> stampedTwice;

    constexpr Rect releasedSource() const {
        return releasedLosesBottomRow ? Rect{area.left, area.top, area.right, area.bottom - 1} : area;
    }
};

// shufrep: the pressed cells are cut a row taller than the sprites, the
// released ones at the sprites' own size.
constexpr Rect pressedCell(const Rect& sprite) { return tallerBy(sprite, 1); }
constexpr Rect kRepeatPressed[] = {pressedCell(toggleState(kRepeatButton, false, true)), pressedCell(toggleState(kRepeatButton, true, true))};
constexpr Rect kRepeatReleased[] = {toggleState(kRepeatButton, true, false), kRepeatButton};
constexpr Rect kShufflePressed[] = {pressedCell(toggleState(kShuffleButton, false, true)), pressedCell(toggleState(kShuffleButton, true, true))};
constexpr Rect kShuffleReleased[] = {kShuffleButton, toggleState(kShuffleButton, true, false)};
constexpr Rect kEqPressed[] = {windowToggleState(kEqToggle, false, true), windowToggleState(kEqToggle, true, true)};
constexpr Rect kEqReleased[] = {kEqToggle, windowToggleState(kEqToggle, true, false)};
constexpr Rect kPlPressed[] = {windowToggleState(kPlToggle, false, true), windowToggleState(kPlToggle, true, true)};
constexpr Rect kPlReleased[] = {kPlToggle, windowToggleState(kPlToggle, true, false)};
// cButtons: the five transport buttons as one strip, then eject.
constexpr Rect kTransportStrip{kPreviousButton.left, kPreviousButton.top, kNextButton.right, kNextButton.bottom};
constexpr Rect kTransportPressed[] = {below(kTransportStrip, kTransportPressedDrop)};
constexpr Rect kTransportReleased[] = {kTransportStrip};
constexpr Rect kLoadPressed[] = {kEjectButtonPressed};
constexpr Rect kLoadReleased[] = {kEjectButton};

using T = TemplateSet;
// Each first line is the pressed side of the button, each second line the released side.
const Button kRepeat{kRepeatButtonArea, true, &T::repDown, kRepeatPressed,
                     &T::repUpBut, kRepeatReleased, kRepeatReleased[0]};
const Button kShuffle{kShuffleButtonArea, true, &T::shuffleDown, kShufflePressed,
                      &T::shuffleUpBut, kShuffleReleased, kShuffleReleased[1]};
const Button kEq{kEqToggleArea, false, &T::eqButDown, kEqPressed,
                 &T::eqUpBut, kEqReleased, std::nullopt};
const Button kPl{kPlToggleArea, false, &T::plButDown, kPlPressed,
                 &T::plUpBut, kPlReleased, std::nullopt};
// The released art of these two comes from the one stamp `buts`.
const Button kTransport{kTransportButtonsArea, false, &T::downButs, kTransportPressed,
                        nullptr, kTransportReleased, std::nullopt};
const Button kLoad{kEjectButtonArea, false, &T::loadDown, kLoadPressed,
                   nullptr, kLoadReleased, std::nullopt};

const Button* const kToggles[] = {&kRepeat, &kShuffle, &kEq, &kPl};

// Copy the bare area into each pressed cell, then stamp each.
void cutPressed(Pass& pass, Image& sheet, const Button& b) {
    for (const Rect& cell : b.pressedCells) pass.copy(sheet, cell, pass.doc.mainWindow, b.area);
    for (const Rect& cell : b.pressedCells) pass.stamp(sheet, topLeft(cell), pass.templates.*b.pressedStamp);
}

void stampReleasedArt(Pass& pass, const Button& b) {
    if (b.releasedStamp) pass.stamp(pass.doc.mainWindow, topLeft(b.area), pass.templates.*b.releasedStamp);
}

// Copy the stamped area into each released cell.
void cutReleased(Pass& pass, Image& sheet, const Button& b) {
    for (const Rect& cell : b.releasedCells) pass.copy(sheet, cell, pass.doc.mainWindow, b.releasedSource());
    if (b.stampedTwice) pass.stamp(sheet, topLeft(*b.stampedTwice), pass.templates.*b.releasedStamp);
}

} // namespace

void buttonSheets(SkinDocument& doc) {
    Pass pass(doc);
    Image& main = doc.mainWindow;
    TemplateSet& t = doc.templates;

    // 1-16: the toggles' pressed cells, from the picture without button art.
    for (const Button* b : kToggles) cutPressed(pass, t.shufrep, *b);

    // 17-30: each toggle's released art on the picture, then its released cells.
    for (const Button* b : kToggles) {
        stampReleasedArt(pass, *b);
        cutReleased(pass, t.shufrep, *b);
    }

    // 31-34: load and transport, pressed.
    cutPressed(pass, t.cButtons, kLoad);
    cutPressed(pass, t.cButtons, kTransport);

    // 35-37: one stamp for all six control buttons, then both released cells.
    pass.stamp(main, topLeft(kTransportButtonsArea), t.buts);
    cutReleased(pass, t.cButtons, kTransport);
    cutReleased(pass, t.cButtons, kLoad);

    // 38-39: the knobs go on the picture only; the slider sheets are already cut.
    pass.paste(main, kVolumeKnobAt, t.volBut);
    pass.paste(main, kBalanceKnobAt, t.volBut);
}

} // namespace vk::skin
