#include "codec/Png.h"

#include "raster/Error.h"

#include <png.h>

namespace vk::codec {

Image decodePng(const std::vector<std::uint8_t>& bytes) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) throw Error("Image is not valid");
    // 16-bit samples are read as they are and cut to 8 bits, as browsers show them; asking
    // for 8-bit output would take them for linear light and brighten them.
    const bool wide = (png.format & PNG_FORMAT_FLAG_LINEAR) != 0;
    png.format = wide ? PNG_FORMAT_LINEAR_RGB : PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgbBytes(PNG_IMAGE_SIZE(png));
    // Transparent pixels land on black, as the desktop player shows them.
    const png_color black{0, 0, 0};
    if (!png_image_finish_read(&png, &black, rgbBytes.data(), 0, nullptr)) {
        png_image_free(&png);
        throw Error("Image is not valid");
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
