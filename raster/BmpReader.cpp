#include "raster/BmpReader.h"

#include "raster/BmpLayout.h"
#include "raster/Error.h"

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

namespace vk {

namespace {

using bmp::get16;
using bmp::get32;

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
constexpr const char* kInvalid = "Bitmap image is not valid";

Error invalid(const char* why = nullptr) { return Error(why ? std::string(kInvalid) + ": " + why : std::string(kInvalid)); }
Error truncated() { return invalid("the file ends before the picture does"); }

// How a file is taken: a sheet forgives what players forgive; a picture is
// refused with a reason, and read as the image library has always read it.
struct Rules {
    SizeLimit limit;
    bool picture = false;
    TColor missing = kBlack;  // palette indices past its colours, pixels a run skips
};

// Buffered reading at any offset; bytes in memory are read in place.
class Bytes {
public:
    explicit Bytes(const ByteSource& source) : source_(source) {}
    std::uint64_t size() const { return source_.size; }
    // n bytes at `at`, or null when the source has fewer.
    const std::uint8_t* at(std::uint64_t at, std::size_t n) {
        if (at > size() || n > size() - at) return nullptr;
        if (source_.inMemory) return source_.inMemory + at;
        if (at < start_ || at + n > start_ + held_) {
            // About a megabyte at a time: the file is never held whole beside the pixels.
            held_ = std::size_t(std::min<std::uint64_t>(std::max<std::size_t>(n, std::size_t(1) << 20), size() - at));
            buffer_.resize(held_);
            start_ = at;
            if (!source_.readAt(buffer_.data(), held_, at)) {
                held_ = 0;
                return nullptr;
            }
        }
        return buffer_.data() + (at - start_);
    }
    int byte(std::uint64_t at) {
        const std::uint8_t* p = this->at(at, 1);
        return p ? *p : -1;
    }

private:
    const ByteSource& source_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t start_ = 0;
    std::size_t held_ = 0;
};

struct Header {
    std::uint32_t infoSize = 0, bits = 0, compression = kRgb, coloursUsed = 0, planes = 1;
    std::uint64_t offset = 0;
    std::int64_t width = 0, height = 0;
    bool topDown = false, core = false;
    std::uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    bool alpha = false;
    std::uint64_t paletteAt = 0, pixelsAt = 0;
    bool rle() const { return compression == kRle8 || compression == kRle4; }
    std::size_t stride() const { return std::size_t((width * bits + 31) / 32 * 4); }
    // What the command line reads without the image library.
    bool plain() const {
        return offset == bmp::kHeaderSize && infoSize == bmp::kInfoHeaderSize && planes == 1 && bits == 24 &&
               compression == kRgb && coloursUsed == 0;
    }
};

Header readHeader(Bytes& in, const Rules& rules) {
    const std::uint8_t* file = in.at(0, 18);
    if (rules.picture) {
        if (!file) throw truncated();
    } else if (in.size() < 26 || !file || file[0] != 'B' || file[1] != 'M') {
        throw invalid();
    }
    Header h;
    h.offset = get32(file + bmp::field::kPixelOffset);
    h.infoSize = get32(file + bmp::field::kInfoSize);
    if (rules.picture) {
        const std::uint32_t layouts[] = {12, 40, 52, 56, 108, 124};
        if (std::find(std::begin(layouts), std::end(layouts), h.infoSize) == std::end(layouts))
            throw invalid("unknown BMP header layout");
        if (!in.at(14, h.infoSize)) throw truncated();
    } else if (14 + std::uint64_t(h.infoSize) > in.size() || h.infoSize < 12) {
        throw invalid();
    }
    h.core = h.infoSize < 40;
    const std::uint8_t* info = in.at(14, h.core ? 12 : 40);
    if (h.core) {
        h.width = get16(info + 4);
        h.height = std::int16_t(get16(info + 6));
        h.planes = get16(info + 8);
        h.bits = get16(info + 10);
    } else {
        // Signed 32-bit fields taken into 64 bits, so that -2^31 negates safely.
        h.width = std::int32_t(get32(info + 4));
        h.height = std::int32_t(get32(info + 8));
        h.planes = get16(info + 12);
        h.bits = get16(info + 14);
        h.compression = get32(info + 16);
        h.coloursUsed = get32(info + 32);
    }
    h.topDown = h.height < 0;
    if (h.topDown) h.height = -h.height;
    if (h.width <= 0 || h.height == 0 || (!rules.picture && h.height > INT32_MAX)) throw invalid();
    const auto checkSize = [&] {
        if (!rules.limit.allows(h.width, h.height)) throw Error(rules.limit.refusal(h.width, h.height));
    };
    const std::uint32_t b = h.bits;
    if (!rules.picture) checkSize();
    if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32) throw invalid();
    if (rules.picture) checkSize();

