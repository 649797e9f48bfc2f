// The one conversion from our images to Qt's: for showing them and encoding them.
#pragma once
#include "raster/Image.h"

#include <QImage>

#include <algorithm>
#include <climits>

namespace vk {

// The top `rows` rows (all by default) as an opaque 32-bit QImage.
inline QImage toQImage(const Image& image, int rows = INT_MAX) {
    const int height = std::min(rows, image.height());
    QImage picture(image.width(), height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const TColor c = image.pixel(x, y);
            line[x] = qRgb(redOf(c), greenOf(c), blueOf(c));
        }
    }
    return picture;
}

} // namespace vk
