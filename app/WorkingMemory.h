// The heap of a program that makes skins, laid out once at its start.
#pragma once
#include <cstddef>

// Under a sanitizer the allocator is the sanitizer's own, not glibc's heap.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VK_GLIBC_HEAP 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define VK_GLIBC_HEAP 0
#endif
#endif
#if !defined(VK_GLIBC_HEAP) && defined(__linux__) && defined(__GLIBC__)
#define VK_GLIBC_HEAP 1
#endif
#ifndef VK_GLIBC_HEAP
#define VK_GLIBC_HEAP 0
#endif

namespace vk {

// Grows the heap by `bytes` up front, in huge pages where the system offers
// them; does nothing where the heap is not glibc's.
void reserveWorkingMemory(std::size_t bytes);
inline constexpr bool kReservesWorkingMemory = VK_GLIBC_HEAP;

} // namespace vk
