#pragma once
// A file written under a temporary name beside its target and renamed over it at the end, so a
// failure at any point leaves either the old file or none, never a half-written one.

#include <cstdio>
#include <filesystem>

namespace corvane::pack {

class PartialFile {
 public:
  // Opens the temporary file for writing; throws PackError when it cannot.
  explicit PartialFile(const std::filesystem::path& target);
  // Closes and removes the temporary file unless it was committed.
  ~PartialFile();
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;

  std::FILE* stream() const { return stream_; }
  const std::filesystem::path& path() const { return path_; }

  // Closes the file and renames it over `target`, first syncing it to the disk when `target`
  // exists; throws PackError on a write, sync or rename error.
  void Commit(const std::filesystem::path& target);

 private:
  std::filesystem::path path_;
  std::FILE* stream_ = nullptr;
  bool committed_ = false;
};

}  // namespace corvane::pack
