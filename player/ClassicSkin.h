// A classic skin as the player holds it once loaded: its sheets as images,
// the 24 visualiser colours and the playlist colours and font, read from a
// skin folder or a .wsz the way players read third-party skins.
#pragma once
#include "codec/Archive.h"
#include "format/SkinFiles.h"
#include "format/SkinTextFiles.h"
#include "raster/Image.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vk::player {

struct ClassicSkin {
    // By format::Sheet; an empty image is a sheet the skin lacks (nothing is drawn from it).
    std::array<Image, format::kSheetCount> sheets;
    format::VisPalette visColours = format::kDefaultVisPalette;
    format::PlaylistColours playlistColours = format::kDefaultPlaylistColours;
    std::string playlistFont = std::string(format::kDefaultPlaylistFont);
    // Each file that was tried and passed over, with the reason ("MAIN.BMP skipped: ...").
    std::vector<std::string> warnings;

    const Image& sheet(format::Sheet s) const { return sheets[std::size_t(s)]; }
    Image& sheet(format::Sheet s) { return sheets[std::size_t(s)]; }
    bool has(format::Sheet s) const { return sheet(s).width() > 0; }
};

// One file of a skin, by the name it has in its folder or archive ("Skin/MAIN.BMP").
using NamedFile = codec::NamedBytes;

// The skin made from its files: names matched without regard to case and
// folder, .bmp before .png, the last image of a name winning and the first
// plEdit.txt; an image that does not decode counts as missing (with a
// warning), and a missing balance sheet is taken from volume as players do.
// Of several files of one name only the first few are tried, each within the
// size limits of the format, and no other file is read.
ClassicSkin skinFromFiles(const std::vector<NamedFile>& files);

// A skin folder (its files, not its sub-folders) or a .wsz / .zip archive.
// Throws Error("Cannot open the skin <path>: <why>") when neither can be
// read, and Error("not a classic skin: <path>: <what it holds>") when no
// sheet a player draws could be read from it.
ClassicSkin loadClassicSkin(const std::filesystem::path& path);
// The same of an archive's bytes held in memory; `label` names it in messages.
ClassicSkin loadClassicSkinArchive(std::vector<std::uint8_t> bytes, const std::string& label);

// The sheets a skin lacks after the fallbacks, in format order (for a warning).
std::vector<format::Sheet> missingSheets(const ClassicSkin& skin);

// viscolor.txt as the web player reads it: the n-th line that starts with
// three numbers gives colour n; the rest keep the classic palette.
format::VisPalette parseVisColours(std::string_view text);
// plEdit.txt's [Text] section; missing keys keep the defaults. Returns the font name via `font`.
format::PlaylistColours parsePlaylistColours(std::string_view text, std::string& font);

// Image bytes of a sheet: BMP of any depth players accept, or PNG, within
// the sheet size limit. Throws Error when the bytes are neither, or too large.
Image decodeSheetImage(std::span<const std::uint8_t> bytes);

} // namespace vk::player
