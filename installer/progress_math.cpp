#include "installer/progress_math.h"

namespace corvane {

std::int32_t ProgressPosition(std::uint32_t progress, std::uint32_t progressMax) {
  if (progressMax == 0) return 0;
  const float position = static_cast<float>(progress) * 100.0f / static_cast<float>(progressMax);
  // Beyond 100 the bar would clamp anyway; stopping here also keeps the float-to-int conversion
  // in range (a 4 GB count over a total of 1 would not fit 32 bits).
  if (position >= 100.0f) return 100;
  return static_cast<std::int32_t>(position);
}

}  // namespace corvane
