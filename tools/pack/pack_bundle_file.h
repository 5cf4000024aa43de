#pragma once
// An existing bundle on disk, parsed by the shell's own reader in Stream mode. Sizes come from
// the file itself, so no entry can point past its end.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "content/asset_bundle.h"
#include "tools/pack/pack_io.h"

namespace corvane::pack {

class OpenedBundle {
 public:
  OpenedBundle(const std::filesystem::path& path, std::string displayName);
  ~OpenedBundle();
  OpenedBundle(const OpenedBundle&) = delete;
  OpenedBundle& operator=(const OpenedBundle&) = delete;

  // Runs the reader; a bad bundle throws PackError with the reader's own message.
  void Parse();

  const AssetBundle& reader() const { return reader_; }
  std::uint64_t length() const { return length_; }
  const std::string& name() const { return name_; }
  std::optional<FileIdentity> identity() const { return IdentityOf(stream_); }

  // Copies one entry's bytes to `out`; `target` names `out` in messages.
  void CopyEntry(const FileEntry& entry, std::FILE* out, const std::string& target);

 private:
  std::string name_;
  std::FILE* stream_ = nullptr;
  std::uint64_t length_ = 0;
  AssetBundle reader_;
  static constexpr std::size_t kCopyBufferSize = 1 << 20;
  std::unique_ptr<char[]> copyBuffer_;
};

// Parses the bundle at `path` and throws PackError ("name: reader message") if it is bad.
void CheckBundleFile(const std::filesystem::path& path, const std::string& displayName);

}  // namespace corvane::pack
