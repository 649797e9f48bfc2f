#include "skin/Pass.h"

#include "raster/Error.h"

#include <string>

namespace vk::skin {

bool Pass::applies(When when) const {
    switch (when) {
    case When::Always: return true;
    case When::SinkFrameOnly: return sinkFrameChosen();
    case When::NotButtonsOnly: return !buttonsOnly();
    }
    return true;
}

void Pass::raise(Image& target, const Rect& r, When when) {
    if (applies(when)) raiseFrame(target, buttonsOnly(), r, shading());
}

void Pass::sink(Image& target, const Rect& r, When when) {
    if (applies(when)) sinkFrame(target, buttonsOnly(), r, shading());
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
