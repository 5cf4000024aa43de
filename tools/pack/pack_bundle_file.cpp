#include "tools/pack/pack_bundle_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>

#include "base/file_helpers.h"
#include "tools/pack/pack_commands.h"
#include "tools/pack/pack_io.h"

namespace corvane::pack {

namespace fs = std::filesystem;

OpenedBundle::OpenedBundle(const fs::path& path, std::string displayName)
    : name_(std::move(displayName)) {
  std::error_code error;
  if (fs::is_directory(path, error)) throw PackError(name_ + ": is a folder, not a bundle");
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) throw PackError(name_ + ": " + error.message());
  stream_ = OpenFile(path, "rb");
  if (stream_ == nullptr) throw PackError(name_ + ": " + std::strerror(errno));
  length_ = size;
  reader_ = AssetBundle::OverStream(stream_, length_);
}

OpenedBundle::~OpenedBundle() {
  if (stream_ != nullptr) std::fclose(stream_);
}

void OpenedBundle::Parse() {
  try {
    reader_.Parse();
  } catch (const std::exception& error) {
    throw PackError(name_ + ": " + error.what());
  }
}

void OpenedBundle::CopyEntry(const FileEntry& entry, std::FILE* out, const std::string& target) {
  // The reader has checked that the entry lies inside the blob, and the blob inside the file.
  if (!SeekFile(stream_, reader_.blobOffset + entry.offset, SEEK_SET))
    throw PackError(name_ + ": file read error");
  // One buffer for every entry, never cleared: clearing a fresh one per entry cost more than
  // copying a small entry.
  if (!copyBuffer_) copyBuffer_ = std::make_unique_for_overwrite<char[]>(kCopyBufferSize);
  for (std::uint64_t left = entry.size; left > 0;) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(kCopyBufferSize, left));
    if (std::fread(copyBuffer_.get(), 1, want, stream_) != want)
      throw PackError(name_ + ": file read error");
    if (std::fwrite(copyBuffer_.get(), 1, want, out) != want)
      throw PackError(target + ": write error");
    left -= want;
  }
}

void CheckBundleFile(const fs::path& path, const std::string& displayName) {
  OpenedBundle bundle(path, displayName);
  bundle.Parse();
}

}  // namespace corvane::pack
