#include <sys/stat.h>
#include <unistd.h>

#include <limits>
#include <string>
#include <vector>

#include "base/file_helpers.h"

namespace corvane {

const std::string& GetExecutablePath() {
  static std::string cache;
  if (cache.empty()) {
    std::vector<char> buffer(4096);
    for (;;) {
      const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
      if (length < 0) break;
      if (static_cast<std::size_t>(length) < buffer.size()) {
        cache.assign(buffer.data(), static_cast<std::size_t>(length));
        break;
      }
      buffer.resize(buffer.size() * 2);  // the link may have been cut short; try a larger buffer
    }
  }
  return cache;
}

bool FileExists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

std::int64_t FileSize(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return -1;
  if (S_ISDIR(status.st_mode)) return 0;
  return static_cast<std::int64_t>(status.st_size);
}

bool SeekFile(std::FILE* stream, std::uint64_t offset, int origin) {
  static_assert(sizeof(off_t) == 8, "large file offsets are required");
  if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return false;
  return fseeko(stream, static_cast<off_t>(offset), origin) == 0;
}

std::string ExecutableFolder() {
  const std::string& path = GetExecutablePath();
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(0, slash + 1);
}

}  // namespace corvane
