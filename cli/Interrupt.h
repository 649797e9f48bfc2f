// Ctrl-C and SIGTERM stop make and batch at the next safe point: never inside
// a save, whose temporaries and rename run must finish or vanish whole.
#pragma once

namespace vk::cli {

// What unwinds a command that was asked to stop; main exits 128 + signal.
struct Interrupted {
    int signal;
};

// From here on SIGINT and SIGTERM only set a flag that the commands look at.
void catchInterrupts();
// The signal that asked to stop, or 0.
int interruptedBy();
// Throws Interrupted when a stop was asked for.
void stopIfInterrupted();

} // namespace vk::cli
