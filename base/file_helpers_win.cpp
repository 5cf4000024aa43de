#include "base/file_helpers_win.h"

#include <knownfolders.h>
#include <objbase.h>
#include <pathcch.h>
#include <shlobj.h>

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
  if (plain.rfind(L"UNC\\", 0) == 0) plain.replace(0, 3, L"\\");
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
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(ExtendedWide(path).c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  const std::uint64_t size = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return static_cast<std::int64_t>(size);
}

std::string ExecutableFolder() {
  const std::string& path = GetExecutablePath();
  const std::size_t backslash = path.rfind('\\');
  return backslash == std::string::npos ? path : path.substr(0, backslash + 1);
}

}  // namespace corvane
