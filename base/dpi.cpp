#include "base/dpi.h"

#include <algorithm>
#include <limits>

namespace corvane {

std::int32_t ScaleLength(std::int32_t length, int dpi) {
  // In integers: a float factor lands just above whole results (432 at 110 DPI gave 496, not
  // 495), and rounding up then adds a pixel.
  const std::int64_t product = std::int64_t(length) * (dpi > 0 ? dpi : 96);
  // Division truncates towards zero, which rounds negative quotients up already.
  const std::int64_t scaled = product >= 0 ? (product + 95) / 96 : product / 96;
  return std::int32_t(std::clamp<std::int64_t>(scaled, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max()));
}

std::int32_t ScaleClientLength(std::int32_t length, int dpi) {
  return std::min(ScaleLength(length, dpi), kMaxClientLength);
}

std::int32_t SaturatedSpan(std::int32_t low, std::int32_t high) {
  const std::int64_t span = std::int64_t(high) - std::int64_t(low);
  if (span > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (span < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return std::int32_t(span);
}

std::int32_t StartWithin(std::int32_t start, std::int32_t length, std::int32_t low,
                         std::int32_t high) {
  const std::int64_t last = std::int64_t(high) - length;
  if (last < low) return low;
  return std::int32_t(std::clamp<std::int64_t>(start, low, last));
}

}  // namespace corvane
