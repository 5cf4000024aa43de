#pragma once
// A fingerprint of bytes fed in pieces: XXH3's 128 bits where the library is there (the Linux
// build), 64-bit FNV-1a elsewhere. It tells contents apart; it proves nothing against someone who
// picks the bytes, so callers that merge contents compare them as well.

#include <cstddef>
#include <cstdint>
#include <utility>

namespace corvane {

class ContentFingerprint {
 public:
  using Value = std::pair<std::uint64_t, std::uint64_t>;

  ContentFingerprint();
  ~ContentFingerprint();
  ContentFingerprint(const ContentFingerprint&) = delete;
  ContentFingerprint& operator=(const ContentFingerprint&) = delete;

  void Update(const void* data, std::size_t size);
  Value Digest() const;

 private:
  void* state_ = nullptr;  // the library's state, when there is one
  std::uint64_t fnv_ = 0xcbf29ce484222325ULL;
};

}  // namespace corvane