    // Bit-field masks follow a 40-byte header, or sit inside a longer one; the
    // alpha mask only in the longer ones.
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
        const std::uint8_t* masks = in.at(14 + 40, h.infoSize >= 108 ? 16 : 12);
        if (!masks) throw invalid();
        for (int i = 0; i < 3; ++i) h.masks[i] = get32(masks + 4 * i);
        if (h.infoSize >= 108) h.masks[3] = get32(masks + 12);
    } else if (h.compression == kRgb && b == 16) {
        h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
    } else if (h.compression == kRgb && b == 32) {
        h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
    } else if (!rules.picture && !(h.compression == kRgb || (h.compression == kRle8 && b == 8) || (h.compression == kRle4 && b == 4))) {
        throw invalid();
    }
    h.paletteAt = 14 + std::uint64_t(h.infoSize) + (h.infoSize == 40 && h.compression == kBitFields ? 12 : 0);
    h.pixelsAt = h.offset;
    if (!rules.picture) return h;

    const bool shortHeader = h.infoSize == 52 || h.infoSize == 56;
    // Their palette would sit past where the image library looks for it.
    if (shortHeader && b <= 8) throw invalid("unsupported BMP header layout");
    const bool uncompressed = h.compression == kRgb || (h.compression == kBitFields && (b == 16 || b == 32));
    // Runs index a palette: RLE8 only at 8 bits, RLE4 only at 4, as the image library reads them.
    const bool paletteRuns = (h.compression == kRle8 && b == 8) || (h.compression == kRle4 && b == 4);
    if (!uncompressed && (!paletteRuns || h.topDown)) throw invalid("unsupported BMP compression");
    // Pixels start where the file says, or after the palette when it says earlier.
    const std::uint64_t paletteBytes = b <= 8 ? std::uint64_t(h.coloursUsed ? h.coloursUsed : 1u << b) * (h.core ? 3 : 4) : 0;
    h.pixelsAt = std::max<std::uint64_t>(h.offset, h.paletteAt + paletteBytes);
    const std::uint64_t available = in.size() > h.pixelsAt ? in.size() - h.pixelsAt : 0;
    if (uncompressed) {
        // The rows are exactly this long, padded to four bytes.
        if (std::uint64_t(h.stride()) * std::uint64_t(h.height) > available) throw truncated();
    } else {
        // RLE4 and RLE8 paint at most 255 pixels per 2-byte run; pixels that the
        // escapes skip are not in the file, so a picture must be painted by runs.
        if (h.width * h.height > std::int64_t(available / 2 * 255))
            throw invalid("the file is too small for the size it claims");
    }
    if (h.planes != 1 || (b <= 8 && h.coloursUsed > 256)) throw invalid();
    h.alpha = h.compression == kBitFields && h.masks[3] != 0 && h.infoSize >= 108;
    return h;
}

