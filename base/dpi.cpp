#include "base/dpi.h"

#include <cmath>
#include <limits>

namespace corvane {

float DpiFactorFor(int dpi) { return dpi > 0 ? float(dpi) / 96.0f : 1.0f; }

std::int32_t ScaleLength(std::int32_t length, float factor) {
  const float scaled = std::ceil(float(length) * factor);
  if (std::isnan(scaled)) return 0;
  // 2^31 is exactly representable; every float at or above it is out of range.
  constexpr float kLimit = 2147483648.0f;
  if (scaled >= kLimit) return std::numeric_limits<std::int32_t>::max();
  if (scaled <= -kLimit) return std::numeric_limits<std::int32_t>::min();
  return std::int32_t(scaled);
}

std::int32_t SaturatedSpan(std::int32_t low, std::int32_t high) {
  const std::int64_t span = std::int64_t(high) - std::int64_t(low);
  if (span > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (span < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return std::int32_t(span);
}

}  // namespace corvane
