#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/file_helpers.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

class LinuxFileHelpers : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("corvane-files-" + std::to_string(getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string Make(const std::string& name, const std::string& bytes) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  fs::path folder_;
};

TEST_F(LinuxFileHelpers, ExecutablePathAndFolder) {
  const std::string& path = GetExecutablePath();
  EXPECT_EQ(path, fs::canonical("/proc/self/exe").string());
  EXPECT_EQ(&GetExecutablePath(), &path);  // cached
  const std::string folder = ExecutableFolder();
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(path.substr(0, folder.size()), folder);
  EXPECT_EQ(path.find('/', folder.size()), std::string::npos);
}

TEST_F(LinuxFileHelpers, ExistsAndSize) {
  const std::string file = Make("a file é.txt", "12345");
  const std::string empty = Make("empty", "");
  EXPECT_TRUE(FileExists(file));
  EXPECT_TRUE(FileExists(folder_.string()));
  EXPECT_FALSE(FileExists((folder_ / "missing").string()));
  EXPECT_EQ(FileSize(file), 5);
  EXPECT_EQ(FileSize(empty), 0);
  EXPECT_EQ(FileSize(folder_.string()), 0);
  EXPECT_EQ(FileSize((folder_ / "missing").string()), -1);
}

TEST_F(LinuxFileHelpers, SizeOfAFileBeyondTwoAndFourGibibytes) {
  const std::string path = (folder_ / "sparse.bin").string();
  const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
  ASSERT_GE(fd, 0);
  for (const std::int64_t size : {(std::int64_t{1} << 31) + 7, (std::int64_t{1} << 32) + 9}) {
    ASSERT_EQ(ftruncate(fd, size), 0);  // sparse: no data blocks are written
    EXPECT_EQ(FileSize(path), size);
  }
  close(fd);
}

}  // namespace
}  // namespace corvane
