#include "tools/pack/pack_partial_file.h"

#include <cerrno>
#include <cstring>

#include "tools/pack/pack_commands.h"
#include "tools/pack/pack_io.h"

namespace corvane::pack {

namespace fs = std::filesystem;

PartialFile::PartialFile(const fs::path& target) : path_(TemporarySibling(target)) {
  stream_ = OpenFile(path_, "wb");
  if (stream_ == nullptr) {
    // Named as the user gave it: the temporary name would only puzzle.
    const int error = errno;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ignored;
    throw PackError(Printable(PathToUtf8(target)) + ": " +
                    (fs::is_directory(folder, ignored)
                         ? std::string(std::strerror(error))
                         : "its folder " + Printable(PathToUtf8(folder)) + " does not exist"));
  }
}

PartialFile::~PartialFile() {
  if (stream_ != nullptr) std::fclose(stream_);
  if (!committed_) {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
}

void PartialFile::Commit(const fs::path& target) {
  // Replacing a file must not trade its old content for an empty one after a power cut; a new
  // file has nothing to lose, and syncing each of thousands of extracted files would be slow.
  std::error_code ignored;
  const bool flushed = !fs::exists(target, ignored) || FlushToDisk(stream_);
  const bool closed = std::fclose(stream_) == 0 && flushed;
  stream_ = nullptr;
  if (!closed) throw PackError(Printable(PathToUtf8(path_)) + ": write error");
  std::error_code error;
  RenameOver(path_, target, error);
  if (error) throw PackError(Printable(PathToUtf8(target)) + ": " + error.message());
  committed_ = true;
}

}  // namespace corvane::pack
