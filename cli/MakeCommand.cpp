// `make`: one skin, as a user makes it in the window: lay out the pictures,
// MakeSkin, the colour commands in the order given, SaveSkin.
#include "app/qt/PictureIntake.h"
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/Outputs.h"
#include "cli/PictureProblem.h"
#include "cli/PlayerInstall.h"
#include "cli/QtModule.h"
#include "cli/Report.h"
#include "cli/SkinRecipe.h"
#include "raster/Error.h"

namespace vk::cli {

namespace {

struct MakeRequest {
    SkinRecipe recipe;
    std::string out, wsz, preview, playerPreview;
    std::vector<SkinPlayer> players;
    bool noSync = false;
};

MakeRequest readMakeArguments(const std::vector<std::string>& args) {
    MakeRequest request;
    ArgReader reader(args);
    while (reader.nextOption()) {
        const std::string name = reader.option();
        if (name == "--out") reader.valueOnce(request.out);
        else if (name == "--wsz") reader.valueOnce(request.wsz);
        else if (name == "--preview") reader.valueOnce(request.preview);
        else if (name == "--no-sync") {
            reader.flag();
            request.noSync = true;
        }
        else if (name == "--player-preview") reader.valueOnce(request.playerPreview);
        else if (!readRecipeOption(reader, request.recipe, true) && !readReportOption(reader) &&
                 !readInstallOption(reader, request.players))
            throw UsageError{"unknown option '" + name + "'"};
    }
    if (request.out.empty()) throw UsageError{"make needs --out DIR"};
    checkRecipe(request.recipe);
    // An unknown format is found before anything is read or written.
    if (!request.preview.empty()) imageFormatFor(request.preview, "--preview");
    if (!request.playerPreview.empty()) imageFormatFor(request.playerPreview, "--player-preview");
    return request;
}

// Get Bitmap for each picture given, as the window would load them.
void loadPictures(Workbench& bench, const SkinRecipe& recipe) {
    bench.setPictureOptions(recipe.picture);
    bench.setFit(recipe.fit);
    const auto load = [&](WhichPicture which, const std::string& path) {
        if (path.empty()) return;
        loadPictureSaying(bench, which, path, true);
        const Image& loaded = bench.sourcePicture(which);
        note("read " + path + " (" + std::to_string(loaded.width()) + " x " + std::to_string(loaded.height()) + ")");
    };
    load(WhichPicture::Main, recipe.mainPicture);
    load(WhichPicture::Equaliser, recipe.equaliserPicture);
    load(WhichPicture::Playlist, recipe.playlistPicture);
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
    const std::filesystem::path skinDirectory = Workbench::skinDirectoryFor(target.parent, target.name);
    checkOutputs(request, skinDirectory);
    checkPictureInputs(request.recipe);
    checkDirectoryTarget(skinDirectory, "--out");
    if (!request.wsz.empty()) checkFileTarget(request.wsz, "--wsz");
    if (!request.preview.empty()) checkFileTarget(request.preview, "--preview");
    if (!request.playerPreview.empty()) checkFileTarget(request.playerPreview, "--player-preview");
    const std::vector<PlayerSkinsFolder> playerFolders = installFolders(request.players);

    // Everything that can be found wrong is found before the first byte is written.
    Workbench bench(glyphsIfStarted(), &loadPictureThroughQt);
    loadPictures(bench, request.recipe);

    stopIfInterrupted();
    makeSkinFromRecipe(bench, request.recipe);
    note(std::string("made the skin: layout ") + layoutName(bench.options().layout) + (request.recipe.layout ? "" : " (from the pictures given)") +
         (bench.fit().mode == PictureFit::Mode::Crop ? ", pictures cropped" : ", pictures stretched") + ", " +
         std::to_string(request.recipe.steps.size()) + " colour changes");

    // The skin, its archive and its preview land together or not at all.
    SaveRequest save;
    save.parent = target.parent, save.skinName = target.name, save.archive = request.wsz;
    if (!request.preview.empty()) save.extras.push_back({request.preview, previewBytes(bench, request.preview)});
    if (!request.playerPreview.empty())
        save.extras.push_back({request.playerPreview, playerPreviewBytes(bench.currentSkin(), request.playerPreview)});
    save.synced = !request.noSync;
    stopIfInterrupted();  // the last point before anything is written
    OutputGuard guard;
    guard.makeDirectories(target.parent);
    if (!request.wsz.empty()) guard.makeDirectories(std::filesystem::path(request.wsz).parent_path());
    if (!request.preview.empty()) guard.makeDirectories(std::filesystem::path(request.preview).parent_path());
    warnOfShadowingFiles(skinDirectory);
    bench.save(save);
    guard.keep();

    result("made " + skinDirectory.string() + " (16 files)");
    if (!request.wsz.empty()) result("made " + request.wsz);
    if (!request.preview.empty()) result("made " + request.preview);
    if (!request.playerPreview.empty()) result("made " + request.playerPreview);
    installForPlayers(bench, skinDirectory.filename().string(), playerFolders, save.synced);
    return 0;
}

} // namespace vk::cli
