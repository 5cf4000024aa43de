#include "base/content_fingerprint.h"

#include <new>

#ifdef CORVANE_HAVE_XXHASH
#include <xxhash.h>
#endif

namespace corvane {

#ifdef CORVANE_HAVE_XXHASH

ContentFingerprint::ContentFingerprint() : state_(XXH3_createState()) {
  if (state_ == nullptr) throw std::bad_alloc();
  XXH3_128bits_reset(static_cast<XXH3_state_t*>(state_));
}

ContentFingerprint::~ContentFingerprint() { XXH3_freeState(static_cast<XXH3_state_t*>(state_)); }

void ContentFingerprint::Update(const void* data, std::size_t size) {
  XXH3_128bits_update(static_cast<XXH3_state_t*>(state_), data, size);
}

ContentFingerprint::Value ContentFingerprint::Digest() const {
  const XXH128_hash_t hash = XXH3_128bits_digest(static_cast<XXH3_state_t*>(state_));
  return {hash.low64, hash.high64};
}

#else

ContentFingerprint::ContentFingerprint() = default;
ContentFingerprint::~ContentFingerprint() = default;

void ContentFingerprint::Update(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) fnv_ = (fnv_ ^ bytes[i]) * 0x100000001b3ULL;
}

ContentFingerprint::Value ContentFingerprint::Digest() const { return {fnv_, 0}; }

#endif

}  // namespace corvane
