#include "base/dpi_win.h"

#include "base/dpi.h"

namespace corvane {
namespace {

// 0 when the screen cannot be asked, which the scaling counts as 96.
int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

std::int32_t ScaleForDpi(std::int32_t length) { return ScaleLength(length, SystemDpi()); }

SIZE OuterSizeForClient(std::int32_t width, std::int32_t height, DWORD style, DWORD exStyle) {
  const int dpi = SystemDpi();
  RECT outer{0, 0, ScaleClientLength(width, dpi), ScaleClientLength(height, dpi)};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  return SIZE{SaturatedSpan(outer.left, outer.right), SaturatedSpan(outer.top, outer.bottom)};
}

}  // namespace corvane
