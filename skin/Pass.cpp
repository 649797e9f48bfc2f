#include "skin/Pass.h"

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
    if (applies(when)) raiseFrame(target, buttonsOnly(), r);
}

void Pass::sink(Image& target, const Rect& r, When when) {
    if (applies(when)) sinkFrame(target, buttonsOnly(), r);
}

void Pass::copy(Image& target, const Rect& to, const Image& source, const Rect& from) {
    target.copyRect(to, source, from);
}

void Pass::stamp(Image& target, Point at, const Image& stampImage) {
    embossStamp(target, buttonsOnly(), at.x, at.y, stampImage);
}

void Pass::paste(Image& target, Point at, const Image& image) { pasteImage(target, at.x, at.y, image); }

void Pass::outline(Image& target, const Rect& r, TColor colour, When when) {
    if (!applies(when)) return;
    target.setPen(colour, PenStyle::Solid);
    target.setBrush(colour, BrushStyle::Clear);
    target.rectangle(r);
}

} // namespace vk::skin
