// A PNG written a band of rows at a time, for a picture too large to hold
// whole (a contact sheet of a thousand skins): its height is known only at
// the end, and written into the header then.
#pragma once
#include "raster/Image.h"

#include <filesystem>
#include <memory>

namespace vk::codec {

class PngStream {
public:
    virtual ~PngStream() = default;
    // The first `rows` rows of `band`, whose width is the picture's, below those written so far.
    virtual void writeRows(const Image& band, int rows) = 0;
    // The end of the image and its height in the header. Throws Error("Cannot write <path>: <why>").
    virtual void finish() = 0;
};

// An 8-bit RGB PNG `width` pixels wide at `path`, which it creates or replaces.
// Throws Error("Cannot write <path>: <why>").
std::unique_ptr<PngStream> openPngStream(const std::filesystem::path& path, int width);

} // namespace vk::codec
