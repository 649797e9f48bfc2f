#include "raster/Apng.h"

#include "raster/Error.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace vk {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::uint8_t b : bytes) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t read32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 | std::uint32_t(b[at + 2]) << 8 | b[at + 3];
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}
void put16(std::vector<std::uint8_t>& out, unsigned v) { out.push_back(std::uint8_t(v >> 8)), out.push_back(std::uint8_t(v)); }

struct Chunk {
    std::string_view type;
    std::span<const std::uint8_t> data;
};

// The chunks of a PNG file in order; empty when the bytes are no PNG or a chunk runs past the end.
std::vector<Chunk> chunksOf(std::span<const std::uint8_t> png) {
    std::vector<Chunk> chunks;
    if (png.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), png.begin())) return {};
    for (std::size_t at = kSignature.size(); at + 12 <= png.size();) {
        const std::uint32_t length = read32(png, at);
        if (length > png.size() - at - 12) return {};
        chunks.push_back({std::string_view(reinterpret_cast<const char*>(png.data() + at + 4), 4), png.subspan(at + 8, length)});
        at += 12 + length;
    }
    return chunks;
}

void putChunk(std::vector<std::uint8_t>& out, std::string_view type, std::span<const std::uint8_t> data) {
    put32(out, std::uint32_t(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    put32(out, crc32(std::span(out).subspan(typeAt)));
}

} // namespace

std::vector<std::uint8_t> assembleApng(const std::vector<ApngFrame>& frames) {
    const Error failure("Cannot encode the animation");
    if (frames.empty()) throw failure;
    std::vector<Chunk> first = chunksOf(frames[0].png);
    if (first.empty() || first[0].type != "IHDR" || first[0].data.size() != 13) throw failure;
    const std::span<const std::uint8_t> header = first[0].data;
    const std::uint32_t canvasWidth = read32(header, 0), canvasHeight = read32(header, 4);

    std::vector<std::uint8_t> out(kSignature.begin(), kSignature.end());
    putChunk(out, "IHDR", header);
    std::vector<std::uint8_t> control;
    put32(control, std::uint32_t(frames.size()));
    put32(control, 0);  // loops forever
    putChunk(out, "acTL", control);
    std::uint32_t sequence = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const ApngFrame& frame = frames[i];
        const std::vector<Chunk> chunks = chunksOf(frame.png);
        if (chunks.empty() || chunks[0].type != "IHDR" || chunks[0].data.size() != 13 ||
            !std::equal(header.begin() + 8, header.end(), chunks[0].data.begin() + 8))
            throw failure;
        const std::uint32_t w = read32(chunks[0].data, 0), h = read32(chunks[0].data, 4);
        const bool fits = frame.x >= 0 && frame.y >= 0 && std::uint64_t(frame.x) + w <= canvasWidth &&
                          std::uint64_t(frame.y) + h <= canvasHeight;
        if (!fits || (i == 0 && (w != canvasWidth || h != canvasHeight))) throw failure;
        std::vector<std::uint8_t> fctl;
        put32(fctl, sequence++);
        put32(fctl, w), put32(fctl, h), put32(fctl, std::uint32_t(frame.x)), put32(fctl, std::uint32_t(frame.y));
        put16(fctl, unsigned(std::clamp(frame.milliseconds, 0, 65535))), put16(fctl, 1000);
        fctl.push_back(0);  // dispose: leave the frame for the next to draw over
        fctl.push_back(0);  // blend: the rectangle replaces what was there
        putChunk(out, "fcTL", fctl);
        for (const Chunk& chunk : chunks) {
            if (chunk.type != "IDAT") continue;
            if (i == 0) {
                putChunk(out, "IDAT", chunk.data);
            } else {
                std::vector<std::uint8_t> fdat;
                put32(fdat, sequence++);
                fdat.insert(fdat.end(), chunk.data.begin(), chunk.data.end());
                putChunk(out, "fdAT", fdat);
            }
        }
    }
    putChunk(out, "IEND", {});
    return out;
}

int apngFrameCount(std::span<const std::uint8_t> png) {
    for (const Chunk& chunk : chunksOf(png)) {
        if (chunk.type == "IDAT") break;
        if (chunk.type == "acTL" && chunk.data.size() == 8) return int(std::min<std::uint32_t>(read32(chunk.data, 0), 1u << 30));
    }
    return 0;
}

} // namespace vk
