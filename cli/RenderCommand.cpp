// `render`: any classic skin drawn as the player shows it, the windows docked
// one under another: one picture, one picture per skin of a whole collection
// (with a contact sheet of them), or an animation of the player playing.
#include "cli/Commands.h"
#include "cli/Outputs.h"
#include "cli/ProcessLimits.h"
#include "cli/Progress.h"
#include "cli/QtModule.h"
#include "cli/RenderState.h"
#include "cli/Report.h"
#include "cli/SkinRecipe.h"
#include "app/Workbench.h"
#include "codec/Png.h"
#include "codec/PngStream.h"
#include "format/TextFont.h"
#include "player/PlayerRenderer.h"
#include "player/PretendPlayback.h"
#include "raster/Apng.h"
#include "raster/Error.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <set>
#include <mutex>
#include <thread>

#include <unistd.h>

namespace vk::cli {

namespace fs = std::filesystem;

namespace {

struct RenderRequest {
    std::vector<std::string> skins;
    std::string out, outDir, gallery, animate;
    std::string scale, size, columns, frames, jobs, maxMemory, maxSeconds, stateFile;
    bool recursive = false, progress = false;
    StateOptions state;
};

RenderRequest readRenderArguments(const std::vector<std::string>& args) {
    RenderRequest request;
    ArgReader reader(args);
    while (!reader.atEnd()) {
        if (!reader.atOption()) {
            if (reader.atEnd()) break;
            request.skins.push_back(reader.positional());
            continue;
        }
        const std::string name = reader.option();
        if (name == "--out") reader.valueOnce(request.out);
        else if (name == "--out-dir") reader.valueOnce(request.outDir);
        else if (name == "--gallery") reader.valueOnce(request.gallery);
        else if (name == "--animate") reader.valueOnce(request.animate);
        else if (name == "--columns") reader.valueOnce(request.columns);
        else if (name == "--frames") reader.valueOnce(request.frames);
        else if (name == "--jobs") reader.valueOnce(request.jobs);
        else if (name == "--scale") reader.valueOnce(request.scale);
        else if (name == "--size") reader.valueOnce(request.size);
        else if (name == "--max-memory") reader.valueOnce(request.maxMemory);
        else if (name == "--max-seconds") reader.valueOnce(request.maxSeconds);
        else if (name == "--state") reader.valueOnce(request.stateFile);
        else if (name == "--recursive" || name == "-r") reader.flag(), request.recursive = true;
        else if (name == "--progress") reader.flag(), request.progress = true;
        else if (!readStateOption(reader, request.state) && !readReportOption(reader))
            throw UsageError{"unknown option '" + name + "'"};
    }
    if (request.skins.empty()) throw UsageError{"render needs a skin folder or .wsz"};
    const int outputs = int(!request.out.empty()) + int(!request.animate.empty()) +
                        int(!request.outDir.empty() || !request.gallery.empty());
    if (outputs == 0) throw UsageError{"render needs --out FILE.png, --animate FILE.png, --out-dir DIR or --gallery FILE.png"};
    if (outputs > 1) throw UsageError{"give --out, --animate or --out-dir/--gallery, not more than one of them"};
    const bool collection = !request.outDir.empty() || !request.gallery.empty();
    if (!collection && request.skins.size() > 1)
        throw UsageError{"unexpected argument '" + request.skins[1] + "' (several skins need --out-dir or --gallery)"};
    if (!collection && (request.recursive || !request.jobs.empty() || !request.columns.empty() || request.progress))
        throw UsageError{"--recursive, --jobs, --columns and --progress are for --out-dir and --gallery"};
    if (!request.columns.empty() && request.gallery.empty()) throw UsageError{"--columns lays out --gallery"};
    if (!request.frames.empty() && request.animate.empty()) throw UsageError{"--frames counts the frames of --animate"};
    if (!request.scale.empty() && !request.size.empty()) throw UsageError{"give --scale or --size, not both"};
    if (!request.stateFile.empty()) readStateFile(request.stateFile, request.state);
    return request;
}

// What every picture of one run shares: the state and how large it is drawn.
struct Drawing {
    RenderState shown;
    int zoom = 1;
    int fit = 0;  // fit within fit x fit pixels; 0: as drawn
};

Drawing drawingFor(const RenderRequest& request) {
    Drawing drawing{renderStateFrom(request.state)};
    drawing.zoom = request.scale.empty() ? 1 : parseWholeNumber(request.scale, 1, 16, "--scale");
    drawing.fit = request.size.empty() ? 0 : parseWholeNumber(request.size, 16, 4096, "--size");
    return drawing;
}

Image draw(const player::ClassicSkin& skin, const Drawing& drawing, const player::PlayerState& state, TextRasteriser* text) {
    const Image drawn = player::renderPlayer(skin, state, drawing.shown.windows, drawing.zoom, text);
    return drawing.fit ? player::fittedWithin(drawn, drawing.fit) : drawn;
}

player::ClassicSkin loadSaying(const std::string& path) {
    player::ClassicSkin skin = player::loadClassicSkin(path);
    for (const std::string& line : skin.warnings) warning("warning: " + line);
    for (format::Sheet missing : player::missingSheets(skin))
        warning("warning: the skin has no " + std::string(format::baseName(missing)) + " sheet");
    return skin;
}

// A thumbnail (--size) is what a file manager asks for, unattended, of every
// skin it shows: tight limits there, generous ones for a render by hand. A
// collection adds a second of processor time a skin, the contact sheet's
// pixels and each further thread's reserved memory.
void applyRenderLimits(const RenderRequest& request, const Drawing& drawing, std::size_t skins, std::uint64_t galleryBytes,
                       std::size_t threads) {
    ProcessLimits limits = drawing.fit ? ProcessLimits{256, 5} : ProcessLimits{2048, 60};
    if (skins > 1 || galleryBytes > 0) {
        limits.memoryMegabytes += galleryBytes * 2 / (1024 * 1024) + 96 * (threads - 1);
        limits.cpuSeconds += int(std::min<std::size_t>(skins, 100000));
    }
    if (!request.maxMemory.empty()) limits.memoryMegabytes = std::uint64_t(parseWholeNumber(request.maxMemory, 0, 65536, "--max-memory"));
    if (!request.maxSeconds.empty()) limits.cpuSeconds = parseWholeNumber(request.maxSeconds, 0, 360000, "--max-seconds");
    applyProcessLimits(limits, "render");
}

// --- one picture ------------------------------------------------------------------------

int renderOne(const RenderRequest& request) {
    const Drawing drawing = drawingFor(request);
    const std::string format = imageFormatFor(request.out, "--out");
    checkFileTarget(request.out, "--out");
    applyRenderLimits(request, drawing, 1, 0, 1);
    const player::ClassicSkin skin = loadSaying(request.skins[0]);
    Workbench::writeFile(request.out, encodeImage(draw(skin, drawing, drawing.shown.state, glyphsIfStarted()), format, request.out));
    result("made " + request.out);
    return 0;
}

// --- an animation -----------------------------------------------------------------------

// The smallest rectangle in which two pictures of one size differ; a pixel when none.
Rect changedArea(const Image& before, const Image& after) {
    Rect r{after.width(), after.height(), 0, 0};
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
    return r.left < r.right ? r : Rect{0, 0, 1, 1};
}

int renderAnimation(const RenderRequest& request) {
    RenderRequest still = request;
    // Playing, with the spectrum moving, unless the options say otherwise.
    if (!still.state.count("--vis")) still.state["--vis"] = "spectrum";
    const Drawing drawing = drawingFor(still);
    if (imageFormatFor(request.animate, "--animate") != "png")
        throw UsageError{"--animate writes an animated PNG: give a .png file, not '" + request.animate + "'"};
    const int frames = request.frames.empty() ? 40 : parseWholeNumber(request.frames, 1, 2000, "--frames");
    checkFileTarget(request.animate, "--animate");
    applyRenderLimits(request, drawing, 1, 0, 1);
    const player::ClassicSkin skin = loadSaying(request.skins[0]);

    const player::PlayerState& start = drawing.shown.state;
    const bool playing = start.play == player::PlayState::Playing;
    const bool moving = start.vis.mode != player::VisFrame::Mode::Off && !still.state.count("--vis-bars");
    const int seed = still.state.count("--vis-seed") ? parseWholeNumber(still.state.at("--vis-seed"), 0, 2147483647, "--vis-seed") : 1;
    player::PretendSignal signal{std::uint64_t(seed)};
    player::VisFrame vis = start.vis;
    std::vector<ApngFrame> encoded;
    Image last;
    for (int tick = 0; tick < frames; ++tick) {
        player::PlayerState state = playing ? player::playedFor(start, tick) : start;
        if (moving && playing) signal.step(vis);
        state.vis = vis;
        const Image picture = draw(skin, drawing, state, glyphsIfStarted());
        const Rect area = tick == 0 ? picture.bounds() : changedArea(last, picture);
        Image part(area.width(), area.height());
        part.copyRect(part.bounds(), picture, area);
        encoded.push_back({codec::encodePng(part), area.left, area.top, player::kTickMilliseconds});
        last = picture;
    }
    Workbench::writeFile(request.animate, assembleApng(encoded));
    result("made " + request.animate + " (" + std::to_string(frames) + " frames)");
    return 0;
}

// --- a collection -------------------------------------------------------------------------

struct SkinSource {
    std::string path, name;
};

std::string lowerExtension(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

// A folder holding sheets is a skin; a folder of skins holds archives and folders.
bool isSkinFolder(const fs::path& dir) {
    std::error_code ec;
    int looked = 0;
    for (fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end && looked < 4096;
         it.increment(ec), ++looked) {
        const std::string ext = lowerExtension(it->path());
        if ((ext == ".bmp" || ext == ".png") && it->is_regular_file(ec)) return true;
    }
    return false;
}

bool isArchive(const fs::path& path) {
    const std::string ext = lowerExtension(path);
    return ext == ".wsz" || ext == ".zip";
}

// The skins of a folder of skins in path order (sub-folders of skins with --recursive); hidden entries are passed over.
void gatherFolder(const fs::path& folder, bool recursive, int depth, std::vector<fs::path>& into) {
    std::error_code ec;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end; it.increment(ec))
        if (!it->path().filename().string().starts_with('.')) entries.push_back(it->path());
    if (ec) throw Error("Cannot read the folder " + folder.string() + ": " + ec.message());
    std::sort(entries.begin(), entries.end());
    for (const fs::path& path : entries) {
        if (fs::is_directory(path, ec)) {
            if (isSkinFolder(path)) into.push_back(path);
            else if (recursive && depth < 32) gatherFolder(path, recursive, depth + 1, into);
            else if (!recursive) note("passed over " + path.string() + ": no skin (--recursive looks inside)");
        } else if (isArchive(path)) {
            into.push_back(path);
        }
    }
}

// The skins given, each folder of skins by its skins, each named after its folder or
// archive; a skin named twice is rendered once, a name taken twice gets -2, -3 ...
std::vector<SkinSource> gatherSkins(const RenderRequest& request) {
    std::vector<fs::path> paths;
    for (const std::string& input : request.skins) {
        std::error_code ec;
        if (fs::is_directory(input, ec) && !isSkinFolder(input)) gatherFolder(input, request.recursive, 0, paths);
        else paths.emplace_back(input);
    }
    std::vector<SkinSource> skins;
    std::set<std::string> seen, taken;
    for (const fs::path& path : paths) {
        std::error_code ec;
        const fs::path real = fs::weakly_canonical(fs::absolute(path), ec);
        if (!seen.insert(ec ? path.string() : real.string()).second) continue;
        const fs::path tidy = path.lexically_normal();
        const fs::path named = tidy.has_filename() ? tidy : tidy.parent_path();
        const std::string stem = isArchive(named) ? named.stem().string() : named.filename().string();
        std::string name = stem.empty() || stem == "." || stem == ".." ? "skin" : stem;
        for (int n = 2; !taken.insert(name).second; ++n) name = stem + "-" + std::to_string(n);
        skins.push_back({path.string(), name});
    }
    return skins;
}

// The contact sheet: each skin's picture in a grid, its name beneath in the
// skin's own text glyphs, in the order the skins were gathered, those that
// failed closed up. Written a row of cells at a time as the cells arrive in
// order, so that its memory does not grow with the collection.
class Gallery {
public:
    Gallery(const fs::path& file, std::size_t count, int columns, format::Size picture)
        : file_(file), count_(count), columns_(columns), picture_(picture),
          scale_(std::max(1, picture.width / format::kMainWindowSize.width)), margin_(6 * scale_),
          labelHeight_((format::kGlyphHeight + 6) * scale_),
          width_(margin_ + int(std::min<std::size_t>(count, std::size_t(columns))) * (picture.width + margin_)),
          temporary_(file.parent_path() / ("." + file.filename().string() + ".vellumkit-" + std::to_string(::getpid()) + ".tmp")),
          done_(count, false), cells_(count) {}
    ~Gallery() {
        std::error_code ec;
        if (!committed_) fs::remove(temporary_, ec);
    }
    // The most a row of cells and the cells waiting for their turn can hold.
    static std::uint64_t bytesFor(int columns, format::Size picture) {
        return (std::uint64_t(picture.width) + 12) * std::uint64_t(columns) * (std::uint64_t(picture.height) + 30) * 4 * 3;
    }

