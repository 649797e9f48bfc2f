#include "output/WindowPreview.h"

namespace vk {

namespace {
constexpr Rect kWindow{0, 0, 275, 116};
} // namespace

WindowTops windowTops(LayoutMode layout) {
    switch (layout) {
    case LayoutMode::TwoPlusOne: return {116, 236};
    case LayoutMode::Continuous: return {116, 232};
    case LayoutMode::ThreeWindows: break;
    }
    return {120, 240};
}

Image windowPreview(const SkinDocument& doc) {
    const WindowTops tops = windowTops(doc.options.layout);
    Image preview(kWindow.width(), tops.playlist + kWindow.height());
    preview.fill(preview.bounds(), kSilver);
    preview.copyRect(kWindow, doc.mainWindow, kWindow);
    preview.copyRect(kWindow.shifted(0, tops.equaliser), doc.t.eqMain, kWindow);
    preview.copyRect(kWindow.shifted(0, tops.playlist), doc.plShow, kWindow);
    return preview;
}

} // namespace vk
