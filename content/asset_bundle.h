#pragma once
// Reader of assets.dat: a 16-byte header ("z9ab", version 0, chunk offset, flags 0), then tagged
// chunks; "blob" holds file bytes back to back and "fdir" names each file and points into the blob.
// All integers are big-endian.

#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "content/file_index.h"

namespace corvane {

struct ChunkInfo {
  std::uint64_t offset = 0;  // absolute file offset of the chunk's data
  std::uint64_t size = 0;
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
inline constexpr std::uint64_t kEntryFixedSize = 37;

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
