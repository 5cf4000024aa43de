#include <windows.h>

#include "base/dpi.h"

namespace corvane {
namespace {

float g_dpiFactor = 0.0f;  // 0 until the screen has been asked

}  // namespace

std::int32_t ScaleForDpi(std::int32_t length) {
  if (g_dpiFactor == 0.0f) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    g_dpiFactor = DpiFactorFor(dpi);
  }
  return ScaleLength(length, g_dpiFactor);
}

}  // namespace corvane
