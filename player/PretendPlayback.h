// A pretend track for stills and animations: the visualiser's signal drawn
// from a seed, and the player's clock, marquee and position moving tick by tick.
#pragma once
#include "player/PlayerState.h"

#include <array>
#include <cstdint>

namespace vk::player {

// The marquee moves one glyph every 220 ms; the visualiser is drawn four times as often.
inline constexpr int kTickMilliseconds = 55;
inline constexpr int kTicksPerMarqueeStep = 4;

class PretendSignal {
public:
    explicit PretendSignal(std::uint64_t seed);
    // The next frame in the mode `vis` is in: bars jump up and sink a row a tick, peaks sink slower.
    void step(VisFrame& vis);
    // A frame after enough ticks for the peaks to stand apart from the bars.
    static VisFrame settledFrame(VisFrame::Mode mode, std::uint64_t seed);

private:
    double uniform();
    std::uint64_t state_;
    std::array<double, format::kVisBarCount> level_{}, peak_{};
    double phase_ = 0, wobble_ = 0;
};

// The state `tick` ticks after `start` while playing: the time counts (down with
// countingDown), the title scrolls, the position follows the current entry's length.
PlayerState playedFor(const PlayerState& start, int tick);

} // namespace vk::player
