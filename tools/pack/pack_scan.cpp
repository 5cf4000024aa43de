#include "tools/pack/pack_scan.h"

#include <algorithm>

#include "base/text_path.h"
#include "tools/pack/pack_commands.h"
#include "tools/pack/pack_io.h"

namespace corvane::pack {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const fs::path& path, const std::string& problem) {
  throw PackError(Printable(PathToUtf8(path)) + ": " + problem);
}

// The output itself, and what an interrupted earlier run left beside it (TemporarySibling's
// names, whatever the process id).
bool IsExcluded(const fs::path& candidate, const fs::path& excluded) {
  if (excluded.empty()) return false;
  std::error_code ignored;
  if (candidate.filename() == excluded.filename())
    return fs::equivalent(candidate, excluded, ignored);
  const std::string leftover = PathToUtf8(TemporaryPrefix(excluded));
  // An output named without a folder lies in the working folder.
  const fs::path outputFolder = excluded.has_parent_path() ? excluded.parent_path() : ".";
  return PathToUtf8(candidate.filename()).rfind(leftover, 0) == 0 &&
         fs::equivalent(candidate.parent_path(), outputFolder, ignored);
}

}  // namespace

std::vector<SourceFile> ScanFolder(const fs::path& folder, const fs::path& excluded) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) Fail(folder, error ? error.message() : "not a folder");

  std::vector<SourceFile> files;
  fs::recursive_directory_iterator it(folder, error);
  if (error) Fail(folder, error.message());
  for (; it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (error) Fail(it->path(), error.message());
    const fs::directory_entry& entry = *it;
    if (entry.is_directory(error) && IsLink(entry.path())) {
      it.disable_recursion_pending();  // linked folders are not entered
      continue;
    }
    if (!entry.is_regular_file(error)) {
      if (error) Fail(entry.path(), error.message());
      continue;  // folders are implied by the paths; devices, pipes and sockets have no contents
    }
    if (IsExcluded(entry.path(), excluded)) continue;
    // A linked file could carry anything on the machine into a bundle that is then shipped.
    if (IsLink(entry.path())) Fail(entry.path(), "refused, it is a symbolic link");

    std::string relative = PathToUtf8(entry.path().lexically_relative(folder));
    // Before UnsafePathReason, which refuses this too: the message speaks of a name on disk.
    if (SanitizeUtf8(relative) != relative) Fail(entry.path(), "file name is not valid UTF-8");
    if (const auto reason = UnsafePathReason(relative)) {
      Fail(entry.path(), "refused, " + *reason + ": extract could not write it back");
    }
    const std::uintmax_t size = entry.file_size(error);
    if (error) Fail(entry.path(), error.message());
    files.push_back({std::move(relative), entry.path(), size});
  }
  if (error) Fail(folder, error.message());

  std::sort(files.begin(), files.end(),
            [](const SourceFile& a, const SourceFile& b) { return a.bundlePath < b.bundlePath; });
  return files;
}

}  // namespace corvane::pack
