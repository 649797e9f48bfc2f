// `batch`: one skin (a directory and a .wsz beside it) per picture, made in
// parallel, one workbench per picture, with no more decoded pictures at once
// than half the available memory holds. Folders given stand for the pictures
// in them; a picture that fails is reported and the others are still made.
#include "app/qt/PictureIntake.h"
#include "cli/Batch.h"
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/MemoryBudget.h"
#include "cli/Outputs.h"
#include "cli/PictureProblem.h"
#include "cli/PlayerInstall.h"
#include "cli/Progress.h"
#include "cli/QtModule.h"
#include "cli/Report.h"
#include "cli/SkinRecipe.h"
#include "raster/Error.h"
#include "raster/RegularFile.h"
#include "raster/TextRasteriser.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

namespace fs = std::filesystem;

namespace vk::cli {

namespace {

std::size_t parseJobs(const std::string& text) {
    const bool digits = !text.empty() && text.size() <= 4 && text.find_first_not_of("0123456789") == std::string::npos;
    const int jobs = digits ? std::stoi(text) : 0;
    if (jobs < 1) throw UsageError{"option --jobs wants a number of 1 or more, got '" + text + "'"};
    return std::size_t(jobs);
}

BatchRequest readBatchArguments(const std::vector<std::string>& args) {
    BatchRequest request;
    ArgReader reader(args);
    while (!reader.atEnd()) {
        if (!reader.atOption()) {
            if (reader.atEnd()) break;
            request.inputs.push_back(reader.positional());
            continue;
        }
        const std::string name = reader.option();
        if (name == "--out-dir") {
            reader.valueOnce(request.outDir);
        } else if (name == "--previews") {
            // png unless a format is named: --previews=jpg
            const std::string format = reader.hasInlineValue() ? reader.value() : (reader.flag(), "png");
            try {
                request.previewFormat = imageFormatFor("preview." + format, "--previews");
            } catch (const UsageError&) {
                // Said of the format the user typed, not of a file name they never gave.
                throw UsageError{"--previews=" + format + ": cannot write ." + format + " pictures (" + writableFormats() + ")"};
            }
        } else if (name == "--recursive" || name == "-r") {
            reader.flag();
            request.recursive = true;
        } else if (name == "--no-wsz") {
            reader.flag();
            request.noWsz = true;
        } else if (name == "--no-folder") {
            reader.flag();
            request.noFolder = true;
        } else if (name == "--no-sync") {
            reader.flag();
            request.noSync = true;
        } else if (name == "--progress") {
            reader.flag();
            request.progress = true;
        } else if (name == "--jobs") {
            request.jobs = parseJobs(reader.value());
        } else if (name == "--main" || name == "--out" || name == "--wsz" || name == "--preview") {
            throw UsageError{"option " + name +
                             " is not for batch: each PICTURE is a main picture, its skin and archive go to --out-dir"};
        } else if (!readRecipeOption(reader, request.recipe, false) && !readReportOption(reader) &&
                   !readInstallOption(reader, request.players)) {
            throw UsageError{"unknown option '" + name + "'"};
        }
    }
    if (request.outDir.empty()) throw UsageError{"batch needs --out-dir DIR"};
    if (request.inputs.empty()) throw UsageError{"batch needs at least one PICTURE or FOLDER"};
    if (request.noWsz && request.noFolder) throw UsageError{"--no-wsz and --no-folder together would write no skin"};
    checkRecipe(request.recipe);
    // Each picture is a main picture: the layout follows from the others given.
    if (!request.recipe.layout)
        request.recipe.layout = defaultLayout(true, !request.recipe.equaliserPicture.empty(), !request.recipe.playlistPicture.empty());
    return request;
}

struct SharedPictures {
    std::optional<Image> equaliser, playlist;
};

void makeOne(const BatchRequest& request, const SharedPictures& shared, const BatchItem& item, TextRasteriser* text) {
    Workbench bench(text, &loadPictureThroughQt);
    bench.setPictureOptions(request.recipe.picture);
    bench.setFit(request.recipe.fit);
    if (shared.equaliser) bench.usePicture(WhichPicture::Equaliser, *shared.equaliser);
    if (shared.playlist) bench.usePicture(WhichPicture::Playlist, *shared.playlist);
    loadPictureSaying(bench, WhichPicture::Main, item.picture, false);  // the progress names it
    makeSkinFromRecipe(bench, request.recipe);

    // The skin, its archive and its preview land together or not at all.
    SaveRequest save;
    if (!request.noFolder) save.parent = request.outDir, save.skinName = item.name;
    if (!request.noWsz) save.archive = archiveOf(request, item.name);
    if (!request.previewFormat.empty()) {
        const fs::path preview = previewOf(request, item.name);
        save.extras.push_back({preview, previewBytes(bench, preview)});
    }
    save.synced = !request.noSync;
    if (!request.noFolder) warnOfShadowingFiles(Workbench::skinDirectoryFor(request.outDir, item.name));
    bench.save(save);
    // One line per skin: which picture made which files, as make says "made".
    std::string made;
    if (!save.skinName.empty()) made = Workbench::skinDirectoryFor(save.parent, save.skinName).string();
    if (!save.archive.empty()) made += (made.empty() ? "" : " and ") + save.archive.string();
    for (const SavedFile& extra : save.extras) made += " and " + extra.path.string();
    result("made " + made + " from " + item.picture);
    installForPlayers(bench, item.name, installFolders(request.players), save.synced);
}

} // namespace

int runBatch(const std::vector<std::string>& args) {
    const auto start = std::chrono::steady_clock::now();
    const BatchRequest request = readBatchArguments(args);
    installFolders(request.players);  // a player that cannot be found is a usage error before any skin
    const Gathered gathered = gatherPictures(request);
    const std::vector<BatchItem> items = nameSkins(request, gathered.pictures);
    checkOutputsOfAll(request, items);
    note("layout " + std::string(layoutName(*request.recipe.layout)) + ", pictures " +
         (request.recipe.fit.mode == PictureFit::Mode::Crop ? "cropped" : "stretched") + ", " +
         std::to_string(items.size()) + " pictures");

    // The pictures every skin shares are read once, by Get Bitmap as the window reads them.
    checkPictureInputs(request.recipe);
    checkDirectoryTarget(request.outDir, "--out-dir");
    SharedPictures shared;
    Workbench reader(nullptr, &loadPictureThroughQt);
    reader.setPictureOptions(request.recipe.picture);
    const auto readShared = [&](WhichPicture which, const std::string& path, std::optional<Image>& into) {
        if (path.empty()) return;
        loadPictureSaying(reader, which, path, true);
        into = reader.sourcePicture(which);
    };
    readShared(WhichPicture::Equaliser, request.recipe.equaliserPicture, shared.equaliser);
    readShared(WhichPicture::Playlist, request.recipe.playlistPicture, shared.playlist);

    OutputGuard outDirGuard;
    outDirGuard.makeDirectories(request.outDir);

    TextRasteriser* const text = glyphsIfStarted();
    if (text) text->render("Ag", "Arial", 13);  // Qt's font database, when it draws, first used on this thread
    SerialisedRasteriser serialisedText(text);
    Progress progress(items.size(), request.progress, "pictures");
    MemoryBudget budget(defaultMemoryBudget());
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> failed{0}, succeeded{0};
    auto worker = [&] {
        // A stop asked for ends the run between skins, never inside a save.
        for (std::size_t i; !interruptedBy() && (i = next++) < items.size();) {
            const std::string& picture = items[i].picture;
            std::optional<std::string> failure;
            const std::size_t cost = decodedCostOf(picture);
            budget.acquire(cost);
            try {
                makeOne(request, shared, items[i], text ? &serialisedText : nullptr);
            } catch (...) {
                failure = failureMessage(std::current_exception());
            }
            budget.release(cost);
            if (failure) ++failed;
            else ++succeeded;
            progress.finished(picture, failure ? &*failure : nullptr);
        }
    };
    const std::size_t jobs = request.jobs ? request.jobs : std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (std::size_t n = std::min(jobs, items.size()); n > 0; --n) workers.emplace_back(worker);
    for (std::thread& thread : workers) thread.join();
    progress.end();

    const std::size_t made = succeeded;
    if (made > 0) outDirGuard.keep();
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s",
                  std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    result("batch: " + std::to_string(made) + " made in " + request.outDir + ", " + std::to_string(failed.load()) +
           " failed, " + std::to_string(gathered.skipped) + " skipped, " + seconds);
    if (items.empty()) warning("no pictures to make skins from");
    stopIfInterrupted();
    return failed == 0 && !items.empty() ? 0 : 1;
}

} // namespace vk::cli
