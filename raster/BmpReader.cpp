#include "raster/BmpReader.h"

#include "raster/BmpLayout.h"
#include "raster/Error.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace vk {

namespace {

using bmp::get16;
using bmp::get32;

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

// One channel of a bit-fields pixel, widened to 8 bits.
struct Channel {
    int shift = 0, bits = 0;
    explicit Channel(std::uint32_t mask = 0) {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        bits = std::popcount(mask >> shift);
    }
    int of(std::uint32_t v) const {
        if (bits == 0) return 0;
        // 64 bits: a mask of all 32 bits would shift a 32-bit one by its width.
        const std::uint64_t top = (std::uint64_t(1) << bits) - 1u;
        const std::uint64_t raw = (std::uint64_t(v) >> shift) & top;
        return bits >= 8 ? int(raw >> (bits - 8)) : int((raw * 255u + top / 2u) / top);
    }
};

} // namespace

Image readAnyBmp(const std::uint8_t* data, std::size_t size, const SizeLimit& limit) {
    const Error invalid("Bitmap image is not valid");
    if (size < 26 || data[0] != 'B' || data[1] != 'M') throw invalid;
    const std::uint32_t offset = get32(data + 10);
    const std::uint32_t infoSize = get32(data + 14);
    if (14 + std::size_t(infoSize) > size || infoSize < 12) throw invalid;
    const std::uint8_t* info = data + 14;
    std::int32_t w, hSigned;
    std::uint32_t depth, compression = kRgb, coloursUsed = 0;
    const bool core = infoSize < 40;
    if (core) {
        w = std::int32_t(get16(info + 4));
        hSigned = std::int16_t(get16(info + 6));
        depth = get16(info + 10);
    } else {
        w = std::int32_t(get32(info + 4));
        hSigned = std::int32_t(get32(info + 8));
        depth = get16(info + 14);
        compression = get32(info + 16);
        coloursUsed = get32(info + 32);
    }
    if (w <= 0 || hSigned == 0 || hSigned == INT32_MIN) throw invalid;
    const bool topDown = hSigned < 0;
    const int h = topDown ? -hSigned : hSigned;
    if (!limit.allows(w, h)) throw Error(limit.refusal(w, h));
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) throw invalid;

    // Bit-field masks follow a 40-byte header, or sit inside a longer one.
    std::uint32_t masks[3] = {0, 0, 0};
    if (compression == kBitFields || compression == kAlphaBitFields) {
        const std::size_t at = 14 + 40;
        if (at + 12 > size) throw invalid;
        for (int i = 0; i < 3; ++i) masks[i] = get32(data + at + 4 * std::size_t(i));
    } else if (compression == kRgb && depth == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else if (compression == kRgb && depth == 32) {
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    } else if (!(compression == kRgb || (compression == kRle8 && depth == 8) || (compression == kRle4 && depth == 4))) {
        throw invalid;
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);

    // The palette sits after the info header (and the masks of a 40-byte one).
    std::vector<TColor> palette;
    if (depth <= 8) {
        const std::size_t entries = coloursUsed && coloursUsed <= (1u << depth) ? coloursUsed : (1u << depth);
        const std::size_t entrySize = core ? 3 : 4;
        std::size_t at = 14 + infoSize + (infoSize == 40 && compression == kBitFields ? 12 : 0);
        palette.assign(std::size_t(1) << depth, kBlack);
        for (std::size_t i = 0; i < entries && at + entrySize <= size; ++i, at += entrySize)
            palette[i] = rgb(data[at + 2], data[at + 1], data[at]);
    }

    Image image(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, kBlack);
    if (offset >= size) return image;
    const std::uint8_t* pixels = data + offset;
    const std::size_t available = size - offset;
    auto rowY = [&](int fileRow) { return topDown ? fileRow : h - 1 - fileRow; };

    if (compression == kRle8 || compression == kRle4) {
        int x = 0, row = 0;
        std::size_t i = 0;
        auto put = [&](int index) {
            if (x < w && row < h) image.setPixel(x, rowY(row), palette[std::size_t(index) % palette.size()]);
            ++x;
        };
        while (i + 1 < available && row < h) {
            const int count = pixels[i], value = pixels[i + 1];
            i += 2;
            if (count > 0) {
                // Only the part of a run inside the row is painted: runs past it would cost time for nothing.
                const int inside = std::clamp(w - x, 0, count);
                for (int k = 0; k < inside; ++k)
                    put(compression == kRle8 ? value : (k % 2 == 0 ? value >> 4 : value & 0x0F));
                x = std::min(x + count - inside, w);
            } else if (value == 0) {
                x = 0, ++row;
            } else if (value == 1) {
                break;
            } else if (value == 2) {
                if (i + 1 >= available) break;
                // Any column past the row's end draws nothing, so x stops at w rather than overflow.
                x = std::min(x + pixels[i], w), row += pixels[i + 1];
                i += 2;
            } else {
                const std::size_t bytes = compression == kRle8 ? std::size_t(value) : (std::size_t(value) + 1) / 2;
                const int x0 = x;
                for (int k = 0; k < value && x < w && i + (compression == kRle8 ? std::size_t(k) : std::size_t(k) / 2) < available; ++k) {
                    const int b = pixels[i + (compression == kRle8 ? std::size_t(k) : std::size_t(k) / 2)];
                    put(compression == kRle8 ? b : (k % 2 == 0 ? b >> 4 : b & 0x0F));
                }
                if (i + bytes <= available) x = std::min(x0 + value, w);
                i += (bytes + 1) & ~std::size_t(1);
            }
        }
        return image;
    }

    const std::size_t stride = ((std::size_t(w) * depth + 31) / 32) * 4;
    for (int row = 0; row < h; ++row) {
        const std::size_t start = std::size_t(row) * stride;
        if (start >= available) break;
        const std::uint8_t* p = pixels + start;
        const std::size_t have = std::min(stride, available - start);
        const int y = rowY(row);
        for (int x = 0; x < w; ++x) {
            const std::size_t bit = std::size_t(x) * depth;
            if ((bit + depth + 7) / 8 > have) break;
            TColor c;
            if (depth <= 8) {
                const int shift = 8 - int(depth) - int(bit % 8);
                c = palette[(p[bit / 8] >> shift) & ((1u << depth) - 1u)];
            } else if (depth == 24) {
                const std::uint8_t* q = p + bit / 8;
                c = rgb(q[2], q[1], q[0]);
            } else {
                const std::uint32_t v = depth == 16 ? get16(p + bit / 8) : get32(p + bit / 8);
                c = rgb(red.of(v), green.of(v), blue.of(v));
            }
            image.setPixel(x, y, c);
        }
    }
    return image;
}

} // namespace vk
