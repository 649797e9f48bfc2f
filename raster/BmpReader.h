// Reading every BMP the program meets: 1, 4 and 8 bits with a palette (plain,
// RLE4, RLE8), 16, 24 and 32 bits (plain or bit fields), bottom-up or
// top-down, the old 12-byte header too. A skin's sheets are read forgivingly,
// as players read them; a user's pictures strictly, with the reason for a refusal.
#pragma once
#include "raster/ByteSource.h"
#include "raster/Image.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace vk {

// A sheet. Rows the file is too short for, and pixels an RLE run skips, stay
// black. Throws Error("Bitmap image is not valid") when the headers make no
// sense, and Error(limit.refusal(...)) for a claimed size over `limit`, before
// any pixel memory exists. The work is bounded by the pixels and the file's size.
Image readAnyBmp(const std::uint8_t* data, std::size_t size, const SizeLimit& limit);

// A picture, its colours widened as the image library widens them and any
// alpha laid on `background`, as are palette indices past its colours. Throws
// Error "Bitmap image is not valid[: why]" (the file ends before the picture
// does, claims more than it can hold, an unknown layout or compression) or
// kPictureSizeLimit's refusal, before any pixel memory exists.
Image readBmpPicture(const ByteSource& bytes, TColor background);

// The commonest picture file, which the command line reads without the image
// library: a complete, uncompressed 24-bit BMP with the 40-byte header and no
// colour table. The same pixels readBmpPicture reads; none for any other file.
std::optional<Image> readPlainBmp(const ByteSource& bytes);

} // namespace vk
