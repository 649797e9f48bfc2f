// The player preview opened from the View menu: it shows the document's skin as
// the renderer draws it, follows the document, presses, drags and animates.
#include "app/qt/QtImage.h"
#include "app/qt/QtTextRasteriser.h"
#include "app/window/PlayerPreview.h"
#include "app/window/SkinnerMainForm.h"
#include "tests/app/WorkbenchAccess.h"
#include "format/EqSprites.h"
#include "format/MainSprites.h"
#include "format/PlaylistSprites.h"
#include "output/SkinWriter.h"
#include "tests/window/ScriptedDialogs.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace vk;
using namespace vk::format;
using player::PlayerWindow;
using vk::testing::ScriptedDialogs;

namespace {

// The sprite's pixels where the frame shows it (a 1x frame).
::testing::AssertionResult showsSprite(const Image& frame, QPoint at, const Image& sheet, const Rect& sprite) {
    for (int y = 0; y < sprite.height(); ++y)
        for (int x = 0; x < sprite.width(); ++x)
            if (frame.pixel(at.x() + x, at.y() + y) != sheet.pixel(sprite.left + x, sprite.top + y))
                return ::testing::AssertionFailure() << "sprite pixel (" << x << ", " << y << ") differs";
    return ::testing::AssertionSuccess();
}

bool same(const Image& a, const Image& b) {
    return a.width() == b.width() && a.height() == b.height() && a.pixels() == b.pixels();
}

class PlayerPreviewTest : public ::testing::Test {
protected:
    PlayerPreviewTest() {
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        form = std::make_unique<SkinnerMainForm>(std::move(scripted));
        form->show();
        form->findChild<QPushButton*>("MakeSkin")->click();
        QAction* open = form->findChild<QAction*>("PlayerPreview1");
        EXPECT_NE(open, nullptr);
        if (open) open->trigger();
        preview = form->playerPreview();
    }

    // What the renderer draws for the preview's state from the document as written.
    Image expected() {
        return player::renderPlayer(player::skinFromFiles(skinFiles(docOf(form->bench()))), preview->state(), preview->windows(), 1, qtTextRasteriser());
    }
    QPoint centre(PlayerWindow window, const Rect& area) {
        return preview->framePoint(window, {area.left + area.width() / 2, area.top + area.height() / 2});
    }

    ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<SkinnerMainForm> form;
    PlayerPreview* preview = nullptr;
};

TEST_F(PlayerPreviewTest, OpensBesideTheWindowShowingTheMadeSkinAsTheRendererDrawsIt) {
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(form->findChild<QAction*>("PlayerPreview1")->text(), "&Player Preview");
    EXPECT_TRUE(preview->isVisible());
    EXPECT_TRUE(preview->isWindow());
    EXPECT_FALSE(preview->isModal());
    EXPECT_GE(preview->x(), form->frameGeometry().right());
    EXPECT_TRUE(same(preview->frame(), expected()));
    // Painted pixel for pixel.
    EXPECT_EQ(preview->grab().toImage().convertToFormat(QImage::Format_RGB32), toQImage(preview->frame()));
    // 2x is the player's double size (the playlist editor keeps its size); 1x puts it back.
    const Image one = preview->frame();
    const int playlistHeight = snappedPlaylistSize(preview->state().playlistSize).height;
    preview->findChild<QAction*>("PreviewZoom2")->trigger();
    EXPECT_TRUE(same(preview->frame(), expected()));
    EXPECT_EQ(preview->frame().width(), 2 * one.width());
    EXPECT_EQ(preview->size(), QSize(2 * one.width(), 2 * (one.height() - playlistHeight) + playlistHeight));
    QTest::mouseClick(preview, Qt::LeftButton, {}, centre(PlayerWindow::Main, placed(kRepeatButtonAt, kRepeatButton)));
    EXPECT_TRUE(preview->state().repeat);
    // On a display at twice the scale every frame pixel is a whole 2 x 2 square.
    QImage device(2 * preview->width(), 2 * preview->height(), QImage::Format_RGB32);
    device.setDevicePixelRatio(2);
    preview->render(&device);
    device.setDevicePixelRatio(1);
    EXPECT_EQ(device, toQImage(preview->frame()).scaled(device.size()));
    preview->findChild<QAction*>("PreviewZoom1")->trigger();
    EXPECT_EQ(preview->size(), QSize(one.width(), one.height()));
    EXPECT_TRUE(same(preview->frame(), expected()));
}

TEST_F(PlayerPreviewTest, FollowsColourChangesAndUndo) {
    ASSERT_NE(preview, nullptr);
    const Size plSize = snappedPlaylistSize(preview->state().playlistSize);
    const Rect list = plListArea(plSize);
    const QPoint below = preview->framePoint(PlayerWindow::Playlist, {list.left, list.bottom - 1});  // under the last entry
    const TColor red = rgb(255, 0, 0);
    ASSERT_NE(preview->frame().pixel(below.x(), below.y()), red);
    dialogs->colours = {red};
    form->findChild<QPushButton*>("colBut")->click();
    form->findChild<QPushButton*>("Button4")->click();  // Normal Background
    EXPECT_EQ(preview->frame().pixel(below.x(), below.y()), red);
    EXPECT_TRUE(same(preview->frame(), expected()));

    // Undo: the canvases' sheets as they now are, the colours kept.
    const Image made = preview->frame();
    form->findChild<QPushButton*>("Revert")->click();
    EXPECT_FALSE(same(preview->frame(), made));
    EXPECT_TRUE(same(preview->frame(), expected()));
}

TEST_F(PlayerPreviewTest, PlayShowsItsPressedSpriteWhileHeld) {
    ASSERT_NE(preview, nullptr);
    const Image& buttons = preview->skin().sheet(Sheet::CButtons);
    const QPoint at = preview->framePoint(PlayerWindow::Main, kPlayButtonAt);
    const QPoint middle = centre(PlayerWindow::Main, placed(kPlayButtonAt, kPlayButton));
    EXPECT_TRUE(showsSprite(preview->frame(), at, buttons, kPlayButton));
    QTest::mousePress(preview, Qt::LeftButton, {}, middle);
    EXPECT_EQ(preview->state().held, player::PlayerButton::Play);
    EXPECT_TRUE(showsSprite(preview->frame(), at, buttons, kPlayButtonPressed));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, middle);
    EXPECT_TRUE(showsSprite(preview->frame(), at, buttons, kPlayButton));

