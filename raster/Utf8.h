// UTF-8 text read a code point at a time, as players show titles and fonts draw them.
#pragma once
#include <cstddef>
#include <string_view>

namespace vk {

// The code point at `i`, moving `i` past it; a byte that starts no valid
// sequence is U+FFFD and moves `i` by one.
inline char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    char32_t point = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
    bool valid = extra >= 0 && i + std::size_t(extra) < text.size();
    for (int k = 1; valid && k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
        valid = (next >> 6) == 0x2;
        point = (point << 6) | (next & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    valid = valid && point >= kLeast[extra] && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
    i += valid ? std::size_t(extra) + 1 : 1;
    return valid ? point : U'\uFFFD';
}

} // namespace vk
