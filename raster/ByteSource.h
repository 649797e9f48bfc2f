// Where a reader's bytes come from: a file read in place at any offset, or memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>

namespace vk {

struct ByteSource {
    // Exactly n bytes at `offset`, false when the source cannot give them.
    std::function<bool(std::uint8_t* to, std::size_t n, std::uint64_t offset)> readAt;
    std::uint64_t size = 0;
    const std::uint8_t* inMemory = nullptr;  // when set, read in place rather than copied
};

inline ByteSource bytesInMemory(const std::uint8_t* data, std::size_t size) {
    return {[data, size](std::uint8_t* to, std::size_t n, std::uint64_t at) {
                if (at > size || n > size - at) return false;
                if (n) std::memcpy(to, data + at, n);
                return true;
            },
            size, data};
}

} // namespace vk
