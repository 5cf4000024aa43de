#pragma once
// Collects the files a bundle is made of.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace corvane::pack {

struct SourceFile {
  std::string bundlePath;  // relative, "/" between segments, UTF-8
  std::filesystem::path diskPath;
  std::uint64_t size = 0;
};

// Every regular file under `folder` (linked folders not entered), sorted by bundle path bytes.
// `excluded` (the bundle being written) and the temporary files of runs writing it are left out.
// Throws PackError for an unreadable folder, a symbolic link to a file, a name that is not UTF-8
// and a path that UnsafePathReason refuses.
std::vector<SourceFile> ScanFolder(const std::filesystem::path& folder,
                                   const std::filesystem::path& excluded);

}  // namespace corvane::pack
