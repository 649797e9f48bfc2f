// `batch`: one skin (a directory and a .wsz beside it) per picture, made in
// parallel, one workbench per picture, with no more decoded pictures at once
// than half the available memory holds. A picture that fails is reported and
// the others are still made.
#include "app/PictureIntake.h"
#include "app/QtTextRasteriser.h"
#include "cli/Commands.h"
#include "cli/Outputs.h"
#include "cli/SkinRecipe.h"
#include "output/SkinWriter.h"
#include "raster/Error.h"
#include "raster/TextRasteriser.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vk::cli {

namespace {

struct BatchRequest {
    SkinRecipe recipe;
    std::string outDir;
    bool previews = false;
    bool noSync = false;
    bool progress = false;
    std::size_t jobs = 0;  // 0: one per core
    std::vector<std::string> pictures;
};

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
            request.pictures.push_back(reader.positional());
            continue;
        }
        const std::string name = reader.option();
        if (name == "--out-dir") {
            reader.valueOnce(request.outDir);
        } else if (name == "--previews") {
            reader.flag();
            request.previews = true;
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

fs::path archiveOf(const BatchRequest& request, const std::string& name) {
    return fs::path(request.outDir) / (name + ".wsz");
}
fs::path previewOf(const BatchRequest& request, const std::string& name) {
    return fs::path(request.outDir) / (name + ".png");
}

// No skin, archive or preview may land on a picture, nor on another output.
void checkOutputsOfAll(const BatchRequest& request) {
    std::vector<NamedFile> outputs, inputs;
    for (const std::string& picture : request.pictures) {
        const std::string name = skinNameOf(picture);
        const fs::path skinDirectory = skinDirectoryFor(request.outDir, name);
        outputs.push_back({skinDirectory, "the skin directory"});
        for (const auto& path : skinFilePaths(skinDirectory)) outputs.push_back({path, "the skin file"});
        outputs.push_back({archiveOf(request, name), "the archive"});
        if (request.previews) outputs.push_back({previewOf(request, name), "the preview"});
        inputs.push_back({picture, "the picture"});
    }
    if (!request.recipe.equaliserPicture.empty()) inputs.push_back({request.recipe.equaliserPicture, "the picture --equaliser"});
    if (!request.recipe.playlistPicture.empty()) inputs.push_back({request.recipe.playlistPicture, "the picture --playlist"});
    checkOutputsApart(outputs, inputs);
}

// Half the memory the machine has available now, from the kernel's own estimate.
std::size_t defaultMemoryBudget() {
    std::FILE* meminfo = std::fopen("/proc/meminfo", "r");
    unsigned long long kib = 0;
    if (meminfo) {
        char line[256];
        while (std::fgets(line, sizeof line, meminfo))
            if (std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1) break;
        std::fclose(meminfo);
    }
    if (kib == 0) kib = (unsigned long long)::sysconf(_SC_AVPHYS_PAGES) * (unsigned long long)::sysconf(_SC_PAGESIZE) / 1024;
    return std::size_t(kib / 2 * 1024);
}

// What the picture will cost decoded, from its header alone: four bytes a
// pixel. The file is opened without waiting, and only a regular file is read,
// so that a FIFO cannot hang the estimate; what cannot be read costs nothing
// here and is refused by the intake.
std::size_t decodedCostOf(const std::string& picture) {
    const int fd = ::open(picture.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return 0;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return 0;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return 0;
    }
    const QSize size = QImageReader(&file).size();
    return size.isValid() ? std::size_t(size.width()) * std::size_t(size.height()) * 4 : 0;
}

// The decoded pictures in flight: a picture waits while its cost would pass
// the budget, except when none is in flight (a picture larger than the whole
// budget is still made, alone).
class MemoryBudget {
public:
    explicit MemoryBudget(std::size_t limit) : limit_(limit) {}
    void acquire(std::size_t cost) {
        std::unique_lock lock(mutex_);
        freed_.wait(lock, [&] { return used_ == 0 || used_ + cost <= limit_; });
        used_ += cost;
    }
    void release(std::size_t cost) {
        {
            std::lock_guard lock(mutex_);
            used_ -= cost;
        }
        freed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable freed_;
    std::size_t limit_, used_ = 0;
};

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


// Reports as pictures finish: a line of progress on a terminal (or on any
// stderr with --progress), the failures always.
class Progress {
public:
    Progress(std::size_t total, bool asked)
        : total_(total), terminal_(::isatty(STDERR_FILENO) == 1), shown_(terminal_ || asked),
          start_(std::chrono::steady_clock::now()) {
        if (terminal_) draw();
    }

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
    // "12/40 pictures, 3.1 skins/s, 9 s left"; on a pipe one such line per picture.
    void draw() {
        if (!shown_) return;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        std::string line = std::to_string(done_) + "/" + std::to_string(total_) + " pictures";
        if (done_ > 0 && seconds > 0) {
            const double rate = double(done_) / seconds;
            char figures[64];
            std::snprintf(figures, sizeof figures, ", %.1f skins/s, %.0f s left", rate, double(total_ - done_) / rate);
            line += figures;
        }
        if (terminal_) {
            std::fprintf(stderr, "\r%-50s", line.c_str());
            std::fflush(stderr);
        } else if (done_ > 0) {
            std::fprintf(stderr, "%s\n", line.c_str());
        }
    }
    void clear() {
        if (terminal_) std::fprintf(stderr, "\r%*s\r", 50, "");
    }

    std::mutex mutex_;
    std::size_t total_;
    std::size_t done_ = 0;
    bool terminal_, shown_;
    std::chrono::steady_clock::time_point start_;
};

struct SharedPictures {
    std::optional<Image> equaliser, playlist;
};

void makeOne(const BatchRequest& request, const SharedPictures& shared, const std::string& picture,
             TextRasteriser* text) {
    Workbench bench(text);
    bench.pictureOptions = request.recipe.picture;
    if (shared.equaliser) bench.usePicture(WhichPicture::Equaliser, *shared.equaliser);
    if (shared.playlist) bench.usePicture(WhichPicture::Playlist, *shared.playlist);
    bench.loadPicture(WhichPicture::Main, picture);
    makeSkinFromRecipe(bench, request.recipe);

    const std::string name = skinNameOf(picture);
    // The skin, its archive and its preview land together or not at all.
    SaveOptions save;
    save.archive = archiveOf(request, name);
    if (request.previews) {
        const fs::path preview = previewOf(request, name);
        save.extras.push_back({preview, previewPng(bench, preview)});
    }
    if (request.noSync) save.durability = Durability::Unsynced;
    saveSkin(bench, request.outDir, name, save);
}

} // namespace

int runBatch(const std::vector<std::string>& args) {
    const BatchRequest request = readBatchArguments(args);
    checkNamesApart(request);
    checkOutputsOfAll(request);

    // The pictures every skin shares are read once, by Get Bitmap as the window reads them.
    SharedPictures shared;
    Workbench reader;
    reader.pictureOptions = request.recipe.picture;
    if (!request.recipe.equaliserPicture.empty()) {
        reader.loadPicture(WhichPicture::Equaliser, request.recipe.equaliserPicture);
        shared.equaliser = std::move(reader.state.sourcePictures.equaliser);
    }
    if (!request.recipe.playlistPicture.empty()) {
        reader.loadPicture(WhichPicture::Playlist, request.recipe.playlistPicture);
        shared.playlist = std::move(reader.state.sourcePictures.playlist);
    }
    checkDirectoryTarget(request.outDir);

    OutputGuard outDirGuard;
    outDirGuard.makeDirectories(request.outDir);

    TextRasteriser* const qtText = qtTextRasteriserIfRunning();
    if (qtText) qtText->render("Ag", "Arial", 13);  // the font database's first use, on this thread
    SerialisedRasteriser serialisedText(qtText);
    Progress progress(request.pictures.size(), request.progress);
    MemoryBudget budget(defaultMemoryBudget());
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> failed{0};
    auto worker = [&] {
        for (std::size_t i; (i = next++) < request.pictures.size();) {
            const std::string& picture = request.pictures[i];
            std::optional<std::string> failure;
            const std::size_t cost = decodedCostOf(picture);
            budget.acquire(cost);
            try {
                makeOne(request, shared, picture, qtText ? &serialisedText : nullptr);
            } catch (const Error& e) {
                failure = e.what();
            } catch (const std::exception& e) {
                failure = e.what();
            }
            budget.release(cost);
            if (failure) ++failed;
            progress.finished(picture, failure ? &*failure : nullptr);
        }
    };
    const std::size_t jobs = request.jobs ? request.jobs : std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (std::size_t n = std::min(jobs, request.pictures.size()); n > 0; --n) workers.emplace_back(worker);
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
