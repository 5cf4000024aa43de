// The runtime's log and the small text helpers everything else uses.

#include <cstdio>

#include "tests/wine/common/log_text.h"
#include "tests/wine/runtime/runtime.h"

namespace corvane::test_runtime {

namespace {

HANDLE g_log = INVALID_HANDLE_VALUE;

void WriteLine(std::string_view event, const Field* begin, const Field* end) {
  std::string line = test_log::EscapeField(event);
  for (const Field* f = begin; f != end; ++f) {
    line += '\t';
    line += test_log::EscapeField(f->key);
    line += '=';
    line += test_log::EscapeField(f->value);
  }
  line += '\n';
  if (g_log == INVALID_HANDLE_VALUE) {
    std::fputs(line.c_str(), stderr);
    return;
  }
  DWORD written = 0;
  // Unbuffered appends: a crash of the shell loses nothing that was logged before it.
  WriteFile(g_log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

std::string Utf8(std::wstring_view text) { return test_log::Utf8(text); }

std::string Utf8(const wchar_t* text) {
  if (!text) return "<null>";
  return Utf8(std::wstring_view(text));
}

std::wstring Wide(std::string_view text) {
  if (text.empty()) return {};
  int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

LPWSTR CoTaskCopy(std::wstring_view text) {
  auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  if (!copy) return nullptr;
  text.copy(copy, text.size());
  copy[text.size()] = L'\0';
  return copy;
}

std::string Hex32(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

std::string HexHr(HRESULT hr) { return Hex32(static_cast<std::uint32_t>(hr)); }

std::string RectText(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

bool WildcardMatch(std::wstring_view pattern, std::wstring_view text) {
  // '*' matches any run of characters; everything else matches itself exactly.
  std::size_t p = 0, t = 0, star = std::wstring_view::npos, mark = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == L'*') {
      star = p++;
      mark = t;
    } else if (p < pattern.size() && pattern[p] == text[t]) {
      ++p;
      ++t;
    } else if (star != std::wstring_view::npos) {
      p = star + 1;
      t = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

void OpenLog(const std::wstring& path) {
  if (g_log != INVALID_HANDLE_VALUE || path.empty()) return;
  g_log = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void Log(std::string_view event, std::initializer_list<Field> fields) {
  WriteLine(event, fields.begin(), fields.end());
}

void Log(std::string_view event, const std::vector<Field>& fields) {
  WriteLine(event, fields.data(), fields.data() + fields.size());
}

HRESULT UnexpectedCall(const char* method) {
  Log("unexpected-call", {{"method", method}});
  return E_NOTIMPL;
}

namespace {

// The centre pixel of `icon` drawn at 32x32 on black, as RRGGBB; empty without an icon.
std::string IconCentreColour(HICON icon) {
  if (!icon) return "";
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::string colour;
  if (bitmap) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    if (DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL)) {
      GdiFlush();
      const auto pixel = static_cast<const std::uint32_t*>(bits)[16 * 32 + 16];
      char text[8];
      std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(pixel & 0xFFFFFF));
      colour = text;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
  }
  DeleteDC(dc);
  return colour;
}

}  // namespace

void LogExeVersion() {
  wchar_t exe[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::vector<Field> fields;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe, &ignored);
  std::vector<unsigned char> data(size);
  if (size == 0 || !GetFileVersionInfoW(exe, 0, size, data.data())) {
    Log("exe-version", {{"present", "0"}});
    return;
  }
  fields.push_back({"present", "1"});
  for (const wchar_t* key : {L"ProductName", L"FileDescription", L"ProductVersion", L"FileVersion",
                             L"OriginalFilename"}) {
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
    wchar_t* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) {
      fields.push_back({Utf8(key), Utf8(value)});
    }
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    fields.push_back({"fixedFileVersion", std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                              std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                              std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                                              std::to_string(LOWORD(fixed->dwFileVersionLS))});
  }
  Log("exe-version", fields);
}

void LogWindowState(HWND window, std::string_view label) {
  if (!IsWindow(window)) {
    Log("window", {{"label", std::string(label)}, {"exists", "0"}});
    return;
  }
  wchar_t caption[1024] = L"";
  GetWindowTextW(window, caption, 1024);
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  wchar_t className[256] = L"";
  GetClassNameW(window, className, 256);
  auto classIcon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
  bool smallIcon = GetClassLongPtrW(window, GCLP_HICONSM) != 0;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  Log("window",
      {{"label", std::string(label)},
       {"exists", "1"},
       {"visible", IsWindowVisible(window) ? "1" : "0"},
       {"caption", Utf8(std::wstring_view(caption))},
       {"outer", RectText(outer)},
       {"client", std::to_string(client.right - client.left) + "," +
                      std::to_string(client.bottom - client.top)},
       {"style", Hex32(static_cast<std::uint32_t>(GetWindowLongW(window, GWL_STYLE)))},
       {"exstyle", Hex32(static_cast<std::uint32_t>(GetWindowLongW(window, GWL_EXSTYLE)))},
       {"monitor", RectText(monitor.rcMonitor)},
       {"class", Utf8(std::wstring_view(className))},
       {"icon", classIcon ? "1" : "0"},
       {"smallIcon", smallIcon ? "1" : "0"},
       {"iconColour", IconCentreColour(classIcon)}});
}

}  // namespace corvane::test_runtime
