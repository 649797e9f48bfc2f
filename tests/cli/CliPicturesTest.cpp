// vellumkit-cli with the pictures and folders a user has: the layout chosen
// from the pictures given, crop, other formats, colours, preview formats,
// help, and batch over real folders.
#include "tests/cli/CliPictures.h"
#include "tests/cli/CliRunner.h"

#include <QImageReader>
#include <QImageWriter>
#include <gtest/gtest.h>

using namespace vk;
using namespace vk::test;

namespace {

using Args = std::vector<std::string>;

Args operator+(Args a, const Args& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Makes a skin into dir/out and returns its sixteen files.
std::map<std::string, std::vector<std::uint8_t>> made(const fs::path& dir, const std::string& out, const Args& args) {
    const CliResult result = runCli(Args{"make", "--out", out} + args, dir);
    EXPECT_EQ(result.status, 0) << out << "\n" << result.err;
    return filesUnder(dir / out);
}

std::string magicOf(const fs::path& file) {
    const std::vector<std::uint8_t> bytes = readBytes(file);
    return {bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), 12)};
}

bool writes(const char* format) { return QImageWriter::supportedImageFormats().contains(format); }

} // namespace

TEST(CliPictures, TheLayoutFollowsThePicturesGivenUnlessNamed) {
    TempDir scratch;
    const fs::path dir = scratch.path();
    writeBmpPicture(dir / "m.bmp", 11);
    writeBmpPicture(dir / "e.bmp", 77);
    writeBmpPicture(dir / "p.bmp", 140);
    const Args m = {"--main", "m.bmp"}, e = {"--equaliser", "e.bmp"}, p = {"--playlist", "p.bmp"};
    struct Case {
        Args pictures;
        const char* layout;
    } cases[] = {
        {m, "continuous"}, {m + p, "two-plus-one"}, {m + e, "three-windows"}, {m + e + p, "three-windows"},
        {p, "three-windows"}, {e, "three-windows"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = std::to_string(n++);
        EXPECT_EQ(made(dir, "chosen" + name, c.pictures), made(dir, "named" + name, c.pictures + Args{"--layout", c.layout}))
            << name << " " << c.layout;
    }
    // The rule matters: one picture alone no longer leaves two windows to the built-in picture.
    EXPECT_NE(made(dir, "chosen0", m), made(dir, "three", m + Args{"--layout", "three-windows"}));

    // batch: each picture is a main one, with the same rule.
    ASSERT_EQ(runCli({"batch", "--out-dir", "b1", "m.bmp"}, dir).status, 0);
    ASSERT_EQ(runCli({"batch", "--out-dir", "b2", "--playlist", "p.bmp", "m.bmp"}, dir).status, 0);
    EXPECT_EQ(filesUnder(dir / "b1" / "m"), filesUnder(dir / "named0"));
    EXPECT_EQ(filesUnder(dir / "b2" / "m"), filesUnder(dir / "named1"));
}

TEST(CliPictures, CropCutsTheCentredOrFocusedPartWithTheAreasProportions) {
    TempDir scratch;
    const fs::path dir = scratch.path();
    // Exact size: crop has nothing to cut and changes no byte.
    writeBmpPicture(dir / "exact.bmp", 5);
    const Args three = {"--main", "exact.bmp", "--layout", "three-windows"};
    EXPECT_EQ(made(dir, "exactCrop", three + Args{"--fit", "crop"}), made(dir, "exactStretch", three));

    // A panorama three windows wide: its middle (or, focused, its left) window-sized part.
    const QImage panorama = toTestQImage(testPicture(30, 825, 116));
    writeQtPicture(dir / "panorama.png", panorama, "PNG");
    writeQtPicture(dir / "middle.png", panorama.copy(275, 0, 275, 116), "PNG");
    writeQtPicture(dir / "left.png", panorama.copy(0, 0, 275, 116), "PNG");
    const Args pano = {"--main", "panorama.png", "--layout", "three-windows", "--fit", "crop"};
    EXPECT_EQ(made(dir, "panoCrop", pano), made(dir, "middle", {"--main", "middle.png", "--layout", "three-windows"}));
    EXPECT_EQ(made(dir, "panoLeft", pano + Args{"--focus", "0,0.5"}),
              made(dir, "left", {"--main", "left.png", "--layout", "three-windows"}));
    EXPECT_NE(made(dir, "panoStretch", {"--main", "panorama.png", "--layout", "three-windows"}), filesUnder(dir / "middle"));

    // A portrait three times as tall as all three windows: the middle third, or the bottom one.
    const QImage portrait = toTestQImage(testPicture(60, 275, 1044));
    writeQtPicture(dir / "portrait.png", portrait, "PNG");
    writeQtPicture(dir / "centre.png", portrait.copy(0, 348, 275, 348), "PNG");
    writeQtPicture(dir / "bottom.png", portrait.copy(0, 696, 275, 348), "PNG");
    EXPECT_EQ(made(dir, "portraitCrop", {"--main", "portrait.png", "--fit", "crop"}), made(dir, "centre", {"--main", "centre.png"}));
    EXPECT_EQ(made(dir, "portraitBottom", {"--main", "portrait.png", "--fit", "crop", "--focus", "0.5,1"}),
              made(dir, "bottom", {"--main", "bottom.png"}));

    // batch crops the same way.
    ASSERT_EQ(runCli({"batch", "--out-dir", "b", "--fit", "crop", "portrait.png"}, dir).status, 0);
    EXPECT_EQ(filesUnder(dir / "b" / "portrait"), filesUnder(dir / "centre"));
}

TEST(CliPictures, WebpAndTiffPicturesMakeTheSkinTheirPixelsMake) {
    TempDir scratch;
    const fs::path dir = scratch.path();
    const QImage picture = toTestQImage(testPicture(90));
    int tried = 0;
    for (const char* format : {"webp", "tiff"}) {
        if (!QImageReader::supportedImageFormats().contains(format) || !writes(format)) {
            std::printf("SKIPPED %s: no Qt image plugin for it (package qt6-image-formats-plugins)\n", format);
            continue;
        }
        ++tried;
        const fs::path file = dir / (std::string("photo.") + format);
        writeQtPicture(file, picture, format);
        // What the format kept (WebP may round), as a PNG, must make the same skin.
        writeQtPicture(dir / (std::string(format) + ".png"), QImage(QString::fromStdString(file.string())), "PNG");
        EXPECT_EQ(made(dir, std::string("from-") + format, {"--main", file.filename().string()}),
                  made(dir, std::string("png-") + format, {"--main", std::string(format) + ".png"}))
            << format;
    }
    if (tried == 0) GTEST_SKIP() << "neither WebP nor TIFF can be read here";
    const CliResult formats = runCli({"formats"});
    EXPECT_EQ(formats.status, 0);
    EXPECT_NE(formats.out.find("\nwebp\n"), std::string::npos) << formats.out;
    EXPECT_NE(formats.out.find("\ntiff\n"), std::string::npos) << formats.out;
    EXPECT_NE(formats.out.find("\npng\n"), std::string::npos) << formats.out;
}

TEST(CliPictures, ColoursAreHexWithOrWithoutHashOrAName) {
    TempDir scratch;
    const fs::path dir = scratch.path();
    const Args base = {"--knob", "eq=00FF00"};
    const auto plain = made(dir, "plain", base + Args{"--colour", "winTextColour=FFD700", "--vis-colour", "2=000080"});
    EXPECT_EQ(made(dir, "hash", base + Args{"--colour", "winTextColour=#ffd700", "--vis-colour", "2=#000080"}), plain);
    EXPECT_EQ(made(dir, "named", base + Args{"--colour", "winTextColour=gold", "--vis-colour", "2=navy"}), plain);
    EXPECT_NE(made(dir, "other", base + Args{"--colour", "winTextColour=orange", "--vis-colour", "2=navy"}), plain);
    const CliResult bad = runCli({"make", "--out", "bad", "--background", "#12345G"}, dir);
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("vellumkit-cli: colour '#12345G' for --background is not #RRGGBB, RRGGBB or a colour name such as gold"),
              std::string::npos)
        << bad.err;
    EXPECT_EQ(bad.out, "");
}

