#include "cli/QtDoor.h"

#include "app/GlyphFont.h"
#include "app/PlainBmp.h"
#include "cli/LateModule.h"

#include <atomic>
#include <mutex>

namespace vk::cli {

namespace {

std::atomic<QtDoor*> door{nullptr};
std::once_flag loading;
bool glyphsFromTheFile = false;

} // namespace

QtDoor& qtDoor() {
    std::call_once(loading, [] {
        if (!door)
            door = reinterpret_cast<QtDoor* (*)()>(lateModuleEntry(VK_QT_MODULE_NAME, "vellumkitQtDoor", "picture library"))();
    });
    return *door.load();
}

void useQtDoor(QtDoor& linked) { door = &linked; }

Image loadPictureThroughQt(const std::string& path, const PictureOptions& options) {
    if (std::optional<Image> plain = readPlainBmpFile(path)) return std::move(*plain);
    return qtDoor().loadPicture(path, options);
}

void startGlyphs(int& argc, char** argv, bool qtLabelsToo) {
    glyphsFromTheFile = !qtLabelsToo && glyphFontRasteriser();
    if (!glyphsFromTheFile) qtDoor().startGlyphs(argc, argv);
}

TextRasteriser* glyphsIfStarted() {
    if (glyphsFromTheFile) return glyphFontRasteriser();
    QtDoor* const loaded = door;
    return loaded ? loaded->glyphs() : nullptr;
}

} // namespace vk::cli
