// Half-open rectangles (left, top, right, bottom) in an image's pixels.
#pragma once

namespace vk {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr Rect shifted(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr bool operator==(const Rect&) const = default;
};

struct Point {
    int x = 0, y = 0;
    constexpr bool operator==(const Point&) const = default;
};

// Where a stamp or paste goes when it lands on the corner of an area.
constexpr Point topLeft(const Rect& r) { return {r.left, r.top}; }

} // namespace vk
