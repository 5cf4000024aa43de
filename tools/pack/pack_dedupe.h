#pragma once
// Decides, file by file, whether a file's bytes are stored or shared with an earlier file that has
// identical contents.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/content_fingerprint.h"
#include "tools/pack/pack_scan.h"

namespace corvane::pack {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A file that may be a copy of another is read whole into memory, fingerprinted and written from
// there when it has at most this many bytes, the size of the head that tells larger ones apart.
// Up to that size holding saves a second read of the whole file; above it, it would save only a
// 64 KiB head read and pass every byte through memory once more, where the kernel copies the file
// without that (held whole, same-sized files of 64 to 256 KiB packed 1.08 times as slowly, of
// 64 KiB to 1 MiB 1.44 times).
inline constexpr std::uint64_t kHeldFileLimit = 64 * 1024;

// Reads only files that share their size with another, fingerprints them (XXH3 128-bit on Linux)
// and compares candidates byte for byte, so only truly identical files are merged; each file
// shares the bytes of the first identical one. Every member throws PackError.
class DuplicateFinder {
 public:
  // Fingerprints the head of every larger file that shares its size. `files` must outlive this.
  explicit DuplicateFinder(const std::vector<SourceFile>& files);

  // The earlier file whose bytes files[index] shares, or none when its own bytes are to be stored
  // (it is then a candidate for the files after it). Asked for each file in order.
  std::optional<std::size_t> Find(std::size_t index);

  struct Held {
    std::span<const char> bytes;
    std::FILE* stream;  // positioned behind the bytes
  };
  // The bytes of the file last asked for, when Find read it whole; valid until the next Find.
  std::optional<Held> held() const;

 private:
  using Fingerprint = ContentFingerprint::Value;
  using Key = std::pair<std::uint64_t, Fingerprint>;  // size and fingerprint

  const std::vector<SourceFile>& files_;
  std::vector<char> buffer_;
  std::vector<char> other_;
  std::unique_ptr<char[]> heldBytes_;  // kHeldFileLimit bytes, never cleared
  File heldStream_;
  std::size_t heldSize_ = 0;

  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      return static_cast<std::size_t>(key.second.first ^ (key.first * 0x9E3779B97F4A7C15ULL));
    }
  };

  std::vector<bool> sharesSize_;                  // with another file
  std::vector<std::optional<Fingerprint>> head_;  // only of files above kHeldFileLimit
  std::unordered_map<Key, std::size_t, KeyHash> filesOfHead_;
  // Stored files by the fingerprint of their whole contents. Hashed, not ordered: in a tree of
  // tens of thousands of keys every lookup missed the cache once per level.
  std::unordered_map<Key, std::vector<std::size_t>, KeyHash> storedByKey_;
};

}  // namespace corvane::pack
