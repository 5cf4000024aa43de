// The runtime's log, its text helpers, and the states of the shell's window and executable.

#include <cstdio>

#include "tests/wine/common/log_text.h"
#include "tests/wine/runtime/runtime.h"

namespace corvane::test_runtime {

namespace {

// The centre pixel of `icon` drawn at 32x32 on black, as RRGGBB; empty without an icon.
std::string IconCentreColour(HICON icon) {
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB}};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  char colour[8] = "";
  if (bitmap) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    if (DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL)) {
      GdiFlush();
      const std::uint32_t pixel = static_cast<const std::uint32_t*>(bits)[16 * 32 + 16];
      std::snprintf(colour, sizeof colour, "%06X", static_cast<unsigned>(pixel & 0xFFFFFF));
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
  }
  DeleteDC(dc);
  return colour;
}

}  // namespace

std::string Utf8(const wchar_t* text) { return text ? Utf8(std::wstring_view(text)) : "<null>"; }

std::wstring Wide(std::string_view text) {
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

LPWSTR CoTaskCopy(std::wstring_view text) {
  auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  if (copy) copy[text.copy(copy, text.size())] = L'\0';
  return copy;
}

std::string HexBytes(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string RectText(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

// Each line appended on its own: a crash of the shell loses nothing that was logged before it.
void Log(std::string_view event, const std::vector<Field>& fields) {
  static const std::wstring path = test_log::Variable(L"CORVANE_TEST_LOG");
  test_log::AppendLine(path, test_log::Line(event, fields));
}

HRESULT UnexpectedCall(const char* method) {
  Log("unexpected-call", {{"method", method}});
  return E_NOTIMPL;
}

HRESULT Props::AddHandler(const char* method, IUnknown* handler, EventRegistrationToken* token) {
  static INT64 next = 100;
  token->value = ++next;
  handlers_[Name(method)].emplace_back(handler);
  Log("register", {{"event", Name(method)}});
  return S_OK;
}

void LogExeVersion() {
  wchar_t exe[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe, &ignored);
  std::vector<unsigned char> data(size);
  if (size == 0 || !GetFileVersionInfoW(exe, 0, size, data.data())) return;
  std::vector<Field> fields;
  void* value = nullptr;
  UINT length = 0;
  for (const wchar_t* key : {L"ProductName", L"FileDescription", L"ProductVersion", L"FileVersion",
                             L"OriginalFilename"}) {
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
    if (VerQueryValueW(data.data(), query.c_str(), &value, &length)) {
      fields.push_back({Utf8(key), Utf8(static_cast<const wchar_t*>(value))});
    }
  }
  if (VerQueryValueW(data.data(), L"\\", &value, &length) && value) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    char version[32];
    std::snprintf(version, sizeof version, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                  LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                  LOWORD(fixed->dwFileVersionLS));
    fields.push_back({"fixedFileVersion", version});
  }
  Log("exe-version", fields);
}

void LogWindowState(HWND window, std::string_view label) {
  if (!IsWindow(window)) {
    Log("window", {{"label", std::string(label)}, {"exists", "0"}});
    return;
  }
  wchar_t caption[1024] = L"", className[256] = L"";
  GetWindowTextW(window, caption, 1024);
  GetClassNameW(window, className, 256);
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  auto classIcon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  Log("window", {{"label", std::string(label)},
                 {"exists", "1"},
                 {"visible", IsWindowVisible(window) ? "1" : "0"},
                 {"caption", Utf8(caption)},
                 {"outer", RectText(outer)},
                 {"client", std::to_string(client.right) + "," + std::to_string(client.bottom)},
                 {"style", Hex(GetWindowLongW(window, GWL_STYLE))},
                 {"exstyle", Hex(GetWindowLongW(window, GWL_EXSTYLE))},
                 {"monitor", RectText(monitor.rcMonitor)},
                 {"class", Utf8(className)},
                 {"icon", classIcon ? "1" : "0"},
                 {"smallIcon", GetClassLongPtrW(window, GCLP_HICONSM) ? "1" : "0"},
                 {"iconColour", IconCentreColour(classIcon)}});
}

}  // namespace corvane::test_runtime
