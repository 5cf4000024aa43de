#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <windows.h>

#include "base/text_path.h"
#include "tools/pack/pack_io.h"

namespace corvane::pack {

namespace fs = std::filesystem;

namespace {

// The extended form lifts the 260-character limit; it needs an absolute, normalised path.
std::wstring ExtendedWide(const fs::path& path) {
  return ToExtendedPath(fs::absolute(path).lexically_normal().wstring());
}

}  // namespace

std::FILE* OpenFile(const fs::path& path, const char* mode) {
  const std::wstring wide = ExtendedWide(path);
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(wide.c_str(), wideMode.c_str());
}

bool IsLink(const fs::path& path) {
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
}

// No copy inside the kernel here; the caller's buffer moves everything.
std::uint64_t KernelCopy(std::FILE*, std::FILE*, std::uint64_t) { return 0; }

std::optional<FileIdentity> IdentityOf(std::FILE* file) {
  BY_HANDLE_FILE_INFORMATION info;
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &info))
    return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

void UseBinaryConsole() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

bool FlushToDisk(std::FILE* file) { return std::fflush(file) == 0 && _commit(_fileno(file)) == 0; }

void RenameOver(const fs::path& from, const fs::path& to, std::error_code& error) {
  if (MoveFileExW(ExtendedWide(from).c_str(), ExtendedWide(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error.clear();
  } else {
    error = std::error_code(static_cast<int>(GetLastError()), std::system_category());
  }
}

namespace internal {

int CurrentProcessId() { return _getpid(); }

std::optional<std::string> PlatformUnsafePathReason(std::string_view path) {
  // Past a drive letter (refused before this is asked), a colon in a Windows name selects an
  // alternate data stream.
  if (path.find(':') != std::string_view::npos) return "colon in path";
  return std::nullopt;
}

}  // namespace internal
}  // namespace corvane::pack
