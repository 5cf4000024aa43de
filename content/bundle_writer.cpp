#include "content/bundle_writer.h"

#include <algorithm>
#include <limits>
#include <map>
#include <stdexcept>

#include "base/file_helpers.h"
#include "content/asset_bundle.h"

namespace corvane {
namespace {

void AppendBigEndian(std::string& out, std::uint64_t value, int bytes) {
  for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) {
    out.push_back(static_cast<char>((value >> shift) & 0xFF));
  }
}

std::uint32_t CheckedU32(std::uint64_t value, const char* what) {
  if (value > std::numeric_limits<std::uint32_t>::max()) {
    throw std::runtime_error(std::string(what) + " exceeds the format's 32-bit limit");
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::string EncodeU32(std::uint32_t value) {
  std::string out;
  AppendBigEndian(out, value, 4);
  return out;
}

std::string EncodeU64(std::uint64_t value) {
  std::string out;
  AppendBigEndian(out, value, 8);
  return out;
}

std::string EncodeHeader(std::uint32_t chunkOffset, std::uint32_t version, std::uint32_t flags) {
  return EncodeU32(kBundleMagic) + EncodeU32(version) + EncodeU32(chunkOffset) + EncodeU32(flags);
}

std::string EncodeChunkHeader(std::uint32_t id, std::uint64_t size) {
  return EncodeU32(id) + EncodeU64(size);
}

std::string EncodeEntry(const BundleEntry& entry, std::uint8_t compression) {
  std::string out;
  out.reserve(kEntryFixedSize + entry.path.size());
  AppendBigEndian(out, 0, 4);
  AppendBigEndian(out, 0, 4);
  AppendBigEndian(out, entry.offset, 8);
  AppendBigEndian(out, entry.size, 8);
  AppendBigEndian(out, entry.extra, 8);
  out.push_back(static_cast<char>(compression));
  AppendBigEndian(out, CheckedU32(entry.path.size(), "path length"), 4);
  out += entry.path;
  return out;
}

std::string EncodeDirectory(const std::vector<BundleEntry>& entries) {
  std::string out = EncodeU32(CheckedU32(entries.size(), "file count"));
  for (const BundleEntry& entry : entries) out += EncodeEntry(entry);
  return out;
}

void SortEntries(std::vector<BundleEntry>& entries) {
  // std::string compares as unsigned bytes, the order the reader's table uses.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const BundleEntry& a, const BundleEntry& b) { return a.path < b.path; });
}

std::string BuildBundle(const std::vector<BundleFile>& files) {
  std::vector<const BundleFile*> sorted;
  sorted.reserve(files.size());
  for (const BundleFile& file : files) sorted.push_back(&file);
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const BundleFile* a, const BundleFile* b) { return a->path < b->path; });

  std::string blob;
  std::map<std::string_view, std::uint64_t> offsetOfContent;
  std::vector<BundleEntry> entries;
  entries.reserve(sorted.size());
  for (const BundleFile* file : sorted) {
    const auto [it, added] = offsetOfContent.try_emplace(file->bytes, blob.size());
    if (added) blob += file->bytes;
    entries.push_back({file->path, it->second, file->bytes.size(), 0});
  }

  const std::string directory = EncodeDirectory(entries);
  return EncodeHeader() + EncodeChunkHeader(kBlobChunkId, blob.size()) + blob +
         EncodeChunkHeader(kDirectoryChunkId, directory.size()) + directory;
}

BundleStreamWriter::BundleStreamWriter(std::FILE* out, std::uint64_t blobSize)
    : out_(out), blobSize_(blobSize), sizeDeclared_(true) {
  Write(EncodeHeader(static_cast<std::uint32_t>(kBundleHeaderSize)));
  Write(EncodeChunkHeader(kBlobChunkId, blobSize));
}

BundleStreamWriter::BundleStreamWriter(std::FILE* out)
    : BundleStreamWriter(out, std::numeric_limits<std::uint64_t>::max()) {
  sizeDeclared_ = false;
}

void BundleStreamWriter::AppendBlob(const void* data, std::size_t size) {
  if (size > blobSize_ - written_) throw std::runtime_error("blob larger than declared");
  Write(std::string_view(static_cast<const char*>(data), size));
  written_ += size;
}

void BundleStreamWriter::CountBlobWrittenElsewhere(std::uint64_t size) {
  if (size > blobSize_ - written_) throw std::runtime_error("blob larger than declared");
  written_ += size;
}

void BundleStreamWriter::Finish(std::vector<BundleEntry> entries) {
  if (!sizeDeclared_) blobSize_ = written_;
  if (written_ != blobSize_) throw std::runtime_error("blob shorter than declared");
  for (const BundleEntry& entry : entries) {
    if (entry.size > blobSize_ || entry.offset > blobSize_ - entry.size) {
      throw std::runtime_error("entry outside the blob: " + entry.path);
    }
  }
  if (!sizeDeclared_) {
    constexpr std::uint64_t kBlobSizeAt = kBundleHeaderSize + 4;  // behind the chunk id
    if (!SeekFile(out_, kBlobSizeAt, SEEK_SET)) throw std::runtime_error("seek failed");
    Write(EncodeU64(written_));
    if (!SeekFile(out_, kBlobSizeAt + 8 + written_, SEEK_SET)) {
      throw std::runtime_error("seek failed");
    }
  }
  SortEntries(entries);
  const std::string directory = EncodeDirectory(entries);
  Write(EncodeChunkHeader(kDirectoryChunkId, directory.size()));
  Write(directory);
  if (std::fflush(out_) != 0) throw std::runtime_error("write failed");
}

void BundleStreamWriter::Write(std::string_view bytes) {
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out_) != bytes.size()) {
    throw std::runtime_error("write failed");
  }
}

}  // namespace corvane
