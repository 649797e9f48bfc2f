// The visualisation colour bar: its seventeen cells, which entry a click
// picks, and what a confirmed or cancelled click changes.
#include "app/qt/QtTextRasteriser.h"
#include "app/ColourPanel.h"
#include "colour/ColourTools.h"
#include "raster/Error.h"
#include "tests/app/WorkbenchAccess.h"
#include "tests/colour/TestImages.h"

using namespace vk;
using namespace vk::test;

namespace {

class VisColours : public ::testing::Test {
protected:
    void SetUp() override { paintAll(docOf(bench).templates.visiBar, kSilver); }

    // The bar as the cells describe it: the peak cell on rows 0-9, cell i on
    // rows 20i-1 ... 20i+19 sharing its top outline with the cell above.
    Expect describedBar() const {
        const SkinState& s = docOf(bench).state;
        return [&s](int x, int y) -> std::optional<TColor> {
            if (y >= 10 && y <= 18) return std::nullopt;  // no cell: whatever was there
            const bool side = x == 0 || x == 19;
            if (y <= 9) return side || y == 0 || y == 9 ? kBlack : s.visColour(17);
            if (side || y % 20 == 19) return kBlack;
            return s.visColour(y / 20);
        };
    }
    Workbench bench{qtTextRasteriser()};
};

TEST_F(VisColours, BarShowsAllSeventeenCellsWithSilverBetweenPeakAndFirst) {
    const Image before = docOf(bench).templates.visiBar;
    paintVisBar(docOf(bench));
    const Image& bar = docOf(bench).templates.visiBar;
    ASSERT_EQ(bar.height(), 340);
    EXPECT_TRUE(matches(before, bar, describedBar()));
    EXPECT_EQ(bar.pixel(5, 14), kSilver);
    EXPECT_EQ(bar.pixel(5, 5), 0x969696u);     // the default peak colour
    EXPECT_EQ(bar.pixel(5, 20), 0x1031EFu);    // entry 1, its first inside row
    EXPECT_EQ(bar.pixel(5, 338), 0x088418u);   // entry 16, its last inside row
    EXPECT_EQ(bar.pixel(5, 339), kBlack);      // the bar's last row is cell 16's outline
}

TEST_F(VisColours, ARowPicksItsEntry) {
    const struct {
        int row, entry;
    } cases[] = {{0, 17}, {5, 17}, {15, 17}, {19, 17}, {20, 1}, {39, 1}, {40, 2}, {199, 9}, {200, 10}, {339, 16}};
    for (const auto& c : cases) EXPECT_EQ(visEntryForRow(c.row), c.entry) << "row " << c.row;
}

TEST_F(VisColours, SettingAnEntryStoresItAndRepaintsTheWholeBar) {
    paintVisBar(docOf(bench));
    docOf(bench).templates.visiBar.setPixel(5, 300, rgb(1, 1, 1));  // a stray pixel in another cell
    setVisColour(docOf(bench), 2, rgb(9, 8, 7));
    EXPECT_EQ(docOf(bench).state.visColour(2), rgb(9, 8, 7));
    EXPECT_EQ(docOf(bench).templates.visiBar.pixel(10, 45), rgb(9, 8, 7));
    EXPECT_EQ(docOf(bench).templates.visiBar.pixel(5, 300), docOf(bench).state.visColour(15));
    EXPECT_TRUE(matches(docOf(bench).templates.visiBar, docOf(bench).templates.visiBar, describedBar()));
}

TEST_F(VisColours, ClicksPickEntriesWhateverTheColumn) {
    bench.enterMade();  // the colour tools work on a made skin
    int asked = 0;
    ColourDialog dialog([&asked](TColor) { return std::optional<TColor>(rgb(0, 0, ++asked)); });
    const struct {
        int x, y, entry;
    } clicks[] = {{0, 5, 17}, {19, 15, 17}, {10, 19, 17}, {3, 20, 1}, {7, 39, 1}, {12, 40, 2}, {0, 339, 16}};
    for (const auto& c : clicks) {
        ASSERT_TRUE(visiBarMouseDown(bench, dialog, c.x, c.y));
        EXPECT_EQ(docOf(bench).state.visColour(c.entry), rgb(0, 0, asked)) << "click at y = " << c.y;
    }
    EXPECT_TRUE(matches(docOf(bench).templates.visiBar, docOf(bench).templates.visiBar, describedBar()));
}

TEST_F(VisColours, ACancelledClickChangesNeitherColoursNorBar) {
    paintVisBar(docOf(bench));
    docOf(bench).templates.visiBar.setPixel(5, 300, rgb(1, 1, 1));  // not repainted either
    const Image before = docOf(bench).templates.visiBar;
    const auto colours = docOf(bench).state.visColours;
    ColourDialog cancelled([](TColor) { return std::optional<TColor>(); });
    EXPECT_FALSE(visiBarMouseDown(bench, cancelled, 5, 45));
    EXPECT_EQ(docOf(bench).state.visColours, colours);
    EXPECT_TRUE(before.samePixels(docOf(bench).templates.visiBar));
}

TEST_F(VisColours, AnEntryOutOfRangeOrABadColourIsRefused) {
    const auto colours = docOf(bench).state.visColours;
    const Image before = docOf(bench).templates.visiBar;
    for (int entry : {0, 18, -1}) {
        try {
            setVisColour(docOf(bench), entry, rgb(1, 2, 3));
            FAIL() << "no error for entry " << entry;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("does not exist"), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(setVisColour(docOf(bench), 3, 0xFF123456u), Error);
    EXPECT_EQ(docOf(bench).state.visColours, colours);
    EXPECT_TRUE(before.samePixels(docOf(bench).templates.visiBar));
}

} // namespace
