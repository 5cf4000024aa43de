#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "tools/pack/pack_io.h"

namespace corvane::pack {

namespace fs = std::filesystem;

std::FILE* OpenFile(const fs::path& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool IsLink(const fs::path& path) {
  std::error_code ignored;
  return fs::is_symlink(fs::symlink_status(path, ignored));
}

std::uint64_t KernelCopy(std::FILE* in, std::FILE* out, std::uint64_t size) {
  if (std::fflush(out) != 0) return 0;
  const int from = fileno(in);
  const int to = fileno(out);
  std::uint64_t moved = 0;
  bool useSendfile = false;
  while (moved < size) {
    // Pieces of at most 1 GiB: a single call moves less than 2 GiB on Linux anyway.
    const std::size_t piece =
        static_cast<std::size_t>(std::min<std::uint64_t>(size - moved, 1 << 30));
    ssize_t done = -1;
    if (!useSendfile) {
      done = copy_file_range(from, nullptr, to, nullptr, piece, 0);
      // Older kernels or file systems that cannot copy between these files say so at once.
      if (done < 0 && moved == 0 &&
          (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
           errno == EBADF)) {
        useSendfile = true;
        continue;
      }
    } else {
      done = sendfile(to, from, nullptr, piece);
    }
    if (done <= 0) break;
    moved += static_cast<std::uint64_t>(done);
  }
  // The calls moved both descriptors' offsets behind the streams' backs; seeking makes the
  // streams start over from there.
  fseeko(in, static_cast<off_t>(moved), SEEK_SET);
  fseeko(out, 0, SEEK_END);
  return moved;
}

std::optional<FileIdentity> IdentityOf(std::FILE* file) {
  struct stat status;
  if (fstat(fileno(file), &status) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                      static_cast<std::uint64_t>(status.st_ino)};
}

void UseBinaryConsole() {}  // every stream is binary here

bool StderrIsTerminal() { return isatty(STDERR_FILENO) != 0; }

bool FlushToDisk(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

void RenameOver(const fs::path& from, const fs::path& to, std::error_code& error) {
  fs::rename(from, to, error);
}

namespace internal {

int CurrentProcessId() { return static_cast<int>(getpid()); }

std::optional<std::string> PlatformUnsafePathReason(std::string_view) { return std::nullopt; }

}  // namespace internal
}  // namespace corvane::pack
