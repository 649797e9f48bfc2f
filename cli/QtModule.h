// What the command line takes from Qt: reading and writing pictures, colour
// names and glyphs. It lives in a module loaded on first use, so that a
// command needing none of it (a skin from the built-in picture) starts without Qt.
#pragma once
#include "app/qt/PictureIntake.h"
#include "raster/Colour.h"
#include "raster/Image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vk {
class TextRasteriser;
}

namespace vk::cli {

// One labelled picture of the templates' contact sheet.
struct SheetTile {
    std::string label;
    const Image* picture = nullptr;
};

class QtModule {
public:
    virtual ~QtModule() = default;
    // The picture intake for a file the plain BMP reader did not read; throws Error as loadPictureFile does.
    virtual Image loadPicture(const std::string& path, const PictureOptions& options) = 0;
    // Whether a file is a picture this installation reads, from its first bytes; else why not.
    virtual bool readsPicture(const std::string& path, std::string& whyNot) = 0;
    // Width times height from the header of the open file, which is closed; 0 when unknown.
    virtual std::int64_t headerPixels(int fd) = 0;
    // The formats the image plugins read, or write, as they name them.
    virtual std::vector<std::string> formats(bool write) = 0;
    // The picture as the bytes of a file of that format; empty and why on failure.
    virtual std::vector<std::uint8_t> encode(const Image& image, const std::string& format, std::string& why) = 0;
    // A colour name Qt knows ("gold"), opaque only.
    virtual std::optional<TColor> namedColour(const std::string& name) = 0;
    // Starts the GUI application that glyphs need, once; the rasteriser after.
    virtual TextRasteriser* startGlyphs(int& argc, char** argv) = 0;
    virtual TextRasteriser* glyphs() = 0;
    // The templates side by side with their labels, scaled `scale` times, as
    // the bytes of a file of that format; empty and why on failure.
    virtual std::vector<std::uint8_t> contactSheet(const std::vector<SheetTile>& tiles, int scale, const std::string& format,
                                                   std::string& why) = 0;
};

// The module, loaded on first use; throws Error when the module cannot be loaded.
QtModule& qtModule();
// A module linked into the program itself (the fuzzers) instead of the module.
void useQtModule(QtModule& linked);
// The workbench's picture decoder: a plain BMP read here, any other picture through the module.
Image loadPictureThroughQt(const std::string& path, const PictureOptions& options);
// Readies the glyphs of a command that draws text: from the one font file with
// no GUI application, or (no file, or Qt's own labels wanted too) through the module.
void startGlyphs(int& argc, char** argv, bool qtLabelsToo);
// The rasteriser when glyphs were started, else none.
TextRasteriser* glyphsIfStarted();

} // namespace vk::cli

// The module's one entry point.
extern "C" vk::cli::QtModule* vellumkitQtModule();
