// The player the preview plays, without a window: a button acts only when let
// go over it, sliders follow the pointer, the clock runs the playlist through.
#include "format/MainSprites.h"
#include "player/PlayerModel.h"

#include <gtest/gtest.h>

using namespace vk;
using namespace vk::player;

namespace {
Point middle(const Rect& r) { return {r.left + r.width() / 2, r.top + r.height() / 2}; }
PlayerModel::Hit onMain(Point at) { return {PlayerWindow::Main, at}; }
} // namespace

TEST(PlayerModel, AButtonActsOnlyWhenLetGoOverIt) {
    PlayerModel model;
    const Point stop = middle(format::placed(format::kStopButtonAt, format::kStopButton));
    model.press(onMain(stop));
    EXPECT_EQ(model.state().held, PlayerButton::Stop);
    model.drag(onMain({stop.x, stop.y + 40}));  // slid off: shown up again, and no stop
    EXPECT_EQ(model.state().held, PlayerButton::None);
    EXPECT_FALSE(model.release());
    EXPECT_EQ(model.state().play, PlayState::Playing);
    model.press(onMain(stop));
    EXPECT_FALSE(model.release());
    EXPECT_EQ(model.state().play, PlayState::Stopped);

    model.press(onMain(middle(format::placed(format::kCloseButtonAt, format::kCloseButton))));
    EXPECT_TRUE(model.release()) << "close asks the window to go";
}

TEST(PlayerModel, TheVolumeFollowsThePointerWithinItsRange) {
    PlayerModel model;
    const Rect volume = format::placed(format::kVolumeAt, format::kVolumeFrame0);
    model.press(onMain(middle(volume)));
    model.drag(onMain({volume.left - 30, volume.top}));
    EXPECT_EQ(model.state().volume, 0);
    model.drag(onMain({volume.right + 30, volume.top}));
    EXPECT_EQ(model.state().volume, 100);
    EXPECT_EQ(model.state().held, PlayerButton::Volume);
    model.release();
    EXPECT_EQ(model.state().held, PlayerButton::None);
}

TEST(PlayerModel, TheLastTrackEndsInStopUnlessRepeating) {
    PlayerModel model;
    const int entries = int(model.state().entries.size());
    for (int entry = 0; entry < entries; ++entry) {
        const int ticks = model.state().entries[std::size_t(entry)].seconds * PlayerModel::kFramesPerSecond;
        EXPECT_EQ(model.state().currentEntry, entry);
        for (int i = 0; i < ticks; ++i) model.tick();
    }
    EXPECT_EQ(model.state().currentEntry, 0);
    EXPECT_EQ(model.state().play, PlayState::Stopped);
    EXPECT_EQ(model.state().title.rfind("1. ", 0), 0u);
    EXPECT_NE(model.state().title.find("(3:45)"), std::string::npos) << model.state().title;
}
