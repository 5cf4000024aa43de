#include "base/dpi.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace corvane {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// Rounds towards positive infinity, exactly where the result is whole, and saturates instead of
// overflowing. Impossible DPI counts as 96.
TEST(ScaleLength, RoundsUpAndSaturates) {
  constexpr std::int32_t kG = 1000000000, kG15 = 1500000000;
  const std::tuple<std::int32_t, int, std::int32_t> cases[] = {
      {101, 144, 152},   {-101, 144, -151},  {kG, 192, 2 * kG}, {77, 0, 77},
      {kG15, 144, kMax}, {-kG15, 144, kMin}, {432, 110, 495},   {-4032, 97, -4074}};
  for (const auto& [length, dpi, expected] : cases) {
    EXPECT_EQ(ScaleLength(length, dpi), expected) << length << " at " << dpi;
  }
}

// A client length stays far enough below the 32-bit limit for the frame to be added around it.
TEST(ScaleClientLength, ScalesThenCaps) {
  EXPECT_EQ(ScaleClientLength(601, 120), 752);
  EXPECT_EQ(ScaleClientLength(kMaxClientLength / 2, 192), kMaxClientLength);
  EXPECT_EQ(ScaleClientLength(kMaxClientLength / 2 + 1, 192), kMaxClientLength);
}

TEST(SaturatedSpan, WidthOfAnyRectangleFitsIn32Bits) {
  EXPECT_EQ(SaturatedSpan(-8, 1032), 1040);
  EXPECT_EQ(SaturatedSpan(-8, kMax), kMax);
  EXPECT_EQ(SaturatedSpan(kMax, kMin), kMin);
}

// A window left on an unplugged monitor comes back onto the one it is on now, moved no further.
TEST(StartWithin, MovesASpanOntoTheRangeAsLittleAsItTakes) {
  EXPECT_EQ(StartWithin(2100, 800, 0, 1920), 1120);
  EXPECT_EQ(StartWithin(-900, 800, 0, 1920), 0);
  EXPECT_EQ(StartWithin(1120, 800, 0, 1920), 1120);
  EXPECT_EQ(StartWithin(50, 2000, 0, 1920), 0);
  EXPECT_EQ(StartWithin(kMax, kMax, kMin, kMax), 0);
}

}  // namespace
}  // namespace corvane
