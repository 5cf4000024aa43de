#include "content/asset_bundle.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "base/file_helpers.h"

namespace corvane {
namespace {

[[noreturn]] void Fail(const char* message) { throw std::runtime_error(message); }

std::uint32_t LoadU32(const std::uint8_t* bytes) {
  return (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) |
         (std::uint32_t(bytes[2]) << 8) | std::uint32_t(bytes[3]);
}

std::uint64_t LoadU64(const std::uint8_t* bytes) {
  return (std::uint64_t(LoadU32(bytes)) << 32) | LoadU32(bytes + 4);
}

}  // namespace

AssetBundle AssetBundle::OverMemory(const void* data, std::uint64_t length) {
  AssetBundle bundle;
  bundle.mode = ReadMode::Memory;
  bundle.position = 0;
  bundle.end = length;
  bundle.base = static_cast<const std::uint8_t*>(data);
  bundle.stream = nullptr;
  return bundle;
}

AssetBundle AssetBundle::OverStream(std::FILE* file, std::uint64_t length) {
  AssetBundle bundle;
  bundle.mode = ReadMode::Stream;
  bundle.position = 0;
  bundle.end = length;
  bundle.base = nullptr;
  bundle.stream = file;
  return bundle;
}

void AssetBundle::Parse() {
  blobOffset = 0;
  blobSize = 0;
  chunks.clear();
  files.clear();

  if (ReadU32() != kBundleMagic) Fail("bad format");
  if (ReadU32() != 0) Fail("unsupported version");
  const std::uint32_t chunkOffset = ReadU32();
  if (ReadU32() != 0) Fail("invalid flags");

  position = chunkOffset;
  if (mode == ReadMode::Stream) SeekStream(chunkOffset);

  while (position < end) {
    const std::uint32_t id = ReadU32();
    const std::uint64_t size = ReadU64();
    // position <= end holds after a successful read, so the subtraction cannot wrap.
    if (size > end - position) Fail("bad chunk");
    chunks.try_emplace(id, ChunkInfo{position, size});  // the first chunk of an id wins
    position += size;
    if (mode == ReadMode::Stream) SkipStream(size);
  }

  const auto blob = chunks.find(kBlobChunkId);
  if (blob == chunks.end()) Fail("missing blob chunk");
  blobOffset = blob->second.offset;
  blobSize = blob->second.size;

  const auto directory = chunks.find(kDirectoryChunkId);
  if (directory == chunks.end()) Fail("missing fdir chunk");
  position = directory->second.offset;
  if (mode == ReadMode::Stream) SeekStream(position);
  end = directory->second.offset + directory->second.size;  // recorded chunks lie inside the file

  const std::uint32_t count = ReadU32();
  // A failure keeps the entries read before it, so the index is finished on every way out.
  try {
    ParseDirectory(count);
  } catch (...) {
    files.Finish();
    throw;
  }
  files.Finish();
}

void AssetBundle::ParseDirectory(std::uint32_t count) {
  // Every entry takes at least its fixed fields, which bounds what a false count can reserve.
  files.Reserve(
      static_cast<std::size_t>(std::min<std::uint64_t>(count, (end - position) / kEntryFixedSize)));
  for (std::uint32_t index = 0; index < count; ++index) {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint64_t extra = 0;
    std::uint32_t pathLength = 0;
    if (mode == ReadMode::Memory && position <= end && end - position >= kEntryFixedSize) {
      // All fixed fields lie inside the window: decoded in place, failing with the same
      // message and leaving the cursor where the field-by-field reads below would.
      const std::uint8_t* fields = base + position;
      if (LoadU32(fields) != 0 || LoadU32(fields + 4) != 0) {
        position += 8;
        Fail("bad file entry");
      }
      offset = LoadU64(fields + 8);
      size = LoadU64(fields + 16);
      extra = LoadU64(fields + 24);
      if (size > blobSize || offset > blobSize - size) {
        position += 32;
        Fail("bad file entry");
      }
      if (fields[32] != 0) {
        position += 33;
        Fail("bad file compression");
      }
      pathLength = LoadU32(fields + 33);
      position += kEntryFixedSize;
    } else {
      const std::uint32_t reserved1 = ReadU32();
      const std::uint32_t reserved2 = ReadU32();
      if (reserved1 != 0 || reserved2 != 0) Fail("bad file entry");
      offset = ReadU64();
      size = ReadU64();
      extra = ReadU64();
      if (size > blobSize || offset > blobSize - size) Fail("bad file entry");
      if (ReadByte() != 0) Fail("bad file compression");
      pathLength = ReadU32();
    }
    files.Add(ReadPath(pathLength), FileEntry{offset, size, extra});
  }
}

// Memory mode views the path where it lies; stream mode keeps a copy.
std::string_view AssetBundle::ReadPath(std::uint64_t count) {
  if (mode != ReadMode::Memory) return files.Keep(ReadBytes(count));
  RequireAvailable(count);
  const std::string_view path(reinterpret_cast<const char*>(base + position), count);
  position += count;
  return path;
}

const std::uint8_t* AssetBundle::DataPointer(std::uint64_t offset) const {
  if (mode != ReadMode::Memory) Fail("wrong read mode");
  return base + blobOffset + offset;
}

std::uint32_t AssetBundle::ReadU32() {
  std::uint8_t bytes[4];
  ReadRaw(bytes, 4, 1);
  return LoadU32(bytes);
}

std::uint64_t AssetBundle::ReadU64() {
  std::uint8_t bytes[8];
  ReadRaw(bytes, 8, 1);
  return LoadU64(bytes);
}

std::uint8_t AssetBundle::ReadByte() {
  std::uint8_t value = 0;
  ReadRaw(&value, 1, 1);
  return value;
}

std::string AssetBundle::ReadBytes(std::uint64_t count) {
  RequireAvailable(count);
  if (mode == ReadMode::Memory) {
    std::string bytes(reinterpret_cast<const char*>(base + position), count);
    position += count;
    return bytes;
  }
  if (mode != ReadMode::Stream) Fail("invalid read mode");
  // A stream's end is only what its creator claims; reading in pieces keeps a false claim from
  // costing one huge allocation before the short read is noticed.
  constexpr std::uint64_t kPiece = 64 * 1024;
  std::string bytes;
  while (bytes.size() < count) {
    const std::uint64_t piece = std::min<std::uint64_t>(kPiece, count - bytes.size());
    const std::size_t start = bytes.size();
    bytes.resize(start + piece);
    ReadRaw(bytes.data() + start, 1, piece);
  }
  return bytes;
}

void AssetBundle::RequireAvailable(std::uint64_t count) const {
  if (position > end || count > end - position) throw std::range_error("bundle read error");
}

void AssetBundle::ReadRaw(void* out, std::uint64_t itemSize, std::uint64_t itemCount) {
  const std::uint64_t total = itemSize * itemCount;  // callers pass at most 8 or a checked piece
  RequireAvailable(total);
  switch (mode) {
    case ReadMode::Memory:
      std::memcpy(out, base + position, total);
      break;
    case ReadMode::Stream:
      if (std::fread(out, itemSize, itemCount, stream) != itemCount) Fail("file read error");
      break;
    default:
      Fail("invalid read mode");
  }
  position += total;
}

void AssetBundle::SeekStream(std::uint64_t absoluteOffset) {
  if (!SeekFile(stream, absoluteOffset, SEEK_SET)) Fail("file read error");
}

void AssetBundle::SkipStream(std::uint64_t count) {
  if (!SeekFile(stream, count, SEEK_CUR)) Fail("file read error");
}

}  // namespace corvane
