#include "raster/Bmp.h"

#include "raster/BmpLayout.h"
#include "raster/Error.h"

#include <cstdint>

namespace vk {

using namespace bmp;

namespace {
void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = std::uint8_t(v);
    out[at + 1] = std::uint8_t(v >> 8);
}
void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}
} // namespace

std::size_t bmpFileSize(int width, int height, int depth) {
    return kHeaderSize + rowBytes(width, depth) * std::size_t(height);
}

std::vector<std::uint8_t> encodeBmp(const Image& image) {
    const int depth = image.depth() == 32 ? 32 : 24;
    const int w = image.width(), h = image.height();
    const std::size_t stride = rowBytes(w, depth);
    std::vector<std::uint8_t> out(bmpFileSize(w, h, depth), 0);

    out[field::kSignature] = 'B';
    out[field::kSignature + 1] = 'M';
    put32(out, field::kFileSize, std::uint32_t(out.size()));
    put32(out, field::kPixelOffset, std::uint32_t(kHeaderSize));
    put32(out, field::kInfoSize, std::uint32_t(kInfoHeaderSize));
    put32(out, field::kWidth, std::uint32_t(w));
    put32(out, field::kHeight, std::uint32_t(h));
    put16(out, field::kPlanes, 1);
    put16(out, field::kBitCount, std::uint32_t(depth));
    put32(out, field::kCompression, 0);
    put32(out, field::kImageSize, std::uint32_t(stride * std::size_t(h)));

    // The pixel size is a constant in each loop, so that the compiler can unroll it.
    const auto encodeRows = [&]<std::size_t bytesPerPixel>() {
        for (int y = 0; y < h; ++y) {
            std::uint8_t* p = out.data() + kHeaderSize + std::size_t(h - 1 - y) * stride;
            const TColor* from = image.pixels().data() + std::size_t(y) * std::size_t(w);
            for (int x = 0; x < w; ++x, p += bytesPerPixel) {
                const TColor c = from[x];
                p[0] = std::uint8_t(blueOf(c));
                p[1] = std::uint8_t(greenOf(c));
                p[2] = std::uint8_t(redOf(c));
            }
        }
    };
    if (depth == 32) encodeRows.template operator()<4>();
    else encodeRows.template operator()<3>();
    return out;
}

Image decodeBmp(const std::uint8_t* data, std::size_t size) {
    const Error invalid("Bitmap image is not valid");
    if (size < kHeaderSize || data[field::kSignature] != 'B' || data[field::kSignature + 1] != 'M') throw invalid;
    const std::uint32_t offset = get32(data + field::kPixelOffset);
    const std::uint32_t infoSize = get32(data + field::kInfoSize);
    const auto w = std::int32_t(get32(data + field::kWidth));
    const auto hSigned = std::int32_t(get32(data + field::kHeight));
    const std::uint32_t depth = get16(data + field::kBitCount);
    const std::uint32_t compression = get32(data + field::kCompression);
    // INT_MIN rows has no positive count: refused with the other nonsense heights.
    if (infoSize < kInfoHeaderSize || w <= 0 || hSigned == 0 || hSigned == INT32_MIN || (depth != 24 && depth != 32) ||
        (compression != 0 && compression != 3))
        throw invalid;
    const bool topDown = hSigned < 0;
    const int h = topDown ? -hSigned : hSigned;
    const std::size_t stride = rowBytes(w, int(depth));
    if (offset > size || stride * std::size_t(h) > size - offset) throw invalid;

    Image image(w, h, int(depth));
    const auto decodeRows = [&]<std::size_t bytesPerPixel>() {
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* p = data + offset + std::size_t(topDown ? y : h - 1 - y) * stride;
            TColor* to = image.data() + std::size_t(y) * std::size_t(w);
            for (int x = 0; x < w; ++x, p += bytesPerPixel) to[x] = rgb(p[2], p[1], p[0]);
        }
    };
    if (depth == 32) decodeRows.template operator()<4>();
    else decodeRows.template operator()<3>();
    return image;
}

Image decodeBmp(const std::vector<std::uint8_t>& bytes) { return decodeBmp(bytes.data(), bytes.size()); }

} // namespace vk