// One channel of a bit-fields pixel, widened to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0, bits = 0, scale = 0;
    bool asLibrary = false;
    Channel(std::uint32_t m, bool picture) : mask(m), asLibrary(picture) {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        bits = std::popcount(mask >> shift);
        // The image library multiplies by a whole step, so 31 of five bits is 248; wider than 8 bits is black.
        const std::uint64_t top = std::uint64_t(mask >> shift) + 1u;
        if (picture && top > 0xFFFFFFFFu) throw invalid();
        scale = int(256 / top);
    }
    int of(std::uint32_t v) const {
        if (asLibrary) return int(std::uint64_t((v & mask) >> shift) * std::uint64_t(scale)) & 0xFF;
        if (bits == 0) return 0;
        // 64 bits: a mask of all 32 bits would shift a 32-bit one by its width.
        const std::uint64_t top = (std::uint64_t(1) << bits) - 1u;
        const std::uint64_t raw = (std::uint64_t(v) >> shift) & top;
        return bits >= 8 ? int(raw >> (bits - 8)) : int((raw * 255u + top / 2u) / top);
    }
};

// A colour with its alpha laid on the background, as pictures are flattened.
TColor onBackground(int r, int g, int b, int a, TColor bg) {
    if (a == 255) return rgb(r, g, b);
    const int rest = 255 - a;
    return rgb((r * a + redOf(bg) * rest + 127) / 255, (g * a + greenOf(bg) * rest + 127) / 255,
               (b * a + blueOf(bg) * rest + 127) / 255);
}

void readRle(Bytes& in, const Header& hd, const std::vector<TColor>& palette, const Rules& rules, Image& image) {
    const int w = int(hd.width), h = int(hd.height);
    const bool rle8 = hd.compression == kRle8;
    const std::uint64_t start = hd.pixelsAt, available = in.size() > start ? in.size() - start : 0;
    auto byte = [&](std::uint64_t i) { return in.byte(start + i); };
    int x = 0, row = 0;
    std::uint64_t i = 0;
    auto put = [&](int index) {
        if (x < w && row < h) image.setPixel(x, hd.topDown ? row : h - 1 - row, palette[std::size_t(index) % palette.size()]);
        ++x;
    };
    // A picture's runs must reach the end-of-bitmap escape or the last row before the file ends.
    auto ended = [&] {
        if (rules.picture) throw truncated();
    };
    for (;;) {
        if (row >= h) return;
        if (i + 1 >= available) return ended();
        const int count = byte(i), value = byte(i + 1);
        if (count < 0 || value < 0) return ended();
        i += 2;
        if (count > 0) {
            // Only the part of a run inside the row is painted: runs past it would cost time for nothing.
            const int inside = std::clamp(w - x, 0, count);
            for (int k = 0; k < inside; ++k) put(rle8 ? value : (k % 2 == 0 ? value >> 4 : value & 0x0F));
            x = std::min(x + count - inside, w);
        } else if (value == 0) {
            x = 0, ++row;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (i + 1 >= available) return ended();
            // Any column past the row's end draws nothing, so x stops at w rather than overflow.
            x = std::min(x + byte(i), w), row += byte(i + 1);
            i += 2;
        } else {
            const std::uint64_t bytes = rle8 ? std::uint64_t(value) : (std::uint64_t(value) + 1) / 2;
            if (rules.picture && i + bytes + (bytes & 1) > available) return ended();
            const int x0 = x;
            for (int k = 0; k < value && x < w && i + (rle8 ? std::uint64_t(k) : std::uint64_t(k) / 2) < available; ++k) {
                const int b = byte(i + (rle8 ? std::uint64_t(k) : std::uint64_t(k) / 2));
                put(rle8 ? b : (k % 2 == 0 ? b >> 4 : b & 0x0F));
            }
            if (i + bytes <= available) x = std::min(x0 + value, w);
            i += (bytes + 1) & ~std::uint64_t(1);
        }
    }
}

