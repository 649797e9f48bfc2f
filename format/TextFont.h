// The two bitmap fonts of a skin: text.bmp's 5 x 6 character cells and the
// 9 x 13 time digits of nums_ex.bmp (or numbers.bmp), with where the main
// window shows them.
#pragma once
#include "format/Geometry.h"

#include <optional>

namespace vk::format {

// --- text.bmp: 31 columns x 3 rows of cells ----------------------------------------
inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 6;
inline constexpr int kTextColumns = 31;
inline constexpr int kTextRows = 3;
inline constexpr Rect kTextSheetUsed{0, 0, kTextColumns * kGlyphWidth, kTextRows * kGlyphHeight};
constexpr Rect glyphCell(int column, int row) { return xywh(column * kGlyphWidth, row * kGlyphHeight, kGlyphWidth, kGlyphHeight); }

struct GlyphPos { int column, row; constexpr bool operator==(const GlyphPos&) const = default; };
inline constexpr GlyphPos kSpaceGlyph{30, 0};
inline constexpr GlyphPos kEllipsisGlyph{10, 1};

// The cell a character is drawn from, or none (the window shows through).
// Lower case uses the capitals; < > { } borrow the bracket cells.
constexpr std::optional<GlyphPos> glyphFor(char32_t c) {
    if (c >= 'a' && c <= 'z') c = c - 'a' + 'A';
    if (c >= 'A' && c <= 'Z') return GlyphPos{int(c - 'A'), 0};
    if (c >= '0' && c <= '9') return GlyphPos{int(c - '0'), 1};
    switch (c) {
    case '"': return GlyphPos{26, 0};
    case '@': return GlyphPos{27, 0};
    case ' ': return kSpaceGlyph;
    case U'\u2026': return kEllipsisGlyph;
    case '.': return GlyphPos{11, 1};
    case ':': return GlyphPos{12, 1};
    case '(': return GlyphPos{13, 1};
    case ')': return GlyphPos{14, 1};
    case '-': return GlyphPos{15, 1};
    case '\'': return GlyphPos{16, 1};
    case '!': return GlyphPos{17, 1};
    case '_': return GlyphPos{18, 1};
    case '+': return GlyphPos{19, 1};
    case '\\': return GlyphPos{20, 1};
    case '/': return GlyphPos{21, 1};
    case '[': case '{': case '<': return GlyphPos{22, 1};
    case ']': case '}': case '>': return GlyphPos{23, 1};
    case '^': return GlyphPos{24, 1};
    case '&': return GlyphPos{25, 1};
    case '%': return GlyphPos{26, 1};
    case ',': return GlyphPos{27, 1};
    case '=': return GlyphPos{28, 1};
    case '$': return GlyphPos{29, 1};
    case '#': return GlyphPos{30, 1};
    case U'\u00C5': case U'\u00E5': return GlyphPos{0, 2};
    case U'\u00D6': case U'\u00F6': return GlyphPos{1, 2};
    case U'\u00C4': case U'\u00E4': return GlyphPos{2, 2};
    case '?': return GlyphPos{3, 2};
    case '*': return GlyphPos{4, 2};
    default: return std::nullopt;
    }
}

// --- nums_ex.bmp / numbers.bmp ------------------------------------------------------
inline constexpr int kDigitWidth = 9;
inline constexpr int kDigitHeight = 13;
constexpr Rect digitCell(int index) { return xywh(index * kDigitWidth, 0, kDigitWidth, kDigitHeight); }
inline constexpr int kBlankDigit = 10;  // shown in the sign slot when not counting down
inline constexpr int kMinusDigit = 11;  // nums_ex.bmp only
// numbers.bmp has no minus cell: a 5 x 1 strip of a digit cell stands in for it.
inline constexpr Rect kNumbersMinus = xywh(20, 6, 5, 1);    // the bar of the "2"
inline constexpr Rect kNumbersNoMinus = xywh(9, 6, 5, 1);   // the empty middle of the "1"
inline constexpr Point kNumbersMinusAt{38, 32};

// Where the time's sign and four digits sit in the main window.
inline constexpr Point kTimeSignAt{38, 26};
inline constexpr Point kMinuteTensAt{48, 26};
inline constexpr Point kMinuteUnitsAt = offset(kMinuteTensAt, 12, 0);
inline constexpr Point kSecondTensAt{78, 26};
inline constexpr Point kSecondUnitsAt = offset(kSecondTensAt, 12, 0);

} // namespace vk::format
