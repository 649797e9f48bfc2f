#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "app/qt/QtTextRasteriser.h"
#include "output/WindowPreview.h"

#include <gtest/gtest.h>

using namespace vk;

TEST(WindowPreview, WindowsAtTheirLayoutTopsWithSilverGaps) {
    constexpr TColor kMain = rgb(200, 0, 0), kEq = rgb(0, 200, 0), kEqArt = rgb(0, 0, 200), kPl = rgb(90, 90, 0);
    struct Case {
        LayoutMode layout;
        int eqTop, plTop;
    } cases[] = {
        {LayoutMode::ThreeWindows, 120, 240},
        {LayoutMode::TwoPlusOne, 116, 236},
        {LayoutMode::Continuous, 116, 232},
    };
    for (const Case& c : cases) {
        Workbench bench{qtTextRasteriser()};
        docOf(bench).options.layout = c.layout;
        docOf(bench).mainWindow.fill(docOf(bench).mainWindow.bounds(), kMain);
        docOf(bench).templates.eqMain.fill(docOf(bench).templates.eqMain.bounds(), kEqArt);  // rows 116 on are slider art, never shown
        docOf(bench).templates.eqMain.fill({0, 0, 275, 116}, kEq);
        docOf(bench).plShow.fill(docOf(bench).plShow.bounds(), kPl);
        const Image preview = windowPreview(docOf(bench));

        ASSERT_EQ(preview.width(), 275);
        ASSERT_EQ(preview.height(), c.plTop + 116);
        // Walk down the left and right columns: every row is one window or the gap.
        for (int y = 0; y < preview.height(); ++y) {
            const TColor expected = y < 116                  ? kMain
                                    : y < c.eqTop            ? kSilver
                                    : y < c.eqTop + 116      ? kEq
                                    : y < c.plTop            ? kSilver
                                                             : kPl;
            ASSERT_EQ(preview.pixel(0, y), expected) << "row " << y << " layout " << int(c.layout);
            ASSERT_EQ(preview.pixel(274, y), expected) << "row " << y << " layout " << int(c.layout);
        }
    }
}
