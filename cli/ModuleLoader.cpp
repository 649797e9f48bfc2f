#include "cli/ModuleLoader.h"

#include "raster/Error.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace vk::cli {

namespace {

// The folder this program was started from.
std::string programDirectory() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    const std::string self(path, std::size_t(n));
    const std::size_t slash = self.rfind('/');
    return slash == std::string::npos ? "." : self.substr(0, slash);
}

} // namespace

void* moduleEntry(const std::string& fileName, const char* entry, const std::string& what) {
    const std::string dir = programDirectory();
    std::string tried;
    for (const std::string& candidate : {dir + "/" + fileName, dir + "/" VK_MODULES_FROM_BINDIR "/" + fileName}) {
        if (::access(candidate.c_str(), F_OK) != 0) {
            tried += (tried.empty() ? "" : ", ") + candidate;
            continue;
        }
        void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) throw Error("Cannot load " + candidate + ": " + ::dlerror());
        void* found = ::dlsym(handle, entry);
        if (!found) throw Error("Cannot load " + candidate + ": it has no " + entry);
        return found;
    }
    throw Error("Cannot find the " + what + " " + fileName + " (looked for " + tried + ")");
}

} // namespace vk::cli
