// The verbs of the MakeSkin stages: each stage file is a list of these calls
// in the order of its table, so it can be checked against it line by line.
#pragma once
#include "app/Workbench.h"
#include "raster/Primitives.h"

namespace vk::skin {

// Which option an operation depends on.
enum class When { Always, SinkFrameOnly, NotButtonsOnly };

class Pass {
public:
    explicit Pass(Workbench& bench) : bench(bench), t(bench.t) {}

    Workbench& bench;
    TemplateSet& t;

    bool buttonsOnly() const { return bench.state.buttonsOnly; }
    bool sinkFrameChosen() const { return bench.options.sinkFrame; }
    bool applies(When when) const;

    void raise(Image& target, const Rect& r, When when = When::Always);
    void sink(Image& target, const Rect& r, When when = When::Always);
    // A plain copy of equal-sized rectangles (or the one scaling copy).
    void copy(Image& target, const Rect& to, const Image& source, const Rect& from);
    void stamp(Image& target, Point at, const Image& stamp);
    void paste(Image& target, Point at, const Image& image);

    // --- Additions for the window stages -----------------------------------
    // A one-pixel black border with the inside left as it is: black pen,
    // clear brush, which stay set on the target afterwards. No default for
    // `when`: every outline is skipped with Buttons Only, and the call says so.
    void outline(Image& target, const Rect& r, When when);
};

// Where a stamp or paste goes when it lands on the corner of an area.
constexpr Point topLeft(const Rect& r) { return {r.left, r.top}; }

} // namespace vk::skin
