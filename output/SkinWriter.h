// SaveSkin's core: the skin directory, the fourteen sprite sheets as BMP files
// and the two colour files, replaced together so that a save that fails
// leaves the previous skin as it was.
#pragma once
#include "codec/Archive.h"
#include "document/SkinDocument.h"
#include "output/AtomicFile.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// Both append to the text of a file being built and end the line.
void writeHexColour(std::string& file, TColor colour);  // RRGGBB, upper case
void writeRgbLine(std::string& file, TColor colour);    // "r,g,b,"

std::string visColorText(const SkinState& state);
std::string plEditText(const SkinState& state);

struct SkinBitmap {
    const char* fileName;
    const Image* image;
};
// The fourteen sheets in the order of writing, with their file names.
std::array<SkinBitmap, 14> skinBitmaps(const SkinDocument& doc);

using SkinFile = codec::NamedBytes;
// All sixteen files of the skin as they are written, in order.
std::vector<SkinFile> skinFiles(const SkinDocument& doc);

// The parent, a separator unless the parent already ends in one (a root),
// then the name exactly as given. An empty parent is the current directory.
std::filesystem::path skinDirectoryFor(const std::filesystem::path& parent, const std::string& skinName);

// A file saved with the skin, in the same run (a preview, say).
struct ExtraFile {
    std::filesystem::path path;
    std::vector<std::uint8_t> bytes;
};

struct SaveOptions {
    std::filesystem::path archive;  // the skin as a .wsz too, unless empty
    std::vector<ExtraFile> extras;
    // Unsynced skips the flushes: scratch output that a crash may lose.
    Durability durability = Durability::Synced;
};

// Makes the skin directory (one level: its parent must exist), locks it and
// writes the sixteen files (and the archive and extras) under temporary
// names, flushes them and only then renames them into place, so that a
// failure leaves every old file as it was and a directory made for this save
// is removed again. Under the lock a killed run's temporary files go.
// Throws Error with the message of the first failure. Returns the skin directory.
std::filesystem::path saveSkin(const SkinDocument& doc, const std::filesystem::path& parent,
                               const std::string& skinName, const SaveOptions& options = {});
// The same with no skin directory: only the archive and the extras, committed together.
void saveWithoutFolder(const SkinDocument& doc, const SaveOptions& options);

// The two kinds of file the skin is made of, each replacing its target whole.
// A bitmap (or archive) fails with "Cannot create file <path>" or "Stream
// write error"; a text file with the message for its errno.
void writeBinaryFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
                     Durability durability = Durability::Synced);
void writeTextFile(const std::filesystem::path& path, const std::string& text);

// "File not found" ... "Disk full", or "I/O error <errno>".
std::string textFileErrorMessage(int error);

} // namespace vk
