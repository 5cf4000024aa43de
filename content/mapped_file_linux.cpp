#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

#include "content/mapped_file.h"

namespace corvane {

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
  // The view stays valid without the descriptor, and an app may read thousands of files.
  ::close(fd);
  if (view == MAP_FAILED) return std::nullopt;
  MappedFile file;
  file.view = static_cast<const std::uint8_t*>(view);
  file.length = length;
  file.device = std::uint64_t(status.st_dev);
  file.inode = std::uint64_t(status.st_ino);
  return file;
}

bool PathStillNamesMappedFile(const MappedFile& file, const std::string& path) {
  struct stat named {};
  return ::stat(path.c_str(), &named) == 0 && std::uint64_t(named.st_dev) == file.device &&
         std::uint64_t(named.st_ino) == file.inode;
}

void UnmapFile(MappedFile& file) {
  if (file.view) ::munmap(const_cast<std::uint8_t*>(file.view), std::size_t(file.length));
  file = MappedFile{};
}

}  // namespace corvane
