// Views of loose files on Linux: an app may read ranges of thousands of them in one run.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "content/mapped_file.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::size_t OpenDescriptors() {
  return std::size_t(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

TEST(MappedFile, AViewHoldsNoDescriptorOpen) {
  const fs::path file = fs::path(testing::TempDir()) / "corvane_mapped_fd.bin";
  std::ofstream(file, std::ios::binary) << "0123456789";
  const std::size_t before = OpenDescriptors();
  std::vector<SharedMapping> views;
  for (int i = 0; i < 50; ++i) views.push_back(MapWholeFileShared(file.string()));
  EXPECT_EQ(OpenDescriptors(), before);
  ASSERT_NE(views.back(), nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(views.back()->view), 10), "0123456789");
  EXPECT_TRUE(PathStillNamesMappedFile(*views.back(), file.string()));
  fs::remove(file);
  EXPECT_FALSE(PathStillNamesMappedFile(*views.back(), file.string()));
}

}  // namespace
}  // namespace corvane
