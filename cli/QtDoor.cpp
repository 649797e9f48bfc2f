#include "cli/QtDoor.h"

#include "raster/Error.h"

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <mutex>
#include <string>

namespace vk::cli {

namespace {

std::atomic<QtDoor*> door{nullptr};
std::once_flag loading;

// The folder this program was started from.
std::string programDirectory() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    const std::string self(path, std::size_t(n));
    const std::size_t slash = self.rfind('/');
    return slash == std::string::npos ? "." : self.substr(0, slash);
}

// Beside the program in the build tree; under the library folder once installed.
QtDoor* loadModule() {
    const std::string dir = programDirectory();
    std::string tried;
    for (const std::string& candidate : {dir + "/" VK_QT_MODULE_NAME, dir + "/" VK_QT_MODULE_FROM_BINDIR "/" VK_QT_MODULE_NAME}) {
        if (::access(candidate.c_str(), F_OK) != 0) {
            tried += (tried.empty() ? "" : ", ") + candidate;
            continue;
        }
        void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) throw Error("Cannot load " + candidate + ": " + ::dlerror());
        auto* entry = reinterpret_cast<QtDoor* (*)()>(::dlsym(handle, "vellumkitQtDoor"));
        if (!entry) throw Error("Cannot load " + candidate + ": it has no vellumkitQtDoor");
        return entry();
    }
    throw Error("Cannot find the picture library " VK_QT_MODULE_NAME " (looked for " + tried + ")");
}

} // namespace

QtDoor& qtDoor() {
    std::call_once(loading, [] {
        if (!door) door = loadModule();
    });
    return *door.load();
}

void useQtDoor(QtDoor& linked) { door = &linked; }

Image loadPictureThroughQt(const std::string& path, const PictureOptions& options) {
    return qtDoor().loadPicture(path, options);
}

TextRasteriser* glyphsIfStarted() {
    QtDoor* const loaded = door;
    return loaded ? loaded->glyphs() : nullptr;
}

} // namespace vk::cli
