// `batch`: one skin (a directory and a .wsz beside it) per picture, made in
// parallel, one workbench per picture, with no more decoded pictures at once
// than half the available memory holds. Folders given stand for the pictures
// in them; a picture that fails is reported and the others are still made.
#include "app/PictureIntake.h"
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/MemoryBudget.h"
#include "cli/Outputs.h"
#include "cli/PictureProblem.h"
#include "cli/Progress.h"
#include "cli/QtDoor.h"
#include "cli/Report.h"
#include "cli/SkinRecipe.h"
#include "raster/Error.h"
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

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vk::cli {

namespace {

struct BatchRequest {
    SkinRecipe recipe;
    std::string outDir;
    std::string previewFormat;  // empty: no previews
    bool noSync = false;
    bool progress = false;
    bool recursive = false;
    bool noWsz = false, noFolder = false;
    std::size_t jobs = 0;  // 0: one per core
    std::vector<std::string> inputs;  // pictures and folders, as given
};

// One skin to make: its picture and the name it is saved under.
struct BatchItem {
    std::string picture, name;
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
        } else if (!readRecipeOption(reader, request.recipe, false) && !readReportOption(reader)) {
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

// What a folder holds that is not a picture is reported and skipped.
struct Gathered {
    std::vector<std::string> pictures;
    std::size_t skipped = 0;
};

void skip(Gathered& gathered, const fs::path& path, const std::string& why) {
    warning("skipped " + path.string() + ": " + why);
    ++gathered.skipped;
}

// Whether a file in a folder is a picture, from its first bytes or its name: one
// this installation cannot read is still taken, to fail by name rather than vanish.
void takeIfPicture(Gathered& gathered, const fs::path& path) {
    static const std::vector<std::string> readable = qtDoor().formats(false);
    std::string whyNot;
    if (qtDoor().readsPicture(path.string(), whyNot) || pictureByNameOrContent(path, readable))
        gathered.pictures.push_back(path.string());
    else skip(gathered, path, whyNot);
}

// The pictures of one folder (and its sub-folders with --recursive), in path
// order so that every run makes the same names; hidden files and the output
// folder are passed over.
void gatherFolder(Gathered& gathered, const fs::path& folder, const BatchRequest& request) {
    std::error_code ec;
    const fs::path outDir = fs::weakly_canonical(fs::absolute(request.outDir), ec);
    std::vector<fs::path> entries;
    const auto options = fs::directory_options::skip_permission_denied;
    fs::recursive_directory_iterator it(folder, options, ec), end;
    if (ec) throw Error("Cannot read the folder " + folder.string() + ": " + ec.message());
    for (; it != end; it.increment(ec)) {
        if (ec) throw Error("Cannot read the folder " + folder.string() + ": " + ec.message());
        const fs::path& path = it->path();
        const bool hidden = path.filename().string().starts_with('.');
        if (it->is_directory(ec)) {
            const bool isOutDir = fs::weakly_canonical(fs::absolute(path), ec) == outDir;
            if (!request.recursive || hidden || isOutDir) it.disable_recursion_pending();
            if (!hidden && !isOutDir) entries.push_back(path);
            continue;
        }
        if (!hidden) entries.push_back(path);
    }
    std::sort(entries.begin(), entries.end());
    for (const fs::path& path : entries) {
        if (fs::is_directory(path, ec)) {
            if (!request.recursive) skip(gathered, path, "a folder (--recursive takes in the pictures in it)");
        } else if (fs::is_regular_file(path, ec)) {
            takeIfPicture(gathered, path);
        } else {
            skip(gathered, path, "not a picture file");
        }
    }
}

// The inputs in the order given, each folder by its pictures; a file named
// twice (once by itself, once in a folder) is made once.
Gathered gatherPictures(const BatchRequest& request) {
    Gathered gathered;
    for (const std::string& input : request.inputs) {
        std::error_code ec;
        if (fs::is_directory(input, ec)) gatherFolder(gathered, input, request);
        else gathered.pictures.push_back(input);
    }
    std::set<std::string> seen;
    std::erase_if(gathered.pictures, [&](const std::string& picture) {
        std::error_code ec;
        const fs::path real = fs::weakly_canonical(fs::absolute(picture), ec);
        return !seen.insert(ec ? picture : real.string()).second;
    });
    return gathered;
}

// The files one skin writes into the output folder.
std::vector<std::string> outputNames(const BatchRequest& request, const std::string& name) {
    std::vector<std::string> names;
    if (!request.noFolder) names.push_back(name);
    if (!request.noWsz) names.push_back(name + ".wsz");
    if (!request.previewFormat.empty()) names.push_back(name + "." + request.previewFormat);
    return names;
}

// Each skin is named after its picture without the extension; a name already
// taken by an earlier picture (or by one of its files) gets -2, -3 ... and is reported.
std::vector<BatchItem> nameSkins(const BatchRequest& request, const std::vector<std::string>& pictures) {
    std::set<std::string> taken;
    std::vector<BatchItem> items;
    for (const std::string& picture : pictures) {
        const std::string stem = fs::path(picture).stem().string();
        if (stem.empty() || stem == "." || stem == "..") throw UsageError{"'" + picture + "' names no picture file"};
        std::string name = stem;
        const auto free = [&](const std::string& candidate) {
            const auto names = outputNames(request, candidate);
            return std::none_of(names.begin(), names.end(), [&](const std::string& n) { return taken.count(n) > 0; });
        };
        for (int n = 2; !free(name); ++n) name = stem + "-" + std::to_string(n);
        if (name != stem) warning(picture + ": the name " + stem + " is taken, this skin is " + name);
        for (const std::string& output : outputNames(request, name)) taken.insert(output);
        items.push_back({picture, name});
    }
    return items;
}

fs::path archiveOf(const BatchRequest& request, const std::string& name) {
    return fs::path(request.outDir) / (name + ".wsz");
}
fs::path previewOf(const BatchRequest& request, const std::string& name) {
    return fs::path(request.outDir) / (name + "." + request.previewFormat);
}

// No skin, archive or preview may land on a picture, nor on another output.
void checkOutputsOfAll(const BatchRequest& request, const std::vector<BatchItem>& items) {
    std::vector<NamedFile> outputs, inputs;
    for (const BatchItem& item : items) {
        if (!request.noFolder) {
            const fs::path skinDirectory = Workbench::skinDirectoryFor(request.outDir, item.name);
            outputs.push_back({skinDirectory, "the skin directory"});
            for (const auto& path : skinFilePaths(skinDirectory)) outputs.push_back({path, "the skin file"});
        }
        if (!request.noWsz) outputs.push_back({archiveOf(request, item.name), "the archive"});
        if (!request.previewFormat.empty()) outputs.push_back({previewOf(request, item.name), "the preview"});
        inputs.push_back({item.picture, "the picture"});
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
    return std::size_t(qtDoor().headerPixels(fd)) * 4;
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
    bench.save(save);
    // One line per skin: which picture made which files, as make says "made".
    std::string made;
    if (!save.skinName.empty()) made = Workbench::skinDirectoryFor(save.parent, save.skinName).string();
    if (!save.archive.empty()) made += (made.empty() ? "" : " and ") + save.archive.string();
    for (const SavedFile& extra : save.extras) made += " and " + extra.path.string();
    result("made " + made + " from " + item.picture);
}

} // namespace

int runBatch(const std::vector<std::string>& args) {
    const auto start = std::chrono::steady_clock::now();
    const BatchRequest request = readBatchArguments(args);
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
            } catch (const std::exception&) {
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
