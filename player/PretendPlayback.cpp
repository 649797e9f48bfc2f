#include "player/PretendPlayback.h"

#include "format/TextFont.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vk::player {

using namespace vk::format;

PretendSignal::PretendSignal(std::uint64_t seed) : state_(seed) {}

// splitmix64: the same seed gives the same frames on every machine.
double PretendSignal::uniform() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return double((z ^ (z >> 31)) >> 11) / double(1ull << 53);
}

void PretendSignal::step(VisFrame& vis) {
    if (vis.mode == VisFrame::Mode::Spectrum) {
        for (std::size_t i = 0; i < level_.size(); ++i) {
            // Louder in the bass, with a random kick on each bar.
            const double loudness = (kVisHeight - 0.45 * double(i)) * (0.35 + 0.65 * uniform());
            level_[i] = std::max(loudness, level_[i] - 1);
            peak_[i] = level_[i] >= peak_[i] ? level_[i] : std::max(0.0, peak_[i] - 0.25);
            vis.bars[i] = clampInt(int(std::lround(level_[i])), 0, kVisHeight);
            vis.peaks[i] = clampInt(int(std::lround(peak_[i])), 0, kVisHeight);
        }
    } else if (vis.mode == VisFrame::Mode::Oscilloscope) {
        phase_ += 0.6 + 0.3 * uniform();
        wobble_ = 0.7 * wobble_ + 0.3 * uniform();
        const double amplitude = 3 + 4.5 * wobble_;
        for (std::size_t x = 0; x < vis.samples.size(); ++x) {
            const double t = double(x) / double(vis.samples.size()) * 2 * std::numbers::pi;
            const double wave = 0.65 * std::sin(3 * t + phase_) + 0.35 * std::sin(7 * t - 2 * phase_);
            vis.samples[x] = clampInt(int(std::lround((kVisHeight - 1) / 2.0 + amplitude * wave)), 0, kVisHeight - 1);
        }
    }
}

VisFrame PretendSignal::settledFrame(VisFrame::Mode mode, std::uint64_t seed) {
    PretendSignal signal(seed);
    VisFrame vis;
    vis.mode = mode;
    for (int tick = 0; tick < 12; ++tick) signal.step(vis);
    return vis;
}

PlayerState playedFor(const PlayerState& start, int tick) {
    PlayerState st = start;
    const int elapsed = int(std::int64_t(tick) * kTickMilliseconds / 1000);
    st.seconds = start.countingDown ? std::max(0, start.seconds - elapsed) : start.seconds + elapsed;
    st.titleScroll = start.titleScroll + tick / kTicksPerMarqueeStep * kGlyphWidth;
    const int current = start.currentEntry;
    if (current >= 0 && current < int(start.entries.size()) && start.entries[std::size_t(current)].seconds > 0)
        st.position = std::min(1.0, start.position + double(tick) * kTickMilliseconds / 1000.0 /
                                                      start.entries[std::size_t(current)].seconds);
    return st;
}

} // namespace vk::player
