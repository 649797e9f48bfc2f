#include "output/WindowPreview.h"

#include "format/WindowAreas.h"

namespace vk {

namespace {
constexpr Rect kWindow = format::kMainWindow;
} // namespace

Image windowPreview(const SkinDocument& doc) {
    const WindowTops tops = windowTops(doc.options.layout);
    Image preview(kWindow.width(), tops.playlist + kWindow.height());
    preview.fill(preview.bounds(), kSilver);
    preview.copyRect(kWindow, doc.mainWindow, kWindow);
    preview.copyRect(kWindow.shifted(0, tops.equaliser), doc.templates.eqMain, kWindow);
    preview.copyRect(kWindow.shifted(0, tops.playlist), doc.plShow, kWindow);
    return preview;
}

} // namespace vk
