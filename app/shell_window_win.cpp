#include "app/shell_window_win.h"

#include "app/gdiplus_win.h"
#include "base/dpi_win.h"
#include "base/file_helpers_win.h"
#include "base/text_path.h"
#include "base/text_win.h"
#include "webview2/lumo_webview_win.h"

namespace corvane {
namespace {

// The keyboard's way into the window menu (Alt, F10, Alt+Space, Alt with a mnemonic): the whole
// wParam is SC_KEYMENU and lParam carries at most a character in its low word.
bool IsKeyboardMenuActivation(WPARAM wParam, LPARAM lParam) {
  return wParam == SC_KEYMENU && (lParam & ~LPARAM(0xFFFF)) <= 0;
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* host = reinterpret_cast<LumoWebView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(host ? host->quitCode() : 0);
      return 0;
    case WM_NCDESTROY:
      AttachHost(window, nullptr);
      break;
    case WM_MOVE:
    case WM_MOVING:
      if (host) host->OnWindowMoved();
      return 0;
    case WM_SIZE:
      if (host) host->OnWindowResized(wParam == SIZE_MINIMIZED);
      return 0;
    case WM_SETFOCUS:
      // An activated window takes the focus itself, not the child that had it: without this the
      // page would hear no keys after Alt+Tab, a restore or a message box until clicked.
      if (host) host->OnWindowFocused();
      return 0;
    case WM_QUERYENDSESSION:
      if (host) host->OnSessionEndAsked();
      break;
    case WM_ENDSESSION:
      // When it ends, Windows may end the process as soon as this returns, without the teardown
      // after the message loop; unless only this app is asked to close.
      if (host) host->OnSessionEndDecided(wParam != FALSE, (lParam & ENDSESSION_CLOSEAPP) != 0);
      return 0;
    case WM_SYSCOMMAND:
      // Swallowed so that Alt alone does not park the keyboard in a menu the app never shows;
      // the mouse still opens the window menu.
      if (IsKeyboardMenuActivation(wParam, lParam)) return 0;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void AttachHost(HWND window, LumoWebView* host) {
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
}

bool RegisterMainWindowClass(HINSTANCE instance, HICON icon) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hIconSm = icon;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kMainWindowClassName;
  return RegisterClassExW(&windowClass) != 0;
}

DWORD MainWindowStyle(bool resizable) {
  return resizable ? WS_OVERLAPPEDWINDOW
                   : (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
}

HWND CreateMainWindow(HINSTANCE instance, const AppConfig& config, const std::wstring& title) {
  const DWORD style = MainWindowStyle(config.resizable);
  const SIZE outer =
      OuterSizeForClient(UsableWindowLength(config.width, kDefaultWindowWidth),
                         UsableWindowLength(config.height, kDefaultWindowHeight), style, 0);
  return CreateWindowExW(0, kMainWindowClassName, title.c_str(), style, CW_USEDEFAULT,
                         CW_USEDEFAULT, outer.cx, outer.cy, nullptr, nullptr, instance, nullptr);
}

HICON LoadIconFromFile(const std::string& path) {
  using namespace Gdiplus::DllExports;
  // The path holds the author's text: "." and ".." are resolved first, as the extended-length
  // form takes them for names.
  const std::string resolved = CanonicalPath(ToExtendedPath(ToWide(path)).c_str());
  const std::wstring widePath = ToExtendedPath(ToWide(resolved.empty() ? path : resolved));
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (GdipCreateBitmapFromFile(widePath.c_str(), &bitmap) != Gdiplus::Ok || !bitmap) {
    return nullptr;
  }
  HICON icon = nullptr;
  const Gdiplus::GpStatus status = GdipCreateHICONFromBitmap(bitmap, &icon);
  GdipDisposeImage(bitmap);
  return status == Gdiplus::Ok ? icon : nullptr;
}

}  // namespace corvane
