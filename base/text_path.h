#pragma once
// Text and path rules shared by every subsystem: UTF-8 inside, UTF-16 at platform calls, and
// every file path handed to the file system in extended-length form.

#include <string>
#include <string_view>

namespace corvane {

// UTF-8 <-> UTF-16 with the platform converter's semantics: invalid sequences become U+FFFD,
// embedded zero characters are converted like any other.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Replaces every byte sequence that is not valid UTF-8 with U+FFFD.
std::string SanitizeUtf8(std::string_view text);

constexpr bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Writes the UTF-8 form of `code` (at most U+10FFFF) to `out`, which has room for 4 bytes, and
// returns how many bytes it took.
std::size_t EncodeUtf8(char32_t code, char* out);

template <class Char>
inline constexpr Char kExtendedPrefix[] = {'\\', '\\', '?', '\\', 0};
template <class Char>
inline constexpr Char kExtendedUncPrefix[] = {'\\', '\\', '?', '\\', 'U', 'N', 'C', '\\', 0};

// Adds the extended-length prefix to paths of 4 or more characters that lack it, and turns every
// "/" into "\". A network path "\\server\share\x" becomes "\\?\UNC\server\share\x", the only
// extended form the file system accepts for it. Shorter paths only get their slashes turned.
template <class String>
String ToExtendedPath(const String& path) {
  using Char = typename String::value_type;
  using View = std::basic_string_view<Char>;
  const View prefix(kExtendedPrefix<Char>, 4);
  String result;
  result.reserve(path.size() + 8);
  for (Char c : path) result.push_back(c == Char('/') ? Char('\\') : c);
  if (path.size() < 4 || View(path).substr(0, 4) == prefix) return result;
  // "\\?" and "\\." begin device paths, not network ones.
  if (result[0] == Char('\\') && result[1] == Char('\\') && result[2] != Char('?') &&
      result[2] != Char('.')) {
    return String(kExtendedUncPrefix<Char>) + result.substr(2);
  }
  return String(prefix) + result;
}

// The inverse of ToExtendedPath's prefix: "\\?\UNC\server\share" gives "\\server\share" back,
// "\\?\C:\x" gives "C:\x"; any other path is returned as it is.
template <class String>
String StripExtendedPrefix(const String& path) {
  using Char = typename String::value_type;
  using View = std::basic_string_view<Char>;
  const View unc(kExtendedUncPrefix<Char>, 8);
  if (path.size() >= 8 && View(path).substr(0, 8) == unc) {
    return String(2, Char('\\')) + path.substr(8);
  }
  const View prefix(kExtendedPrefix<Char>, 4);
  if (path.size() >= 4 && View(path).substr(0, 4) == prefix) return path.substr(4);
  return path;
}

}  // namespace corvane
