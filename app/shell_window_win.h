#pragma once
// The main window: its class, its procedure, its creation and its icon.

#include <windows.h>

#include <string>

#include "base/app_config.h"

namespace corvane {

class LumoWebView;

inline constexpr wchar_t kMainWindowClassName[] = L"WindowsCorvane";

// Reaches the web view host through the window's user data (see AttachHost); while there is
// none, it leaves the web view alone and destroying the window ends the loop with code 0.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Hands `host` (non-owning; null to detach) to the window's procedure. The host must stay alive
// until it is detached again.
void AttachHost(HWND window, LumoWebView* host);

// Registers the "WindowsCorvane" class with `icon` as large and small icon; false on failure.
bool RegisterMainWindowClass(HINSTANCE instance, HICON icon);

// Creates the hidden main window: its client area is the configured size scaled for the DPI, its
// style has a sizing border and a maximize box only when the app is resizable, and the system
// places it. Null on failure.
HWND CreateMainWindow(HINSTANCE instance, const AppConfig& config, const std::wstring& title);

// The window style for the configured "resizable".
DWORD MainWindowStyle(bool resizable);

// An icon made from any image GDI+ decodes, in the image's own size; null when the file is
// missing or not an image. GDI+ must be running. `path` is UTF-8.
HICON LoadIconFromFile(const std::string& path);

}  // namespace corvane