TEST(CliPictures, PreviewsAreWrittenInTheFormatTheirExtensionNames) {
    TempDir scratch;
    const fs::path dir = scratch.path();
    const std::map<std::string, std::string> magic = {
        {"png", "\x89PNG"}, {"PNG", "\x89PNG"}, {"jpg", "\xFF\xD8\xFF"}, {"jpeg", "\xFF\xD8\xFF"}, {"bmp", "BM"}, {"webp", "RIFF"}};
    for (const auto& [extension, start] : magic) {
        if (!writes(QByteArray::fromStdString(extension).toLower().constData())) {
            std::printf("SKIPPED .%s previews: Qt writes no such format here\n", extension.c_str());
            continue;
        }
        const std::string preview = "p." + extension, player = "player." + extension;
        const CliResult r = runCli({"make", "--out", "s-" + extension, "--preview", preview, "--player-preview", player}, dir);
        ASSERT_EQ(r.status, 0) << extension << "\n" << r.err;
        EXPECT_EQ(magicOf(dir / preview).substr(0, start.size()), start) << preview;
        EXPECT_EQ(magicOf(dir / player).substr(0, start.size()), start) << player;
        const QImage shown(QString::fromStdString((dir / preview).string()));
        EXPECT_EQ(shown.size(), QSize(275, 356)) << preview;  // three windows, apart
    }
    if (writes("webp")) {
        EXPECT_EQ(magicOf(dir / "p.webp").substr(8, 4), "WEBP");
    }

    // An unknown extension is refused before anything is written.
    const auto before = entriesOf(dir);
    for (const Args& args : {Args{"make", "--out", "new", "--preview", "p.heic"}, Args{"make", "--out", "new", "--player-preview", "x"},
                             Args{"batch", "--out-dir", "new", "--previews=tga2", "p.png"}}) {
        const CliResult refused = runCli(args, dir);
        EXPECT_EQ(refused.status, 2) << args.back() << refused.err;
        EXPECT_EQ(entriesOf(dir), before);
    }
    ASSERT_EQ(runCli({"batch", "--out-dir", "b", "--previews=jpg", "--no-folder", "p.png"}, dir).status, 0);
    EXPECT_EQ(entriesOf(dir / "b"), (std::set<std::string>{"p.jpg", "p.wsz"}));
    EXPECT_EQ(magicOf(dir / "b" / "p.jpg").substr(0, 3), "\xFF\xD8\xFF");
}

