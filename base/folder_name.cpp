#include "base/folder_name.h"

#include <array>
#include <string>

#include "base/ascii.h"
#include "base/text_path.h"

namespace corvane {
namespace {

constexpr std::size_t kMaxNameUnits = 255;  // UTF-16 units in one path component

bool IsForbiddenByte(unsigned char c) {
  constexpr std::string_view kForbidden = "/\\:*?\"<>|";
  return c < 0x20 || c == 0x7F || kForbidden.find(char(c)) != std::string_view::npos;
}

// Windows maps these names to devices whatever follows the first dot.
bool IsReservedDeviceName(std::string_view name) {
  std::string stem = AsciiLowered(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  static constexpr std::array<std::string_view, 4> kDevices = {"con", "prn", "aux", "nul"};
  for (std::string_view device : kDevices) {
    if (stem == device) return true;
  }
  if (!stem.starts_with("com") && !stem.starts_with("lpt")) return false;
  // The port number: a digit 1-9, or the superscripts 1, 2 and 3 (UTF-8), which name ports too.
  const std::string_view number = std::string_view(stem).substr(3);
  return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xC2\xB9" ||
         number == "\xC2\xB2" || number == "\xC2\xB3";
}

}  // namespace

bool IsUsableFolderName(std::string_view name) {
  if (name.find_first_not_of(' ') == std::string_view::npos) return false;
  if (name == "." || name == "..") return false;
  for (char c : name) {
    if (IsForbiddenByte(static_cast<unsigned char>(c))) return false;
  }
  if (name.back() == '.' || name.back() == ' ') return false;
  if (IsReservedDeviceName(name)) return false;
  return Utf8ToUtf16(name).size() <= kMaxNameUnits;
}

}  // namespace corvane
