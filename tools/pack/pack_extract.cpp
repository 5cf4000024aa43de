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

// Why an entry's path could write outside the target folder (or nowhere sensible), or none.
std::optional<std::string> UnsafePathReason(std::string_view path) {
  if (path.empty()) return "empty path";
  if (path.find('\0') != std::string_view::npos) return "zero byte in path";
  if (path.find('\\') != std::string_view::npos) return "backslash in path";
  if (path.front() == '/') return "absolute path";
  const bool letter = (path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z');
  if (path.size() >= 2 && letter && path[1] == ':') return "drive letter in path";
#ifdef _WIN32
  // Elsewhere in a Windows name a colon selects an alternate data stream.
  if (path.find(':') != std::string_view::npos) return "colon in path";
#endif
  if (SanitizeUtf8(path) != path) return "path is not valid UTF-8";
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = path.find('/', start);
    const std::string_view segment = path.substr(start, slash - start);
    if (segment.empty()) return "empty segment in path";
    if (segment == "." || segment == "..") return "dot segment in path";
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  return std::nullopt;
}

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
                      "): it could write outside " + Printable(folderText));
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

    // Opened without truncating first: if this is a file written moments ago under a name the
    // file system folds together with this one (Case.txt and case.txt on Windows), it must
    // survive for the error.
    std::FILE* out = OpenFile(target, "ab");
    if (out == nullptr) throw PackError(targetName + ": " + std::strerror(errno));
    const std::optional<FileIdentity> identity = IdentityOf(out);
    if (identity && identity == source) {
      std::fclose(out);
      throw PackError(targetName + ": refused, it is the bundle being extracted");
    }
    if (identity && written.contains(*identity)) {
      std::fclose(out);
      throw PackError(targetName +
                      ": refused, the file system already holds another entry under "
                      "this name (names that differ only in case?)");
    }
    std::fclose(out);
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
