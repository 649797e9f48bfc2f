#include "app/qt/QtTextRasteriser.h"
#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace vk;

namespace {
// Every row its own colour, so a row of any canvas tells where it came from.
Image rowCoded(int w, int h) {
    Image picture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) picture.setPixel(x, y, rgb(y & 0xFF, y >> 8, x & 0xFF));
    return picture;
}
int rowOf(const Image& canvas, int y) { return redOf(canvas.pixel(5, y)) | greenOf(canvas.pixel(5, y)) << 8; }
} // namespace

TEST(Layout, StartsWithTheDefaultPictureInAllThreeWindows) {
    Workbench bench{qtTextRasteriser()};
    EXPECT_EQ(bench.workflow(), WorkflowState::NotMade);
    EXPECT_TRUE(bench.buttons().makeSkin);
    EXPECT_FALSE(bench.buttons().revert || bench.buttons().colBut || bench.buttons().saveSkin);
    for (int y : {0, 57, 115})
        for (int x : {0, 137, 274}) {
            EXPECT_EQ(docOf(bench).mainWindow.pixel(x, y), docOf(bench).templates.firstImage.pixel(x, y));
            EXPECT_EQ(docOf(bench).templates.eqMain.pixel(x, y), docOf(bench).templates.firstImage.pixel(x, y));
            EXPECT_EQ(docOf(bench).plShow.pixel(x, y), docOf(bench).templates.firstImage.pixel(x, y));
        }
}

TEST(Layout, RowsOfEachLayout) {
    struct Case {
        LayoutMode mode;
        int pictureHeight;
        // (canvas, canvas row, expected picture row)
        std::vector<std::pair<int, std::pair<int, int>>> rows;
    } cases[] = {
        {LayoutMode::Continuous, 348, {{0, {0, 0}}, {0, {115, 115}}, {1, {0, 116}}, {1, {115, 231}}, {2, {0, 232}}, {2, {115, 347}}}},
        {LayoutMode::TwoPlusOne, 232, {{0, {0, 0}}, {0, {115, 115}}, {1, {0, 116}}, {1, {115, 231}}}},
    };
    for (const Case& c : cases) {
        Workbench bench{qtTextRasteriser()};
        docOf(bench).state.sourcePictures.main = rowCoded(275, c.pictureHeight);
        docOf(bench).options.layout = c.mode;
        bench.layoutPictures();
        const Image* canvases[] = {&docOf(bench).mainWindow, &docOf(bench).templates.eqMain, &docOf(bench).plShow};
        for (const auto& [canvas, rows] : c.rows)
            EXPECT_EQ(rowOf(*canvases[canvas], rows.first), rows.second) << int(c.mode) << " canvas " << canvas;
        for (int x = 0; x < 275; ++x) EXPECT_EQ(blueOf(docOf(bench).mainWindow.pixel(x, 40)), x & 0xFF);
    }
}

TEST(Layout, ThreeWindowsSqueezesAndOtherPicturesComeBack) {
    Workbench bench{qtTextRasteriser()};
    const Image eqPicture = rowCoded(10, 10);
    docOf(bench).state.sourcePictures.main = rowCoded(275, 232);
    docOf(bench).state.sourcePictures.equaliser = eqPicture;
    docOf(bench).options.layout = LayoutMode::Continuous;
    bench.layoutPictures();
    docOf(bench).options.layout = LayoutMode::ThreeWindows;
    bench.layoutPictures();
    // Half the height: every canvas row is one of the two picture rows it covers.
    for (int y = 0; y < 116; ++y) {
        const int r = rowOf(docOf(bench).mainWindow, y);
        EXPECT_TRUE(r == 2 * y || r == 2 * y + 1) << y;
    }
    EXPECT_EQ(rowOf(docOf(bench).templates.eqMain, 0), 0);
    EXPECT_EQ(rowOf(docOf(bench).templates.eqMain, 115), 9);
    EXPECT_EQ(docOf(bench).plShow.pixel(0, 0), docOf(bench).templates.firstImage.pixel(0, 0));
}

TEST(Layout, WritesOnlyTheTopOfEqMain) {
    Workbench bench{qtTextRasteriser()};
    docOf(bench).templates.eqMain.setPixel(3, 116, kPureRed);
    docOf(bench).templates.eqMain.setPixel(274, 314, kPureRed);
    for (LayoutMode mode : {LayoutMode::ThreeWindows, LayoutMode::TwoPlusOne, LayoutMode::Continuous}) {
        docOf(bench).options.layout = mode;
        bench.layoutPictures();
        EXPECT_EQ(docOf(bench).templates.eqMain.pixel(3, 116), kPureRed);
        EXPECT_EQ(docOf(bench).templates.eqMain.pixel(274, 314), kPureRed);
    }
}

TEST(Layout, SetsNotMadeInTheButtonOrder) {
    Workbench bench{qtTextRasteriser()};
    bench.enterMade();
    std::vector<std::pair<WorkflowButton, bool>> switched;
    bench.onButton = [&](WorkflowButton b, bool on) { switched.emplace_back(b, on); };
    bench.layoutPictures();
    const std::vector<std::pair<WorkflowButton, bool>> expected = {
        {WorkflowButton::Revert, false}, {WorkflowButton::MakeSkin, true},
        {WorkflowButton::ColBut, false}, {WorkflowButton::SaveSkin, false}};
    EXPECT_EQ(switched, expected);
    EXPECT_EQ(bench.workflow(), WorkflowState::NotMade);
}

TEST(Layout, CropCutsTheLargestPartWithTheAreasProportions) {
    const PictureFit centred{PictureFit::Mode::Crop};
    const PictureFit topLeft{PictureFit::Mode::Crop, 0.0, 0.0};
    const PictureFit farEnd{PictureFit::Mode::Crop, 1.0, 1.0};
    const Rect one{0, 0, 275, 116}, three{0, 0, 275, 348};
    EXPECT_EQ(fittedSource(centred, 100, 400, one), (Rect{0, 179, 100, 221}));   // portrait: 42 rows from the middle
    EXPECT_EQ(fittedSource(farEnd, 100, 400, one), (Rect{0, 358, 100, 400}));
    EXPECT_EQ(fittedSource(centred, 2000, 300, one), (Rect{645, 0, 1356, 300}));  // panorama: 711 columns
    EXPECT_EQ(fittedSource(topLeft, 2000, 300, one), (Rect{0, 0, 711, 300}));
    EXPECT_EQ(fittedSource(centred, 275, 348, three), (Rect{0, 0, 275, 348}));    // exact size: all of it
    EXPECT_EQ(fittedSource(PictureFit{}, 100, 400, one), (Rect{0, 0, 100, 400})); // stretch: all of it

    // The canvases show the cut part stretched, exactly as a picture of only that part would be.
    Workbench cropped, cut;
    cropped.setFit(centred);
    docOf(cropped).state.sourcePictures.main = rowCoded(100, 400);
    cropped.layoutPictures();
    Image part(100, 42);
    part.copyRect(part.bounds(), docOf(cropped).state.sourcePictures.main, {0, 179, 100, 221});
    docOf(cut).state.sourcePictures.main = part;
    cut.layoutPictures();
    EXPECT_EQ(docOf(cropped).mainWindow.pixels(), docOf(cut).mainWindow.pixels());
}
