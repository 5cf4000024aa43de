// Linked only into the installer test build of the shell. Watches, from inside the process, the
// messages the UI thread's windows receive, so a scenario can see the progress window and every
// position its bar was given (a poll from outside would miss the last one: the window closes
// right after the bar reaches its end).
//
// CORVANE_INSTALLER_OBSERVER_LOG names the log; without it nothing is watched. One line per
// event, tab-separated key=value fields (texts escaped as in the test runtime's log):
//   window-created  class caption style exstyle x y width height parent
//   bar-range       low high          bar-step  step
//   bar-position    position cross-thread(1 when sent from another thread)
//   window-destroyed class
//
// CORVANE_INSTALLER_OBSERVER_CLOSE_AT=<position> plays the user who closes the progress window:
// once the bar is given a position at or above it, WM_CLOSE is posted to the bar's window, as
// the system menu's Close would (logged as close-posted).
//
// CORVANE_INSTALLER_OBSERVER_TAMPER=<folder> plays another program that tries to change the
// checked download before it runs: when the progress window is destroyed (the download has been
// checked by then), each Webview2Setup-*.exe in the folder is opened for writing, renamed and
// deleted, and the results are logged as
//   tamper  file write rename delete   (1 where the attempt succeeded)

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "../common/log_text.h"

namespace {

FILE* g_log = nullptr;
HHOOK g_hook = nullptr;
int g_closeAt = -1;  // no closing unless asked for
std::wstring g_tamperFolder;

std::string Utf8(const wchar_t* text) {
  return text ? corvane::test_log::Utf8(text) : std::string();
}
std::string Field(const wchar_t* text) { return corvane::test_log::EscapeField(Utf8(text)); }

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

void Write(const std::string& line) {
  std::fputs((line + "\n").c_str(), g_log);
  std::fflush(g_log);
}

std::wstring Variable(const wchar_t* name) {
  wchar_t value[MAX_PATH * 4] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH * 4);
  return length > 0 && length < MAX_PATH * 4 ? std::wstring(value, length) : std::wstring();
}

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
    Write("tamper\tfile=" + Field(found.cFileName) + "\twrite=" + (wrote ? "1" : "0") +
          "\trename=" + (renamed ? "1" : "0") + "\tdelete=" + (deleted ? "1" : "0"));
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const std::wstring windowClass = ClassOf(message->hwnd);
    const bool ours = windowClass == L"WebView2Setup" || windowClass == PROGRESS_CLASSW;
    if (ours && message->message == WM_CREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(message->lParam);
      Write("window-created\tclass=" + Utf8(windowClass.c_str()) +
            "\tcaption=" + Field(create->lpszName) + "\tstyle=" + std::to_string(create->style) +
            "\texstyle=" + std::to_string(create->dwExStyle) + "\tx=" + std::to_string(create->x) +
            "\ty=" + std::to_string(create->y) + "\twidth=" + std::to_string(create->cx) +
            "\theight=" + std::to_string(create->cy) +
            "\tparent=" + Utf8(create->hwndParent ? ClassOf(create->hwndParent).c_str() : L""));
    } else if (ours && message->message == WM_DESTROY) {
      Write("window-destroyed\tclass=" + Utf8(windowClass.c_str()));
      if (!g_tamperFolder.empty() && windowClass == L"WebView2Setup") Tamper();
    } else if (windowClass == PROGRESS_CLASSW && message->message == PBM_SETRANGE) {
      Write("bar-range\tlow=" + std::to_string(LOWORD(message->lParam)) +
            "\thigh=" + std::to_string(HIWORD(message->lParam)));
    } else if (windowClass == PROGRESS_CLASSW && message->message == PBM_SETSTEP) {
      Write("bar-step\tstep=" + std::to_string(message->wParam));
    } else if (windowClass == PROGRESS_CLASSW && message->message == PBM_SETPOS) {
      const int position = static_cast<int>(message->wParam);
      Write("bar-position\tposition=" + std::to_string(position) +
            "\tcross-thread=" + (InSendMessage() ? "1" : "0"));
      if (g_closeAt >= 0 && position >= g_closeAt) {
        g_closeAt = -1;
        PostMessageW(GetParent(message->hwnd), WM_CLOSE, 0, 0);
        Write("close-posted");
      }
    }
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

// Installed before the program's entry point runs, on the thread that becomes the UI thread.
struct Observer {
  Observer() {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length =
        GetEnvironmentVariableW(L"CORVANE_INSTALLER_OBSERVER_LOG", path, MAX_PATH * 4);
    if (length == 0 || length >= MAX_PATH * 4) return;
    g_log = _wfopen(path, L"ab");
    if (g_log == nullptr) return;
    wchar_t closeAt[32] = {};
    if (GetEnvironmentVariableW(L"CORVANE_INSTALLER_OBSERVER_CLOSE_AT", closeAt, 32) - 1u < 31u) {
      g_closeAt = _wtoi(closeAt);
    }
    g_tamperFolder = Variable(L"CORVANE_INSTALLER_OBSERVER_TAMPER");
    g_hook = SetWindowsHookExW(WH_CALLWNDPROC, Watch, nullptr, GetCurrentThreadId());
    Write(g_hook ? "observer-ready" : "observer-failed");
  }
} g_observer;

}  // namespace
