// What batch and render share when they work through many items on several
// threads: one line of text drawn at a time, and the progress they report.
#pragma once
#include "cli/Report.h"
#include "raster/Error.h"
#include "raster/TextRasteriser.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <new>
#include <mutex>
#include <string>

#include <unistd.h>

namespace vk::cli {

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

// What a failed item says, from the exception it ended with: the file and the
// system's reason, or the error's own words.
inline std::string failureMessage(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const FileError& e) {
        return e.withReason();
    } catch (const Error& e) {
        return e.what();
    } catch (const std::bad_alloc&) {
        return "there is not enough memory";
    } catch (const std::exception&) {
        return "an unexpected internal failure";
    }
}

// Reports as items (pictures, skins) finish: a line of progress on a terminal (or on any
// stderr with --progress), the failures always.
class Progress {
public:
    Progress(std::size_t total, bool asked, std::string noun)
        : total_(total), noun_(std::move(noun)), terminal_(::isatty(STDERR_FILENO) == 1 && (asked || verbosity() != Verbosity::Quiet)),
          shown_(terminal_ || asked),
          start_(std::chrono::steady_clock::now()) {
        if (terminal_) draw();
    }

    void finished(const std::string& item, const std::string* failure) {
        std::lock_guard lock(mutex_);
        ++done_;
        if (failure) warning(item + ": " + messageForDisplay(*failure));
        draw();
    }
    void end() {
        std::lock_guard lock(mutex_);
        if (terminal_) showStatus("");
    }

private:
    // "12/40 pictures, 3.1 skins/s, 9 s left"; on a pipe one such line per picture.
    void draw() {
        if (!shown_) return;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        std::string line = std::to_string(done_) + "/" + std::to_string(total_) + " " + noun_;
        if (done_ > 0 && seconds > 0) {
            const double rate = double(done_) / seconds;
            char figures[64];
            std::snprintf(figures, sizeof figures, ", %.1f skins/s, %.0f s left", rate, double(total_ - done_) / rate);
            line += figures;
        }
        if (terminal_) showStatus(line);
        else if (done_ > 0) std::fprintf(stderr, "%s\n", line.c_str());
    }

    std::mutex mutex_;
    std::size_t total_;
    std::string noun_;
    std::size_t done_ = 0;
    bool terminal_, shown_;
    std::chrono::steady_clock::time_point start_;
};

} // namespace vk::cli
