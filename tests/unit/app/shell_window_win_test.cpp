#include "app/shell_window_win.h"

#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "base/text_path.h"
#include "base/text_win.h"

namespace corvane {
namespace {

std::string TempFile(const char* name) {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  return ToUtf8(std::wstring(buffer, length)) + name;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(ToExtendedPath(ToWide(path)).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, bytes.size());
}

// A 24-bit bottom-up BMP of the given size, every pixel the same colour.
std::string SolidBitmap(std::uint32_t width, std::uint32_t height) {
  const std::uint32_t rowBytes = (width * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * height;
  std::string bmp = "BM";
  for (const auto& [value, size] :
       std::initializer_list<std::pair<std::uint32_t, int>>{{54 + pixelBytes, 4},
                                                            {0, 4},
                                                            {54, 4},
                                                            {40, 4},
                                                            {width, 4},
                                                            {height, 4},
                                                            {1, 2},
                                                            {24, 2},
                                                            {0, 4},
                                                            {pixelBytes, 4},
                                                            {2835, 4},
                                                            {2835, 4},
                                                            {0, 4},
                                                            {0, 4}}) {
    for (int i = 0; i < size; ++i) bmp.push_back(char((value >> (8 * i)) & 0xFF));
  }
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) bmp += "\x20\x80\xF0";
    bmp.append(rowBytes - width * 3, '\0');
  }
  return bmp;
}

class LoadIconFromFileTest : public ::testing::Test {
 protected:
  LoadIconFromFileTest() { Gdiplus::GdiplusStartup(&token_, &input_, nullptr); }
  ~LoadIconFromFileTest() override { Gdiplus::GdiplusShutdown(token_); }

 private:
  const Gdiplus::GdiplusStartupInput input_;
  ULONG_PTR token_ = 0;
};

TEST_F(LoadIconFromFileTest, AnyDecodableImageBecomesAnIconOfItsOwnSize) {
  const std::string path = TempFile("corvane icon test.bmp");
  WriteBytes(path, SolidBitmap(20, 12));
  HICON icon = LoadIconFromFile(path);
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour{};
  GetObjectW(info.hbmColor, sizeof(colour), &colour);
  EXPECT_EQ(colour.bmWidth, 20);
  EXPECT_EQ(colour.bmHeight, 12);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
  DeleteFileW(ToExtendedPath(ToWide(path)).c_str());
}

TEST_F(LoadIconFromFileTest, MissingOrUndecodableFilesGiveNoIcon) {
  EXPECT_EQ(LoadIconFromFile(TempFile("corvane no such icon.png")), nullptr);
  const std::string text = TempFile("corvane not an image.png");
  WriteBytes(text, "this is not a picture");
  EXPECT_EQ(LoadIconFromFile(text), nullptr);
  DeleteFileW(ToExtendedPath(ToWide(text)).c_str());
}

HWND MakeMainWindow(bool resizable = true) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterMainWindowClass(instance, nullptr);  // may already exist from an earlier test
  AppConfig config;
  config.width = 300;
  config.height = 200;
  config.resizable = resizable;
  return CreateMainWindow(instance, config, L"main window test");
}

// Destroys `window` and runs the loop to its end; returns the exit code it ended with.
WPARAM DestroyAndRunLoop(HWND window) {
  DestroyWindow(window);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
  return message.wParam;
}

TEST(MainWindow, HiddenSizableOnlyWhenResizableAndDestructionWithoutAHostEndsTheLoopWithZero) {
  for (const bool resizable : {false, true}) {
    HWND window = MakeMainWindow(resizable);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ((style & WS_THICKFRAME) != 0, resizable);
    EXPECT_EQ((style & WS_MAXIMIZEBOX) != 0, resizable);
    EXPECT_EQ(DestroyAndRunLoop(window), WPARAM(0));
  }
}

TEST(MainWindow, KeyboardMenuActivationIsSwallowed) {
  HWND window = MakeMainWindow();
  ASSERT_NE(window, nullptr);
  // Alt alone and Alt+Space reach no menu: answered 0 without the default handling, which
  // would otherwise enter a modal menu loop here.
  EXPECT_EQ(SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 0), 0);
  EXPECT_EQ(SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, ' '), 0);
  EXPECT_EQ(SendMessageW(window, WM_SIZE, 0, MAKELPARAM(10, 10)), 0);  // no host: no effect
  EXPECT_EQ(SendMessageW(window, WM_MOVE, 0, 0), 0);
  DestroyAndRunLoop(window);
}

}  // namespace
}  // namespace corvane
