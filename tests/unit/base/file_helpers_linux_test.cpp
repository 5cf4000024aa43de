#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/file_helpers.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

TEST(LinuxFileHelpers, ExecutablePathAndFolder) {
  const std::string& path = GetExecutablePath();
  EXPECT_EQ(path, fs::canonical("/proc/self/exe").string());
  EXPECT_EQ(&GetExecutablePath(), &path);  // cached
  const std::string folder = ExecutableFolder();
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(path.substr(0, folder.size()), folder);
  EXPECT_EQ(path.find('/', folder.size()), std::string::npos);
}

// Sizes past 2 and 4 GiB come from sparse files, so no data blocks are written.
TEST(LinuxFileHelpers, ExistsAndSize) {
  const fs::path folder = fs::temp_directory_path() / ("corvane-files-" + std::to_string(getpid()));
  fs::create_directories(folder);
  const std::string file = (folder / "a file é.txt").string(), missing = (folder / "x").string();
  std::ofstream(file, std::ios::binary) << "12345";
  EXPECT_TRUE(FileExists(file));
  EXPECT_TRUE(FileExists(folder.string()));
  EXPECT_FALSE(FileExists(missing));
  EXPECT_EQ(FileSize(file), 5);
  EXPECT_EQ(FileSize(folder.string()), 0);
  EXPECT_EQ(FileSize(missing), -1);
  for (const std::uintmax_t size : {0ull, (1ull << 31) + 7, (1ull << 32) + 9}) {
    fs::resize_file(file, size);
    EXPECT_EQ(FileSize(file), std::int64_t(size));
  }
  fs::remove_all(folder);
}

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
