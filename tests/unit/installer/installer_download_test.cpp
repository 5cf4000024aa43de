#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "installer/download_check.h"
#include "installer/progress_math.h"

namespace corvane {
namespace {

// Truncated percentage in single precision, 0 while the total is unknown, held at the bar's end:
// 100000001 is not a float and rounds to 1e8 (double precision would give 99).
TEST(ProgressPosition, TruncatedPercentageInSinglePrecisionEndingAtTheBarsEnd) {
  constexpr std::uint32_t kMax = UINT32_MAX;
  const std::tuple<std::uint32_t, std::uint32_t, std::int32_t> cases[] = {
      {0, 0, 0},      {2, 3, 66},        {999, 1000, 99},
      {kMax, 1, 100}, {kMax, kMax, 100}, {100000000, 100000001, 100}};
  for (const auto& [progress, total, expected] : cases) {
    EXPECT_EQ(ProgressPosition(progress, total), expected) << progress << "/" << total;
  }
}

TEST(IsRunnableDownload, NeedsSuccessNoHttpErrorAndAnExecutable) {
  EXPECT_TRUE(IsRunnableDownload(true, 399, "MZ"));
  EXPECT_TRUE(IsRunnableDownload(true, kNoHttpStatus, std::string("MZ\0\0", 4)));
  EXPECT_FALSE(IsRunnableDownload(false, 200, "MZ"));
  for (std::int32_t status : {400, 404, 503}) EXPECT_FALSE(IsRunnableDownload(true, status, "MZ"));
  for (const std::string& start :
       std::initializer_list<std::string>{"", "M", "mz", "ZM", "<!DOCTYPE html>", {"\0MZ", 3}}) {
    EXPECT_FALSE(IsRunnableDownload(true, 200, start)) << start;
  }
}

}  // namespace
}  // namespace corvane
