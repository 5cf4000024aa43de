#pragma once
// Window sizes at the system DPI.

#include <windows.h>

#include <cstdint>

namespace corvane {

// The outer size of a window with these styles whose client area is width by height 96-DPI units
// (each scaled with ScaleClientLength).
SIZE OuterSizeForClient(std::int32_t width, std::int32_t height, DWORD style, DWORD exStyle);

}  // namespace corvane
