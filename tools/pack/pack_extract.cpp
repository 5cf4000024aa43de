#include <cerrno>
#include <cstring>
#include <optional>
#include <set>
#include <string_view>

#include "base/text_path.h"
#include "tools/pack/pack_bundle_file.h"
#include "tools/pack/pack_commands.h"
#include "tools/pack/pack_io.h"
#include "tools/pack/pack_partial_file.h"

namespace corvane::pack {

namespace fs = std::filesystem;

namespace {

// Creates the folders between `root` and `target`, refusing to pass through a symbolic link
// that already exists there (it could lead anywhere).
void PrepareParents(const fs::path& root, const fs::path& target, const std::string& entryName) {
  fs::path current = root;
  const fs::path relative = target.parent_path().lexically_relative(root);
  for (const fs::path& segment : relative) {
    if (segment == ".") continue;
    current /= segment;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(current, error);
    if (IsLink(current)) {
      throw PackError(entryName + ": refused, " + Printable(PathToUtf8(current)) +
                      " is a symbolic link");
    }
    if (fs::exists(status)) {
      if (!fs::is_directory(status)) {
        throw PackError(entryName + ": " + Printable(PathToUtf8(current)) +
                        " exists and is not a folder");
      }
      continue;
    }
    fs::create_directory(current, error);
    if (error) throw PackError(Printable(PathToUtf8(current)) + ": " + error.message());
  }
}

}  // namespace

int ExtractBundle(const std::string& bundlePath, const std::string& folderText) {
  OpenedBundle bundle(PathFromUtf8(bundlePath), Printable(bundlePath));
  bundle.Parse();
  const auto& files = bundle.reader().files;

  // Every path is checked before anything is written.
  for (const auto& [path, entry] : files) {
    if (const auto reason = UnsafePathReason(path)) {
      throw PackError(bundle.name() + ": entry \"" + Printable(path) + "\" refused (" + *reason +
                      "): only paths of files inside " + Printable(folderText) + " are written");
    }
  }

  const fs::path root = PathFromUtf8(folderText);
  std::error_code error;
  fs::create_directories(root, error);
  if (error) throw PackError(Printable(folderText) + ": " + error.message());

  const std::optional<FileIdentity> source = bundle.identity();
  std::set<FileIdentity> written;
  for (const auto& [path, entry] : files) {
    const fs::path target = root / PathFromUtf8(path);
    const std::string targetName = Printable(PathToUtf8(target));
    PrepareParents(root, target, targetName);
    const fs::file_status status = fs::symlink_status(target, error);
    if (IsLink(target)) throw PackError(targetName + ": refused, it is a symbolic link");
    if (fs::is_directory(status)) throw PackError(targetName + ": is a folder");
    // Opening a named pipe to identify it would wait for a writer for good.
    if (fs::exists(status) && !fs::is_regular_file(status)) {
      throw PackError(targetName + ": refused, not a regular file");
    }

    // A file already there may be the bundle itself, or one written moments ago under a name the
    // file system folds together with this one (Case.txt and case.txt on Windows). Only read:
    // nothing is created before the entry is written whole.
    std::optional<FileIdentity> identity;
    if (std::FILE* existing = OpenFile(target, "rb")) {
      identity = IdentityOf(existing);
      std::fclose(existing);
    } else if (errno != ENOENT) {
      throw PackError(targetName + ": " + std::strerror(errno));
    }
    if (identity && identity == source) {
      throw PackError(targetName + ": refused, it is the bundle being extracted");
    }
    if (identity && written.contains(*identity)) {
      throw PackError(targetName +
                      ": refused, the file system already holds another entry under "
                      "this name (names that differ only in case?)");
    }
    // A file already there stays as it was until the entry is written whole.
    PartialFile partial(target);
    bundle.CopyEntry(entry, partial.stream(), targetName);
    if (const std::optional<FileIdentity> made = IdentityOf(partial.stream())) {
      written.insert(*made);
    }
    partial.Commit(target);
  }
  std::printf("%s: extracted %zu files into %s\n", bundle.name().c_str(), files.size(),
              Printable(folderText).c_str());
  return 0;
}

}  // namespace corvane::pack
