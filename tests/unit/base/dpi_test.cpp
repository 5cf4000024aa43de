#include "base/dpi.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvane {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// Rounds towards positive infinity and saturates instead of overflowing.
TEST(ScaleLength, RoundsUpAndSaturates) {
  struct Case {
    std::int32_t length;
    int dpi;
    std::int32_t expected;
  };
  for (const Case& c : std::initializer_list<Case>{
           {1024, 144, 1536},
           {101, 144, 152},
           {-101, 144, -151},
           {0, 144, 0},
           {800, 96, 800},
           {-7, 96, -7},
           {800, 120, 1000},
           {601, 120, 752},
           {300, 192, 600},
           {1 << 24, 96, 1 << 24},
           {1000000000, 192, 2000000000},
           {kMax, 144, kMax},
           {kMin, 144, kMin},
           {1500000000, 144, kMax},
           {-1500000000, 144, kMin},
           // At 96 DPI the largest length rounds to 2^31 in single precision, one past the limit.
           {kMax, 96, kMax},
           {kMin, 96, kMin},
           {96, 1, 1},
           // Impossible DPI counts as 96.
           {77, 0, 77},
           {77, -120, 77}}) {
    EXPECT_EQ(ScaleLength(c.length, DpiFactorFor(c.dpi)), c.expected)
        << c.length << " at " << c.dpi;
  }
  EXPECT_EQ(DpiFactorFor(144), 1.5f);
  EXPECT_EQ(DpiFactorFor(120), 1.25f);
}

TEST(SaturatedSpan, WidthOfAnyRectangleFitsIn32Bits) {
  EXPECT_EQ(SaturatedSpan(-8, 1032), 1040);
  EXPECT_EQ(SaturatedSpan(-8, kMax), kMax);
  EXPECT_EQ(SaturatedSpan(kMin, kMax), kMax);
  EXPECT_EQ(SaturatedSpan(kMax, kMin), kMin);
  EXPECT_EQ(SaturatedSpan(5, 5), 0);
}

}  // namespace
}  // namespace corvane
