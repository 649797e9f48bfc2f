// Stages 2 to 4 together: repeated runs, Buttons Only, and what each
// combination of the frame and shading options changes.
#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "app/qt/QtTextRasteriser.h"
#include "StageTestSupport.h"

using namespace vk;
using namespace vk::test;

namespace {

const Radios kAllRadios[] = {{true, false}, {true, true}, {false, false}, {false, true}};

std::string label(Radios r) {
    return std::string(r.full3D ? "Full 3D" : "Buttons Only") + ", " + (r.sinkFrame ? "Sink Frame" : "Raise Frame");
}

struct Sheet {
    const char* name;
    Image TemplateSet::*member;
};
const Sheet kSheets[] = {{"titleBarImage", &TemplateSet::titleBarImage}, {"volumeWindow", &TemplateSet::volumeWindow},
                         {"balanceWindow", &TemplateSet::balanceWindow}, {"posBar", &TemplateSet::posBar},
                         {"monoSter", &TemplateSet::monoSter},           {"shufrep", &TemplateSet::shufrep},
                         {"cButtons", &TemplateSet::cButtons}};

void expectSameResults(const Workbench& a, const Workbench& b, const std::string& what) {
    EXPECT_TRUE(sameImage(docOf(a).mainWindow, docOf(b).mainWindow)) << what << ": mainWindow";
    for (const Sheet& s : kSheets) EXPECT_TRUE(sameImage(docOf(a).templates.*s.member, docOf(b).templates.*s.member)) << what << ": " << s.name;
}

void makeOnce(Workbench& bench, Radios radios) {
    prepare(bench, coded(), radios, StampArt::Pattern);
    runStages(bench, Upto::Stage4);
}

} // namespace

// A second run on a fresh layout gives the same sheets, whatever options the
// first run had: every pixel the stages shade was overwritten by a copy first.
TEST(MainStages, ASecondRunGivesTheSameSheets) {
    for (Radios second : kAllRadios) {
        Workbench fresh{qtTextRasteriser()};
        makeOnce(fresh, second);
        for (Radios first : kAllRadios) {
            Workbench twice{qtTextRasteriser()};
            makeOnce(twice, first);
            docOf(twice).options.full3D = second.full3D;
            docOf(twice).options.sinkFrame = second.sinkFrame;
            twice.layoutPictures();
            runStages(twice, Upto::Stage4);
            expectSameResults(twice, fresh, label(first) + ", then " + label(second));
        }
    }
}

TEST(MainStages, ButtonsOnlyChangesNoPictureButTheKnobs) {
    for (bool sink : {false, true}) {
        Workbench bench{qtTextRasteriser()};
        prepare(bench, coded(), {false, sink}, StampArt::Pattern);
        const Image laidOut = docOf(bench).mainWindow;
        runStages(bench, Upto::Stage4);
        const Rect knobs[] = {{133, 58, 147, 69}, {189, 58, 203, 69}};
        for (const Rect& knob : knobs) EXPECT_TRUE(sameRegion(docOf(bench).mainWindow, knob, docOf(bench).templates.volBut, docOf(bench).templates.volBut.bounds()));
        for (Point p : differences(docOf(bench).mainWindow, laidOut))
            EXPECT_TRUE(inside(p, knobs[0]) || inside(p, knobs[1])) << "(" << p.x << "," << p.y << ") changed";
    }
}

// With Buttons Only the frame option changes nothing at all.
TEST(MainStages, ButtonsOnlyIgnoresTheFrameOption) {
    Workbench raised, sunk;
    makeOnce(raised, {false, false});
    makeOnce(sunk, {false, true});
    expectSameResults(raised, sunk, "Buttons Only");
}

// With Full 3D, Sink Frame changes the ring one pixel inside the picture's
// edge, and the title bars that repeat the top of it; nothing else.
TEST(MainStages, SinkFrameChangesOnlyTheInnerRing) {
    Workbench raised, sunk;
    prepare(raised, grey(100), {true, false}, StampArt::Pattern);
    prepare(sunk, grey(100), {true, true}, StampArt::Pattern);
    runStages(raised, Upto::Stage4);
    runStages(sunk, Upto::Stage4);

    auto onRing = [](Point p) {
        return (p.x == 1 || p.x == 273 || p.y == 1 || p.y == 114) && p.x >= 1 && p.x <= 273 && p.y >= 1 && p.y <= 114;
    };
    const std::vector<Point> mainDiff = differences(docOf(raised).mainWindow, docOf(sunk).mainWindow);
    EXPECT_EQ(mainDiff.size(), std::size_t(2 * 273 + 2 * 112));  // the whole ring, on a grey picture
    for (Point p : mainDiff) EXPECT_TRUE(onRing(p)) << "main (" << p.x << "," << p.y << ")";

    const std::vector<Point> titleDiff = differences(docOf(raised).templates.titleBarImage, docOf(sunk).templates.titleBarImage);
    EXPECT_EQ(titleDiff.size(), std::size_t(4 * (273 + 2 * 12)));  // row 1 and both sides, rows 2 ... 13
    for (Point p : titleDiff) {
        bool inABar = false;
        for (int top : {0, 15, 58, 73}) inABar = inABar || (inside(p, {27, top, 302, top + 14}) && onRing({p.x - 27, p.y - top}));
        EXPECT_TRUE(inABar) << "title (" << p.x << "," << p.y << ")";
    }
    for (const Sheet& s : kSheets) {
        if (s.member == &TemplateSet::titleBarImage) continue;
        EXPECT_TRUE(sameImage(docOf(raised).templates.*s.member, docOf(sunk).templates.*s.member)) << s.name;
    }
}

// MakeSkinClick runs stages 2 to 4 in order on the laid-out picture.
TEST(MainStages, MakeSkinClickRunsTheStages) {
    for (Radios radios : kAllRadios) {
        Workbench byClick, byStages;
        prepare(byClick, coded(), radios, StampArt::Pattern);
        prepare(byStages, coded(), radios, StampArt::Pattern);
        MakeSkinClick(byClick);
        runStages(byStages, Upto::Stage4);
        // The later stages own none of these sheets, but may draw on the
        // title bar, in the shade bars and at (0, 36), and on the main picture.
        for (const Sheet& s : kSheets) {
            if (s.member == &TemplateSet::titleBarImage) continue;
            EXPECT_TRUE(sameImage(docOf(byClick).templates.*s.member, docOf(byStages).templates.*s.member)) << label(radios) << ": " << s.name;
        }
        EXPECT_TRUE(sameRegion(docOf(byClick).templates.titleBarImage, {0, 0, 344, 29}, docOf(byStages).templates.titleBarImage, {0, 0, 344, 29}))
            << label(radios);
        EXPECT_EQ(byClick.workflow(), WorkflowState::Made);
    }
}
