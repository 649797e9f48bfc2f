// The copy verbs of the pass: a plain copy keeps its size, and the one
// scaling copy is exactly one column narrower.
#include "document/SkinDocument.h"
#include "raster/Error.h"
#include "skin/Pass.h"

#include <gtest/gtest.h>

using namespace vk;

TEST(Pass, CopiesThatChangeSizeAreRefused) {
    SkinDocument doc;
    skin::Pass pass(doc);
    Image target(20, 20, 24), source(20, 20, 24);
    target.fill(target.bounds(), kBlack);
    source.fill(source.bounds(), kWhite);
    try {
        pass.copy(target, {0, 0, 9, 9}, source, {0, 0, 9, 10});
        FAIL() << "a taller source was copied";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Copy of (0, 0, 9, 10) into (0, 0, 9, 9) changes its size");
    }
    EXPECT_EQ(target.pixel(0, 0), kBlack);  // nothing drawn
    EXPECT_THROW(pass.shrinkByOneColumn(target, {0, 0, 10, 5}, source, {0, 0, 10, 5}), Error);
    EXPECT_THROW(pass.shrinkByOneColumn(target, {0, 0, 9, 5}, source, {0, 0, 11, 5}), Error);
    pass.shrinkByOneColumn(target, {0, 0, 9, 5}, source, {0, 0, 10, 5});
    EXPECT_EQ(target.pixel(8, 4), kWhite);
    EXPECT_EQ(target.pixel(9, 4), kBlack);
}
