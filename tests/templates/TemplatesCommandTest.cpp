// vellumkit-cli templates: writing the embedded set back out, the contact
// sheet, and each usage error and failure with its exit status.
#include "TemplateFiles.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vk;
using namespace vk::test;

namespace {

struct CliResult {
    int exitCode;
    std::string out, err;
};

CliResult runCli(const QStringList& args) {
    QProcess cli;
    cli.start(VK_CLI_PATH, QStringList{"templates"} + args);
    if (!cli.waitForFinished(120000)) return {-1, "", "timed out"};
    return {cli.exitCode(), cli.readAllStandardOutput().toStdString(), cli.readAllStandardError().toStdString()};
}

// Whether `sheet` shows `image` enlarged `scale` times, each pixel a block.
bool showsEnlarged(const QImage& sheet, const Image& image, int scale) {
    auto matches = [&](int ox, int oy, int x, int y) {
        const TColor c = image.pixel(x, y);
        const QRgb expected = qRgb(redOf(c), greenOf(c), blueOf(c));
        for (int dy : {0, scale - 1})
            for (int dx : {0, scale - 1})
                if (sheet.pixel(ox + x * scale + dx, oy + y * scale + dy) != expected) return false;
        return true;
    };
    const int w = image.width() * scale, h = image.height() * scale;
    for (int oy = 0; oy + h <= sheet.height(); ++oy)
        for (int ox = 0; ox + w <= sheet.width(); ++ox) {
            if (!matches(ox, oy, 0, 0) || !matches(ox, oy, image.width() - 1, image.height() - 1) ||
                !matches(ox, oy, image.width() / 2, image.height() / 2))
                continue;
            bool all = true;
            for (int y = 0; y < image.height() && all; ++y)
                for (int x = 0; x < image.width() && all; ++x) all = matches(ox, oy, x, y);
            if (all) return true;
        }
    return false;
}

} // namespace

TEST(TemplatesCommand, OutWritesTheEmbeddedSetIntoANewDirectory) {
    QTemporaryDir tmp;
    const QString dir = tmp.path() + "/nested/templates";
    const CliResult run = runCli({"--out", dir});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("wrote 53 template images"), std::string::npos) << run.out;

    const std::filesystem::path written = dir.toStdString();
    EXPECT_EQ(bmpNames(written), catalogueNames());
    for (const std::string& name : catalogueNames())
        EXPECT_TRUE(readBytes(written / (name + ".bmp")) == readBytes(templateDir() / (name + ".bmp"))) << name;
}

TEST(TemplatesCommand, OutOverwritesAnEarlierCopy) {
    QTemporaryDir tmp;
    const std::filesystem::path stale = tmp.path().toStdString() + "/text.bmp";
    std::ofstream(stale) << "stale";
    ASSERT_EQ(runCli({"--out", tmp.path()}).exitCode, 0);
    EXPECT_TRUE(readBytes(stale) == readBytes(templateDir() / "text.bmp"));
}

TEST(TemplatesCommand, ContactSheetShowsEveryTemplateEnlargedFourTimes) {
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/sheet.png";
    const CliResult run = runCli({"--contact-sheet", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(bmpNames(tmp.path().toStdString()).empty()) << "no --out, so no template files";

    const QImage sheet = QImage(file).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(sheet.isNull()) << "not a readable PNG";
    EXPECT_GE(sheet.width(), 344 * 4);
    // A sample from each family, the largest and the smallest.
    for (const char* name : {"firstImage", "textMask", "choices3", "exampleSlider", "cButtons", "puller", "eqMain"})
        EXPECT_TRUE(showsEnlarged(sheet, templateImage(name), 4)) << name << " is not on the sheet at 4x";
}

TEST(TemplatesCommand, OutAndContactSheetTogether) {
    QTemporaryDir tmp;
    const CliResult run = runCli({"--contact-sheet", tmp.path() + "/sheet.png", "--out", tmp.path() + "/set"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_FALSE(QImage(tmp.path() + "/sheet.png").isNull());
    EXPECT_EQ(bmpNames(tmp.path().toStdString() + "/set"), catalogueNames());
}

TEST(TemplatesCommand, UsageErrorsAndFailuresExitWithTheirStatus) {
    QTemporaryDir tmp;
    const QString plainFile = tmp.path() + "/a-file";
    std::ofstream(plainFile.toStdString()) << "x";
    // A directory where a template file should go cannot be written over.
    const QString blocked = tmp.path() + "/blocked";
    std::filesystem::create_directories(blocked.toStdString() + "/text.bmp");
    struct Case {
        QStringList args;
        int exitCode;
        std::string message;
    } cases[] = {
        {{}, 2, "templates needs --out DIR, --contact-sheet FILE.png or both"},
        {{"--frob"}, 2, "unknown option '--frob'"},
        {{"--out"}, 2, "option --out needs a value"},
        {{"--contact-sheet"}, 2, "option --contact-sheet needs a value"},
        {{"--out", plainFile}, 1, "Cannot create directory \"" + plainFile.toStdString() + "\""},
        {{"--out", blocked}, 1, "Cannot write \"" + blocked.toStdString() + "/text.bmp\""},
        {{"--contact-sheet", tmp.path() + "/no/such/dir/sheet.png"}, 1, "Cannot write \""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliResult run = runCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_directory(blocked.toStdString() + "/text.bmp")) << "removed what it did not write";
}
