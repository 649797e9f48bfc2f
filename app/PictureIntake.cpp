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

struct BmpHeader {
    qint64 width = 0, height = 0;
    quint32 offset = 0, bits = 0, compression = 0;
};

// The fields of a BMP header that we check ourselves; false for other formats.
bool readBmpHeader(QFile& file, BmpHeader& out) {
    const QByteArray head = file.peek(54);
    if (head.size() < 30 || head[0] != 'B' || head[1] != 'M') return false;
    auto u32 = [&](int at) {
        return at + 4 > head.size() ? 0u
                                    : quint32(quint8(head[at])) | quint32(quint8(head[at + 1])) << 8 |
                                          quint32(quint8(head[at + 2])) << 16 | quint32(quint8(head[at + 3])) << 24;
    };
    out.offset = u32(10);
    out.width = qAbs(qint32(u32(18)));
    out.height = qAbs(qint32(u32(22)));
    out.bits = quint32(quint8(head[28])) | quint32(quint8(head[29])) << 8;
    out.compression = u32(30);
    return true;
}

// Qt's BMP reader pads a short pixel array with black instead of failing;
// a file cut short is corrupt, so check the uncompressed layouts ourselves.
bool truncatedBmp(QFile& file, const BmpHeader& h) {
    if (file.size() < 54) return true;
    if (h.compression != 0 && h.compression != 3) return false;  // RLE and others: the decoder checks
    if (h.bits == 0 || h.width <= 0) return false;
    const qint64 stride = ((h.width * h.bits + 31) / 32) * 4;
    return qint64(h.offset) + stride * h.height > file.size();
}

Error tooLarge(qint64 width, qint64 height) {
    char message[160];
    std::snprintf(message, sizeof message, "Picture is too large: %lld x %lld pixels (at most %lld megapixels)",
                  static_cast<long long>(width), static_cast<long long>(height),
                  static_cast<long long>(kMaxPicturePixels / 1000000));
    return Error(message);
}
} // namespace

Image loadPictureFile(const std::string& path) {
    const QString name = QString::fromStdString(path);
    QFile file(name);
    if (QFileInfo(name).isDir() || !file.open(QIODevice::ReadOnly))
        throw Error("Cannot open file " + path);

    const Error invalid("Bitmap image is not valid");
    BmpHeader bmp;
    if (readBmpHeader(file, bmp)) {
        if (bmp.width * bmp.height > kMaxPicturePixels) throw tooLarge(bmp.width, bmp.height);
        if (truncatedBmp(file, bmp)) throw invalid;
    }
    // Set once: the limit is process-wide and pictures may be read from several threads.
    static const bool limited = (QImageReader::setAllocationLimit(kAllocationLimitMB), true);
    (void)limited;
    QImageReader reader(&file);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels)
        throw tooLarge(size.width(), size.height());
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
