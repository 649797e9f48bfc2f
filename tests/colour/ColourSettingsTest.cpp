// The nine colour pickers: each stores its colour and repaints its own group
// and nothing else; the shared dialog remembers the last confirmed colour.
#include "app/qt/QtTextRasteriser.h"
#include "app/ColourPanel.h"
#include "colour/ColourTools.h"
#include "raster/Error.h"
#include "tests/app/WorkbenchAccess.h"
#include "skin/MakeSkin.h"
#include "tests/colour/TestImages.h"

#include <deque>
#include <vector>

using namespace vk;
using namespace vk::test;

namespace {

constexpr TColor kMark = rgb(255, 0, 255);

const ColourSettingInfo& infoFor(ColourSetting setting) {
    for (const ColourSettingInfo& info : colourSettings())
        if (info.setting == setting) return info;
    throw std::logic_error("no such setting");
}

int countInRows(const Image& image, int top, int bottom, TColor colour) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

enum class Group { Window, Equaliser, Playlist };

// One pixel in an area of each group that only that group's routine paints.
struct Mark {
    Group group;
    const char* where;
    Image* image;
    Point at;
};

class ColourSettings : public ::testing::Test {
protected:
    void SetUp() override {
        for (Image* mask : {&docOf(bench).templates.plToolsMask, &docOf(bench).templates.nums_exMask, &docOf(bench).templates.textMask, &docOf(bench).templates.playPausMask,
                            &docOf(bench).templates.topBitMask, &docOf(bench).templates.vKitMask})
            paintMask(*mask);
        skin::applyTextColours(docOf(bench));
        skin::paintEqSliders(docOf(bench));
        skin::paintPlaylistPreview(docOf(bench));
        bench.enterMade();  // the colour tools work on a made skin
    }
    std::vector<Mark> marks() {
        TemplateSet& t = docOf(bench).templates;
        return {
            {Group::Window, "mainWindow display panel", &docOf(bench).mainWindow, {30, 30}},
            {Group::Window, "eqEx track box", &t.eqEx, {70, 5}},
            {Group::Window, "text glyph sheet", &t.text, {3, 3}},
            {Group::Equaliser, "eqMain frame 0", &t.eqMain, {20, 200}},
            {Group::Equaliser, "exampleSlider", &t.exampleSlider, {0, 0}},
            {Group::Playlist, "plShow list area", &docOf(bench).plShow, {200, 25}},
        };
    }
    Workbench bench{qtTextRasteriser()};
};

TEST_F(ColourSettings, EachSettingRepaintsExactlyItsOwnGroup) {
    constexpr TColor kNew = rgb(17, 170, 117);
    const struct Case {
        ColourSetting setting;
        Group group;
        // Where the new colour must show afterwards.
        std::function<bool(const Workbench&)> shows;
    } cases[] = {
        {ColourSetting::winBackColour, Group::Window, [](const Workbench& b) { return docOf(b).mainWindow.pixel(30, 30) == kNew; }},
        {ColourSetting::winTextColour, Group::Window, [](const Workbench& b) { return docOf(b).templates.text.pixel(0, 0) == kNew; }},
        {ColourSetting::plNormalBgColour, Group::Playlist, [](const Workbench& b) { return docOf(b).plShow.pixel(200, 25) == kNew; }},
        {ColourSetting::plNormalColour, Group::Playlist,
         [](const Workbench& b) { return countInRows(docOf(b).plShow, 21, 34, kNew) > 40; }},
        {ColourSetting::plCurrentColour, Group::Playlist,
         [](const Workbench& b) { return countInRows(docOf(b).plShow, 34, 47, kNew) > 40; }},
        {ColourSetting::plSelectedBgColour, Group::Playlist,
         [](const Workbench& b) { return docOf(b).plShow.pixel(200, 65) == kNew; }},
        {ColourSetting::eqBackColour, Group::Equaliser, [](const Workbench& b) { return docOf(b).templates.eqMain.pixel(13, 164) == kNew; }},
        {ColourSetting::eqForeColour, Group::Equaliser, [](const Workbench& b) { return docOf(b).templates.eqMain.pixel(18, 167) == kNew; }},
        {ColourSetting::eqHighlightColour, Group::Equaliser,
         [](const Workbench& b) { return docOf(b).templates.exampleSlider.pixel(5, 40) == kNew; }},
    };
    for (const Case& c : cases) {
        bench = Workbench(qtTextRasteriser());  // each case starts from the defaults
        SetUp();
        for (const Mark& m : marks()) m.image->setPixel(m.at.x, m.at.y, kMark);

        bench.setColour(c.setting, kNew);

        const ColourSettingInfo& info = infoFor(c.setting);
        EXPECT_EQ(docOf(bench).state.*info.field, kNew) << info.name;
        EXPECT_TRUE(c.shows(bench)) << info.name;
        for (const Mark& m : marks()) {
            const bool repainted = m.image->pixel(m.at.x, m.at.y) != kMark;
            EXPECT_EQ(repainted, m.group == c.group) << info.name << " at " << m.where;
        }
    }
}

TEST_F(ColourSettings, TheSameColourAgainRepaintsTheSamePicture) {
    const Image main = docOf(bench).mainWindow, eq = docOf(bench).templates.eqMain, list = docOf(bench).plShow;
    for (const ColourSettingInfo& info : colourSettings()) bench.setColour(info.setting, docOf(bench).state.*info.field);
    EXPECT_TRUE(main.samePixels(docOf(bench).mainWindow));
    EXPECT_TRUE(eq.samePixels(docOf(bench).templates.eqMain));
    EXPECT_TRUE(list.samePixels(docOf(bench).plShow));
}

TEST_F(ColourSettings, ButtonsOnlyPickersStoreButRepaintOnlyGlyphsAndSliderArt) {
    docOf(bench).state.buttonsOnly = true;
    const Image main = docOf(bench).mainWindow, list = docOf(bench).plShow;
    const TColor kNew = rgb(90, 10, 10);

    bench.setColour(ColourSetting::plSelectedBgColour, kNew);
    EXPECT_EQ(docOf(bench).state.plSelectedBgColour, kNew);
    EXPECT_TRUE(list.samePixels(docOf(bench).plShow));

    bench.setColour(ColourSetting::winBackColour, kNew);
    EXPECT_TRUE(main.samePixels(docOf(bench).mainWindow));
    EXPECT_TRUE(list.samePixels(docOf(bench).plShow));
    EXPECT_EQ(docOf(bench).templates.text.pixel(1, 0), kNew);  // a background pixel of the glyph sheet

    bench.setColour(ColourSetting::eqBackColour, kNew);
    EXPECT_EQ(docOf(bench).templates.eqMain.pixel(13, 164), kNew);
    EXPECT_EQ(docOf(bench).templates.eqMain.pixel(21, 38), kNew);
}

TEST_F(ColourSettings, AColourThatIsNotPlainRgbIsRefusedBeforeAnythingChanges) {
    const Image main = docOf(bench).mainWindow;
    for (TColor bad : {0x01000000u, 0xFF000000u, 0xFFFFFFFFu}) {
        try {
            bench.setColour(ColourSetting::winBackColour, bad);
            FAIL() << "no error";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("not a plain RGB value"), std::string::npos) << e.what();
        }
        EXPECT_EQ(docOf(bench).state.winBackColour, 0x000000u);
        EXPECT_TRUE(main.samePixels(docOf(bench).mainWindow));
    }
}

