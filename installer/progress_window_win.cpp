#include "installer/progress_window_win.h"

#include <commctrl.h>

#include "base/dpi_win.h"

namespace corvane {
namespace {

constexpr int kWindowWidth = 300;
constexpr int kWindowHeight = 90;
constexpr int kBarInset = 10;
constexpr DWORD kWindowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

}  // namespace

LRESULT CALLBACK InstallerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterInstallerWindowClass(HINSTANCE instance, HICON icon) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = InstallerWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hIconSm = icon;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1));
  windowClass.lpszClassName = kInstallerWindowClass;
  return RegisterClassExW(&windowClass) != 0;
}

HWND CreateInstallerWindow(HINSTANCE instance, const std::wstring& caption) {
  const int width = ScaleForDpi(kWindowWidth);
  const int height = ScaleForDpi(kWindowHeight);
  const int left = GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2;
  const int top = GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2;
  return CreateWindowExW(0, kInstallerWindowClass, caption.c_str(), kWindowStyle, left, top, width,
                         height, nullptr, nullptr, instance, nullptr);
}

HWND CreateInstallerProgressBar(HINSTANCE instance, HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const int inset = ScaleForDpi(kBarInset);
  HWND bar =
      CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, client.left + inset,
                      client.top + inset, (client.right - client.left) - 2 * inset,
                      (client.bottom - client.top) - 2 * inset, window, nullptr, instance, nullptr);
  SendMessageW(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendMessageW(bar, PBM_SETSTEP, 1, 0);
  return bar;
}

}  // namespace corvane
