#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "installer/download_check.h"
#include "installer/progress_math.h"

namespace corvane {
namespace {

TEST(ProgressPosition, StaysAtZeroWhileTheTotalIsUnknown) {
  EXPECT_EQ(ProgressPosition(0, 0), 0);
  EXPECT_EQ(ProgressPosition(123456, 0), 0);
  EXPECT_EQ(ProgressPosition(UINT32_MAX, 0), 0);
}

TEST(ProgressPosition, TruncatesThePercentageTowardZero) {
  EXPECT_EQ(ProgressPosition(0, 1000), 0);
  EXPECT_EQ(ProgressPosition(9, 1000), 0);
  EXPECT_EQ(ProgressPosition(1, 3), 33);
  EXPECT_EQ(ProgressPosition(2, 3), 66);
  EXPECT_EQ(ProgressPosition(999, 1000), 99);
  EXPECT_EQ(ProgressPosition(1000, 1000), 100);
  EXPECT_EQ(ProgressPosition(UINT32_MAX, UINT32_MAX), 100);
}

TEST(ProgressPosition, ComputesInSinglePrecision) {
  // 100000001 is not a float; it rounds to 1e8, so the last byte short of the end already
  // reads as complete (double precision would give 99).
  EXPECT_EQ(ProgressPosition(100000000, 100000001), 100);
  // Large counts keep their ratio.
  EXPECT_EQ(ProgressPosition(2000000000u, 4000000000u), 50);
}

TEST(ProgressPosition, CountsBeyondTheTotalEndAtTheBarsEnd) {
  EXPECT_EQ(ProgressPosition(2000, 1000), 100);
  EXPECT_EQ(ProgressPosition(UINT32_MAX, 1), 100);
}

TEST(IsRunnableDownload, AcceptsAnExecutableFetchedWithoutAnError) {
  EXPECT_TRUE(IsRunnableDownload(true, 200, "MZ\x90\x00"));
  EXPECT_TRUE(IsRunnableDownload(true, 399, "MZ"));
  EXPECT_TRUE(IsRunnableDownload(true, kNoHttpStatus, std::string("MZ\0\0", 4)));
}

TEST(IsRunnableDownload, RejectsAFailedTransferEvenWithAnExecutableInPlace) {
  EXPECT_FALSE(IsRunnableDownload(false, 200, "MZ"));
  EXPECT_FALSE(IsRunnableDownload(false, kNoHttpStatus, "MZ"));
}

TEST(IsRunnableDownload, RejectsServerErrorsWhoseBodyWasSaved) {
  EXPECT_FALSE(IsRunnableDownload(true, 400, "MZ"));
  EXPECT_FALSE(IsRunnableDownload(true, 404, "<html>404 Not Found</html>"));
  EXPECT_FALSE(IsRunnableDownload(true, 404, "MZ"));
  EXPECT_FALSE(IsRunnableDownload(true, 503, "MZ"));
}

TEST(IsRunnableDownload, RejectsFilesThatAreNotExecutables) {
  EXPECT_FALSE(IsRunnableDownload(true, 200, ""));
  EXPECT_FALSE(IsRunnableDownload(true, 200, "M"));
  EXPECT_FALSE(IsRunnableDownload(true, 200, "mz"));
  EXPECT_FALSE(IsRunnableDownload(true, 200, "ZM"));
  EXPECT_FALSE(IsRunnableDownload(true, 200, "<!DOCTYPE html>"));
  EXPECT_FALSE(IsRunnableDownload(true, 200, std::string("\0MZ", 3)));
}

}  // namespace
}  // namespace corvane
