#include "tools/pack/pack_dedupe.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/content_fingerprint.h"
#include "tools/pack/pack_commands.h"
#include "tools/pack/pack_io.h"

namespace corvane::pack {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
// Same-sized files are first told apart by their first bytes; most differ there already, so a
// pair of large files of one size costs two short reads rather than two whole ones.
constexpr std::uint64_t kHeadSize = 64 * 1024;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void Fail(const SourceFile& file, const std::string& problem) {
  throw PackError(Printable(PathToUtf8(file.diskPath)) + ": " + problem);
}

File Open(const SourceFile& file) {
  File stream(OpenFile(file.diskPath, "rb"));
  if (!stream) Fail(file, std::strerror(errno));
  return stream;
}

// Reads exactly `buffer.size()` bytes unless the file ends; a file that does not hold the size
// it had when the folder was scanned is an error.
std::size_t ReadChunk(std::FILE* stream, const SourceFile& file, std::vector<char>& buffer,
                      std::uint64_t remaining) {
  const std::size_t want =
      static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), remaining));
  const std::size_t got = std::fread(buffer.data(), 1, want, stream);
  if (got != want) Fail(file, std::ferror(stream) ? "read error" : "file changed while packing");
  return got;
}

using Fingerprint = ContentFingerprint::Value;

// The fingerprint of the first `length` bytes of `file`.
Fingerprint FingerprintOf(const SourceFile& file, std::uint64_t length, std::vector<char>& buffer) {
  File stream = Open(file);
  ContentFingerprint hasher;
  for (std::uint64_t left = length; left > 0;) {
    const std::size_t got = ReadChunk(stream.get(), file, buffer, left);
    hasher.Update(buffer.data(), got);
    left -= got;
  }
  return hasher.Digest();
}

bool SameContents(const SourceFile& a, const SourceFile& b, std::vector<char>& bufferA,
                  std::vector<char>& bufferB) {
  if (a.size != b.size) return false;
  File streamA = Open(a);
  File streamB = Open(b);
  for (std::uint64_t left = a.size; left > 0;) {
    const std::size_t got = ReadChunk(streamA.get(), a, bufferA, left);
    ReadChunk(streamB.get(), b, bufferB, left);
    if (std::memcmp(bufferA.data(), bufferB.data(), got) != 0) return false;
    left -= got;
  }
  return true;
}

}  // namespace

BlobLayout PlanBlob(const std::vector<SourceFile>& files,
                    const std::function<void(std::size_t filesDone)>& progress) {
  std::vector<char> buffer(kBufferSize);
  std::vector<char> other(kBufferSize);

  // A file whose size no other file has cannot be a copy and is never read here. The others are
  // fingerprinted by their head, and only those whose head is not unique either in full.
  std::unordered_map<std::uint64_t, std::size_t> filesOfSize;
  for (const SourceFile& file : files) ++filesOfSize[file.size];
  std::vector<std::optional<Fingerprint>> head(files.size());
  std::map<std::pair<std::uint64_t, Fingerprint>, std::size_t> filesOfHead;
  for (std::size_t index = 0; index < files.size(); ++index) {
    const SourceFile& file = files[index];
    if (filesOfSize[file.size] < 2) continue;
    head[index] = FingerprintOf(file, std::min(file.size, kHeadSize), buffer);
    ++filesOfHead[{file.size, *head[index]}];
  }

  BlobLayout layout;
  layout.offsetOf.resize(files.size());
  // (size, fingerprint) -> stored files with that key.
  std::map<std::pair<std::uint64_t, Fingerprint>, std::vector<std::size_t>> storedByKey;
  for (std::size_t index = 0; index < files.size(); ++index) {
    const SourceFile& file = files[index];
    bool shared = false;
    std::vector<std::size_t>* candidates = nullptr;
    if (head[index] && filesOfHead[{file.size, *head[index]}] > 1) {
      const Fingerprint whole =
          file.size <= kHeadSize ? *head[index] : FingerprintOf(file, file.size, buffer);
      candidates = &storedByKey[{file.size, whole}];
      for (const std::size_t candidate : *candidates) {
        if (SameContents(files[candidate], file, buffer, other)) {
          layout.offsetOf[index] = layout.offsetOf[candidate];
          shared = true;
          break;
        }
      }
    }
    if (!shared) {
      layout.offsetOf[index] = layout.blobSize;
      layout.blobSize += file.size;
      layout.stored.push_back(index);
      if (candidates != nullptr) candidates->push_back(index);
    }
    progress(index + 1);
  }
  return layout;
}

}  // namespace corvane::pack
