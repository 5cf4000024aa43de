#include "base/file_helpers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Unsigned offsets past the platform's signed range would wrap: the largest one is -1 there and
// would step back a byte instead of failing.
TEST(FileHelpers, SeekFileRefusesOffsetsThatWouldWrapAndReachesPastFourGiB) {
  const fs::path path =
      fs::temp_directory_path() /
      ("corvane-seek-" +
       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::FILE* file = std::fopen(path.string().c_str(), "w+b");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite("abcd", 1, 4, file), 4u);
  ASSERT_TRUE(SeekFile(file, 2, SEEK_SET));
  EXPECT_FALSE(SeekFile(file, ~std::uint64_t{0}, SEEK_CUR));
  EXPECT_FALSE(SeekFile(file, std::uint64_t{1} << 63, SEEK_SET));
  EXPECT_EQ(std::fgetc(file), 'c');
  ASSERT_TRUE(SeekFile(file, 1, SEEK_CUR));  // a successful seek moves as asked
  EXPECT_EQ(std::fgetc(file), EOF);
#ifndef _WIN32
  // Offsets cut to 32 bits would write at byte 8. Only Linux keeps the file sparse.
  const std::uint64_t far = (std::uint64_t{1} << 32) + 8;
  ASSERT_TRUE(SeekFile(file, far - 3, SEEK_SET));
  ASSERT_TRUE(SeekFile(file, 3, SEEK_CUR));
  ASSERT_EQ(std::fputc('x', file), 'x');
  ASSERT_TRUE(SeekFile(file, 8, SEEK_SET));
  EXPECT_EQ(std::fgetc(file), 0);
  ASSERT_TRUE(SeekFile(file, far, SEEK_SET));
  EXPECT_EQ(std::fgetc(file), 'x');
#endif
  std::fclose(file);
  fs::remove(path);
}

}  // namespace
}  // namespace corvane
