#include "app/qt/PictureIntake.h"

#include "app/qt/HeifPicture.h"
#include "app/qt/PictureStructure.h"
#include "raster/BmpReader.h"
#include "raster/Error.h"
#include "raster/RegularFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <algorithm>

namespace vk {

namespace {
constexpr int kAllocationLimitMB = int(kPictureSizeLimit.maxPixels * 4 / (1024 * 1024)) + 64;

// One pixel on the chosen background, from straight or premultiplied alpha.
inline TColor flatten(QRgb p, bool premultiplied, int bgR, int bgG, int bgB) {
    const int a = qAlpha(p);
    if (a == 255) return rgb(qRed(p), qGreen(p), qBlue(p));
    const int rest = 255 - a;
    if (premultiplied)
        return rgb(qRed(p) + (bgR * rest + 127) / 255, qGreen(p) + (bgG * rest + 127) / 255,
                   qBlue(p) + (bgB * rest + 127) / 255);
    return rgb((qRed(p) * a + bgR * rest + 127) / 255, (qGreen(p) * a + bgG * rest + 127) / 255,
               (qBlue(p) * a + bgB * rest + 127) / 255);
}

bool isArgb(QImage::Format f) {
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

Image flattenedPicture(const QImage& decoded, QImageIOHandler::Transformations turn, const PictureOptions& options);

Image decodePicture(QIODevice& device, const PictureOptions& options) {
    if (isHeifPicture(device.peek(12))) return flattenedPicture(decodeHeif(device, checkPictureSize), {}, options);
    if (isRefusedAnimation(device.peek(4))) throw invalidPicture("MNG and JNG animations are not read");
    const QByteArray format = checkStructure(device);

    // Set once: the limit is process-wide and pictures may be read from several threads.
    static const bool limited = (QImageReader::setAllocationLimit(kAllocationLimitMB), true);
    (void)limited;
    QImageReader reader(&device, format);
    reader.setAutoTransform(false);  // turned upright below, while converting
    // A format the structure check named goes straight to its handler, instead
    // of every installed plugin being loaded to be asked whether it reads it.
    if (!format.isEmpty()) reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (size.isValid()) {
        checkPictureSize(size.width(), size.height());
        // Formats without a check of their own pack no more than deflate's
        // 1032:1 on one-bit pixels (an icon's embedded PNG), 8256 pixels a byte.
        if (format.isEmpty()) checkHeld(qint64(size.width()) * size.height(), device.size() * 8256);
    }
    const QImageIOHandler::Transformations turn = reader.transformation();
    const QImage::Format decodedFormat = reader.imageFormat();
    const int bgR = redOf(options.background), bgG = greenOf(options.background), bgB = blueOf(options.background);

    QImage decoded;
    if (size.isValid() && turn == QImageIOHandler::TransformationNone && isArgb(decodedFormat)) {
        // The reader fills our own pixels when it is handed an image of the
        // right size and format; they are then turned into colours in place.
        Image picture(size.width(), size.height(), 24);
        uchar* const bits = reinterpret_cast<uchar*>(picture.data());
        decoded = QImage(bits, size.width(), size.height(), qsizetype(size.width()) * 4, decodedFormat);
        if (!reader.read(&decoded) || decoded.isNull()) throw invalidPicture();
        if (decoded.constBits() == bits && decoded.format() == decodedFormat) {
            decoded = QImage();
            const bool premultiplied = decodedFormat == QImage::Format_ARGB32_Premultiplied;
            const bool opaque = decodedFormat == QImage::Format_RGB32;
            TColor* p = picture.data();
            const qsizetype n = qsizetype(picture.width()) * picture.height();
            for (qsizetype i = 0; i < n; ++i) p[i] = flatten(opaque ? (p[i] | 0xFF000000u) : p[i], premultiplied, bgR, bgG, bgB);
            return picture;
        }
    } else if (!reader.read(&decoded) || decoded.isNull()) {
        throw invalidPicture();
    }
    return flattenedPicture(decoded, turn, options);
}

// Row by row into the picture, turned as the file asks: mirrored and
// flipped first, then a quarter turn clockwise.
Image flattenedPicture(const QImage& decoded, QImageIOHandler::Transformations turn, const PictureOptions& options) {
    const int bgR = redOf(options.background), bgG = greenOf(options.background), bgB = blueOf(options.background);
    const int w = decoded.width(), h = decoded.height();
    const bool mirror = turn & QImageIOHandler::TransformationMirror;
    const bool flip = turn & QImageIOHandler::TransformationFlip;
    const bool quarter = turn & QImageIOHandler::TransformationRotate90;
    Image picture(quarter ? h : w, quarter ? w : h, 24);
    TColor* const out = picture.data();
    const qsizetype outWidth = picture.width();
    const bool direct = isArgb(decoded.format());
    const bool premultiplied = decoded.format() == QImage::Format_ARGB32_Premultiplied;
    const bool opaque = decoded.format() == QImage::Format_RGB32;
    for (int y = 0; y < h; ++y) {
        QImage line;
        if (!direct) {
            line = QImage(decoded.constScanLine(y), w, 1, decoded.bytesPerLine(), decoded.format());
            if (decoded.colorCount()) line.setColorTable(decoded.colorTable());
            line = line.convertToFormat(QImage::Format_ARGB32);
        }
        const auto* row = reinterpret_cast<const QRgb*>(direct ? decoded.constScanLine(y) : line.constBits());
        const int sy = flip ? h - 1 - y : y;
        for (int x = 0; x < w; ++x) {
            const int sx = mirror ? w - 1 - x : x;
            const qsizetype at = quarter ? qsizetype(sx) * outWidth + (h - 1 - sy) : qsizetype(sy) * outWidth + sx;
            out[at] = flatten(opaque ? (row[x] | 0xFF000000u) : row[x], premultiplied && direct, bgR, bgG, bgB);
        }
    }
    return picture;
}
} // namespace

std::vector<std::string> pictureFormats() {
    std::vector<std::string> names;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        if (format != "mng" && format != "jng") names.push_back(format.toStdString());
    for (const std::string& phone : heifFormats()) names.push_back(phone);
    std::sort(names.begin(), names.end());
    return names;
}

Image loadPictureFile(const std::string& path, const PictureOptions& options) {
    return loadPictureFileNotPlainBmp(path, options);
}

Image loadPictureFileNotPlainBmp(const std::string& path, const PictureOptions& options) {
    const RegularFile opened(path);
    if (opened.refusal() == RegularFile::Refusal::NotRegular) throw Error("Not a picture file");
    if (!opened.isOpen()) throw Error("Cannot open file " + path);
    std::uint8_t head[2] = {0, 0};
    if (opened.size() >= 2 && opened.readAt(head, 2, 0) && head[0] == 'B' && head[1] == 'M')
        return readBmpPicture(opened.bytes(), options.background);
    QFile file;
    if (!file.open(opened.fd(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) throw Error("Cannot open file " + path);
    return decodePicture(file, options);
}

Image loadPictureData(const std::string& bytes, const PictureOptions& options) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return readBmpPicture(bytesInMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), options.background);
    QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return decodePicture(buffer, options);
}

} // namespace vk
