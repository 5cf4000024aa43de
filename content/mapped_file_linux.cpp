#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

#include "content/mapped_file.h"

namespace corvane {
namespace {

void* DescriptorAsHandle(int fd) { return reinterpret_cast<void*>(std::intptr_t(fd)); }
int HandleAsDescriptor(void* handle) { return int(reinterpret_cast<std::intptr_t>(handle)); }

}  // namespace

std::optional<MappedFile> MapWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  // Only regular files can be mapped; the length is fixed now, whatever happens to the file later.
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0 ||
      std::uint64_t(status.st_size) > SIZE_MAX) {
    ::close(fd);
    return std::nullopt;
  }
  const std::size_t length = std::size_t(status.st_size);
  void* view = ::mmap(nullptr, length, PROT_READ, MAP_SHARED, fd, 0);
  if (view == MAP_FAILED) {
    ::close(fd);
    return std::nullopt;
  }
  MappedFile file;
  file.fileHandle = DescriptorAsHandle(fd);
  file.view = static_cast<const std::uint8_t*>(view);
  file.length = length;
  return file;
}

bool PathStillNamesMappedFile(const MappedFile& file, const std::string& path) {
  struct stat named {
  }, mapped{};
  return ::stat(path.c_str(), &named) == 0 &&
         ::fstat(HandleAsDescriptor(file.fileHandle), &mapped) == 0 &&
         named.st_dev == mapped.st_dev && named.st_ino == mapped.st_ino;
}

void UnmapFile(MappedFile& file) {
  if (file.view) ::munmap(const_cast<std::uint8_t*>(file.view), std::size_t(file.length));
  if (file.view) ::close(HandleAsDescriptor(file.fileHandle));
  file = MappedFile{};
}

}  // namespace corvane