    // A skin's cell, from any thread; a skin that failed gives none.
    void place(std::size_t index, const Image& picture, const player::ClassicSkin& skin, const std::string& name, TextRasteriser* text) {
        Image cell(picture_.width, cellHeight());
        cell.fill(cell.bounds(), kBackground);
        cell.copyRect(picture.bounds(), picture, picture.bounds());
        const Image line = player::skinTextLine(skin, name, picture_.width / scale_ - 2);
        const int labelTop = picture_.height + 3 * scale_;
        if (line.width() > 0) {
            const Image big = player::scaledBy(line, scale_);
            cell.copyRect({scale_, labelTop, scale_ + big.width(), labelTop + big.height()}, big, big.bounds());
        } else if (text) {
            // No text sheet: the name in the playlist's font, clipped to the cell.
            Image label(picture_.width, labelHeight_ - 2 * scale_);
            label.fill(label.bounds(), kBackground);
            label.setFont("Arial", label.height(), kLabelColour);
            label.textOut(scale_, 0, text, name);
            cell.copyRect({0, labelTop - scale_, label.width(), labelTop - scale_ + label.height()}, label, label.bounds());
        }
        arrive(index, std::move(cell));
    }
    void skip(std::size_t index) { arrive(index, std::nullopt); }

    // The last row and the end of the file, then the file in place; false when no cell was placed.
    bool finish() {
        const std::lock_guard lock(mutex_);
        if (placed_ == 0) return false;
        if (column_ > 0) writeBand();
        stream_->finish();
        fs::rename(temporary_, file_);
        committed_ = true;
        return true;
    }

private:
    static constexpr TColor kBackground = rgb(32, 32, 32);
    static constexpr TColor kLabelColour = rgb(224, 224, 224);
    int cellHeight() const { return picture_.height + labelHeight_; }