TEST(CliPictures, EachCommandHasItsHelpAndQuietAndVerboseSayWhatTheyShould) {
    for (const std::string command : {"make", "batch", "templates", "render", "formats"}) {
        const CliResult asked = runCli({"help", command});
        const CliResult flag = runCli({command, "--out", "x", "--help"});
        EXPECT_EQ(asked.status, 0) << command;
        EXPECT_EQ(flag.status, 0) << command;
        EXPECT_EQ(asked.out, flag.out) << command;
        EXPECT_EQ(asked.out.find("usage: vellumkit-cli " + command), 0u) << asked.out;
        EXPECT_EQ(asked.err, "");
    }
    EXPECT_NE(runCli({"help", "make"}).out.find("--fit stretch|crop"), std::string::npos);
    EXPECT_NE(runCli({"batch", "-h"}).out.find("--recursive"), std::string::npos);
    EXPECT_NE(runCli({"help", "render"}).out.find("--windows"), std::string::npos);
    const CliResult overview = runCli({"help"});
    EXPECT_EQ(overview.status, 0);
    EXPECT_EQ(overview.out, runCli({"--help"}).out);
    EXPECT_NE(overview.out.find("formats"), std::string::npos);
    const CliResult version = runCli({"--version"});
    EXPECT_EQ(version.out.find("vellumkit-cli "), 0u);

    TempDir scratch;
    const fs::path dir = scratch.path();
    writeBmpPicture(dir / "m.bmp", 3);
    const CliResult quiet = runCli({"-q", "make", "--main", "m.bmp", "--out", "a"}, dir);
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out + quiet.err, "");
    const CliResult quietBatch = runCli({"batch", "--quiet", "--out-dir", "b", "m.bmp"}, dir);
    EXPECT_EQ(quietBatch.out + quietBatch.err, "");
    const CliResult normal = runCli({"make", "--main", "m.bmp", "--out", "c"}, dir);
    EXPECT_EQ(normal.out, "made c (16 files)\n");
    EXPECT_EQ(normal.err, "");
    const CliResult verbose = runCli({"make", "-v", "--main", "m.bmp", "--out", "d"}, dir);
    EXPECT_EQ(verbose.out, "made d (16 files)\n");
    EXPECT_NE(verbose.err.find("vellumkit-cli: read m.bmp (275 x 116)\n"), std::string::npos) << verbose.err;
    EXPECT_NE(verbose.err.find("layout continuous (from the pictures given), pictures stretched"), std::string::npos) << verbose.err;
}

