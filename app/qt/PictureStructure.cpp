#include "app/qt/PictureStructure.h"

#include "raster/Image.h"

#include <QByteArray>
#include <QIODevice>

#include <set>
#include <string>

namespace vk {

namespace {

constexpr const char* kInvalid = "Bitmap image is not valid";

} // namespace

Error invalidPicture(const char* why) {
    return Error(why ? std::string(kInvalid) + ": " + why : std::string(kInvalid));
}

void checkPictureSize(qint64 width, qint64 height) {
    if (width <= 0 || height <= 0) throw invalidPicture();
    if (!kPictureSizeLimit.allows(width, height)) throw Error(kPictureSizeLimit.refusal(width, height));
}

void checkHeld(qint64 pixels, qint64 mostPixels) {
    if (pixels > mostPixels) throw invalidPicture("the file is too small for the size it claims");
}

namespace {

Error invalid(const char* why = nullptr) { return invalidPicture(why); }
Error truncated() { return invalid("the file ends before the picture does"); }
void checkCap(qint64 width, qint64 height) { checkPictureSize(width, height); }

// Buffered reading at any position of the device, with the end of the file as -1.
class Cursor {
public:
    explicit Cursor(QIODevice& device) : device_(device), size_(device.size()) {}
    qint64 size() const { return size_; }
    qint64 pos() const { return pos_; }
    void seek(qint64 pos) { pos_ = pos; }
    void skip(qint64 n) { pos_ += n; }
    bool has(qint64 n) const { return n >= 0 && pos_ <= size_ && n <= size_ - pos_; }
    int get() {
        if (pos_ < start_ || pos_ >= start_ + buffer_.size()) {
            if (pos_ < 0 || pos_ >= size_ || !device_.seek(pos_)) return -1;
            start_ = pos_;
            buffer_ = device_.read(64 * 1024);
            if (buffer_.isEmpty()) return -1;
        }
        return quint8(buffer_[qsizetype(pos_++ - start_)]);
    }
    // Little- and big-endian fields; a read past the end is the caller's has() to prevent.
    quint32 le(int n) {
        quint32 v = 0;
        for (int i = 0; i < n; ++i) v |= quint32(get() & 0xFF) << (8 * i);
        return v;
    }
    quint32 be(int n) {
        quint32 v = 0;
        for (int i = 0; i < n; ++i) v = v << 8 | quint32(get() & 0xFF);
        return v;
    }

private:
    QIODevice& device_;
    qint64 size_;
    qint64 pos_ = 0;
    qint64 start_ = 0;
    QByteArray buffer_;
};

// --- PNG --------------------------------------------------------------------
void checkPng(Cursor& in) {
    in.seek(8);
    qint64 width = 0, height = 0, bitsPerPixel = 0, compressed = 0;
    bool header = false;
    for (;;) {
        if (!in.has(8)) throw truncated();
        const qint64 length = in.be(4);
        const quint32 type = in.be(4);
        if (length > 0x7FFFFFFF) throw invalid();
        if (!in.has(length + 4)) throw truncated();
        const qint64 next = in.pos() + length + 4;
        if (!header) {
            if (type != 0x49484452 || length != 13) throw invalid();  // IHDR first
            width = in.be(4);
            height = in.be(4);
            const int depth = in.get(), colourType = in.get();
            const int channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
            bitsPerPixel = qint64(depth) * channels;
            checkCap(width, height);
            header = true;
        } else if (type == 0x49444154) {  // IDAT
            compressed += length;
        } else if (type == 0x49454E44) {  // IEND
            break;
        }
        in.seek(next);
    }
    // Deflate's best ratio is about 1032:1 (a 258-byte match in 2 bits), so
    // the filtered rows cannot be longer than 1032 times the IDAT bytes.
    const qint64 rowBytes = (width * bitsPerPixel + 7) / 8;
    checkHeld(rowBytes * height, compressed * 1032);
}

// --- JPEG -------------------------------------------------------------------
void checkJpeg(Cursor& in) {
    in.seek(2);
    qint64 width = 0, height = 0, entropyBytes = 0;
    int frame = -1;
    std::set<int> components, dcFirst;
    bool scanned = false;
    int marker = -1;  // one found at the end of a scan's data
    for (;;) {
        if (marker < 0) {
            // Bytes between segments are extraneous, as the decoder skips them.
            int c;
            do c = in.get();
            while (c >= 0 && c != 0xFF);
            do c = in.get();
            while (c == 0xFF);
            if (c < 0) throw truncated();
            marker = c;
        }
        const int m = marker;
        marker = -1;
        if (m == 0xD9) break;  // EOI
        if ((m >= 0xD0 && m <= 0xD7) || m == 0x01 || m == 0xD8 || m == 0x00) continue;
        if (!in.has(2)) throw truncated();
        const qint64 length = in.be(2);
        if (length < 2) throw invalid();
        if (!in.has(length - 2)) throw truncated();
        const qint64 next = in.pos() + length - 2;
        const bool sof = m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
        if (sof && frame < 0 && length >= 8) {
            frame = m;
            in.skip(1);
            height = in.be(2);
            width = in.be(2);
            const int n = in.get();
            for (int i = 0; i < n && in.pos() + 3 <= next; ++i) {
                components.insert(in.get());
                in.skip(2);
            }
            if (height == 0) throw invalid("JPEG height given later (DNL) is not supported");
            checkCap(width, height);
        } else if (m == 0xDA) {  // SOS, then its entropy-coded data up to the next marker
            if (frame < 0) throw invalid();
            const int n = in.get();
            std::set<int> scan;
            for (int i = 0; i < n; ++i) {
                scan.insert(in.get());
                in.skip(1);
            }
            const int ss = in.get();
            in.get();
            const int ah = in.get() >> 4;
            if (ss == 0 && ah == 0) dcFirst.insert(scan.begin(), scan.end());
            scanned = true;
            in.seek(next);
            for (;;) {
                int c = in.get();
                if (c < 0) throw truncated();
                if (c != 0xFF) {
                    ++entropyBytes;
                    continue;
                }
                do c = in.get();
                while (c == 0xFF);
                if (c < 0) throw truncated();
                if (c == 0x00 || (c >= 0xD0 && c <= 0xD7)) {
                    ++entropyBytes;
                    continue;
                }
                marker = c;
                break;
            }
            continue;
        }
        in.seek(next);
    }
    if (frame < 0 || !scanned) throw invalid();
    // Arithmetic coding (SOF9 and up) can spend far less than a bit on a
    // block, so its claimed size cannot be bounded; cameras never write it.
    if (frame >= 0xC9) throw invalid("arithmetic-coded JPEG is not supported");
    // Huffman coding spends at least one bit on each 8 x 8 block's DC value,
    // sequential (SOF0, SOF1) and progressive (SOF2, whose DC scans must then
    // cover every component) alike: at most 512 pixels a byte.
    if (frame == 0xC0 || frame == 0xC1 || frame == 0xC2) {
        if (frame == 0xC2 && dcFirst != components) throw invalid("a JPEG component has no DC scan");
        const qint64 blocks = ((width + 7) / 8) * ((height + 7) / 8);
        checkHeld(blocks, entropyBytes * 8);
    }
}

// --- GIF --------------------------------------------------------------------
void skipSubBlocks(Cursor& in, qint64* total = nullptr) {
    for (;;) {
        const int n = in.get();
        if (n < 0) throw truncated();
        if (n == 0) return;
        if (!in.has(n)) throw truncated();
        in.skip(n);
        if (total) *total += n;
    }
}

void checkGif(Cursor& in) {
    if (!in.has(13)) throw truncated();
    in.seek(6);
    const qint64 screenWidth = in.le(2), screenHeight = in.le(2);
    const int flags = in.get();
    in.skip(2);
    if (flags & 0x80) in.skip(3LL << ((flags & 7) + 1));
    for (;;) {
        const int block = in.get();
        if (block < 0) throw truncated();
        if (block == 0x21) {
            if (in.get() < 0) throw truncated();
            skipSubBlocks(in);
        } else if (block == 0x2C) {
            if (!in.has(9)) throw truncated();
            const qint64 left = in.le(2), top = in.le(2), width = in.le(2), height = in.le(2);
            const int imageFlags = in.get();
            if (imageFlags & 0x80) in.skip(3LL << ((imageFlags & 7) + 1));
            if (in.get() < 0) throw truncated();  // LZW minimum code size
            qint64 lzwBytes = 0;
            skipSubBlocks(in, &lzwBytes);
            // The reader paints the frame onto the logical screen, grown to hold it.
            const qint64 w = std::max(screenWidth, left + width), h = std::max(screenHeight, top + height);
            checkCap(w, h);
            // A w-bit LZW code stands for at most 2^w pixels (its string grew by
            // one pixel per table entry, and the table has fewer than 2^w), and
            // codes stop growing at 12 bits: at most 4096 pixels per 12 bits.
            checkHeld(w * h, lzwBytes * 8 * 4096 / 12);
            return;  // the first frame is the picture
        } else {
            throw invalid(block == 0x3B ? "the GIF holds no picture" : nullptr);
        }
    }
}

} // namespace

QByteArray checkStructure(QIODevice& device) {
    const QByteArray head = device.peek(8);
    Cursor in(device);
    QByteArray format;
    if (head.startsWith("\x89PNG\r\n\x1a\n")) {
        checkPng(in);
        format = "png";
    } else if (head.startsWith("\xFF\xD8")) {
        checkJpeg(in);
        format = "jpeg";
    } else if (head.startsWith("GIF87a") || head.startsWith("GIF89a")) {
        checkGif(in);
        format = "gif";
    }
    device.seek(0);
    return format;
}


} // namespace vk
