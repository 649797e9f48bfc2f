// The last defence of an unattended render: past its processor time or its
// memory the process says which limit it met and exits 1.
#include "cli/ProcessLimits.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace vk::test {
namespace {

struct Ended {
    int status = -1;
    std::string said;
};

// Runs `body` in a child under `limits`, as render applies them; what it wrote on stderr and its exit status.
template <typename Body>
Ended inChild(const cli::ProcessLimits& limits, Body body) {
    int ends[2];
    if (::pipe(ends) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(ends[1], STDERR_FILENO);
        ::close(ends[0]);
        cli::applyProcessLimits(limits, "render");
        ::_exit(body());
    }
    ::close(ends[1]);
    Ended ended;
    char buffer[256];
    for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) ended.said.append(buffer, std::size_t(n));
    ::close(ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ended.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return ended;
}

TEST(ProcessLimits, ProcessorTimeEndsTheRunWithItsMessage) {
    const Ended ended = inChild({0, 1}, [] {
        // An empty asm keeps the loop from being proved endless and removed.
        for (unsigned long spin = 0;; ++spin) asm volatile("" : "+r"(spin));
        return 0;
    });
    EXPECT_EQ(ended.status, 1);
    EXPECT_EQ(ended.said, "vellumkit-cli: render stopped: it took more than 1 s of processor time (--max-seconds)\n");
}

TEST(ProcessLimits, MemoryPastTheLimitFailsAsAnAllocation) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory needs the address space the limit takes away";
#endif
    const Ended ended = inChild({256, 0}, [] {
        try {
            // Called, not a new-expression, which the compiler may leave out.
            ::operator delete(::operator new(std::size_t(512) << 20));
            return 0;
        } catch (const std::bad_alloc&) {
            return cli::memoryLimitMessage() == "render ran out of memory: it may use 256 MB (--max-memory)" ? 7 : 4;
        }
    });
    EXPECT_EQ(ended.status, 7);
}

} // namespace
} // namespace vk::test
