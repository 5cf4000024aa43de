#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "base/file_helpers.h"

namespace corvane {
namespace {

// A write through offsets cut to 32 bits would land at byte 8; the file stays sparse.
TEST(LinuxFileHelpers, SeekFileReachesPastFourGiB) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  const std::uint64_t far = (std::uint64_t{1} << 32) + 8;
  ASSERT_TRUE(SeekFile(file, far - 3, SEEK_SET));
  ASSERT_TRUE(SeekFile(file, 3, SEEK_CUR));
  ASSERT_EQ(std::fputc('x', file), 'x');
  ASSERT_TRUE(SeekFile(file, 8, SEEK_SET));
  EXPECT_EQ(std::fgetc(file), 0);
  ASSERT_TRUE(SeekFile(file, far, SEEK_SET));
  EXPECT_EQ(std::fgetc(file), 'x');
  std::fclose(file);
}

}  // namespace
}  // namespace corvane
