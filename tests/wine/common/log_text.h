#pragma once
// The log format of the Wine test programs: one event a line, then tab-separated key=value
// fields, UTF-8, with backslash, tab, line feed and carriage return escaped.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::test_log {

inline std::string Utf8(std::wstring_view text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

inline std::string Escape(std::string_view text) {
  static constexpr std::string_view kPlain = "\\\t\n\r", kEscaped = "\\tnr";
  std::string out;
  for (char c : text) {
    const std::size_t at = kPlain.find(c);
    out += at == std::string_view::npos ? std::string(1, c) : std::string{'\\', kEscaped[at]};
  }
  return out;
}

// "0x%08X": HRESULTs, styles, and window handles, which several programs log alike.
inline std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}
inline std::string Hex(HWND window) {
  return Hex(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)));
}

struct Field {
  std::string key;
  std::string value;
};

inline std::string Line(std::string_view event, const std::vector<Field>& fields) {
  std::string line = Escape(event);
  for (const Field& field : fields) line += "\t" + Escape(field.key) + "=" + Escape(field.value);
  return line + "\n";
}

// Opens, appends and closes each time, sharing the file with a process that keeps it open.
inline void AppendLine(const std::wstring& path, std::string_view line) {
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

// An environment variable's value; empty when unset or too long.
inline std::wstring Variable(const wchar_t* name) {
  wchar_t value[32768];
  const DWORD length = GetEnvironmentVariableW(name, value, 32768);
  return length < 32768 ? std::wstring(value, length) : std::wstring();
}

}  // namespace corvane::test_log
