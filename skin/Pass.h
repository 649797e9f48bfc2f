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
    // A one-pixel rectangle outline: pen of that colour, brush of that colour
    // but clear, both left so set on the target's canvas.
    void outline(Image& target, const Rect& r, TColor colour, When when = When::Always);
};

} // namespace vk::skin
