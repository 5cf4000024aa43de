#pragma once

// GDI+ for a build with NOMINMAX. The Windows SDK's GDI+ headers call min and max unqualified,
// expecting the macros NOMINMAX removes; the standard ones stand in.

#include <windows.h>
#include <objidl.h>

#include <algorithm>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus

#include <gdiplus.h>
