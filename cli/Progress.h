// batch's progress: a line redrawn on a terminal (or a line a picture on any
// stderr with --progress), and each failure named.
#pragma once
#include "cli/Report.h"
#include "raster/Error.h"

#include <chrono>
#include <cstddef>
#include <mutex>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace vk::cli {

// Reports as pictures finish: a line of progress on a terminal (or on any
// stderr with --progress), the failures always.
class Progress {
public:
    Progress(std::size_t total, bool asked)
        : total_(total), terminal_(::isatty(STDERR_FILENO) == 1 && (asked || verbosity() != Verbosity::Quiet)),
          shown_(terminal_ || asked),
          start_(std::chrono::steady_clock::now()) {
        if (terminal_) draw();
    }

    void finished(const std::string& picture, const std::string* failure) {
        std::lock_guard lock(mutex_);
        ++done_;
        if (failure) warning(picture + ": " + messageForDisplay(*failure));
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
        std::string line = std::to_string(done_) + "/" + std::to_string(total_) + " pictures";
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
    std::size_t done_ = 0;
    bool terminal_, shown_;
    std::chrono::steady_clock::time_point start_;
};

} // namespace vk::cli