    // Shuffle toggles on its release; the held sprite is the lit, pressed one.
    QTest::mouseClick(preview, Qt::LeftButton, {}, centre(PlayerWindow::Main, placed(kShuffleButtonAt, kShuffleButton)));
    EXPECT_TRUE(preview->state().shuffle);
    EXPECT_TRUE(showsSprite(preview->frame(), preview->framePoint(PlayerWindow::Main, kShuffleButtonAt),
                            preview->skin().sheet(Sheet::ShufRep), toggleState(kShuffleButton, true, false)));
}

TEST_F(PlayerPreviewTest, DraggingTheVolumeAndABandChangesTheirValuesAndFrames) {
    ASSERT_NE(preview, nullptr);
    const Rect slider = placed(kVolumeAt, kVolumeFrame0);
    const QPoint start = centre(PlayerWindow::Main, slider);
    QTest::mousePress(preview, Qt::LeftButton, {}, start);
    QTest::mouseMove(preview, preview->framePoint(PlayerWindow::Main, {slider.left - 20, slider.top}));
    EXPECT_EQ(preview->state().volume, 0);
    const QPoint right = preview->framePoint(PlayerWindow::Main, {slider.right - 1, slider.top});  // right of the thumb
    const Rect empty = volumeFrame(volumeFrameFor(0));
    EXPECT_TRUE(showsSprite(preview->frame(), right, preview->skin().sheet(Sheet::Volume), xywh(empty.right - 1, empty.top, 1, empty.height())));
    QTest::mouseMove(preview, preview->framePoint(PlayerWindow::Main, {slider.right + 20, slider.top}));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, preview->framePoint(PlayerWindow::Main, {slider.right + 20, slider.top}));
    EXPECT_EQ(preview->state().volume, 100);
    const QPoint left = preview->framePoint(PlayerWindow::Main, kVolumeAt);  // left of the thumb now
    const Rect full = volumeFrame(volumeFrameFor(100));
    EXPECT_TRUE(showsSprite(preview->frame(), left, preview->skin().sheet(Sheet::Volume), xywh(full.left, full.top, 1, full.height())));
    EXPECT_EQ(preview->state().held, player::PlayerButton::None);
    EXPECT_TRUE(same(preview->frame(), expected()));

    // An equaliser band dragged to its top: +12 dB, its bar frame and the graph follow.
    const Rect band = placed(eqBandAt(0), kEqSliderFrame0);
    const Image flat = preview->frame();
    QTest::mousePress(preview, Qt::LeftButton, {}, centre(PlayerWindow::Equaliser, band));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, preview->framePoint(PlayerWindow::Equaliser, {band.left, band.top - 20}));
    EXPECT_EQ(preview->state().bands[0], 100);
    EXPECT_FALSE(same(preview->frame(), flat));
    EXPECT_TRUE(same(preview->frame(), expected()));
}

TEST_F(PlayerPreviewTest, ClickingATitleBarSwitchesItsFocus) {
    ASSERT_NE(preview, nullptr);
    const Image& titleBar = preview->skin().sheet(Sheet::TitleBar);
    const QPoint strip = preview->framePoint(PlayerWindow::Main, {0, 0});
    const QPoint inBar = preview->framePoint(PlayerWindow::Main, {kSongTitleAt.x, kTitleBarHeight / 2});
    EXPECT_TRUE(showsSprite(preview->frame(), strip, titleBar, kTitleBarActive));
    QTest::mouseClick(preview, Qt::LeftButton, {}, inBar);
    EXPECT_FALSE(preview->state().anyFocused);
    EXPECT_TRUE(showsSprite(preview->frame(), strip, titleBar, kTitleBarInactive));
    QTest::mouseClick(preview, Qt::LeftButton, {}, inBar);
    EXPECT_TRUE(showsSprite(preview->frame(), strip, titleBar, kTitleBarActive));
}

