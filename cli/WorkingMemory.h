// The command line's heap, laid out once before a command runs.
#pragma once
#include <cstddef>

namespace vk::cli {

// Grows the heap by `bytes` up front, in huge pages where the system offers them.
void reserveWorkingMemory(std::size_t bytes);

} // namespace vk::cli
