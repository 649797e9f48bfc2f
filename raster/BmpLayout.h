// The byte layout of a Windows BMP: little-endian fields, the file header and
// the 40-byte info header by offset, rows padded to four bytes.
#pragma once
#include <cstddef>
#include <cstdint>

namespace vk::bmp {

inline std::uint32_t get16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
inline std::uint32_t get32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

namespace field {
constexpr std::size_t kSignature = 0;       // "BM"
constexpr std::size_t kFileSize = 2;
constexpr std::size_t kPixelOffset = 10;
constexpr std::size_t kInfoSize = 14;
constexpr std::size_t kWidth = 18;
constexpr std::size_t kHeight = 22;         // negative: rows stored top down
constexpr std::size_t kPlanes = 26;
constexpr std::size_t kBitCount = 28;
constexpr std::size_t kCompression = 30;    // 0 none, 3 bit fields
constexpr std::size_t kImageSize = 34;
constexpr std::size_t kColoursUsed = 46;
} // namespace field

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kHeaderSize = kFileHeaderSize + kInfoHeaderSize;

inline std::size_t rowBytes(int width, int depth) {
    return (std::size_t(width) * std::size_t(depth / 8) + 3) & ~std::size_t(3);
}

} // namespace vk::bmp
