#include "app/WorkingMemory.h"

#if VK_GLIBC_HEAP
#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#endif

namespace vk {

#if VK_GLIBC_HEAP
namespace {
// Kept where the compiler cannot drop the allocation as unused.
void* volatile gHeldBelow = nullptr;
} // namespace
#endif

void reserveWorkingMemory(std::size_t bytes) {
#if VK_GLIBC_HEAP
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    // Everything but the largest pictures comes from one heap that keeps what it grew...
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, int(bytes * 2));
    void* grown = std::malloc(bytes);
    if (!grown) return;
    const auto at = reinterpret_cast<std::uintptr_t>(grown);
    const auto start = (at + kHuge - 1) & ~(kHuge - 1);
    const auto end = (at + bytes) & ~(kHuge - 1);
    // ...in huge pages where the kernel has them: a first touch then costs one
    // fault per 2 MiB instead of one per 4 KiB (about 12 us each on a VM).
    const bool advised = end > start && madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE) == 0;
    std::free(grown);
    // The stretch below the first huge page is held for good, never touched,
    // so that the allocations after this one start in the huge pages.
    // (glibc: a request of n - 8 bytes takes a chunk of n, n a multiple of 16).
    if (advised && start - at > 64) gHeldBelow = std::malloc(start - at - 8);
#else
    (void)bytes;
#endif
}

} // namespace vk
