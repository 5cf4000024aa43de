#include "content/file_index.h"

#include <algorithm>
#include <cstring>

namespace corvane {
namespace {

template <typename T>
T NativeLoad(const char* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// Eight bytes a step with a multiply-xorshift mix; the last step takes the final eight bytes,
// overlapping the one before, so there is no byte-by-byte tail. Quick on paths of a few dozen
// bytes. A bundle's paths are its author's own, so nobody picks them to collide.
std::uint64_t HashPath(std::string_view path) {
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
  std::uint64_t hash = (path.size() + 1) * kMultiplier;
  const auto mix = [&hash](std::uint64_t word) {
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 32;
  };
  const char* bytes = path.data();
  std::size_t left = path.size();
  if (left >= 8) {
    for (; left > 8; bytes += 8, left -= 8) mix(NativeLoad<std::uint64_t>(bytes));
    mix(NativeLoad<std::uint64_t>(bytes + left - 8));
  } else if (left >= 4) {
    mix((std::uint64_t(NativeLoad<std::uint32_t>(bytes)) << 32) |
        NativeLoad<std::uint32_t>(bytes + left - 4));
  } else if (left > 0) {
    const auto byte = [bytes](std::size_t i) { return std::uint64_t(std::uint8_t(bytes[i])); };
    mix((byte(0) << 16) | (byte(left / 2) << 8) | byte(left - 1));
  }
  hash = (hash ^ (hash >> 29)) * kMultiplier;
  return hash ^ (hash >> 32);
}

void Prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(address, 1);
#else
  (void)address;
#endif
}

constexpr std::uint64_t kTagMask = 0xFFFFFFFF00000000ULL;

}  // namespace

void FileIndex::clear() {
  entries_.clear();
  slots_.clear();
  ownedPaths_.reset();
  ordered_ = true;
}

void FileIndex::Add(std::string_view path, const FileEntry& entry) {
  if (ordered_ && !entries_.empty() && !(entries_.back().first < path)) ordered_ = false;
  entries_.emplace_back(path, entry);
}

std::string_view FileIndex::Keep(std::string path) {
  // A deque never moves its elements, so views of earlier paths (even short ones kept inside
  // the string object) stay valid as it grows.
  if (!ownedPaths_) ownedPaths_ = std::make_shared<std::deque<std::string>>();
  return ownedPaths_->emplace_back(std::move(path));
}

void FileIndex::Finish() {
  if (!ordered_) {
    // Stable, so the directory's first entry of a path leads its run and is the one kept.
    const auto byPath = [](const value_type& a, const value_type& b) { return a.first < b.first; };
    std::stable_sort(entries_.begin(), entries_.end(), byPath);
    const auto samePath = [](const value_type& a, const value_type& b) {
      return a.first == b.first;
    };
    entries_.erase(std::unique(entries_.begin(), entries_.end(), samePath), entries_.end());
    ordered_ = true;
  }
  slots_.clear();
  if (entries_.empty()) return;
  // Linear probing at most half full: short probe runs, and a miss always meets an empty slot.
  std::size_t capacity = 16;
  while (capacity < 2 * entries_.size()) capacity *= 2;
  slots_.assign(capacity, 0);
  const std::size_t mask = capacity - 1;
  // Every insert lands on a random slot, so each hash is worked out some entries ahead and its
  // slot fetched while the entries before it go in: the cache misses overlap instead of queueing.
  constexpr std::size_t kAhead = 16;
  std::uint64_t hashes[kAhead];
  const std::size_t count = entries_.size();
  for (std::size_t next = 0; next < count + kAhead; ++next) {
    if (next >= kAhead) {
      const std::size_t index = next - kAhead;
      const std::uint64_t hash = hashes[index % kAhead];
      std::size_t slot = hash & mask;
      while (slots_[slot] != 0) slot = (slot + 1) & mask;
      slots_[slot] = (hash & kTagMask) | (index + 1);
    }
    if (next < count) {
      const std::uint64_t hash = HashPath(entries_[next].first);
      hashes[next % kAhead] = hash;
      Prefetch(&slots_[hash & mask]);
    }
  }
}

const FileEntry* FileIndex::Find(std::string_view path) const {
  if (slots_.empty()) return nullptr;
  const std::uint64_t hash = HashPath(path);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const std::uint64_t value = slots_[slot];
    if (value == 0) return nullptr;
    if ((value & kTagMask) == (hash & kTagMask)) {
      const value_type& entry = entries_[(value & ~kTagMask) - 1];
      if (entry.first == path) return &entry.second;
    }
  }
}

}  // namespace corvane
