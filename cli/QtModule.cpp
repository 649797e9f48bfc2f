#include "cli/QtModule.h"

#include "app/GlyphFont.h"
#include "app/PlainBmp.h"
#include "cli/ModuleLoader.h"

#include <atomic>
#include <mutex>

namespace vk::cli {

namespace {

std::atomic<QtModule*> loadedModule{nullptr};
std::once_flag loading;
bool glyphsFromTheFile = false;

} // namespace

QtModule& qtModule() {
    std::call_once(loading, [] {
        if (!loadedModule)
            loadedModule = reinterpret_cast<QtModule* (*)()>(moduleEntry(VK_QT_MODULE_NAME, "vellumkitQtModule", "picture library"))();
    });
    return *loadedModule.load();
}

void useQtModule(QtModule& linked) { loadedModule = &linked; }

Image loadPictureThroughQt(const std::string& path, const PictureOptions& options) {
    if (std::optional<Image> plain = readPlainBmpFile(path)) return std::move(*plain);
    return qtModule().loadPicture(path, options);
}

void startGlyphs(int& argc, char** argv, bool qtLabelsToo) {
    glyphsFromTheFile = !qtLabelsToo && glyphFontRasteriser();
    if (!glyphsFromTheFile) qtModule().startGlyphs(argc, argv);
}

TextRasteriser* glyphsIfStarted() {
    if (glyphsFromTheFile) return glyphFontRasteriser();
    QtModule* const loaded = loadedModule;
    return loaded ? loaded->glyphs() : nullptr;
}

} // namespace vk::cli
