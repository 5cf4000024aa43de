#include "app/shell_window_win.h"

#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/text_win.h"

namespace corvane {
namespace {

// A 24-bit BMP of 3 x 2 pixels, each row padded to 12 bytes.
std::string Bitmap() {
  const BITMAPFILEHEADER file{0x4D42, 14 + 40 + 24, 0, 0, 14 + 40};
  const BITMAPINFOHEADER info{40, 3, 2, 1, 24};
  return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
         std::string(reinterpret_cast<const char*>(&info), sizeof info) + std::string(24, '\x7F');
}

// Missing and undecodable files are left to the end-to-end scenarios.
TEST(LoadIconFromFile, ADecodableImageBecomesAnIconOfItsOwnSize) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "corvane icon.bmp";
  std::ofstream(path, std::ios::binary) << Bitmap();
  HICON icon = LoadIconFromFile(ToUtf8(path.wstring()));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour{};
  GetObjectW(info.hbmColor, sizeof(colour), &colour);
  EXPECT_EQ(colour.bmWidth, 3);
  EXPECT_EQ(colour.bmHeight, 2);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
  std::filesystem::remove(path);
  Gdiplus::GdiplusShutdown(token);
}

// Styles and the menu keys of a window with a host are left to the end-to-end scenarios.
TEST(MainWindow, CreatedHiddenAndWithoutAHostSwallowsMenuKeysAndEndsTheLoopWithZero) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterMainWindowClass(instance, nullptr);
  HWND window = CreateMainWindow(instance, AppConfig{}, L"main window test");
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  // Alt alone and Alt+Space reach no menu: answered 0 without the default handling, which would
  // otherwise enter a modal menu loop here. Without a host, sizing has no effect.
  EXPECT_EQ(SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 0), 0);
  EXPECT_EQ(SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, ' '), 0);
  EXPECT_EQ(SendMessageW(window, WM_SIZE, 0, MAKELPARAM(10, 10)), 0);
  EXPECT_EQ(SendMessageW(window, WM_MOVE, 0, 0), 0);
  DestroyWindow(window);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
  EXPECT_EQ(message.wParam, WPARAM(0));
}

}  // namespace
}  // namespace corvane
