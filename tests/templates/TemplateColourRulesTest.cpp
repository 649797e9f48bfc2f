// Every template file against the catalogue: its size, its stored depth and
// the colour rule the program relies on for its family.
#include "TemplateFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace vk;
using namespace vk::test;

namespace {

enum class Rule {
    Sheet,          // output sheet: the player's layout, any colours
    Stamp,          // red ground, exact black and white relief only
    PressedChoice,  // a stamp whose pressed letter is (128, 255, 0)
    Mask,           // black and white only
    GlyphImage,     // equal to its mask
    Greys,          // a knob: greys only
    Slider,         // black, dark green, pure green and a grey knob
    Silver,         // uniformly (192, 192, 192)
    Gradient,       // the default picture
};

const std::map<std::string, Rule>& rules() {
    static const std::map<std::string, Rule> all = {
        {"titleBarImage", Rule::Sheet}, {"volumeWindow", Rule::Sheet}, {"balanceWindow", Rule::Sheet},
        {"posBar", Rule::Sheet},        {"monoSter", Rule::Sheet},     {"shufrep", Rule::Sheet},
        {"cButtons", Rule::Sheet},      {"eqMain", Rule::Sheet},       {"plEdit", Rule::Sheet},
        {"eqEx", Rule::Sheet},
        {"playPaus", Rule::GlyphImage}, {"text", Rule::GlyphImage},    {"nums_ex", Rule::GlyphImage},
        {"plTools", Rule::GlyphImage},  {"topBit", Rule::GlyphImage},  {"vKit", Rule::GlyphImage},
        {"playPausMask", Rule::Mask},   {"textMask", Rule::Mask},      {"nums_exMask", Rule::Mask},
        {"plToolsMask", Rule::Mask},    {"topBitMask", Rule::Mask},    {"vKitMask", Rule::Mask},
        {"buts", Rule::Stamp},          {"downButs", Rule::Stamp},     {"loadDown", Rule::Stamp},
        {"shuffleUpBut", Rule::Stamp},  {"shuffleDown", Rule::Stamp},  {"repUpBut", Rule::Stamp},
        {"repDown", Rule::Stamp},       {"eqUpBut", Rule::Stamp},      {"eqButDown", Rule::Stamp},
        {"plUpBut", Rule::Stamp},       {"plButDown", Rule::Stamp},    {"choices0", Rule::Stamp},
        {"choices1", Rule::PressedChoice}, {"choices2", Rule::PressedChoice}, {"choices3", Rule::PressedChoice},
        {"choices4", Rule::PressedChoice}, {"choices5", Rule::PressedChoice},
        {"presetUp", Rule::Stamp},      {"presetDown", Rule::Stamp},   {"offManUp", Rule::Stamp},
        {"offManDown", Rule::Stamp},    {"onAutoUp", Rule::Stamp},     {"onAutoDown", Rule::Stamp},
        {"puller", Rule::Stamp},        {"cornerPull", Rule::Stamp},   {"plButs1", Rule::Stamp},
        {"plButs2", Rule::Stamp},
        {"volBut", Rule::Greys},        {"exampleSlider", Rule::Slider}, {"firstImage", Rule::Gradient},
        {"visiBar", Rule::Silver},
    };
    return all;
}

constexpr TColor kKeep = rgb(128, 255, 0);
constexpr TColor kGrey = rgb(192, 192, 192);

bool isGrey(TColor c) { return redOf(c) == greenOf(c) && greenOf(c) == blueOf(c); }

std::map<TColor, int> histogram(const Image& image) {
    std::map<TColor, int> counts;
    for (TColor c : image.pixels()) ++counts[c];
    return counts;
}

std::string hex(TColor c) {
    char text[16];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", redOf(c), greenOf(c), blueOf(c));
    return text;
}

// Fails with the first colour outside `allowed`.
void expectOnly(const std::string& name, const Image& image, const std::set<TColor>& allowed) {
    for (const auto& [colour, count] : histogram(image))
        EXPECT_TRUE(allowed.count(colour)) << name << " holds " << count << " pixels of " << hex(colour);
}

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

// The choices column's bands, top to bottom: O, A, I, D, V.
constexpr int kBandTop[] = {3, 11, 18, 25, 33};
constexpr int kBandBottom[] = {11, 18, 25, 33, 40};

} // namespace

