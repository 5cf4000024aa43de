#pragma once
// Lengths and window sizes at the system DPI.

#include <windows.h>

#include <cstdint>

namespace corvane {

// ScaleLength with the system DPI. The process is system DPI aware, so the answer stays the same
// for its whole life; asking the screen each time keeps it free of cached state.
std::int32_t ScaleForDpi(std::int32_t length);

// The outer size of a window with these styles whose client area is width by height 96-DPI units
// (each scaled with ScaleClientLength).
SIZE OuterSizeForClient(std::int32_t width, std::int32_t height, DWORD style, DWORD exStyle);

}  // namespace corvane
