// `make`: one skin, as a user makes it in the window: lay out the pictures,
// MakeSkin, the colour commands in the order given, SaveSkin.
#include "app/PictureIntake.h"
#include "app/QtTextRasteriser.h"
#include "cli/Commands.h"
#include "cli/Outputs.h"
#include "cli/SkinRecipe.h"
#include "output/SkinWriter.h"
#include "output/WszArchive.h"

#include <cstdio>

namespace vk::cli {

namespace {

struct MakeRequest {
    SkinRecipe recipe;
    std::string out, wsz, preview, playerPreview;
};

MakeRequest readMakeArguments(const std::vector<std::string>& args) {
    MakeRequest request;
    ArgReader reader(args);
    while (!reader.atEnd()) {
        if (!reader.atOption()) {
            if (reader.atEnd()) break;
            throw UsageError{"unexpected argument '" + reader.positional() + "'"};
        }
        const std::string name = reader.option();
        if (name == "--out") reader.valueOnce(request.out);
        else if (name == "--wsz") reader.valueOnce(request.wsz);
        else if (name == "--preview") reader.valueOnce(request.preview);
        else if (name == "--player-preview") reader.valueOnce(request.playerPreview);
        else if (!readRecipeOption(reader, request.recipe, true)) throw UsageError{"unknown option '" + name + "'"};
    }
    if (request.out.empty()) throw UsageError{"make needs --out DIR"};
    return request;
}

// Get Bitmap for each picture given, as the window would load them.
void loadPictures(Workbench& bench, const SkinRecipe& recipe) {
    if (!recipe.mainPicture.empty()) bench.loadPicture(WhichPicture::Main, recipe.mainPicture);
    if (!recipe.equaliserPicture.empty()) bench.loadPicture(WhichPicture::Equaliser, recipe.equaliserPicture);
    if (!recipe.playlistPicture.empty()) bench.loadPicture(WhichPicture::Playlist, recipe.playlistPicture);
}

} // namespace

int runMake(const std::vector<std::string>& args) {
    const MakeRequest request = readMakeArguments(args);
    const SkinTarget target = splitSkinDirectory(request.out);
    const std::filesystem::path skinDirectory = skinDirectoryFor(target.parent, target.name);

    // Everything that can be found wrong is found before the first byte is written.
    Workbench bench(qtTextRasteriser());
    loadPictures(bench, request.recipe);
    checkDirectoryTarget(skinDirectory);
    if (!request.wsz.empty()) checkFileTarget(request.wsz);
    if (!request.preview.empty()) checkFileTarget(request.preview);
    if (!request.playerPreview.empty()) checkFileTarget(request.playerPreview);

    makeSkinFromRecipe(bench, request.recipe);

    OutputGuard guard;
    guard.makeDirectories(target.parent);
    guard.willWrite(skinDirectory);
    for (const auto& path : skinFilePaths(bench, skinDirectory)) guard.willWrite(path);
    bench.saveSkin(target.parent, target.name);
    if (!request.wsz.empty()) {
        const std::filesystem::path archive(request.wsz);
        guard.makeDirectories(archive.parent_path());
        guard.willWrite(archive);
        saveWsz(bench, archive);
    }
    if (!request.preview.empty()) {
        const std::filesystem::path preview(request.preview);
        guard.makeDirectories(preview.parent_path());
        guard.willWrite(preview);
        writePreviewPng(bench, preview);
    }
    if (!request.playerPreview.empty()) {
        const std::filesystem::path preview(request.playerPreview);
        guard.makeDirectories(preview.parent_path());
        guard.willWrite(preview);
        writePlayerPreviewPng(bench, preview);
    }
    guard.keep();

    std::printf("made %s (16 files)\n", skinDirectory.string().c_str());
    if (!request.wsz.empty()) std::printf("made %s\n", request.wsz.c_str());
    if (!request.preview.empty()) std::printf("made %s\n", request.preview.c_str());
    if (!request.playerPreview.empty()) std::printf("made %s\n", request.playerPreview.c_str());
    return 0;
}

} // namespace vk::cli
