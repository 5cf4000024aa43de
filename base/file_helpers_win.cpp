#include "base/file_helpers_win.h"

#include <knownfolders.h>
#include <objbase.h>
#include <pathcch.h>
#include <shlobj.h>

#include <limits>
#include <memory>

#include "base/text_path.h"
#include "base/text_win.h"

namespace corvane {
namespace {

constexpr DWORD kLongestPath = 32767;

std::wstring ExtendedWide(const std::string& path) { return ToExtendedPath(ToWide(path)); }

}  // namespace

std::string CanonicalPath(const wchar_t* path) {
  // Heap buffer: the platform's longest path would crowd the stack.
  const auto canonical = std::make_unique<wchar_t[]>(kLongestPath);
  // Canonicalised in its plain form, "\\server\share\...". A module path is always absolute, yet
  // Wine 8 reports an executable started from a share as "UNC\server\share\..." (its NT path
  // less "\??\"), and its canonicaliser makes that of "\\?\UNC\server\share\..." too.
  std::wstring plain = StripExtendedPrefix(std::wstring(path));
  if (plain.starts_with(L"UNC\\")) plain.replace(0, 3, L"\\");
  PathCchCanonicalizeEx(canonical.get(), kLongestPath, plain.c_str(), PATHCCH_ALLOW_LONG_PATHS);
  return ToUtf8(StripExtendedPrefix(std::wstring(canonical.get())));
}

const std::string& GetExecutablePath() {
  static std::string cache;
  if (cache.empty()) {
    const auto module = std::make_unique<wchar_t[]>(kLongestPath);
    GetModuleFileNameW(nullptr, module.get(), kLongestPath);
    cache = CanonicalPath(module.get());  // empty stays uncached, so a later call retries
  }
  return cache;
}

std::string GetKnownFolderPath(const GUID& folder) {
  PWSTR path = nullptr;
  std::string result;
  if (SUCCEEDED(SHGetKnownFolderPath(folder, 0, nullptr, &path)) && path != nullptr) {
    result = ToUtf8(StripExtendedPrefix(std::wstring(path)));
  }
  CoTaskMemFree(path);  // the platform may hand out a buffer even on failure
  return result;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesW(ExtendedWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::int64_t FileSize(const std::string& path) {
  // The attribute query reports the full 64-bit size; a 32-bit status field would turn files
  // of 2 GiB and more negative.
  const std::wstring wide = ExtendedWide(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return -1;
  DWORD attributes = data.dwFileAttributes, high = data.nFileSizeHigh, low = data.nFileSizeLow;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    // The query describes a symbolic link itself (size 0); opening it reaches its target.
    HANDLE file = CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    BY_HANDLE_FILE_INFORMATION target;
    const bool known = GetFileInformationByHandle(file, &target);
    CloseHandle(file);
    if (!known) return -1;
    attributes = target.dwFileAttributes;
    high = target.nFileSizeHigh;
    low = target.nFileSizeLow;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  return static_cast<std::int64_t>((std::uint64_t(high) << 32) | low);
}

bool SeekFile(std::FILE* stream, std::uint64_t offset, int origin) {
  if (offset > static_cast<std::uint64_t>(std::numeric_limits<__int64>::max())) return false;
  return _fseeki64(stream, static_cast<__int64>(offset), origin) == 0;
}

std::string ExecutableFolder() {
  const std::string& path = GetExecutablePath();
  const std::size_t backslash = path.rfind('\\');
  return backslash == std::string::npos ? path : path.substr(0, backslash + 1);
}

}  // namespace corvane
