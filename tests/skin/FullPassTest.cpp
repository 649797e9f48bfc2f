// The whole MakeSkin pass over every option combination: what must hold for
// any picture, whatever the template art.
#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "app/qt/QtTextRasteriser.h"
#include "StageTestSupport.h"

#include "colour/ColourTools.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vk;

namespace {

struct Combination {
    LayoutMode layout;
    bool full3D;
    bool sinkFrame;
};

std::vector<Combination> allCombinations() {
    std::vector<Combination> out;
    for (LayoutMode layout : {LayoutMode::ThreeWindows, LayoutMode::TwoPlusOne, LayoutMode::Continuous})
        for (bool full3D : {true, false})
            for (bool sinkFrame : {false, true}) out.push_back({layout, full3D, sinkFrame});
    return out;
}

std::string describe(const Combination& c) {
    return std::to_string(int(c.layout)) + (c.full3D ? " full3D" : " buttonsOnly") + (c.sinkFrame ? " sink" : " raise");
}

// Every image a skin is saved from, by name.
std::vector<std::pair<const char*, const Image*>> savedImages(const Workbench& b) {
    return {{"mainWindow", &docOf(b).mainWindow}, {"titleBarImage", &docOf(b).templates.titleBarImage}, {"volumeWindow", &docOf(b).templates.volumeWindow},
            {"balanceWindow", &docOf(b).templates.balanceWindow}, {"posBar", &docOf(b).templates.posBar}, {"monoSter", &docOf(b).templates.monoSter},
            {"shufrep", &docOf(b).templates.shufrep}, {"cButtons", &docOf(b).templates.cButtons}, {"eqMain", &docOf(b).templates.eqMain},
            {"plEdit", &docOf(b).templates.plEdit}, {"eqEx", &docOf(b).templates.eqEx}, {"playPaus", &docOf(b).templates.playPaus}, {"text", &docOf(b).templates.text},
            {"nums_ex", &docOf(b).templates.nums_ex}};
}

// The playlist groove's ends lie on gap rows of the sheet that no copy
// rewrites, so each pass shades them again; players never show gap rows.
bool isGrooveEnd(const char* name, int x, int y) {
    return std::string(name) == "plEdit" && (x == 39 || x == 40) && (y == 41 || y == 71);
}

Workbench benchWith(const Combination& c) {
    Workbench bench{qtTextRasteriser()};
    docOf(bench).state.sourcePictures.main = test::coded();
    docOf(bench).options = {c.layout, c.full3D, c.sinkFrame};
    bench.layoutPictures();
    return bench;
}

} // namespace

TEST(FullPass, SecondPassOnTheSamePictureGivesTheSameSheets) {
    for (const Combination& c : allCombinations()) {
        Workbench bench = benchWith(c);
        MakeSkinClick(bench);
        std::vector<Image> first;
        for (const auto& [name, image] : savedImages(bench)) first.push_back(*image);
        bench.layoutPictures();
        MakeSkinClick(bench);
        const auto second = savedImages(bench);
        for (std::size_t i = 0; i < second.size(); ++i) {
            const auto& [name, image] = second[i];
            int differing = 0;
            for (int y = 0; y < image->height(); ++y)
                for (int x = 0; x < image->width(); ++x)
                    if (image->pixel(x, y) != first[i].pixel(x, y) && !isGrooveEnd(name, x, y)) ++differing;
            EXPECT_EQ(differing, 0) << name << " " << describe(c);
        }
    }
}

TEST(FullPass, WorkflowIsMadeAndBusyHooksPair) {
    for (const Combination& c : allCombinations()) {
        Workbench bench = benchWith(c);
        std::vector<std::string> events;
        bench.beginBusy = [&] { events.push_back("busy"); };
        bench.endBusy = [&] { events.push_back("idle"); };
        bench.onButton = [&](WorkflowButton b, bool on) {
            events.push_back(std::to_string(int(b)) + (on ? "+" : "-"));
        };
        MakeSkinClick(bench);
        // SaveSkin on, MakeSkin off, Undo on, ColorTools on, in that order.
        const std::vector<std::string> expected = {"busy", "3+", "0-", "1+", "2+", "idle"};
        EXPECT_EQ(events, expected) << describe(c);
        EXPECT_EQ(bench.workflow(), WorkflowState::Made);
        EXPECT_EQ(docOf(bench).state.buttonsOnly, !c.full3D);
    }
}

TEST(FullPass, ButtonsOnlyTouchesTheMainWindowOnlyAtTheKnobs) {
    // With Buttons Only the text colour pass paints no display area, so the
    // main window differs from its layout only where the two knobs are pasted.
    for (const Combination& c : allCombinations()) {
        if (c.full3D) continue;
        Workbench bench = benchWith(c);
        const Image laidOut = docOf(bench).mainWindow;
        MakeSkinClick(bench);
        const Rect knobs[] = {{133, 58, 147, 69}, {189, 58, 203, 69}};
        for (int y = 0; y < 116; ++y)
            for (int x = 0; x < 275; ++x) {
                bool inKnob = false;
                for (const Rect& k : knobs) inKnob |= x >= k.left && x < k.right && y >= k.top && y < k.bottom;
                if (inKnob)
                    EXPECT_EQ(docOf(bench).mainWindow.pixel(x, y), docOf(bench).templates.volBut.pixel(x - (x < 189 ? 133 : 189), y - 58));
                else
                    ASSERT_EQ(docOf(bench).mainWindow.pixel(x, y), laidOut.pixel(x, y)) << x << "," << y << " " << describe(c);
            }
    }
}

TEST(FullPass, KnobColourSurvivesUndoAndANewPass) {
    Workbench bench = benchWith({LayoutMode::ThreeWindows, true, false});
    MakeSkinClick(bench);
    changeMainSlider(docOf(bench), rgb(64, 64, 64));
    const Image knob = docOf(bench).templates.volBut;
    bench.layoutPictures();  // Undo
    MakeSkinClick(bench);
    EXPECT_TRUE(docOf(bench).templates.volBut.samePixels(knob));
    EXPECT_EQ(docOf(bench).mainWindow.pixel(135, 60), knob.pixel(2, 2));
    EXPECT_EQ(docOf(bench).mainWindow.pixel(191, 60), knob.pixel(2, 2));
}

TEST(FullPass, ColoursChosenBeforeUndoStayChosen) {
    Workbench bench = benchWith({LayoutMode::ThreeWindows, true, false});
    MakeSkinClick(bench);
    bench.setColour(ColourSetting::winBackColour, rgb(10, 11, 12));
    bench.layoutPictures();
    MakeSkinClick(bench);
    EXPECT_EQ(docOf(bench).state.winBackColour, rgb(10, 11, 12));
    EXPECT_EQ(docOf(bench).mainWindow.pixel(50, 40), rgb(10, 11, 12));  // inside the display panel
}
