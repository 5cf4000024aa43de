#pragma once
// Reader of assets.dat: a 16-byte header ("z9ab", version 0, chunk offset, flags 0), then tagged
// chunks; "blob" holds file bytes back to back and "fdir" names each file and points into the blob.
// All integers are big-endian.

#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

struct ChunkInfo {
  std::uint32_t id = 0;
  std::uint64_t offset = 0;  // absolute file offset of the chunk's data
  std::uint64_t size = 0;
};

struct FileEntry {
  std::uint32_t compression = 0;
  std::uint64_t offset = 0;  // relative to the blob data
  std::uint64_t size = 0;
  std::uint64_t extra = 0;
};

enum class ReadMode : std::int32_t { Memory = 1, Stream = 2 };

// Four ASCII bytes read big-endian, as chunk ids and the magic are compared.
constexpr std::uint32_t FourCC(const char (&tag)[5]) {
  return (std::uint32_t(std::uint8_t(tag[0])) << 24) | (std::uint32_t(std::uint8_t(tag[1])) << 16) |
         (std::uint32_t(std::uint8_t(tag[2])) << 8) | std::uint32_t(std::uint8_t(tag[3]));
}
inline constexpr std::uint32_t kBundleMagic = FourCC("z9ab");
inline constexpr std::uint32_t kBlobChunkId = FourCC("blob");
inline constexpr std::uint32_t kDirectoryChunkId = FourCC("fdir");
inline constexpr std::uint64_t kBundleHeaderSize = 16;
inline constexpr std::uint64_t kChunkHeaderSize = 12;
inline constexpr std::uint64_t kEntryFixedSize = 37;

// The directory's entries, iterated in path order (unsigned bytes) as `[path, entry]` pairs, and
// found through a hash table. A path is a view: into the bundle's own bytes in memory mode, into
// storage that the index shares with its copies in stream mode.
class FileIndex {
 public:
  using value_type = std::pair<std::string_view, FileEntry>;
  using const_iterator = std::vector<value_type>::const_iterator;

  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  void clear();

  // The entry of `path` (exact bytes), or null.
  const FileEntry* Find(std::string_view path) const;

 private:
  friend class AssetBundle;

  void Reserve(std::size_t count) { entries_.reserve(count); }
  // Adds the directory's next entry; the first entry of a path wins once Finish has run.
  void Add(std::string_view path, const FileEntry& entry);
  // Keeps a copy of `path` for as long as any copy of the index lives, and returns a view of it.
  std::string_view Keep(std::string path);
  // Orders the entries, drops later duplicates and builds the hash table.
  void Finish();

  std::vector<value_type> entries_;
  std::vector<std::uint64_t> slots_;  // 0 empty, else hash tag << 32 | (index into entries_ + 1)
  std::shared_ptr<std::deque<std::string>> ownedPaths_;
  bool ordered_ = true;  // entries_ so far strictly ascending: no sort or duplicates to resolve
};

// The reader owns neither the memory nor the stream; the creator keeps them valid while the
// reader or any address obtained from it is in use. `end` must never exceed the readable bytes.
class AssetBundle {
 public:
  std::map<std::uint32_t, ChunkInfo> chunks;
  FileIndex files;
  std::uint64_t blobOffset = 0;
  std::uint64_t blobSize = 0;
  ReadMode mode = ReadMode::Memory;
  std::uint64_t position = 0;
  std::uint64_t end = 0;
  std::FILE* stream = nullptr;
  const std::uint8_t* base = nullptr;

  // Reader over a block of memory (normally the mapped file) of `length` bytes.
  static AssetBundle OverMemory(const void* data, std::uint64_t length);
  // Reader over a stream positioned at the bundle's first byte.
  static AssetBundle OverStream(std::FILE* file, std::uint64_t length);

  // Validates the bundle and fills the tables. Throws std::runtime_error with a fixed message
  // (std::range_error "bundle read error" for reads past the window). No rollback on failure.
  void Parse();

  const FileEntry* Find(std::string_view path) const { return files.Find(path); }

  // Address of a byte of the blob data; Memory mode only, otherwise throws "wrong read mode".
  const std::uint8_t* DataPointer(std::uint64_t offset) const;

  std::uint32_t ReadU32();
  std::uint64_t ReadU64();
  std::uint8_t ReadByte();
  std::string ReadBytes(std::uint64_t count);

 private:
  void ParseDirectory(std::uint32_t count);
  std::string_view ReadPath(std::uint64_t count);
  void RequireAvailable(std::uint64_t count) const;
  void ReadRaw(void* out, std::uint64_t itemSize, std::uint64_t itemCount);
  void SeekStream(std::uint64_t absoluteOffset);
  void SkipStream(std::uint64_t count);
};

}  // namespace corvane
