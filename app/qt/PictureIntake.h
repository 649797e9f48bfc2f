// Get Bitmap's core: a user's picture file decoded into an image of its own size.
#pragma once
#include "raster/Image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vk {

// How a picture is brought in.
struct PictureOptions {
    TColor background = kWhite;  // what transparent pixels are flattened onto
};

// Any format the image reader decodes (BMP of every depth and header layout,
// PNG, JPEG, GIF), turned upright as its EXIF orientation says. Throws Error
// "Cannot open file <path>", "Not a picture file" (a FIFO, a device),
// "Picture is too large: ..." or "Bitmap image is not valid[: why]"; a file
// that cannot hold the pixels it claims, or claims more than kPictureSizeLimit,
// is refused before any are allocated. BMP files are read by readBmpPicture.
Image loadPictureFile(const std::string& path, const PictureOptions& options = {});
// The same; the command line calls it once readPlainBmpFile has read no picture.
Image loadPictureFileNotPlainBmp(const std::string& path, const PictureOptions& options = {});
// The same for a picture's bytes already in memory.
Image loadPictureData(const std::string& bytes, const PictureOptions& options = {});
// The formats the intake reads, by their usual extension: what Qt's plug-ins
// read but MNG, and HEIC/AVIF where libheif is there.
std::vector<std::string> pictureFormats();
// What reads a picture file: loadPictureFile, or a way to it.
using PictureDecoder = Image (*)(const std::string& path, const PictureOptions& options);

} // namespace vk
