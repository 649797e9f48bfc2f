#include "app/PlainBmp.h"

#include "app/PictureIntake.h"
#include "raster/BmpLayout.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vk {

namespace {

bool readFully(int fd, std::uint8_t* to, std::size_t n, std::uint64_t at) {
    while (n > 0) {
        const ssize_t got = ::pread(fd, to, n, off_t(at));
        if (got <= 0) return false;
        to += got;
        at += std::uint64_t(got);
        n -= std::size_t(got);
    }
    return true;
}

} // namespace

std::optional<Image> readPlainBmp(const ReadAt& readAt, std::uint64_t size) {
    using namespace bmp;
    std::uint8_t h[kHeaderSize];
    if (size < kHeaderSize || !readAt(h, kHeaderSize, 0)) return std::nullopt;
    const auto width = std::int32_t(get32(h + field::kWidth)), height = std::int32_t(get32(h + field::kHeight));
    if (h[0] != 'B' || h[1] != 'M' || get32(h + field::kPixelOffset) != kHeaderSize || get32(h + field::kInfoSize) != kInfoHeaderSize ||
        get16(h + field::kPlanes) != 1 || get16(h + field::kBitCount) != 24 || get32(h + field::kCompression) != 0 ||
        get32(h + field::kColoursUsed) != 0 || width <= 0 || height == 0 || height == INT32_MIN)
        return std::nullopt;
    const bool topDown = height < 0;
    const std::int64_t rows = topDown ? -std::int64_t(height) : height;
    if (width > kMaxPicturePixels || rows > kMaxPicturePixels || width * rows > kMaxPicturePixels) return std::nullopt;
    const std::size_t stride = rowBytes(width, 24);
    // Checked before the pixels are allocated, not found out by the reads.
    if (size < kHeaderSize + stride * std::uint64_t(rows)) return std::nullopt;

    Image picture(width, int(rows), 24);
    // A few rows at a time: the file's bytes are never held whole beside the pixels.
    const std::size_t batch = std::max<std::size_t>(1, (std::size_t(1) << 20) / stride);
    std::vector<std::uint8_t> buffer(batch * stride);
    for (std::int64_t first = 0; first < rows; first += std::int64_t(batch)) {
        const std::size_t n = std::size_t(std::min<std::int64_t>(std::int64_t(batch), rows - first));
        if (!readAt(buffer.data(), n * stride, kHeaderSize + stride * std::uint64_t(first))) return std::nullopt;
        for (std::size_t r = 0; r < n; ++r) {
            const std::int64_t fileRow = first + std::int64_t(r);
            const std::int64_t y = topDown ? fileRow : rows - 1 - fileRow;
            const std::uint8_t* p = buffer.data() + r * stride;
            TColor* to = picture.data() + std::size_t(y) * std::size_t(width);
            for (std::int32_t x = 0; x < width; ++x, p += 3) to[x] = rgb(p[2], p[1], p[0]);
        }
    }
    return picture;
}

std::optional<Image> readPlainBmpFile(const std::string& path) {
    // Without blocking, as the intake opens: a FIFO is no picture here either.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    std::optional<Image> picture;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        picture = readPlainBmp([fd](std::uint8_t* to, std::size_t n, std::uint64_t at) { return readFully(fd, to, n, at); },
                               std::uint64_t(info.st_size));
    ::close(fd);
    return picture;
}

} // namespace vk