TEST(CliPictures, BatchTakesFoldersInNameOrderAndSkipsWhatIsNoPicture) {
    TempDir scratch;
    const fs::path dir = scratch.path();
    fs::create_directories(dir / "photos" / "sub");
    fs::create_directories(dir / "photos" / ".thumbnails");
    writeBmpPicture(dir / "photos" / "a.bmp", 10);
    writePngPicture(dir / "photos" / "a.png", 20);
    writePngPicture(dir / "photos" / ".thumbnails" / "t.png", 30);
    writeBmpPicture(dir / "photos" / "sub" / "a.bmp", 40);
    writeBytes(dir / "photos" / "notes.txt", {'h', 'i', '\n'});
    writeCorruptPicture(dir / "photos" / "broken.bmp");
    // A picture by its name that holds no picture fails by name; it is not skipped.
    writeBytes(dir / "photos" / "IMG_0002.JPG", std::vector<std::uint8_t>(64, 0));

    CliResult flat = runCli({"batch", "--out-dir", "out", "--jobs", "1", "photos"}, dir);
    EXPECT_EQ(flat.status, 1);  // the corrupt picture failed
    EXPECT_EQ(entriesOf(dir / "out"), (std::set<std::string>{"a", "a.wsz", "a-2", "a-2.wsz"}));
    for (const char* report : {"vellumkit-cli: photos/a.png: the name a is taken, this skin is a-2\n",
                               "vellumkit-cli: skipped photos/notes.txt: not a picture this installation reads",
                               "vellumkit-cli: skipped photos/sub: a folder (--recursive takes in the pictures in it)\n",
                               "vellumkit-cli: photos/broken.bmp: BMP picture: the file ends before the picture does.\n",
                               "vellumkit-cli: photos/IMG_0002.JPG: named a JPG picture, but its bytes are no picture format"})
        EXPECT_NE(flat.err.find(report), std::string::npos) << report << "\n" << flat.err;
    // A line per skin, the picture it came from named, then the summary.
    EXPECT_EQ(flat.out.find("made out/a and out/a.wsz from photos/a.bmp\nmade out/a-2 and out/a-2.wsz from photos/a.png\n"
                            "batch: 2 made in out, 2 failed, 2 skipped, "), 0u) << flat.out;
    EXPECT_EQ(filesUnder(dir / "out" / "a"), made(dir, "single-a", {"--main", "photos/a.bmp"}));
    EXPECT_EQ(filesUnder(dir / "out" / "a-2"), made(dir, "single-a2", {"--main", "photos/a.png"}));

    // Into a folder inside the one read, twice: the skins made are never read back as pictures.
    fs::remove(dir / "photos" / "broken.bmp");
    fs::remove(dir / "photos" / "IMG_0002.JPG");
    for (int run = 0; run < 2; ++run) {
        const CliResult deep = runCli({"batch", "--out-dir", "photos/skins", "--recursive", "--no-wsz", "photos"}, dir);
        EXPECT_EQ(deep.status, 0) << deep.err;
        EXPECT_NE(deep.out.find("made photos/skins/a-3 from photos/sub/a.bmp\n"), std::string::npos) << deep.out;
        EXPECT_NE(deep.out.find("\nbatch: 3 made in photos/skins, 0 failed, 1 skipped, "), std::string::npos) << deep.out;
        EXPECT_NE(deep.err.find("photos/sub/a.bmp: the name a is taken, this skin is a-3"), std::string::npos) << deep.err;
    }
    EXPECT_EQ(entriesOf(dir / "photos" / "skins"), (std::set<std::string>{"a", "a-2", "a-3"}));
    EXPECT_EQ(filesUnder(dir / "photos" / "skins" / "a-3"), made(dir, "single-a3", {"--main", "photos/sub/a.bmp"}));

    // A folder with nothing to make is a failure, not a silent success.
    fs::create_directory(dir / "empty");
    const CliResult none = runCli({"batch", "--out-dir", "none", "empty"}, dir);
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("vellumkit-cli: no pictures to make skins from"), std::string::npos) << none.err;
}
