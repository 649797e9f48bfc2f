#include "skin/Pass.h"

#include "raster/Error.h"

#include <string>
#include <vector>

namespace vk::skin {

bool Pass::applies(When when) const {
    switch (when) {
    case When::Always: return true;
    case When::SinkFrameOnly: return sinkFrameChosen();
    case When::NotButtonsOnly: return !buttonsOnly();
    }
    return true;
}

namespace {

template <class Visit> void forEachEdgePixel(const Rect& r, Visit visit) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (y == r.top || y == r.bottom - 1 || x == r.left || x == r.right - 1) visit(x, y);
}

// Shades the frame, noting each edge pixel's face and shade when the document
// asks. A raised frame's bottom-left pixel is darkened, then lightened back,
// where its dark and light edges meet: it belongs to neither and is not noted.
template <class Shade> void shadeNoting(const SkinDocument& doc, Image& target, const Rect& r, bool raised, Shade shade) {
    if (!doc.bevelLog || doc.state.buttonsOnly) return shade();
    std::vector<TColor> faces;
    forEachEdgePixel(r, [&](int x, int y) { faces.push_back(target.pixel(x, y)); });
    shade();
    std::size_t i = 0;
    forEachEdgePixel(r, [&](int x, int y) {
        const TColor face = faces[i++];
        if (face != kInvalidColour && !(raised && x == r.left && y == r.bottom - 1)) doc.bevelLog->push_back({face, target.pixel(x, y)});
    });
}

} // namespace

void Pass::raise(Image& target, const Rect& r, When when) {
    if (applies(when)) shadeNoting(doc, target, r, true, [&] { raiseFrame(target, buttonsOnly(), r, shading()); });
}

void Pass::sink(Image& target, const Rect& r, When when) {
    if (applies(when)) shadeNoting(doc, target, r, false, [&] { sinkFrame(target, buttonsOnly(), r, shading()); });
}

namespace {
std::string describe(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}
} // namespace

void Pass::copy(Image& target, const Rect& to, const Image& source, const Rect& from) {
    if (to.width() != from.width() || to.height() != from.height())
        throw Error("Copy of " + describe(from) + " into " + describe(to) + " changes its size");
    target.copyRect(to, source, from);
}

void Pass::shrinkByOneColumn(Image& target, const Rect& to, const Image& source, const Rect& from) {
    if (to.width() != from.width() - 1 || to.height() != from.height())
        throw Error("Shrink of " + describe(from) + " into " + describe(to) + " is not one column narrower");
    target.copyRect(to, source, from);
}

void Pass::stamp(Image& target, Point at, const Image& stampImage) {
    embossStamp(target, buttonsOnly(), at.x, at.y, stampImage, shading());
    if (doc.stampLog && !buttonsOnly()) doc.stampLog->push_back({&target, at.x, at.y, &stampImage});
}

void Pass::paste(Image& target, Point at, const Image& image) { pasteImage(target, at.x, at.y, image); }

void Pass::outline(Image& target, const Rect& r, TColor colour, When when) {
    if (!applies(when)) return;
    target.setPen(colour);
    target.setBrush(colour, BrushStyle::Clear);
    target.rectangle(r);
}

} // namespace vk::skin
