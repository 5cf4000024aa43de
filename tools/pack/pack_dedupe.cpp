#include "tools/pack/pack_dedupe.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "tools/pack/pack_commands.h"
#include "tools/pack/pack_io.h"

namespace corvane::pack {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
// Same-sized files are first told apart by their first bytes; most differ there already, so a
// pair of large files of one size costs two short reads rather than two whole ones.
constexpr std::uint64_t kHeadSize = 64 * 1024;
static_assert(kHeldFileLimit >= kHeadSize, "a file with a head of its own is not held");

[[noreturn]] void Fail(const SourceFile& file, const std::string& problem) {
  throw PackError(Printable(PathToUtf8(file.diskPath)) + ": " + problem);
}

File Open(const SourceFile& file) {
  File stream(OpenFile(file.diskPath, "rb"));
  if (!stream) Fail(file, std::strerror(errno));
  return stream;
}

// Reads exactly `want` bytes unless the file ends; a file that does not hold the size it had when
// the folder was scanned is an error.
void ReadExactly(std::FILE* stream, const SourceFile& file, char* into, std::size_t want) {
  if (std::fread(into, 1, want, stream) != want) {
    Fail(file, std::ferror(stream) ? "read error" : "file changed while packing");
  }
}

std::size_t ReadChunk(std::FILE* stream, const SourceFile& file, std::vector<char>& buffer,
                      std::uint64_t remaining) {
  const std::size_t want =
      static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), remaining));
  ReadExactly(stream, file, buffer.data(), want);
  return want;
}

ContentFingerprint::Value FingerprintOf(const SourceFile& file, std::uint64_t length,
                                        std::vector<char>& buffer) {
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

// Whether `file` on disk holds `bytes`, which have its size.
bool HasContents(const SourceFile& file, std::span<const char> bytes, std::vector<char>& buffer) {
  File stream = Open(file);
  for (std::size_t done = 0; done < bytes.size();) {
    const std::size_t got = ReadChunk(stream.get(), file, buffer, bytes.size() - done);
    if (std::memcmp(buffer.data(), bytes.data() + done, got) != 0) return false;
    done += got;
  }
  return true;
}

}  // namespace

DuplicateFinder::DuplicateFinder(const std::vector<SourceFile>& files)
    : files_(files),
      buffer_(kBufferSize),
      other_(kBufferSize),
      heldBytes_(std::make_unique_for_overwrite<char[]>(kHeldFileLimit)),
      sharesSize_(files.size()),
      head_(files.size()) {
  // A file whose size no other file has cannot be a copy and is never read here. Larger ones are
  // fingerprinted by their head, and only those whose head is not unique either in full.
  std::unordered_map<std::uint64_t, std::size_t> filesOfSize;
  for (const SourceFile& file : files) ++filesOfSize[file.size];
  for (std::size_t index = 0; index < files.size(); ++index) {
    const SourceFile& file = files[index];
    sharesSize_[index] = filesOfSize[file.size] > 1;
    if (file.size <= kHeldFileLimit || !sharesSize_[index]) continue;
    head_[index] = FingerprintOf(file, kHeadSize, buffer_);
    ++filesOfHead_[{file.size, *head_[index]}];
  }
}

std::optional<std::size_t> DuplicateFinder::Find(std::size_t index) {
  const SourceFile& file = files_[index];
  heldStream_.reset();
  std::vector<std::size_t>* candidates = nullptr;
  std::optional<std::size_t> original;
  if (file.size <= kHeldFileLimit && sharesSize_[index]) {
    heldStream_ = Open(file);
    // Read straight into the held bytes, not through a buffer of the stream's own.
    std::setvbuf(heldStream_.get(), nullptr, _IONBF, 0);
    heldSize_ = static_cast<std::size_t>(file.size);
    ReadExactly(heldStream_.get(), file, heldBytes_.get(), heldSize_);
    const std::span<const char> bytes(heldBytes_.get(), heldSize_);
    ContentFingerprint hasher;
    hasher.Update(bytes.data(), bytes.size());
    candidates = &storedByKey_[{file.size, hasher.Digest()}];
    for (const std::size_t candidate : *candidates) {
      if (HasContents(files_[candidate], bytes, buffer_)) {
        original = candidate;
        break;
      }
    }
  } else if (head_[index] && filesOfHead_[{file.size, *head_[index]}] > 1) {
    candidates = &storedByKey_[{file.size, FingerprintOf(file, file.size, buffer_)}];
    for (const std::size_t candidate : *candidates) {
      if (SameContents(files_[candidate], file, buffer_, other_)) {
        original = candidate;
        break;
      }
    }
  }
  if (!original && candidates != nullptr) candidates->push_back(index);
  return original;
}

std::optional<DuplicateFinder::Held> DuplicateFinder::held() const {
  if (!heldStream_) return std::nullopt;
  return Held{{heldBytes_.get(), heldSize_}, heldStream_.get()};
}

}  // namespace corvane::pack