// A dialog that answers from a script and records what it opened with.
struct ScriptedDialog {
    std::deque<std::optional<TColor>> answers;
    std::vector<TColor> openedWith;
    ColourDialog dialog{[this](TColor initial) {
        openedWith.push_back(initial);
        const std::optional<TColor> answer = answers.front();
        answers.pop_front();
        return answer;
    }};
};

TEST_F(ColourSettings, TheDialogOpensWithTheLastColourConfirmedByAnyPicker) {
    ScriptedDialog scripted;
    scripted.answers = {rgb(255, 0, 0), std::nullopt, rgb(0, 0, 255), rgb(0, 255, 0)};

    EXPECT_TRUE(colourButtonClick(bench, scripted.dialog, ColourSetting::winBackColour));
    EXPECT_FALSE(colourButtonClick(bench, scripted.dialog, ColourSetting::winTextColour));
    EXPECT_TRUE(sliderButtonClick(bench, scripted.dialog, SliderKnobs::EqSliders));
    EXPECT_TRUE(visiBarMouseDown(bench, scripted.dialog, 0, 5));

    // Black at first; red after "Window Background", also after the cancel;
    // never the current value of the setting being changed.
    EXPECT_EQ(scripted.openedWith,
              (std::vector<TColor>{kBlack, rgb(255, 0, 0), rgb(255, 0, 0), rgb(0, 0, 255)}));
    EXPECT_EQ(scripted.dialog.lastConfirmed(), rgb(0, 255, 0));
    EXPECT_EQ(docOf(bench).state.winBackColour, rgb(255, 0, 0));
    EXPECT_EQ(docOf(bench).state.winTextColour, 0x008000u);
    EXPECT_EQ(docOf(bench).state.visColour(17), rgb(0, 255, 0));
}

TEST_F(ColourSettings, ACancelledPickerChangesNothing) {
    ScriptedDialog scripted;
    const SkinState before = docOf(bench).state;
    const Image main = docOf(bench).mainWindow, eq = docOf(bench).templates.eqMain, list = docOf(bench).plShow, text = docOf(bench).templates.text;
    for (const ColourSettingInfo& info : colourSettings()) {
        scripted.answers.push_back(std::nullopt);
        EXPECT_FALSE(colourButtonClick(bench, scripted.dialog, info.setting)) << info.name;
        EXPECT_EQ(docOf(bench).state.*info.field, before.*info.field) << info.name;
    }
    EXPECT_TRUE(main.samePixels(docOf(bench).mainWindow));
    EXPECT_TRUE(eq.samePixels(docOf(bench).templates.eqMain));
    EXPECT_TRUE(list.samePixels(docOf(bench).plShow));
    EXPECT_TRUE(text.samePixels(docOf(bench).templates.text));
    EXPECT_EQ(scripted.dialog.lastConfirmed(), kBlack);
}

TEST_F(ColourSettings, ADialogAnswerThatIsNotPlainRgbIsNotRemembered) {
    ScriptedDialog scripted;
    scripted.answers = {rgb(1, 2, 3), 0x80000000u};
    EXPECT_TRUE(colourButtonClick(bench, scripted.dialog, ColourSetting::eqForeColour));
    EXPECT_THROW(colourButtonClick(bench, scripted.dialog, ColourSetting::eqForeColour), Error);
    EXPECT_EQ(scripted.dialog.lastConfirmed(), rgb(1, 2, 3));
    EXPECT_EQ(docOf(bench).state.eqForeColour, rgb(1, 2, 3));
}

} // namespace
