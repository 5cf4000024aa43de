#pragma once
// Lengths the app gives are in 96-DPI units; the window works in pixels.

#include <cstdint>

namespace corvane {

// length * dpi / 96 exactly, rounded up (towards positive infinity). A DPI that cannot be right
// (zero or negative, as when the screen cannot be queried) counts as 96, so windows never
// collapse to nothing. Results beyond the 32-bit range saturate at its limits.
std::int32_t ScaleLength(std::int32_t length, int dpi);

// Longest client width or height, in pixels, handed to the window system. Windows keeps a window
// within about its screen anyway; the cap keeps the frame added around a client area from
// wrapping a saturated length past the 32-bit range.
inline constexpr std::int32_t kMaxClientLength = 1 << 20;

// ScaleLength for a client area's width or height: at most kMaxClientLength.
std::int32_t ScaleClientLength(std::int32_t length, int dpi);

// high - low without overflow, saturating at the 32-bit limits: the width of a rectangle whose
// edges came from saturated lengths.
std::int32_t SaturatedSpan(std::int32_t low, std::int32_t high);

// The start of a span of `length` pixels moved as little as it takes to lie within [low, high):
// `low` when it is longer than that. Keeps a window's edge on a monitor's work area.
std::int32_t StartWithin(std::int32_t start, std::int32_t length, std::int32_t low,
                         std::int32_t high);

}  // namespace corvane
