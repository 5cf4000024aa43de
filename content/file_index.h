#pragma once
// The asset bundle's table of files: what the reader found for each path, and how it is found.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

struct FileEntry {
  std::uint64_t offset = 0;  // relative to the blob data
  std::uint64_t size = 0;
  std::uint64_t extra = 0;
};

// The directory's entries, iterated in path order (unsigned bytes) as `[path, entry]` pairs, and
// found through a hash table. A path is a view: into the bundle's own bytes in memory mode, into
// storage that the index shares with its copies in stream mode.
class FileIndex {
 public:
  using value_type = std::pair<std::string_view, FileEntry>;
  using const_iterator = std::vector<value_type>::const_iterator;

  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  void clear();

  // The entry of `path` (exact bytes), or null.
  const FileEntry* Find(std::string_view path) const;

 private:
  friend class AssetBundle;

  void Reserve(std::size_t count) { entries_.reserve(count); }
  // Adds the directory's next entry; the first entry of a path wins once Finish has run.
  void Add(std::string_view path, const FileEntry& entry);
  // Keeps a copy of `path` for as long as any copy of the index lives, and returns a view of it.
  std::string_view Keep(std::string path);
  // Orders the entries, drops later duplicates and builds the hash table.
  void Finish();

  std::vector<value_type> entries_;
  std::vector<std::uint64_t> slots_;  // 0 empty, else hash tag << 32 | (index into entries_ + 1)
  std::shared_ptr<std::deque<std::string>> ownedPaths_;
  bool ordered_ = true;  // entries_ so far strictly ascending: no sort or duplicates to resolve
};

}  // namespace corvane
