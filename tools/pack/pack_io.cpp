#include "tools/pack/pack_io.h"

#include <cstdio>
#include <functional>

#include "base/text_path.h"

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
  fs::path name = TemporaryPrefix(path);
  name += std::to_string(internal::CurrentProcessId());
  return path.parent_path() / name;
}

std::optional<std::string> UnsafePathReason(std::string_view path) {
  if (path.empty()) return "empty path";
  if (path.find('\0') != std::string_view::npos) return "zero byte in path";
  if (path.find('\\') != std::string_view::npos) return "backslash in path";
  if (path.front() == '/') return "absolute path";
  const bool letter = (path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z');
  if (path.size() >= 2 && letter && path[1] == ':') return "drive letter in path";
  if (auto reason = internal::PlatformUnsafePathReason(path)) return reason;
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
