// `make`: one skin, as a user makes it in the window: lay out the pictures,
// MakeSkin, the colour commands in the order given, SaveSkin.
#include "app/PictureIntake.h"
#include "app/QtTextRasteriser.h"
#include "cli/Commands.h"
#include "cli/Outputs.h"
#include "cli/SkinRecipe.h"
#include "output/SkinWriter.h"

#include <cstdio>

namespace vk::cli {

namespace {

struct MakeRequest {
    SkinRecipe recipe;
    std::string out, wsz, preview, playerPreview;
    bool noSync = false;
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
        else if (name == "--no-sync") {
            reader.flag();
            request.noSync = true;
        }
        else if (name == "--player-preview") reader.valueOnce(request.playerPreview);
        else if (!readRecipeOption(reader, request.recipe, true)) throw UsageError{"unknown option '" + name + "'"};
    }
    if (request.out.empty()) throw UsageError{"make needs --out DIR"};
    return request;
}

// Get Bitmap for each picture given, as the window would load them.
void loadPictures(Workbench& bench, const SkinRecipe& recipe) {
    bench.pictureOptions = recipe.picture;
    if (!recipe.mainPicture.empty()) bench.loadPicture(WhichPicture::Main, recipe.mainPicture);
    if (!recipe.equaliserPicture.empty()) bench.loadPicture(WhichPicture::Equaliser, recipe.equaliserPicture);
    if (!recipe.playlistPicture.empty()) bench.loadPicture(WhichPicture::Playlist, recipe.playlistPicture);
}

// No output may land on a picture read or on another output.
void checkOutputs(const MakeRequest& request, const std::filesystem::path& skinDirectory) {
    std::vector<NamedFile> outputs = {{skinDirectory, "--out"}};
    for (const auto& path : skinFilePaths(skinDirectory)) outputs.push_back({path, "the skin file"});
    if (!request.wsz.empty()) outputs.push_back({request.wsz, "--wsz"});
    if (!request.preview.empty()) outputs.push_back({request.preview, "--preview"});
    if (!request.playerPreview.empty()) outputs.push_back({request.playerPreview, "--player-preview"});
    std::vector<NamedFile> inputs;
    if (!request.recipe.mainPicture.empty()) inputs.push_back({request.recipe.mainPicture, "the picture --main"});
    if (!request.recipe.equaliserPicture.empty()) inputs.push_back({request.recipe.equaliserPicture, "the picture --equaliser"});
    if (!request.recipe.playlistPicture.empty()) inputs.push_back({request.recipe.playlistPicture, "the picture --playlist"});
    checkOutputsApart(outputs, inputs);
}

} // namespace

int runMake(const std::vector<std::string>& args) {
    const MakeRequest request = readMakeArguments(args);
    const SkinTarget target = splitSkinDirectory(request.out);
    const std::filesystem::path skinDirectory = skinDirectoryFor(target.parent, target.name);
    checkOutputs(request, skinDirectory);

    // Everything that can be found wrong is found before the first byte is written.
    Workbench bench(qtTextRasteriserIfRunning());
    loadPictures(bench, request.recipe);
    checkDirectoryTarget(skinDirectory);
    if (!request.wsz.empty()) checkFileTarget(request.wsz);
    if (!request.preview.empty()) checkFileTarget(request.preview);
    if (!request.playerPreview.empty()) checkFileTarget(request.playerPreview);

    makeSkinFromRecipe(bench, request.recipe);

    // The skin, its archive and its preview land together or not at all.
    SaveOptions save;
    save.archive = request.wsz;
    if (!request.preview.empty()) save.extras.push_back({request.preview, previewPng(bench, request.preview)});
    if (!request.playerPreview.empty()) save.extras.push_back({request.playerPreview, playerPreviewPng(bench)});
    if (request.noSync) save.durability = Durability::Unsynced;
    OutputGuard guard;
    guard.makeDirectories(target.parent);
    if (!request.wsz.empty()) guard.makeDirectories(std::filesystem::path(request.wsz).parent_path());
    if (!request.preview.empty()) guard.makeDirectories(std::filesystem::path(request.preview).parent_path());
    saveSkin(bench, target.parent, target.name, save);
    guard.keep();

    std::printf("made %s (16 files)\n", skinDirectory.string().c_str());
    if (!request.wsz.empty()) std::printf("made %s\n", request.wsz.c_str());
    if (!request.preview.empty()) std::printf("made %s\n", request.preview.c_str());
    if (!request.playerPreview.empty()) std::printf("made %s\n", request.playerPreview.c_str());
    return 0;
}

} // namespace vk::cli
