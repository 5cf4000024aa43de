#include "tools/pack/pack_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <limits>

#include "base/text_path.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace corvane::pack {

namespace fs = std::filesystem;

fs::path PathFromUtf8(std::string_view utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string PathToUtf8(const fs::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

std::string Printable(std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  std::string escaped;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      escaped += "\\x";
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 15];
    } else {
      escaped += c;
    }
  }
  return SanitizeUtf8(escaped);
}

#ifdef _WIN32
namespace {

// The extended form lifts the 260-character limit; it needs an absolute, normalised path.
std::wstring ExtendedWide(const fs::path& path) {
  return ToExtendedPath(fs::absolute(path).lexically_normal().wstring());
}

}  // namespace
#endif

std::FILE* OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
  const std::wstring wide = ExtendedWide(path);
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(wide.c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

bool IsLink(const fs::path& path) {
#ifdef _WIN32
  // The standard library here reads every link as what it leads to. Symbolic links and junctions
  // carry their own reparse tags; other reparse points (cloud placeholders) are plain files.
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileExW(ExtendedWide(path).c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
         (found.dwReserved0 == IO_REPARSE_TAG_SYMLINK ||
          found.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT);
#else
  std::error_code ignored;
  return fs::is_symlink(fs::symlink_status(path, ignored));
#endif
}

std::uint64_t KernelCopy(std::FILE* in, std::FILE* out, std::uint64_t size) {
#ifdef _WIN32
  (void)in;
  (void)out;
  (void)size;
  return 0;
#else
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
#endif
}

std::optional<FileIdentity> IdentityOf(std::FILE* file) {
#ifdef _WIN32
  BY_HANDLE_FILE_INFORMATION info;
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &info))
    return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
#else
  struct stat status;
  if (fstat(fileno(file), &status) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                      static_cast<std::uint64_t>(status.st_ino)};
#endif
}

void UseBinaryConsole() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
}

bool StderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

void RenameOver(const fs::path& from, const fs::path& to, std::error_code& error) {
#ifdef _WIN32
  const std::wstring source = ToExtendedPath(fs::absolute(from).lexically_normal().wstring());
  const std::wstring target = ToExtendedPath(fs::absolute(to).lexically_normal().wstring());
  if (MoveFileExW(source.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error.clear();
  } else {
    error = std::error_code(static_cast<int>(GetLastError()), std::system_category());
  }
#else
  fs::rename(from, to, error);
#endif
}

fs::path TemporaryPrefix(const fs::path& path) {
  // The target's own name keeps a left-over recognisable, unless with the additions it would pass
  // the 255 units a file name may have: then a hash of it stands in.
  const fs::path::string_type own = path.filename().native();
  fs::path prefix = ".";
  if (own.size() <= 200) {
    prefix += own;
  } else {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(std::hash<fs::path::string_type>{}(own)));
    prefix += hash;
  }
  prefix += ".partial-";
  return prefix;
}

fs::path TemporarySibling(const fs::path& path) {
#ifdef _WIN32
  const int id = _getpid();
#else
  const int id = static_cast<int>(getpid());
#endif
  fs::path name = TemporaryPrefix(path);
  name += std::to_string(id);
  return path.parent_path() / name;
}

std::optional<std::string> UnsafePathReason(std::string_view path) {
  if (path.empty()) return "empty path";
  if (path.find('\0') != std::string_view::npos) return "zero byte in path";
  if (path.find('\\') != std::string_view::npos) return "backslash in path";
  if (path.front() == '/') return "absolute path";
  const bool letter = (path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z');
  if (path.size() >= 2 && letter && path[1] == ':') return "drive letter in path";
#ifdef _WIN32
  // Elsewhere in a Windows name a colon selects an alternate data stream.
  if (path.find(':') != std::string_view::npos) return "colon in path";
#endif
  if (SanitizeUtf8(path) != path) return "path is not valid UTF-8";
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = path.find('/', start);
    const std::string_view segment = path.substr(start, slash - start);
    if (segment.empty()) return "empty segment in path";
    if (segment == "." || segment == "..") return "dot segment in path";
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  return std::nullopt;
}

}  // namespace corvane::pack
