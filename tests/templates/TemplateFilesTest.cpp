// templates/ is exactly what the generator draws, and exactly what the
// programs carry inside them.
#include "TemplateFiles.h"
#include "format/SkinFiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace vk;
using namespace vk::test;

TEST(TemplateFiles, GeneratorReproducesTemplatesByteForByte) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess generator;
    generator.start(VK_GEN_TEMPLATES_PATH, {out.path()});
    ASSERT_TRUE(generator.waitForFinished(60000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();

    const std::filesystem::path dir = out.path().toStdString();
    EXPECT_EQ(bmpNames(dir), catalogueNames());
    for (const std::string& name : catalogueNames())
        EXPECT_TRUE(readBytes(dir / (name + ".bmp")) == readBytes(templateDir() / (name + ".bmp")))
            << name << ".bmp differs from the generator's output: run the regenerate_templates target";
}

TEST(TemplateFiles, GeneratorWithoutAnOutputDirectoryIsAUsageError) {
    QProcess generator;
    generator.start(VK_GEN_TEMPLATES_PATH, {});
    ASSERT_TRUE(generator.waitForFinished(60000));
    EXPECT_EQ(generator.exitCode(), 2);
    EXPECT_TRUE(generator.readAllStandardError().contains("usage"));
}

TEST(TemplateFiles, EmbeddedFilesAreTheTemplatesByteForByte) {
    std::set<std::string> embedded;
    for (const EmbeddedFile& file : embeddedTemplateFiles()) {
        embedded.insert(file.name);
        const auto onDisk = readBytes(templateDir() / (std::string(file.name) + ".bmp"));
        ASSERT_EQ(file.size, onDisk.size()) << file.name;
        EXPECT_EQ(std::memcmp(file.data, onDisk.data(), file.size), 0) << file.name;
    }
    EXPECT_EQ(embedded, catalogueNames());
}

TEST(TemplateFiles, EmbeddedSetLoadsEveryImageAtItsSizeAndDepth) {
    const TemplateSet set = TemplateSet::embedded();
    for (const TemplateSpec& spec : templateCatalogue()) {
        SCOPED_TRACE(spec.name);
        const Image& image = set.*spec.member;
        EXPECT_EQ(image.width(), spec.width);
        EXPECT_EQ(image.height(), spec.height);
        EXPECT_EQ(image.depth(), spec.depth);
        EXPECT_TRUE(image.samePixels(templateImage(spec.name)));
    }
    for (int i = 0; i <= 5; ++i) EXPECT_TRUE(set.choices(i).samePixels(templateImage("choices" + std::to_string(i))));
}

// The list writes the output sheets' sizes as numbers; they must stay the format's.
TEST(TemplateFiles, OutputSheetsAreListedAtTheSizesTheFormatWritesThem) {
    using format::Sheet, format::writtenSize;
    const std::pair<Image TemplateSet::*, format::Size> written[] = {
        {&TemplateSet::titleBarImage, writtenSize(Sheet::TitleBar)}, {&TemplateSet::volumeWindow, writtenSize(Sheet::Volume)},
        {&TemplateSet::balanceWindow, writtenSize(Sheet::Balance)},  {&TemplateSet::posBar, writtenSize(Sheet::PosBar)},
        {&TemplateSet::monoSter, writtenSize(Sheet::MonoSter)},      {&TemplateSet::shufrep, writtenSize(Sheet::ShufRep)},
        {&TemplateSet::cButtons, writtenSize(Sheet::CButtons)},      {&TemplateSet::eqMain, writtenSize(Sheet::EqMain)},
        {&TemplateSet::plEdit, writtenSize(Sheet::PlEdit)},          {&TemplateSet::eqEx, writtenSize(Sheet::EqEx)},
        {&TemplateSet::playPaus, writtenSize(Sheet::PlayPaus)},      {&TemplateSet::text, writtenSize(Sheet::Text)},
        {&TemplateSet::nums_ex, writtenSize(Sheet::NumsEx)},         {&TemplateSet::firstImage, format::kMainWindowSize},
    };
    for (const auto& [member, size] : written) {
        const auto spec = std::ranges::find(templateCatalogue(), member, &TemplateSpec::member);
        ASSERT_NE(spec, templateCatalogue().end());
        EXPECT_EQ(spec->width, size.width) << spec->name;
        EXPECT_EQ(spec->height, size.height) << spec->name;
    }
}
