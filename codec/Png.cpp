#include "codec/Png.h"

#include "raster/Error.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace vk::codec {

namespace {

const Error kInvalid("Image is not valid");

std::uint32_t big32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | std::uint32_t(p[3]);
}

// The bytes of the PNG that decoding needs, each chunk whole: the text chunks
// go, since libpng would inflate every compressed one (300 of them held 2.4 GB).
// The size is checked here, before libpng sees the file, and the image data is
// inflated once without keeping it: libpng inflates data past the last row to
// its end, so a stream far longer than the picture is refused first.
std::vector<std::uint8_t> checkedChunks(std::span<const std::uint8_t> bytes, const SizeLimit& limit) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < 8 + 25 || !std::equal(kSignature, kSignature + 8, bytes.begin())) throw kInvalid;
    const std::uint8_t* ihdr = bytes.data() + 8;
    if (big32(ihdr) != 13 || std::memcmp(ihdr + 4, "IHDR", 4) != 0) throw kInvalid;
    const std::int64_t width = big32(ihdr + 8), height = big32(ihdr + 12);
    if (!limit.allows(width, height)) {
        if (width == 0 || height == 0) throw kInvalid;
        throw Error(limit.refusal(width, height));
    }
    const int bitDepth = ihdr[16], colourType = ihdr[17];
    const int channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    // Filter bytes included; interlaced passes add at most one more per row and pass.
    const std::uint64_t rowBytes = (std::uint64_t(width) * std::uint64_t(channels) * std::uint64_t(bitDepth) + 7) / 8 + 1;
    const std::uint64_t enough = 2 * rowBytes * std::uint64_t(height) + 7 * std::uint64_t(height) + 65536;

    std::vector<std::uint8_t> kept(bytes.begin(), bytes.begin() + 8);
    kept.reserve(bytes.size());
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw kInvalid;
    std::uint64_t inflated = 0;
    bool streamEnded = false;
    std::vector<std::uint8_t> scratch(65536);
    std::size_t at = 8;
    try {
        while (at + 12 <= bytes.size()) {
            const std::uint64_t length = big32(bytes.data() + at);
            if (length > bytes.size() - at - 12) break;
            const std::uint8_t* type = bytes.data() + at + 4;
            const std::size_t whole = std::size_t(length) + 12;
            if (std::memcmp(type, "IDAT", 4) == 0 && !streamEnded) {
                z.next_in = const_cast<std::uint8_t*>(type + 4);
                z.avail_in = uInt(length);
                while (z.avail_in > 0 && !streamEnded) {
                    z.next_out = scratch.data();
                    z.avail_out = uInt(scratch.size());
                    const int status = inflate(&z, Z_NO_FLUSH);
                    inflated += scratch.size() - z.avail_out;
                    if (inflated > enough) throw Error("its image data runs on far past the picture");
                    if (status == Z_STREAM_END) streamEnded = true;
                    else if (status != Z_OK) break;  // damaged data: libpng reports it
                }
            }
            const bool text = std::memcmp(type, "tEXt", 4) == 0 || std::memcmp(type, "zTXt", 4) == 0 ||
                              std::memcmp(type, "iTXt", 4) == 0;
            if (!text) kept.insert(kept.end(), bytes.begin() + std::ptrdiff_t(at), bytes.begin() + std::ptrdiff_t(at + whole));
            at += whole;
            if (std::memcmp(type, "IEND", 4) == 0) break;
        }
    } catch (...) {
        inflateEnd(&z);
        throw;
    }
    inflateEnd(&z);
    // A cut chunk and what follows go as they are: libpng says what it makes of them.
    kept.insert(kept.end(), bytes.begin() + std::ptrdiff_t(at), bytes.end());
    return kept;
}

} // namespace

Image decodePng(std::span<const std::uint8_t> bytes, const SizeLimit& limit) {
    const std::vector<std::uint8_t> checked = checkedChunks(bytes, limit);
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, checked.data(), checked.size())) throw kInvalid;
    // 16-bit samples are read as they are and cut to 8 bits, as browsers show them; asking
    // for 8-bit output would take them for linear light and brighten them.
    const bool wide = (png.format & PNG_FORMAT_FLAG_LINEAR) != 0;
    png.format = wide ? PNG_FORMAT_LINEAR_RGB : PNG_FORMAT_RGB;
    // In 64 bits: libpng's own size macro wraps at 32.
    const std::size_t sampleCount = std::size_t(png.width) * std::size_t(png.height) * 3;
    std::vector<std::uint8_t> rgbBytes(sampleCount * (wide ? 2 : 1));
    // Transparent pixels land on black, as the desktop player shows them.
    const png_color black{0, 0, 0};
    if (!png_image_finish_read(&png, &black, rgbBytes.data(), 0, nullptr)) {
        png_image_free(&png);
        throw kInvalid;
    }
    const auto* samples16 = reinterpret_cast<const std::uint16_t*>(rgbBytes.data());
    auto sample = [&](std::size_t k) { return wide ? (int(samples16[k]) + 128) / 257 : int(rgbBytes[k]); };
    Image image(int(png.width), int(png.height));
    std::size_t i = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x, i += 3) image.setPixel(x, y, rgb(sample(i), sample(i + 1), sample(i + 2)));
    return image;
}

std::vector<std::uint8_t> encodePng(const Image& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width());
    png.height = png_uint_32(image.height());
    png.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgbBytes(std::size_t(image.width()) * std::size_t(image.height()) * 3);
    std::size_t i = 0;
    for (const TColor c : image.pixels()) {
        rgbBytes[i++] = std::uint8_t(redOf(c));
        rgbBytes[i++] = std::uint8_t(greenOf(c));
        rgbBytes[i++] = std::uint8_t(blueOf(c));
    }
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, rgbBytes.data(), 0, nullptr)) throw Error("Cannot encode the picture");
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&png, out.data(), &size, 0, rgbBytes.data(), 0, nullptr)) throw Error("Cannot encode the picture");
    out.resize(size);
    return out;
}

} // namespace vk::codec
