#include "codec/PngStream.h"

#include "raster/Error.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace vk::codec {

namespace {

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift : {24, 16, 8, 0}) out.push_back(std::uint8_t(v >> shift));
}

class FilePngStream final : public PngStream {
public:
    FilePngStream(const std::filesystem::path& path, int width) : path_(path), width_(width) {
        file_ = std::fopen(path.c_str(), "wb");
        if (!file_) fail(errno);
        if (deflateInit(&z_, Z_DEFAULT_COMPRESSION) != Z_OK) fail(ENOMEM);
        deflating_ = true;
        static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        put(kSignature, sizeof kSignature);
        putHeader();  // its height is written again at the end
        row_.resize(1 + std::size_t(width) * 3);
    }
    ~FilePngStream() override {
        if (deflating_) deflateEnd(&z_);
        if (file_) std::fclose(file_);
    }

    void writeRows(const Image& band, int rows) override {
        for (int y = 0; y < rows; ++y) {
            row_[0] = 0;  // no filter: each row as it is
            const TColor* p = band.pixels().data() + std::size_t(y) * std::size_t(band.width());
            for (int x = 0; x < width_; ++x) {
                row_[1 + 3 * std::size_t(x)] = std::uint8_t(redOf(p[x]));
                row_[2 + 3 * std::size_t(x)] = std::uint8_t(greenOf(p[x]));
                row_[3 + 3 * std::size_t(x)] = std::uint8_t(blueOf(p[x]));
            }
            compress(row_.data(), row_.size(), Z_NO_FLUSH);
            ++height_;
        }
    }

    void finish() override {
        compress(nullptr, 0, Z_FINISH);
        flushData();
        putChunk("IEND", {});
        if (std::fseek(file_, 8, SEEK_SET) != 0) fail(errno);
        putHeader();
        if (std::fflush(file_) != 0 || std::ferror(file_)) fail(errno);
        const int closed = std::fclose(file_);
        file_ = nullptr;
        if (closed != 0) fail(errno);
    }

private:
    [[noreturn]] void fail(int error) const {
        throw Error("Cannot write " + path_.string() + ": " + std::strerror(error ? error : EIO));
    }
    void put(const std::uint8_t* bytes, std::size_t n) {
        if (n && std::fwrite(bytes, 1, n, file_) != n) fail(errno);
    }
    void putChunk(const char* type, const std::vector<std::uint8_t>& data) {
        std::vector<std::uint8_t> chunk;
        put32(chunk, std::uint32_t(data.size()));
        chunk.insert(chunk.end(), type, type + 4);
        chunk.insert(chunk.end(), data.begin(), data.end());
        put32(chunk, std::uint32_t(crc32(0, chunk.data() + 4, uInt(chunk.size() - 4))));
        put(chunk.data(), chunk.size());
    }
    void putHeader() {
        std::vector<std::uint8_t> ihdr;
        put32(ihdr, std::uint32_t(width_));
        put32(ihdr, std::uint32_t(height_));
        ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no interlace
        putChunk("IHDR", ihdr);
    }
    void compress(const std::uint8_t* bytes, std::size_t n, int flush) {
        z_.next_in = const_cast<std::uint8_t*>(bytes);
        z_.avail_in = uInt(n);
        std::uint8_t out[65536];
        int status;
        do {
            z_.next_out = out;
            z_.avail_out = sizeof out;
            status = deflate(&z_, flush);
            pending_.insert(pending_.end(), out, out + (sizeof out - z_.avail_out));
            if (pending_.size() >= (std::size_t(1) << 20)) flushData();
        } while (z_.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
    }
    void flushData() {
        if (pending_.empty()) return;
        putChunk("IDAT", pending_);
        pending_.clear();
    }

    std::filesystem::path path_;
    int width_;
    int height_ = 0;
    std::FILE* file_ = nullptr;
    z_stream z_{};
    bool deflating_ = false;
    std::vector<std::uint8_t> row_, pending_;
};

} // namespace

std::unique_ptr<PngStream> openPngStream(const std::filesystem::path& path, int width) {
    return std::make_unique<FilePngStream>(path, width);
}

} // namespace vk::codec
