// A ceiling on the process's own memory and processor time, so that a hostile
// skin that slips past every check still ends with a message rather than
// with the out-of-memory killer or a thumbnailer that never returns.
#pragma once
#include <cstdint>
#include <string>

namespace vk::cli {

struct ProcessLimits {
    std::uint64_t memoryMegabytes = 0;  // address space; 0: none
    int cpuSeconds = 0;                 // 0: none
};

// From here on the process may map at most `memoryMegabytes` (not under a
// sanitizer, which reserves terabytes of shadow) and use `cpuSeconds` of
// processor time; past that it prints a message naming `option` and exits 1.
void applyProcessLimits(const ProcessLimits& limits, const std::string& command);

// The message for memory that ran out under the limit, or empty when none was set.
std::string memoryLimitMessage();

} // namespace vk::cli
