#include <windows.h>

#include <algorithm>

#include "base/text_path.h"
#include "base/text_win.h"
#include "content/mapped_file.h"

namespace corvane {

std::optional<MappedFile> MapWholeFile(const std::string& path) {
  const std::wstring widePath = ToExtendedPath(ToWide(path));
  HANDLE file = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;

  LARGE_INTEGER sizeBefore{};
  HANDLE mapping = nullptr;
  const void* view = nullptr;
  if (GetFileSizeEx(file, &sizeBefore) && sizeBefore.QuadPart > 0) {
    mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  }
  if (mapping) view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);

  // The view covers the file as it was when the mapping was made. The file may have changed
  // between the size query and the mapping, so the recorded length is also bounded by the size
  // now (a file with a mapping cannot shrink below it) and by the view's own extent.
  LARGE_INTEGER sizeAfter{};
  MEMORY_BASIC_INFORMATION region{};
  if (!view || !GetFileSizeEx(file, &sizeAfter) ||
      VirtualQuery(view, &region, sizeof(region)) != sizeof(region)) {
    if (view) UnmapViewOfFile(view);
    if (mapping) CloseHandle(mapping);
    CloseHandle(file);
    return std::nullopt;
  }
  MappedFile mapped;
  mapped.fileHandle = file;
  mapped.mappingHandle = mapping;
  mapped.view = static_cast<const std::uint8_t*>(view);
  mapped.length = std::min({std::uint64_t(sizeBefore.QuadPart), std::uint64_t(sizeAfter.QuadPart),
                            std::uint64_t(region.RegionSize)});
  return mapped;
}

bool PathStillNamesMappedFile(const MappedFile&, const std::string&) {
  // The mapped file is held open without write or delete sharing: until it is unmapped, it can
  // be neither removed nor replaced under its name.
  return true;
}

void UnmapFile(MappedFile& file) {
  if (file.view) UnmapViewOfFile(file.view);
  if (file.mappingHandle) CloseHandle(file.mappingHandle);
  if (file.fileHandle) CloseHandle(file.fileHandle);
  file = MappedFile{};
}

}  // namespace corvane
