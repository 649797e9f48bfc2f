// What the command line takes from libzip, libpng and FreeType: the archive,
// PNG and font-file codecs. They live in a module loaded on first use, since loading libzip
// (and the crypto library it brings) was a third of the time of a make.
#pragma once
#include "codec/Archive.h"
#include "codec/PngStream.h"
#include "raster/TextRasteriser.h"
#include "raster/Image.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

namespace vk::cli {

// The codec/ functions, as the module has them; each throws as they do.
class CodecModule {
public:
    virtual ~CodecModule() = default;
    virtual std::vector<std::uint8_t> zipFiles(const std::vector<codec::NamedBytes>& files) = 0;
    virtual std::unique_ptr<codec::ArchiveReader> openArchive(const std::filesystem::path& path, const codec::MemberFilter& wanted) = 0;
    virtual std::unique_ptr<codec::ArchiveReader> openArchive(std::vector<std::uint8_t> bytes, const codec::MemberFilter& wanted) = 0;
    virtual Image decodePng(std::span<const std::uint8_t> bytes, const SizeLimit& limit) = 0;
    virtual std::vector<std::uint8_t> encodePng(const Image& image) = 0;
    virtual std::unique_ptr<codec::PngStream> openPngStream(const std::filesystem::path& path, int width) = 0;
    virtual std::unique_ptr<TextRasteriser> openFontFile(const std::string& path) = 0;
};

} // namespace vk::cli

// The module's one entry point.
extern "C" vk::cli::CodecModule* vellumkitCodecModule();
