#include "app/PictureIntake.h"

#include "raster/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <cstdio>

namespace vk {

namespace {
constexpr int kAllocationLimitMB = int(kMaxPicturePixels * 4 / (1024 * 1024)) + 64;

// Qt's BMP reader pads a short pixel array with black instead of failing;
// a file cut short is corrupt, so check the uncompressed layouts ourselves.
bool truncatedBmp(QFile& file) {
    const QByteArray head = file.peek(54);
    if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') return false;
    if (head.size() < 54) return true;
    auto u32 = [&](int at) {
        return quint32(quint8(head[at])) | quint32(quint8(head[at + 1])) << 8 | quint32(quint8(head[at + 2])) << 16 |
               quint32(quint8(head[at + 3])) << 24;
    };
    auto u16 = [&](int at) { return quint32(quint8(head[at])) | quint32(quint8(head[at + 1])) << 8; };
    const quint32 offset = u32(10);
    const qint64 width = qint32(u32(18));
    const qint64 height = qAbs(qint32(u32(22)));
    const quint32 bits = u16(28);
    const quint32 compression = u32(30);
    if (compression != 0 && compression != 3) return false;  // RLE and others: the decoder checks
    if (bits == 0 || width <= 0) return false;
    const qint64 stride = ((width * bits + 31) / 32) * 4;
    return qint64(offset) + stride * height > file.size();
}
} // namespace

Image loadPictureFile(const std::string& path) {
    const QString name = QString::fromStdString(path);
    QFile file(name);
    if (QFileInfo(name).isDir() || !file.open(QIODevice::ReadOnly))
        throw Error("Cannot open file " + path);

    const Error invalid("Bitmap image is not valid");
    if (truncatedBmp(file)) throw invalid;

    // Set once: the limit is process-wide and pictures may be read from several threads.
    static const bool limited = (QImageReader::setAllocationLimit(kAllocationLimitMB), true);
    (void)limited;
    QImageReader reader(&file);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels) {
        char message[160];
        std::snprintf(message, sizeof message, "Picture is too large: %d x %d pixels (at most %lld megapixels)",
                      size.width(), size.height(), static_cast<long long>(kMaxPicturePixels / 1000000));
        throw Error(message);
    }
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull()) throw invalid;

    const QImage rgbImage = decoded.convertToFormat(QImage::Format_RGB32);
    Image picture(rgbImage.width(), rgbImage.height(), 24);
    for (int y = 0; y < rgbImage.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgbImage.constScanLine(y));
        for (int x = 0; x < rgbImage.width(); ++x)
            picture.setPixel(x, y, rgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x])));
    }
    return picture;
}

} // namespace vk
