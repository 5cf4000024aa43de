#include <windows.h>

#include "base/dpi.h"

namespace corvane {

std::int32_t ScaleForDpi(std::int32_t length) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return ScaleLength(length, dpi);
}

}  // namespace corvane
