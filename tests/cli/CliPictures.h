// Pictures the command-line tests feed to vellumkit-cli, written in any format Qt writes.
#pragma once
#include "raster/Bmp.h"
#include "tests/output/ScratchDirs.h"

#include <QImage>
#include <gtest/gtest.h>

namespace vk::test {

// A picture with something in every corner, so that the skin depends on it.
inline Image testPicture(int seed, int width = 275, int height = 116) {
    Image picture(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.setPixel(x, y, rgb((x + seed) & 255, (y * 2 + seed) & 255, (x ^ y) & 255));
    return picture;
}

inline QImage toTestQImage(const Image& picture) {
    QImage image(picture.width(), picture.height(), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const TColor c = picture.pixel(x, y);
            image.setPixel(x, y, qRgb(redOf(c), greenOf(c), blueOf(c)));
        }
    return image;
}

inline void writeBmpPicture(const fs::path& path, int seed) { writeBytes(path, encodeBmp(testPicture(seed))); }

inline void writeQtPicture(const fs::path& path, const QImage& image, const char* format) {
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), format)) << path;
}

inline void writePngPicture(const fs::path& path, int seed) { writeQtPicture(path, toTestQImage(testPicture(seed)), "PNG"); }

inline void writeCorruptPicture(const fs::path& path) {
    auto bytes = encodeBmp(testPicture(0));
    bytes.resize(bytes.size() / 2);  // a header that promises more rows than there are
    writeBytes(path, bytes);
}

} // namespace vk::test