TEST(TemplateColourRules, EveryCatalogueEntryHasARuleAndAFile) {
    for (const TemplateSpec& spec : templateCatalogue()) {
        EXPECT_TRUE(rules().count(spec.name)) << spec.name << " has no colour rule in this test";
        EXPECT_TRUE(std::filesystem::exists(templateDir() / (std::string(spec.name) + ".bmp"))) << spec.name;
    }
    EXPECT_EQ(bmpNames(templateDir()), catalogueNames()) << "templates/ holds files the catalogue does not name";
}

TEST(TemplateColourRules, SizeAndStoredDepthFollowTheCatalogue) {
    for (const TemplateSpec& spec : templateCatalogue()) {
        SCOPED_TRACE(spec.name);
        const auto bytes = readBytes(templateDir() / (std::string(spec.name) + ".bmp"));
        ASSERT_EQ(bytes.size(), bmpFileSize(spec.width, spec.height, spec.depth));
        EXPECT_EQ(u32(bytes, 18), std::uint32_t(spec.width));
        EXPECT_EQ(u32(bytes, 22), std::uint32_t(spec.height)) << "rows stored bottom-up";
        EXPECT_EQ(bytes[28] | bytes[29] << 8, spec.depth);
        EXPECT_EQ(u32(bytes, 30), 0u) << "uncompressed";
        if (spec.depth == 32) {
            // A fourth byte other than 0 turns into transparency in a browser player.
            for (std::size_t at = 54 + 3; at < bytes.size(); at += 4) ASSERT_EQ(bytes[at], 0) << "at byte " << at;
        }
    }
}

TEST(TemplateColourRules, EachFamilyKeepsItsColours) {
    for (const TemplateSpec& spec : templateCatalogue()) {
        SCOPED_TRACE(spec.name);
        const std::string name = spec.name;
        const Image image = templateImage(name);
        const auto counts = histogram(image);
        switch (rules().at(name)) {
        case Rule::Sheet: break;
        case Rule::Stamp:
            expectOnly(name, image, {kPureRed, kBlack, kWhite});
            EXPECT_GT(counts.count(kBlack), 0u) << "no darkening relief";
            EXPECT_GT(counts.count(kWhite), 0u) << "no lightening relief";
            EXPECT_GT(counts.count(kPureRed), 0u) << "no ground that leaves the picture alone";
            break;
        case Rule::PressedChoice:
            expectOnly(name, image, {kPureRed, kBlack, kWhite, kKeep});
            EXPECT_GT(counts.count(kKeep), 0u) << "the pressed letter is missing";
            break;
        case Rule::Mask:
            expectOnly(name, image, {kBlack, kWhite});
            EXPECT_GT(counts.count(kWhite), 0u) << "no glyph";
            EXPECT_GT(counts.count(kBlack), 0u) << "no background";
            break;
        case Rule::GlyphImage:
            EXPECT_TRUE(image.samePixels(templateImage(name + "Mask"))) << "differs from its mask";
            break;
        case Rule::Greys:
            for (TColor c : image.pixels()) ASSERT_TRUE(isGrey(c)) << hex(c);
            EXPECT_GT(counts.size(), 2u) << "a bevel needs several greys";
            break;
        case Rule::Slider:
            for (TColor c : image.pixels())
                ASSERT_TRUE(c == kDarkGreen || c == kPureGreen || isGrey(c)) << hex(c);
            EXPECT_GT(counts.count(kDarkGreen), 0u);
            EXPECT_GT(counts.count(kPureGreen), 0u);
            EXPECT_GT(counts.count(kGrey), 0u) << "no grey knob";
            break;
        case Rule::Silver:
            EXPECT_EQ(counts.size(), 1u);
            EXPECT_EQ(image.pixel(0, 0), kSilver);
            break;
        case Rule::Gradient: break;  // its own test below
        }
    }
}