Image readPixels(Bytes& in, const Header& hd, const Rules& rules) {
    const int w = int(hd.width), h = int(hd.height), depth = int(hd.bits);
    std::vector<TColor> palette;
    if (depth <= 8) {
        // A sheet keeps the colours its file holds; a picture's palette must be whole.
        const std::uint64_t entries = rules.picture ? (hd.coloursUsed ? hd.coloursUsed : 1u << depth)
                                      : (hd.coloursUsed && hd.coloursUsed <= (1u << depth) ? hd.coloursUsed : 1u << depth);
        const std::size_t entrySize = hd.core ? 3 : 4;
        palette.assign(rules.picture ? 256 : std::size_t(1) << depth, rules.missing);
        for (std::uint64_t i = 0; i < entries; ++i) {
            const std::uint8_t* p = in.at(hd.paletteAt + i * entrySize, entrySize);
            if (!p) {
                if (rules.picture) throw invalid();
                break;
            }
            palette[i] = rgb(p[2], p[1], p[0]);
        }
    }
    const Channel red(hd.masks[0], rules.picture), green(hd.masks[1], rules.picture), blue(hd.masks[2], rules.picture),
        alpha(hd.masks[3], rules.picture);

    Image image(w, h, 24);
    // Whatever the file leaves unpainted; a picture's plain rows paint every pixel.
    if (!rules.picture || hd.rle()) std::fill(image.data(), image.data() + std::size_t(w) * std::size_t(h), rules.missing);
    if (hd.pixelsAt >= in.size()) return image;
    if (hd.rle()) {
        readRle(in, hd, palette, rules, image);
        return image;
    }

    const std::size_t stride = hd.stride();
    const std::uint64_t available = in.size() - hd.pixelsAt;
    for (int row = 0; row < h; ++row) {
        const std::uint64_t start = std::uint64_t(row) * stride;
        if (start >= available) break;
        const std::size_t have = std::size_t(std::min<std::uint64_t>(stride, available - start));
        const std::uint8_t* p = in.at(hd.pixelsAt + start, have);
        if (!p) {
            if (rules.picture) throw truncated();
            break;
        }
        TColor* to = image.data() + std::size_t(hd.topDown ? row : h - 1 - row) * std::size_t(w);
        if (depth == 24 && have == stride) {
            // The commonest picture: one loop with the pixel size constant.
            for (int x = 0; x < w; ++x, p += 3) to[x] = rgb(p[2], p[1], p[0]);
            continue;
        }
        for (int x = 0; x < w; ++x) {
            const std::size_t bit = std::size_t(x) * std::size_t(depth);
            if ((bit + std::size_t(depth) + 7) / 8 > have) break;
            if (depth <= 8) {
                const int shift = 8 - depth - int(bit % 8);
                to[x] = palette[(p[bit / 8] >> shift) & ((1u << depth) - 1u)];
            } else if (depth == 24) {
                const std::uint8_t* q = p + bit / 8;
                to[x] = rgb(q[2], q[1], q[0]);
            } else {
                const std::uint32_t v = depth == 16 ? get16(p + bit / 8) : get32(p + bit / 8);
                to[x] = hd.alpha ? onBackground(red.of(v), green.of(v), blue.of(v), alpha.of(v), rules.missing)
                                 : rgb(red.of(v), green.of(v), blue.of(v));
            }
        }
    }
    return image;
}

Rules pictureRules(TColor background) { return {kPictureSizeLimit, true, background}; }

} // namespace

Image readAnyBmp(const std::uint8_t* data, std::size_t size, const SizeLimit& limit) {
    const ByteSource source = bytesInMemory(data, size);
    Bytes in(source);
    const Rules rules{limit, false, kBlack};
    const Header header = readHeader(in, rules);
    return readPixels(in, header, rules);
}

Image readBmpPicture(const ByteSource& bytes, TColor background) {
    Bytes in(bytes);
    const Rules rules = pictureRules(background);
    const Header header = readHeader(in, rules);
    return readPixels(in, header, rules);
}

std::optional<Image> readPlainBmp(const ByteSource& bytes) {
    Bytes in(bytes);
    const std::uint8_t* signature = in.at(0, 2);
    if (!signature || signature[0] != 'B' || signature[1] != 'M') return std::nullopt;
    try {
        const Rules rules = pictureRules(kWhite);
        const Header header = readHeader(in, rules);
        if (!header.plain()) return std::nullopt;
        return readPixels(in, header, rules);
    } catch (const Error&) {
        return std::nullopt;  // every refusal's message is the intake's to give
    }
}

} // namespace vk
