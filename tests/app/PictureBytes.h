// Picture files built byte by byte for the intake tests: little-endian
// fields, BMP headers with any claim in them, and pictures Qt encodes.
#pragma once
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace vk::test {

// Appends the n low bytes of v, least significant first.
inline void put(std::vector<std::uint8_t>& b, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}

// The fields of a Windows BMP header (BITMAPINFOHEADER); what a test leaves
// out is 0, so a file can claim anything.
struct BmpFields {
    std::int32_t width = 0, height = 0;
    int bits = 24, compression = 0, colours = 0;
    std::uint32_t fileSize = 0, imageSize = 0, pixelsPerMetre = 0;
};

// The 54 header bytes, then the palette: entry 1 white, the others black.
inline std::vector<std::uint8_t> bmpHeader(const BmpFields& f) {
    std::vector<std::uint8_t> b{'B', 'M'};
    put(b, f.fileSize, 4);
    put(b, 0, 4);
    put(b, 54 + 4 * std::uint32_t(f.colours), 4);
    put(b, 40, 4);
    put(b, std::uint32_t(f.width), 4);
    put(b, std::uint32_t(f.height), 4);
    put(b, 1, 2);
    put(b, std::uint32_t(f.bits), 2);
    put(b, std::uint32_t(f.compression), 4);
    put(b, f.imageSize, 4);
    put(b, f.pixelsPerMetre, 4);
    put(b, f.pixelsPerMetre, 4);
    put(b, std::uint32_t(f.colours), 4);
    put(b, 0, 4);
    for (int i = 0; i < f.colours; ++i) put(b, i == 1 ? 0xFFFFFF : 0, 4);
    return b;
}

// The image as Qt's writer for the format encodes it.
inline std::vector<std::uint8_t> encoded(const QImage& image, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0) writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image));
    return {bytes.begin(), bytes.end()};
}

// A picture whose pixels differ from their neighbours, so that a turn shows.
inline QImage testPattern(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 255 / (w - 1), y * 255 / (h - 1), (x / 8 + y / 8) % 2 * 255));
    return image;
}

} // namespace vk::test
