// The verbs of the MakeSkin stages: each stage file is a list of these calls
// in the order of its table, so it can be checked against it line by line.
#pragma once
#include "document/SkinDocument.h"
#include "raster/Primitives.h"

namespace vk::skin {

// Which option an operation depends on.
enum class When { Always, SinkFrameOnly, NotButtonsOnly };

class Pass {
public:
    explicit Pass(SkinDocument& doc) : doc(doc), templates(doc.templates) {}

    SkinDocument& doc;
    TemplateSet& templates;

    bool buttonsOnly() const { return doc.state.buttonsOnly; }
    bool sinkFrameChosen() const { return doc.options.sinkFrame; }
    Shading shading() const { return doc.options.legible ? Shading::Legible : Shading::Fixed; }
    bool applies(When when) const;

    void raise(Image& target, const Rect& r, When when = When::Always);
    void sink(Image& target, const Rect& r, When when = When::Always);
    // A plain copy: rectangles of different sizes are a coordinate mistake
    // and throw rather than silently scale.
    void copy(Image& target, const Rect& to, const Image& source, const Rect& from);
    // The one deliberate scaling copy: a rectangle one column narrower than
    // its source, the dropped column ANDed into its neighbour.
    void shrinkByOneColumn(Image& target, const Rect& to, const Image& source, const Rect& from);
    void stamp(Image& target, Point at, const Image& stamp);
    void paste(Image& target, Point at, const Image& image);
    // A one-pixel rectangle outline: pen of that colour, brush of that colour
    // but clear, both left so set on the target's canvas.
    void outline(Image& target, const Rect& r, TColor colour, When when = When::Always);
};

} // namespace vk::skin
