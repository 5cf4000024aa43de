#pragma once
// A read-only view of a whole disk file. Implemented per platform (mapped_file_win.cpp,
// mapped_file_linux.cpp).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace corvane {

struct MappedFile {
  void* fileHandle = nullptr;     // HANDLE on Windows; Linux keeps no descriptor open
  void* mappingHandle = nullptr;  // HANDLE of the mapping on Windows; unused on Linux
  const std::uint8_t* view = nullptr;
  std::uint64_t length = 0;  // bytes readable through view, fixed when mapped
  // Which file was mapped, where the view outlives its descriptor (Linux): device and inode.
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
};

// Maps the whole file read-only; none when it cannot be opened, is empty or cannot be mapped.
std::optional<MappedFile> MapWholeFile(const std::string& path);

// False once `path` no longer names the file `file` maps: another file was put under that name
// (replaced by rename, as editors and updaters do) or the name is gone.
bool PathStillNamesMappedFile(const MappedFile& file, const std::string& path);

// Unmaps the view and closes the handles.
void UnmapFile(MappedFile& file);

// A mapping with shared owners: the last one to let go unmaps it, on whatever thread that is.
using SharedMapping = std::shared_ptr<const MappedFile>;

// Maps the whole file as MapWholeFile does; null when it cannot.
SharedMapping MapWholeFileShared(const std::string& path);

}  // namespace corvane
