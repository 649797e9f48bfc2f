// The files of a classic skin: the fourteen sheets this program writes, in
// the order it writes them, the sheets players look for, and the two text files.
#pragma once
#include "format/Geometry.h"
#include "raster/Image.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vk::format {

enum class Sheet {
    Main, TitleBar, Volume, Balance, PosBar, MonoSter, ShufRep, CButtons,
    EqMain, PlEdit, EqEx, PlayPaus, Text, NumsEx,
    // Read by players, never written: the older digit sheet without the minus cell.
    Numbers,
};
inline constexpr std::size_t kSheetCount = std::size_t(Sheet::Numbers) + 1;

struct SheetFile {
    Sheet sheet;
    std::string_view fileName;  // as this program writes it
    Size size;                  // as this program writes it
};

// What SaveSkin writes, in its order.
inline constexpr std::array<SheetFile, 14> kWrittenSheets{{
    {Sheet::Main, "main.bmp", kMainWindowSize},
    {Sheet::TitleBar, "titlebar.bmp", {344, 87}},
    {Sheet::Volume, "volume.bmp", {68, 433}},
    // Narrower than the conventional 68: it still holds every sprite players cut.
    {Sheet::Balance, "balance.bmp", {47, 433}},
    {Sheet::PosBar, "posBar.bmp", {307, 10}},
    {Sheet::MonoSter, "monoSter.bmp", {58, 24}},
    {Sheet::ShufRep, "shufRep.bmp", {92, 85}},
    {Sheet::CButtons, "cButtons.bmp", {136, 36}},
    {Sheet::EqMain, "eqMain.bmp", {275, 315}},
    {Sheet::PlEdit, "plEdit.bmp", {280, 186}},
    // 56 rows hold every shade-mode sprite players use.
    {Sheet::EqEx, "eq_ex.bmp", {275, 56}},
    {Sheet::PlayPaus, "playPaus.bmp", {42, 9}},
    {Sheet::Text, "text.bmp", {155, 18}},
    {Sheet::NumsEx, "nums_ex.bmp", {108, 13}},
}};

// The size this program writes a sheet at.
constexpr Size writtenSize(Sheet sheet) {
    for (const SheetFile& f : kWrittenSheets)
        if (f.sheet == sheet) return f.size;
    return {};
}

inline constexpr std::string_view kVisColorFile = "viscolor.txt";
inline constexpr std::string_view kPlEditFile = "plEdit.txt";

// The name players look for, without extension; they compare without regard
// to case and try ".bmp" before ".png".
constexpr std::string_view baseName(Sheet sheet) {
    switch (sheet) {
    case Sheet::Main: return "main";
    case Sheet::TitleBar: return "titlebar";
    case Sheet::Volume: return "volume";
    case Sheet::Balance: return "balance";
    case Sheet::PosBar: return "posbar";
    case Sheet::MonoSter: return "monoster";
    case Sheet::ShufRep: return "shufrep";
    case Sheet::CButtons: return "cbuttons";
    case Sheet::EqMain: return "eqmain";
    case Sheet::PlEdit: return "pledit";
    case Sheet::EqEx: return "eq_ex";
    case Sheet::PlayPaus: return "playpaus";
    case Sheet::Text: return "text";
    case Sheet::NumsEx: return "nums_ex";
    case Sheet::Numbers: return "numbers";
    }
    return {};
}
inline constexpr std::array<std::string_view, 2> kSheetExtensions{".bmp", ".png"};

// What a skin reader takes from a third-party skin, which may come from
// anywhere. Every sheet players draw is at most 344 pixels wide and 433 high;
// the sheet limit stands far above that and still keeps fourteen decoded
// sheets within 60 MB.
inline constexpr SizeLimit kSheetSizeLimit{2048, std::int64_t(1) << 20};
// A 32-bit BMP of the largest sheet allowed is 4 MB; a PNG larger than that
// only wastes space, and four times that leaves room for every odd encoder.
inline constexpr std::uint64_t kMaxSheetFileBytes = std::uint64_t(16) << 20;
// viscolor.txt holds 24 short lines and plEdit.txt a handful: a few KB at most.
inline constexpr std::uint64_t kMaxTextFileBytes = std::uint64_t(256) << 10;
// Of several files of one name, the ones a player would take first are
// tried, this many at most: an archive may hold 65,535 copies.
inline constexpr int kTriesPerName = 3;

// A missing sheet that players take from another sheet of the same skin.
constexpr std::optional<Sheet> fallbackSheet(Sheet sheet) {
    if (sheet == Sheet::Balance) return Sheet::Volume;
    if (sheet == Sheet::NumsEx) return Sheet::Numbers;
    return std::nullopt;
}

// The conventional size of each sheet (the classic base skin's), for sheets
// this program does not write and for readers that need a full-size canvas.
constexpr Size conventionalSize(Sheet sheet) {
    if (sheet == Sheet::Balance) return {68, 433};
    if (sheet == Sheet::EqEx) return {275, 82};
    if (sheet == Sheet::Numbers) return {99, 13};
    return writtenSize(sheet);
}

} // namespace vk::format