TEST_F(PlayerPreviewTest, AnimatesWhileShownAndNothingRunsWhileHidden) {
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->animating());
    const Image before = preview->frame();
    const int seconds = preview->state().seconds;
    for (int i = 0; i < PlayerPreview::kFramesPerSecond; ++i) preview->tick();
    EXPECT_EQ(preview->state().seconds, seconds + 1);
    EXPECT_FALSE(same(preview->frame(), before));
    EXPECT_TRUE(same(preview->frame(), expected()));

    preview->hide();
    EXPECT_FALSE(preview->animating());
    const int frames = preview->frames(), builds = preview->skinBuilds();
    dialogs->colours = {rgb(255, 0, 0)};
    form->findChild<QPushButton*>("colBut")->click();
    form->findChild<QPushButton*>("Button4")->click();
    QTest::qWait(4 * PlayerPreview::kFrameInterval);
    EXPECT_EQ(preview->frames(), frames);
    EXPECT_EQ(preview->skinBuilds(), builds);
    // Shown again, it catches up with the document at once.
    form->findChild<QAction*>("PlayerPreview1")->trigger();
    EXPECT_TRUE(preview->animating());
    EXPECT_EQ(preview->skinBuilds(), builds + 1);
    EXPECT_TRUE(same(preview->frame(), expected()));
}

TEST_F(PlayerPreviewTest, AnswersThePlayersKeysAndPassesTheMainWindowsOnes) {
    int quits = 0;
    form->quit = [&] { ++quits; };
    preview->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(preview));
    auto key = [&](Qt::Key k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(preview, k, modifiers); };

    key(Qt::Key_X);
    EXPECT_EQ(preview->state().play, player::PlayState::Playing);
    key(Qt::Key_C);
    EXPECT_EQ(preview->state().play, player::PlayState::Paused);
    key(Qt::Key_V);
    EXPECT_EQ(preview->state().play, player::PlayState::Stopped);
    key(Qt::Key_B);
    EXPECT_EQ(preview->state().currentEntry, 1);
    key(Qt::Key_Z);
    key(Qt::Key_Z);
    EXPECT_EQ(preview->state().currentEntry, 2);
    const int volume = preview->state().volume;
    key(Qt::Key_Up);
    EXPECT_GT(preview->state().volume, volume);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_LT(preview->state().volume, volume);
    EXPECT_TRUE(same(preview->frame(), expected()));

    // The main window's shortcuts and mnemonics, pressed here, act there.
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs->saveStarts.size(), 1u);
    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 1);
    key(Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(form->findChild<QWidget*>("colPanel")->isVisible());
    // What the colour panel covers takes no key, from here as from there.
    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 1);
    // Escape goes back to the main window and leaves the preview open.
    key(Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_TRUE(preview->isVisible());
}

} // namespace

TEST_F(PlayerPreviewTest, ColoursFromPictureRepaintsEverythingAtOnceAndTheColourToolsStillWork) {
    ASSERT_NE(preview, nullptr);
    QAction* fromPicture = form->findChild<QAction*>("ColoursFromPicture1");
    ASSERT_NE(fromPicture, nullptr);
    ASSERT_TRUE(fromPicture->isEnabled());
    const Image before = preview->frame();
    const SkinState defaults = form->bench().document().state;
    fromPicture->trigger();
    const SkinDocument& doc = form->bench().document();
    EXPECT_NE(doc.state.eqBackColour, defaults.eqBackColour);
    EXPECT_NE(doc.state.visColours, defaults.visColours);
    EXPECT_FALSE(same(preview->frame(), before));
    EXPECT_TRUE(same(preview->frame(), expected()));
    const QImage eqShown = form->findChild<QLabel*>("eqMain")->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(eqShown, toQImage(doc.templates.eqMain).copy(0, 0, eqShown.width(), eqShown.height()).convertToFormat(QImage::Format_RGB32));

    // A colour tool after it changes its own setting only, shown at once.
    const TColor chosenEqBack = doc.state.eqBackColour;
    dialogs->colours = {rgb(255, 0, 0)};
    form->findChild<QPushButton*>("colBut")->click();
    form->findChild<QPushButton*>("Button4")->click();  // Normal Background
    EXPECT_EQ(doc.state.plNormalBgColour, rgb(255, 0, 0));
    EXPECT_EQ(doc.state.eqBackColour, chosenEqBack);
    EXPECT_TRUE(same(preview->frame(), expected()));

    // Without a made skin there is nothing to colour.
    form->findChild<QPushButton*>("Button5")->click();
    form->findChild<QPushButton*>("Revert")->click();
    EXPECT_FALSE(fromPicture->isEnabled());
}
