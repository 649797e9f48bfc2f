// `batch`: one skin (a directory and a .wsz beside it) per picture, made in
// parallel, one workbench per picture. A picture that fails is reported and
// the others are still made.
#include "app/PictureIntake.h"
#include "app/QtTextRasteriser.h"
#include "cli/Commands.h"
#include "cli/Outputs.h"
#include "cli/SkinRecipe.h"
#include "output/SkinWriter.h"
#include "output/WszArchive.h"
#include "raster/Error.h"
#include "raster/TextRasteriser.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include <unistd.h>

namespace fs = std::filesystem;

namespace vk::cli {

namespace {

struct BatchRequest {
    SkinRecipe recipe;
    std::string outDir;
    bool previews = false;
    std::vector<std::string> pictures;
};

BatchRequest readBatchArguments(const std::vector<std::string>& args) {
    BatchRequest request;
    ArgReader reader(args);
    while (!reader.atEnd()) {
        if (!reader.atOption()) {
            if (reader.atEnd()) break;
            request.pictures.push_back(reader.positional());
            continue;
        }
        const std::string name = reader.option();
        if (name == "--out-dir") {
            reader.valueOnce(request.outDir);
        } else if (name == "--previews") {
            reader.flag();
            request.previews = true;
        } else if (name == "--main" || name == "--out" || name == "--wsz" || name == "--preview") {
            throw UsageError{"option " + name +
                             " is not for batch: each PICTURE is a main picture, its skin and archive go to --out-dir"};
        } else if (!readRecipeOption(reader, request.recipe, false)) {
            throw UsageError{"unknown option '" + name + "'"};
        }
    }
    if (request.outDir.empty()) throw UsageError{"batch needs --out-dir DIR"};
    if (request.pictures.empty()) throw UsageError{"batch needs at least one PICTURE"};
    return request;
}

// The skin's name: the picture's file name without its extension.
std::string skinNameOf(const std::string& picture) { return fs::path(picture).stem().string(); }

// Two pictures must not share a name, nor one's archive be another's directory.
void checkNamesApart(const BatchRequest& request) {
    std::set<std::string> taken;
    for (const std::string& picture : request.pictures) {
        const std::string name = skinNameOf(picture);
        if (name.empty() || name == "." || name == "..")
            throw UsageError{"'" + picture + "' names no picture file"};
        for (const std::string& output : {name, name + ".wsz", name + ".png"})
            if (!taken.insert(output).second)
                throw UsageError{"two pictures would both write '" + output + "' (" + picture + ")"};
    }
}

// The text rasteriser is shared by every workbench; the font database behind
// it is not safe to use from several threads at once, so one line of text is
// drawn at a time.
class SerialisedRasteriser final : public TextRasteriser {
public:
    explicit SerialisedRasteriser(TextRasteriser* inner) : inner_(inner) {}
    GlyphRun render(const std::string& text, const std::string& fontName, int cellHeight) override {
        std::lock_guard lock(mutex_);
        return inner_->render(text, fontName, cellHeight);
    }

private:
    TextRasteriser* inner_;
    std::mutex mutex_;
};


// Reports as pictures finish: a bar on a terminal, the failures always.
class Progress {
public:
    explicit Progress(std::size_t total) : total_(total), bar_(::isatty(STDERR_FILENO) == 1) { draw(); }

    void finished(const std::string& picture, const std::string* failure) {
        std::lock_guard lock(mutex_);
        ++done_;
        if (failure) {
            clear();
            std::fprintf(stderr, "vellumkit-cli: %s: %s\n", picture.c_str(), messageForDisplay(*failure).c_str());
        }
        draw();
    }
    void end() {
        std::lock_guard lock(mutex_);
        clear();
    }

private:
    void draw() {
        if (!bar_) return;
        constexpr std::size_t kWidth = 30;
        const std::size_t filled = total_ ? done_ * kWidth / total_ : kWidth;
        std::fprintf(stderr, "\r[%s%s] %zu/%zu", std::string(filled, '#').c_str(),
                     std::string(kWidth - filled, '.').c_str(), done_, total_);
        std::fflush(stderr);
    }
    void clear() {
        if (bar_) std::fprintf(stderr, "\r%*s\r", 50, "");
    }

    std::mutex mutex_;
    std::size_t total_;
    std::size_t done_ = 0;
    bool bar_;
};

struct SharedPictures {
    std::optional<Image> equaliser, playlist;
};

void makeOne(const BatchRequest& request, const SharedPictures& shared, const std::string& picture,
             TextRasteriser* text) {
    Workbench bench(text);
    bench.pictureOptions = request.recipe.picture;
    if (shared.equaliser) bench.state.sourcePictures.equaliser = *shared.equaliser;
    if (shared.playlist) bench.state.sourcePictures.playlist = *shared.playlist;
    bench.loadPicture(WhichPicture::Main, picture);
    makeSkinFromRecipe(bench, request.recipe);

    const std::string name = skinNameOf(picture);
    const fs::path outDir(request.outDir);
    const fs::path skinDirectory = skinDirectoryFor(outDir, name);
    OutputGuard guard;
    guard.willWrite(skinDirectory);
    for (const auto& path : skinFilePaths(bench, skinDirectory)) guard.willWrite(path);
    bench.saveSkin(outDir, name);
    const fs::path archive = outDir / (name + ".wsz");
    guard.willWrite(archive);
    saveWsz(bench, archive);
    if (request.previews) {
        const fs::path preview = outDir / (name + ".png");
        guard.willWrite(preview);
        writePreviewPng(bench, preview);
    }
    guard.keep();
}

} // namespace

int runBatch(const std::vector<std::string>& args) {
    const BatchRequest request = readBatchArguments(args);
    checkNamesApart(request);

    SharedPictures shared;
    if (!request.recipe.equaliserPicture.empty()) shared.equaliser = loadPictureFile(request.recipe.equaliserPicture, request.recipe.picture);
    if (!request.recipe.playlistPicture.empty()) shared.playlist = loadPictureFile(request.recipe.playlistPicture, request.recipe.picture);
    checkDirectoryTarget(request.outDir);

    OutputGuard outDirGuard;
    outDirGuard.makeDirectories(request.outDir);

    TextRasteriser* const qtText = qtTextRasteriserIfRunning();
    if (qtText) qtText->render("Ag", "Arial", 13);  // the font database's first use, on this thread
    SerialisedRasteriser serialisedText(qtText);
    Progress progress(request.pictures.size());
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> failed{0};
    auto worker = [&] {
        for (std::size_t i; (i = next++) < request.pictures.size();) {
            const std::string& picture = request.pictures[i];
            std::optional<std::string> failure;
            try {
                makeOne(request, shared, picture, qtText ? &serialisedText : nullptr);
            } catch (const Error& e) {
                failure = e.what();
            } catch (const std::exception& e) {
                failure = e.what();
            }
            if (failure) ++failed;
            progress.finished(picture, failure ? &*failure : nullptr);
        }
    };
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (std::size_t n = std::min(cores, request.pictures.size()); n > 0; --n) workers.emplace_back(worker);
    for (std::thread& thread : workers) thread.join();
    progress.end();

    const std::size_t made = request.pictures.size() - failed;
    if (made > 0) outDirGuard.keep();
    std::printf("batch: %zu of %zu skins made in %s", made, request.pictures.size(), request.outDir.c_str());
    if (failed > 0) std::printf(", %zu failed", failed.load());
    std::printf("\n");
    return failed == 0 ? 0 : 1;
}

} // namespace vk::cli
