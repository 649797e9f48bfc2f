#include "cli/Interrupt.h"

#include <atomic>
#include <csignal>

namespace vk::cli {

namespace {
std::atomic<int> asked{0};

void ask(int signal) { asked.store(signal); }
} // namespace

void catchInterrupts() {
    struct sigaction action {};
    action.sa_handler = ask;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

int interruptedBy() { return asked.load(); }

void stopIfInterrupted() {
    if (const int signal = asked.load()) throw Interrupted{signal};
}

} // namespace vk::cli
