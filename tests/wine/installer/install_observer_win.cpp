// Linked into the installer test build of the shell: logs, from inside the process, the progress
// window's messages to CORVANE_INSTALLER_OBSERVER_LOG (a poll from outside would miss the bar's
// last position: the window closes right after it).
// CORVANE_INSTALLER_OBSERVER_CLOSE_AT=<position>: the user closes the progress window once the bar
// reaches it. CORVANE_INSTALLER_OBSERVER_TAMPER=<folder>: another program tries to change the
// checked download (each Webview2Setup-*.exe there) once the progress window is gone.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "../common/log_text.h"

namespace {

using corvane::test_log::Utf8;

std::wstring g_log;
HHOOK g_hook = nullptr;
int g_closeAt = -1;  // no closing unless asked for
std::wstring g_tamperFolder;

std::string ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return Utf8(name);
}

void Write(const char* event, const std::vector<corvane::test_log::Field>& fields = {}) {
  corvane::test_log::AppendLine(g_log, corvane::test_log::Line(event, fields));
}

std::string Flag(bool value) { return value ? "1" : "0"; }

void Tamper() {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((g_tamperFolder + L"\\Webview2Setup-*.exe").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring path = g_tamperFolder + L"\\" + found.cFileName;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    const bool wrote = file != INVALID_HANDLE_VALUE;
    if (wrote) CloseHandle(file);
    const bool renamed = MoveFileW(path.c_str(), (path + L".moved").c_str());
    const bool deleted = DeleteFileW((renamed ? path + L".moved" : path).c_str());
    Write("tamper", {{"file", Utf8(found.cFileName)},
                     {"write", Flag(wrote)},
                     {"rename", Flag(renamed)},
                     {"delete", Flag(deleted)}});
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  const std::string windowClass = code == HC_ACTION ? ClassOf(message->hwnd) : "";
  const bool bar = windowClass == "msctls_progress32";
  if ((bar || windowClass == "WebView2Setup") && message->message == WM_CREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(message->lParam);
    Write("window-created", {{"class", windowClass},
                             {"caption", Utf8(create->lpszName ? create->lpszName : L"")},
                             {"style", std::to_string(create->style)},
                             {"exstyle", std::to_string(create->dwExStyle)},
                             {"x", std::to_string(create->x)},
                             {"y", std::to_string(create->y)},
                             {"width", std::to_string(create->cx)},
                             {"height", std::to_string(create->cy)},
                             {"parent", create->hwndParent ? ClassOf(create->hwndParent) : ""}});
  } else if ((bar || windowClass == "WebView2Setup") && message->message == WM_DESTROY) {
    Write("window-destroyed", {{"class", windowClass}});
    if (!g_tamperFolder.empty() && !bar) Tamper();
  } else if (bar && message->message == PBM_SETRANGE) {
    Write("bar-range", {{"low", std::to_string(LOWORD(message->lParam))},
                        {"high", std::to_string(HIWORD(message->lParam))}});
  } else if (bar && message->message == PBM_SETPOS) {
    const int position = static_cast<int>(message->wParam);
    Write("bar-position", {{"position", std::to_string(position)}});
    if (g_closeAt >= 0 && position >= g_closeAt) {
      g_closeAt = -1;
      PostMessageW(GetParent(message->hwnd), WM_CLOSE, 0, 0);
      Write("close-posted");
    }
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

// Installed before the program's entry point runs, on the thread that becomes the UI thread.
struct Observer {
  Observer() {
    g_log = corvane::test_log::Variable(L"CORVANE_INSTALLER_OBSERVER_LOG");
    if (g_log.empty()) return;
    const std::wstring closeAt =
        corvane::test_log::Variable(L"CORVANE_INSTALLER_OBSERVER_CLOSE_AT");
    if (!closeAt.empty()) g_closeAt = _wtoi(closeAt.c_str());
    g_tamperFolder = corvane::test_log::Variable(L"CORVANE_INSTALLER_OBSERVER_TAMPER");
    g_hook = SetWindowsHookExW(WH_CALLWNDPROC, Watch, nullptr, GetCurrentThreadId());
  }
} g_observer;

}  // namespace
