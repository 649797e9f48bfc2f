#include "cli/MemoryBudget.h"

#include "cli/QtModule.h"
#include "raster/RegularFile.h"

#include <cstdio>

#include <unistd.h>

namespace vk::cli {

// Half the memory the machine has available now, from the kernel's own estimate.
std::size_t defaultMemoryBudget() {
    std::FILE* meminfo = std::fopen("/proc/meminfo", "r");
    unsigned long long kib = 0;
    if (meminfo) {
        char line[256];
        while (std::fgets(line, sizeof line, meminfo))
            if (std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1) break;
        std::fclose(meminfo);
    }
    if (kib == 0) kib = (unsigned long long)::sysconf(_SC_AVPHYS_PAGES) * (unsigned long long)::sysconf(_SC_PAGESIZE) / 1024;
    return std::size_t(kib / 2 * 1024);
}

// What the picture will cost decoded, from its header alone: four bytes a
// pixel. The file is opened without waiting, and only a regular file is read,
// so that a FIFO cannot hang the estimate; what cannot be read costs nothing
// here and is refused by the intake.
std::size_t decodedCostOf(const std::string& picture) {
    RegularFile file(picture);
    if (!file.isOpen()) return 0;
    return std::size_t(qtModule().headerPixels(file.release())) * 4;
}

} // namespace vk::cli
