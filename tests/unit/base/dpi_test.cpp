#include "base/dpi.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvane {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(ScaleLength, RoundsUpAt144Dpi) {
  const float factor = DpiFactorFor(144);
  EXPECT_EQ(factor, 1.5f);
  EXPECT_EQ(ScaleLength(1024, factor), 1536);
  EXPECT_EQ(ScaleLength(101, factor), 152);
  EXPECT_EQ(ScaleLength(-101, factor), -151);  // towards positive infinity, not away from zero
  EXPECT_EQ(ScaleLength(0, factor), 0);
}

TEST(ScaleLength, CommonFactors) {
  EXPECT_EQ(ScaleLength(800, DpiFactorFor(96)), 800);
  EXPECT_EQ(ScaleLength(-7, DpiFactorFor(96)), -7);
  EXPECT_EQ(ScaleLength(800, DpiFactorFor(120)), 1000);
  EXPECT_EQ(ScaleLength(601, DpiFactorFor(120)), 752);  // 751.25 rounds up
  EXPECT_EQ(ScaleLength(300, DpiFactorFor(192)), 600);
}

TEST(ScaleLength, SaturatesInsteadOfOverflowing) {
  const float factor = DpiFactorFor(144);
  EXPECT_EQ(ScaleLength(kMax, factor), kMax);
  EXPECT_EQ(ScaleLength(kMin, factor), kMin);
  EXPECT_EQ(ScaleLength(1500000000, factor), kMax);
  EXPECT_EQ(ScaleLength(-1500000000, factor), kMin);
  // At 96 DPI the largest length rounds to 2^31 in single precision, one past the limit.
  EXPECT_EQ(ScaleLength(kMax, DpiFactorFor(96)), kMax);
  EXPECT_EQ(ScaleLength(kMin, DpiFactorFor(96)), kMin);
}

TEST(ScaleLength, LargeButRepresentableLengthsStayExact) {
  EXPECT_EQ(ScaleLength(1 << 24, DpiFactorFor(96)), 1 << 24);
  EXPECT_EQ(ScaleLength(1000000000, DpiFactorFor(192)), 2000000000);
}

TEST(SaturatedSpan, WidthOfAnyRectangleFitsIn32Bits) {
  EXPECT_EQ(SaturatedSpan(-8, 1032), 1040);
  EXPECT_EQ(SaturatedSpan(-8, kMax), kMax);
  EXPECT_EQ(SaturatedSpan(kMin, kMax), kMax);
  EXPECT_EQ(SaturatedSpan(kMax, kMin), kMin);
  EXPECT_EQ(SaturatedSpan(5, 5), 0);
}

TEST(DpiFactor, ImpossibleDpiCountsAs96) {
  EXPECT_EQ(DpiFactorFor(0), 1.0f);
  EXPECT_EQ(DpiFactorFor(-120), 1.0f);
  EXPECT_EQ(DpiFactorFor(120), 1.25f);
}

}  // namespace
}  // namespace corvane