    void arrive(std::size_t index, std::optional<Image> cell) {
        const std::lock_guard lock(mutex_);
        cells_[index] = std::move(cell);
        done_[index] = true;
        // Cells in the gathered order: a later one waits for those before it.
        for (; next_ < count_ && done_[next_]; ++next_) {
            std::optional<Image> ready = std::move(cells_[next_]);
            cells_[next_].reset();
            if (!ready) continue;
            if (!band_.width()) {
                band_ = Image(width_, cellHeight() + margin_);
                band_.fill(band_.bounds(), kBackground);
            }
            const int x = margin_ + column_ * (picture_.width + margin_);
            band_.copyRect({x, 0, x + picture_.width, cellHeight()}, *ready, ready->bounds());
            ++placed_;
            if (++column_ == columns_) writeBand();
        }
    }
    void writeBand() {
        if (!stream_) {
            stream_ = codec::openPngStream(temporary_, width_);
            Image top(width_, margin_);
            top.fill(top.bounds(), kBackground);
            stream_->writeRows(top, margin_);
        }
        stream_->writeRows(band_, band_.height());
        band_.fill(band_.bounds(), kBackground);
        column_ = 0;
    }

    fs::path file_;
    std::size_t count_;
    int columns_;
    format::Size picture_;
    int scale_, margin_, labelHeight_, width_;
    fs::path temporary_;
    std::mutex mutex_;
    std::vector<bool> done_;
    std::vector<std::optional<Image>> cells_;
    std::size_t next_ = 0, placed_ = 0;
    int column_ = 0;
    Image band_;
    std::unique_ptr<codec::PngStream> stream_;
    bool committed_ = false;
};

// The size every skin's picture has: it follows from the state, not the skin.
format::Size pictureSize(const Drawing& drawing) {
    int width = 0, height = 0;
    for (player::PlayerWindow w : drawing.shown.windows) {
        const int zoom = drawing.zoom * player::windowZoom(w, drawing.shown.state);
        width = std::max(width, player::windowSize(w, drawing.shown.state).width * zoom);
        height += player::windowSize(w, drawing.shown.state).height * zoom;
    }
    const int longest = std::max(width, height);
    if (!drawing.fit) return {width, height};
    if (drawing.fit >= longest) return {width * (drawing.fit / longest), height * (drawing.fit / longest)};
    return {std::max(1, width * drawing.fit / longest), std::max(1, height * drawing.fit / longest)};
}

int renderCollection(const RenderRequest& request) {
    const auto started = std::chrono::steady_clock::now();
    const Drawing drawing = drawingFor(request);
    const int columns = request.columns.empty() ? 4 : parseWholeNumber(request.columns, 1, 1000, "--columns");
    const std::size_t jobsWanted =
        request.jobs.empty() ? std::max(1u, std::thread::hardware_concurrency()) : std::size_t(parseWholeNumber(request.jobs, 1, 256, "--jobs"));
    if (!request.gallery.empty() && imageFormatFor(request.gallery, "--gallery") != "png")
        throw UsageError{"--gallery writes a PNG: give a .png file, not '" + request.gallery + "'"};
    if (!request.outDir.empty()) checkDirectoryTarget(request.outDir, "--out-dir");
    if (!request.gallery.empty()) checkFileTarget(request.gallery, "--gallery");
    const std::vector<SkinSource> skins = gatherSkins(request);
    if (skins.empty()) throw Error("no skins to render in " + request.skins[0]);
    const format::Size picture = pictureSize(drawing);
    const std::uint64_t galleryBytes = request.gallery.empty() ? 0 : Gallery::bytesFor(columns, picture);
    if (galleryBytes > (std::uint64_t(4) << 30))
        throw UsageError{"a --gallery row of " + std::to_string(columns) + " pictures this large needs more than 4 GB: give fewer --columns or a smaller --size"};
    const std::size_t threads = std::min(jobsWanted, skins.size());
    applyRenderLimits(request, drawing, skins.size(), galleryBytes, threads);

    OutputGuard guard;
    if (!request.outDir.empty()) guard.makeDirectories(request.outDir);
    std::optional<Gallery> gallery;
    if (!request.gallery.empty()) gallery.emplace(request.gallery, skins.size(), columns, picture);
    TextRasteriser* const text = glyphsIfStarted();
    if (text) text->render("Ag", "Arial", 13);  // the font is first used on this thread
    SerialisedRasteriser serialisedText(text);
    TextRasteriser* const shared = text ? &serialisedText : nullptr;

    Progress progress(skins.size(), request.progress, "skins");
    std::vector<char> made(skins.size(), 0);
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i; (i = next++) < skins.size();) {
            const SkinSource& source = skins[i];
            std::optional<std::string> failure;
            try {
                // Decoded once: the same skin gives its picture and its gallery cell.
                const player::ClassicSkin skin = player::loadClassicSkin(source.path);
                const Image drawn = draw(skin, drawing, drawing.shown.state, shared);
                std::string line = "made";
                if (!request.outDir.empty()) {
                    const fs::path file = fs::path(request.outDir) / (source.name + ".png");
                    Workbench::writeFile(file, codec::encodePng(drawn));
                    line += " " + file.string();
                }
                if (gallery) gallery->place(i, drawn, skin, source.name, shared);
                made[i] = 1;
                result(line + (request.outDir.empty() ? " the gallery's " + source.name : "") + " from " + source.path);
            } catch (const std::exception&) {
                failure = failureMessage(std::current_exception());
            }
            if (failure && gallery) gallery->skip(i);
            progress.finished(source.path, failure ? &*failure : nullptr);
        }
    };
    std::vector<std::thread> workers;
    for (std::size_t n = threads; n > 0; --n) workers.emplace_back(worker);
    for (std::thread& thread : workers) thread.join();
    progress.end();

