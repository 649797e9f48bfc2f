#include "cli/ProcessLimits.h"

#include <algorithm>
#include <csignal>
#include <cstring>

#include <sys/resource.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define VK_SANITIZED 1
#endif
#endif

namespace vk::cli {

namespace {

// Written by the signal handler, so made before any signal can come.
char cpuMessage[160];
std::size_t cpuMessageLength = 0;
std::string memoryMessage;

void outOfTime(int) {
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, cpuMessage, cpuMessageLength);
    ::_exit(1);
}

} // namespace

void applyProcessLimits(const ProcessLimits& limits, const std::string& command) {
#ifndef VK_SANITIZED
    if (limits.memoryMegabytes) {
        rlimit memory{};
        ::getrlimit(RLIMIT_AS, &memory);
        const rlim_t wanted = rlim_t(limits.memoryMegabytes) << 20;
        if (memory.rlim_max == RLIM_INFINITY || wanted < memory.rlim_max) {
            memory.rlim_cur = wanted;
            if (::setrlimit(RLIMIT_AS, &memory) == 0)
                memoryMessage = command + " ran out of memory: it may use " + std::to_string(limits.memoryMegabytes) +
                                " MB (--max-memory)";
        }
    }
#endif
    if (limits.cpuSeconds) {
        const std::string text = "vellumkit-cli: " + command + " stopped: it took more than " +
                                 std::to_string(limits.cpuSeconds) + " s of processor time (--max-seconds)\n";
        cpuMessageLength = std::min(text.size(), sizeof cpuMessage);
        std::memcpy(cpuMessage, text.data(), cpuMessageLength);
        struct sigaction action {};
        action.sa_handler = outOfTime;
        ::sigaction(SIGXCPU, &action, nullptr);
        rlimit cpu{};
        ::getrlimit(RLIMIT_CPU, &cpu);
        // The soft limit signals; the hard one, a second later, kills whatever ignores it.
        const rlim_t soft = rlim_t(limits.cpuSeconds);
        if (cpu.rlim_max == RLIM_INFINITY || soft + 1 <= cpu.rlim_max) {
            cpu.rlim_cur = soft;
            cpu.rlim_max = soft + 1;
            ::setrlimit(RLIMIT_CPU, &cpu);
        }
    }
}

std::string memoryLimitMessage() { return memoryMessage; }

} // namespace vk::cli
