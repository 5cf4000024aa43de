#pragma once
// The small window that shows the bootstrapper download: a caption and one progress bar.

#include <windows.h>

#include <string>

namespace corvane {

inline constexpr wchar_t kInstallerWindowClass[] = L"WebView2Setup";

// Destroying the window ends the installer's message loop (quit code 0).
LRESULT CALLBACK InstallerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers kInstallerWindowClass with `icon` as large and small icon. False when it fails.
bool RegisterInstallerWindowClass(HINSTANCE instance, HICON icon);

// Creates the visible window, 300 by 90 (96-DPI units) centred on the primary screen.
// Null when it fails.
HWND CreateInstallerWindow(HINSTANCE instance, const std::wstring& caption);

// Fills the window's client area, 10 (96-DPI units) in from every side, with a 0..100 progress
// bar that steps by 1. May be null; the download then runs without a visible bar.
HWND CreateInstallerProgressBar(HINSTANCE instance, HWND window);

}  // namespace corvane