    std::size_t succeeded = 0;
    for (std::size_t i = 0; i < skins.size(); ++i) succeeded += made[i];
    if (succeeded > 0) guard.keep();
    if (gallery && gallery->finish()) result("made " + request.gallery + " (" + std::to_string(succeeded) + " skins)");
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s", std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    const std::size_t failed = skins.size() - succeeded;
    result("render: " + std::to_string(succeeded) + " made" + (request.outDir.empty() ? "" : " in " + request.outDir) + ", " +
           std::to_string(failed) + " failed, " + seconds);
    return failed == 0 ? 0 : 1;
}

} // namespace

std::vector<std::uint8_t> playerPreviewBytes(const player::ClassicSkin& skin, const std::filesystem::path& file) {
    static const std::vector<player::PlayerWindow> all{player::PlayerWindow::Main, player::PlayerWindow::Equaliser,
                                                       player::PlayerWindow::Playlist};
    return encodeImage(player::renderPlayer(skin, previewState(), all, 1, glyphsIfStarted()),
                       imageFormatFor(file, "--player-preview"), file);
}

int runRender(const std::vector<std::string>& args) {
    const RenderRequest request = readRenderArguments(args);
    if (!request.animate.empty()) return renderAnimation(request);
    if (!request.out.empty()) return renderOne(request);
    return renderCollection(request);
}

} // namespace vk::cli