TEST(TemplateColourRules, NoStampWritesGreen) {
    for (const auto& [name, rule] : rules()) {
        if (rule != Rule::Stamp && rule != Rule::PressedChoice) continue;
        const Image stamp = templateImage(name);
        for (TColor c : stamp.pixels()) ASSERT_NE(c, kPureGreen) << name;
    }
}

// The pressed twin of a raised stamp is the same relief with black and white
// exchanged: lit on the lower right, shadowed on the upper left.
TEST(TemplateColourRules, PressedStampsAreTheirRaisedTwinsReversed) {
    struct Pair {
        const char *raised, *pressed;
    } pairs[] = {
        {"shuffleUpBut", "shuffleDown"}, {"repUpBut", "repDown"},     {"eqUpBut", "eqButDown"},
        {"plUpBut", "plButDown"},        {"presetUp", "presetDown"},  {"offManUp", "offManDown"},
        {"onAutoUp", "onAutoDown"},      {"buts", "downButs"},
    };
    for (const Pair& p : pairs) {
        SCOPED_TRACE(std::string(p.raised) + " / " + p.pressed);
        const Image up = templateImage(p.raised), down = templateImage(p.pressed);
        for (int y = 0; y < down.height(); ++y)
            for (int x = 0; x < down.width(); ++x) {
                const TColor u = up.pixel(x, y), d = down.pixel(x, y);
                const TColor expected = u == kWhite ? kBlack : u == kBlack ? kWhite : u;
                ASSERT_EQ(d, expected) << "at (" << x << ", " << y << ")";
            }
        // Raised art is lit at its upper-left corner.
        EXPECT_EQ(up.pixel(0, 0), kWhite);
        EXPECT_EQ(up.pixel(up.width() - 1, up.height() - 1), kBlack);
    }
}

TEST(TemplateColourRules, EachPressedChoiceDiffersFromTheRestingColumnOnlyInItsBand) {
    const Image rest = templateImage("choices0");
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE("choices" + std::to_string(n));
        const Image pressed = templateImage("choices" + std::to_string(n));
        int keep = 0, changed = 0;
        for (int y = 0; y < 43; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool inBand = y >= kBandTop[n - 1] && y < kBandBottom[n - 1];
                if (pressed.pixel(x, y) == kKeep) {
                    ++keep;
                    EXPECT_TRUE(inBand) << "pressed letter outside its band at (" << x << ", " << y << ")";
                }
                if (pressed.pixel(x, y) != rest.pixel(x, y)) {
                    ++changed;
                    EXPECT_TRUE(inBand) << "changed outside the band at (" << x << ", " << y << ")";
                }
            }
        EXPECT_GE(keep, 5) << "a letter needs more than a dot";
        EXPECT_GT(changed, keep) << "the pressed band shows no relief of its own";
    }
}

TEST(TemplateColourRules, DefaultPictureRunsFromYellowThroughRedAndMagentaToBlue) {
    const Image picture = templateImage("firstImage");
    EXPECT_EQ(picture.pixel(0, 0), rgb(255, 255, 0));
    EXPECT_EQ(picture.pixel(274, 115), rgb(0, 0, 255));
    // Along the diagonal the colour passes red at a third and magenta at two thirds.
    EXPECT_EQ(picture.pixel(90, 39), rgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(182, 77), rgb(255, 0, 255));
    // The opposite corners meet in the middle of the ramp.
    EXPECT_EQ(picture.pixel(274, 0), picture.pixel(0, 115));
    for (int x = 1; x < 275; ++x) {
        const TColor before = picture.pixel(x - 1, 0), now = picture.pixel(x, 0);
        EXPECT_LE(greenOf(now), greenOf(before)) << "yellow fades into red along the top, at x = " << x;
    }
}
