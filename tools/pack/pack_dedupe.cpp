#include "tools/pack/pack_dedupe.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "tools/pack/pack_commands.h"
#include "tools/pack/pack_io.h"

namespace corvane::pack {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

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
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), remaining));
  const std::size_t got = std::fread(buffer.data(), 1, want, stream);
  if (got != want) Fail(file, std::ferror(stream) ? "read error" : "file changed while packing");
  return got;
}

// 64-bit FNV-1a: only a fingerprint to find candidates; equality is always confirmed.
std::uint64_t Fingerprint(const SourceFile& file, std::vector<char>& buffer) {
  File stream = Open(file);
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (std::uint64_t left = file.size; left > 0;) {
    const std::size_t got = ReadChunk(stream.get(), file, buffer, left);
    for (std::size_t i = 0; i < got; ++i) {
      hash = (hash ^ static_cast<unsigned char>(buffer[i])) * 0x100000001b3ULL;
    }
    left -= got;
  }
  return hash;
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
  BlobLayout layout;
  layout.offsetOf.resize(files.size());
  // (size, fingerprint) -> stored files with that key.
  std::map<std::pair<std::uint64_t, std::uint64_t>, std::vector<std::size_t>> storedByKey;

  for (std::size_t index = 0; index < files.size(); ++index) {
    const SourceFile& file = files[index];
    std::vector<std::size_t>& candidates = storedByKey[{file.size, Fingerprint(file, buffer)}];
    bool shared = false;
    for (const std::size_t candidate : candidates) {
      if (SameContents(files[candidate], file, buffer, other)) {
        layout.offsetOf[index] = layout.offsetOf[candidate];
        shared = true;
        break;
      }
    }
    if (!shared) {
      layout.offsetOf[index] = layout.blobSize;
      layout.blobSize += file.size;
      layout.stored.push_back(index);
      candidates.push_back(index);
    }
    progress(index + 1);
  }
  return layout;
}

}  // namespace corvane::pack
