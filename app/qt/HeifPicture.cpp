#include "app/qt/HeifPicture.h"

#include "raster/Error.h"

#ifdef VK_HAVE_HEIF
#include <libheif/heif.h>
#endif

#include <memory>

namespace vk {

namespace {
// A phone photo is a few MB; past this a file is no photo we should hold in memory whole.
constexpr qint64 kMaxHeifFileBytes = qint64(256) << 20;

Error invalid(const std::string& why) { return Error("Bitmap image is not valid: " + why); }
} // namespace

bool isHeifPicture(const QByteArray& head) {
    if (head.size() < 12 || head.mid(4, 4) != "ftyp") return false;
    const QByteArray brand = head.mid(8, 4);
    for (const char* known : {"heic", "heix", "heim", "heis", "hevc", "mif1", "msf1", "avif", "avis"})
        if (brand == known) return true;
    return false;
}

#ifdef VK_HAVE_HEIF

std::vector<std::string> heifFormats() {
    std::vector<std::string> formats;
    if (heif_have_decoder_for_format(heif_compression_HEVC)) formats.insert(formats.end(), {"heic", "heif"});
    if (heif_have_decoder_for_format(heif_compression_AV1)) formats.push_back("avif");
    return formats;
}

QImage decodeHeif(QIODevice& device, const std::function<void(qint64, qint64)>& checkSize) {
    if (device.size() > kMaxHeifFileBytes) throw invalid("the file is larger than a photo could be");
    const QByteArray bytes = device.readAll();
    const std::unique_ptr<heif_context, decltype(&heif_context_free)> context(heif_context_alloc(), &heif_context_free);
    if (!context) throw invalid("there is not enough memory to read it");
    // The intake's own bound (checkSize) refuses a large claim with its own words; libheif's stands behind it.
    heif_context_set_maximum_image_size_limit(context.get(), 1 << 20);
    auto check = [](heif_error error) {
        if (error.code == heif_error_Ok) return;
        std::string why = error.message ? error.message : "it cannot be decoded";
        while (!why.empty() && (why.back() == '\n' || why.back() == '.')) why.pop_back();
        throw invalid(why);
    };
    check(heif_context_read_from_memory_without_copy(context.get(), bytes.constData(), size_t(bytes.size()), nullptr));
    heif_image_handle* rawHandle = nullptr;
    check(heif_context_get_primary_image_handle(context.get(), &rawHandle));
    const std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)> handle(rawHandle, &heif_image_handle_release);
    // The size after the file's rotation and mirroring, before any pixel exists.
    checkSize(heif_image_handle_get_width(handle.get()), heif_image_handle_get_height(handle.get()));
    heif_image* rawImage = nullptr;
    check(heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr));
    const std::unique_ptr<heif_image, decltype(&heif_image_release)> image(rawImage, &heif_image_release);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t* rgba = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!rgba || width <= 0 || height <= 0) throw invalid("it holds no picture");
    checkSize(width, height);
    QImage picture(width, height, QImage::Format_ARGB32);
    if (picture.isNull()) throw invalid("there is not enough memory to read it");
    for (int y = 0; y < height; ++y) {
        const uint8_t* p = rgba + qsizetype(y) * stride;
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x, p += 4) row[x] = qRgba(p[0], p[1], p[2], p[3]);
    }
    return picture;
}

#else

std::vector<std::string> heifFormats() { return {}; }

QImage decodeHeif(QIODevice&, const std::function<void(qint64, qint64)>&) {
    throw invalid("this installation reads no HEIC or AVIF pictures (built without libheif)");
}

#endif

} // namespace vk
