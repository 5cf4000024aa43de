#pragma once
// Writer of the asset bundle format that AssetBundle reads: the 16-byte header, a "blob" chunk
// with the file bytes and an "fdir" chunk naming each file. Entries are written sorted by path
// (byte order), so the same files always give the same bytes.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct BundleFile {
  std::string path;
  std::string bytes;
};

// One directory entry; offset is relative to the blob data.
struct BundleEntry {
  std::string path;
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
  std::uint64_t extra = 0;
};

// A whole bundle in memory. Identical contents are stored once and their entries share bytes.
std::string BuildBundle(const std::vector<BundleFile>& files);

// Building blocks, big-endian as the format requires. Tests use them to build damaged bundles.
std::string EncodeU32(std::uint32_t value);
std::string EncodeU64(std::uint64_t value);
std::string EncodeHeader(std::uint32_t chunkOffset = 16, std::uint32_t version = 0,
                         std::uint32_t flags = 0);
std::string EncodeChunkHeader(std::uint32_t id, std::uint64_t size);
std::string EncodeEntry(const BundleEntry& entry, std::uint8_t compression = 0);
// The "fdir" chunk's data: the count, then the entries in the order given.
std::string EncodeDirectory(const std::vector<BundleEntry>& entries);
// Sorts entries by path bytes, keeping the given order among equal paths.
void SortEntries(std::vector<BundleEntry>& entries);

// Writes a bundle to a stream without holding the file contents: the blob bytes are appended piece
// by piece, and Finish writes the directory. Every failure throws std::runtime_error; the caller
// owns the stream and discards a failed output.
class BundleStreamWriter {
 public:
  // The blob must have exactly `blobSize` bytes.
  BundleStreamWriter(std::FILE* out, std::uint64_t blobSize);
  // The blob takes whatever is appended; Finish seeks back to write its size into the chunk
  // header, so `out` must be a file that can seek.
  explicit BundleStreamWriter(std::FILE* out);

  void AppendBlob(const void* data, std::size_t size);
  // Counts `size` blob bytes that the caller has put behind everything written so far by
  // other means than this writer (a copy inside the kernel, say).
  void CountBlobWrittenElsewhere(std::uint64_t size);
  std::uint64_t BlobWritten() const { return written_; }

  // Requires exactly the declared blob bytes; entries are sorted before they are written.
  void Finish(std::vector<BundleEntry> entries);

 private:
  void Write(std::string_view bytes);

  std::FILE* out_;
  std::uint64_t blobSize_;  // the most the blob may hold
  bool sizeDeclared_;
  std::uint64_t written_ = 0;
};

}  // namespace corvane
