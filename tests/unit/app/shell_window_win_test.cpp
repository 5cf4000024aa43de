#include "app/shell_window_win.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/text_path.h"
#include "base/text_win.h"
#include "webview2/taskbar_win.h"
#include "webview2/webview2_loader_win.h"

namespace corvane {
namespace {

std::string TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  return ToUtf8(std::wstring(buffer, length));
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

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

// A 24-bit bottom-up BMP of the given size, every pixel the same colour.
std::string SolidBitmap(int width, int height) {
  const int rowBytes = (width * 3 + 3) & ~3;
  const std::uint32_t pixelBytes = std::uint32_t(rowBytes * height);
  std::string bmp = "BM";
  PutLittleEndian(bmp, 54 + pixelBytes, 4);
  PutLittleEndian(bmp, 0, 4);
  PutLittleEndian(bmp, 54, 4);
  PutLittleEndian(bmp, 40, 4);
  PutLittleEndian(bmp, std::uint32_t(width), 4);
  PutLittleEndian(bmp, std::uint32_t(height), 4);
  PutLittleEndian(bmp, 1, 2);
  PutLittleEndian(bmp, 24, 2);
  PutLittleEndian(bmp, 0, 4);
  PutLittleEndian(bmp, pixelBytes, 4);
  PutLittleEndian(bmp, 2835, 4);
  PutLittleEndian(bmp, 2835, 4);
  PutLittleEndian(bmp, 0, 4);
  PutLittleEndian(bmp, 0, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bmp += "\x20\x80\xF0";
    bmp.append(std::size_t(rowBytes - width * 3), '\0');
  }
  return bmp;
}

class GdiplusSession {
 public:
  GdiplusSession() {
    const Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }
  ~GdiplusSession() { Gdiplus::GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};

TEST(LoadIconFromFile, AnyDecodableImageBecomesAnIconOfItsOwnSize) {
  GdiplusSession gdiplus;
  const std::string path = TempFolder() + "corvane icon test.bmp";
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

TEST(LoadIconFromFile, MissingOrUndecodableFilesGiveNoIcon) {
  GdiplusSession gdiplus;
  const std::string folder = TempFolder();
  EXPECT_EQ(LoadIconFromFile(folder + "corvane no such icon.png"), nullptr);
  const std::string text = folder + "corvane not an image.png";
  WriteBytes(text, "this is not a picture");
  EXPECT_EQ(LoadIconFromFile(text), nullptr);
  DeleteFileW(ToExtendedPath(ToWide(text)).c_str());
}

TEST(MainWindow, StyleFollowsResizable) {
  EXPECT_EQ(MainWindowStyle(true), 0xCF0000u);
  EXPECT_EQ(MainWindowStyle(false), 0xCA0000u);
}

TEST(MainWindow, DestructionWithoutAHostEndsTheLoopWithZero) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterMainWindowClass(instance, nullptr);  // may already exist from an earlier test
  AppConfig config;
  config.width = 300;
  config.height = 200;
  HWND window = CreateMainWindow(instance, config, L"quit code test");
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  DestroyWindow(window);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
  EXPECT_EQ(message.wParam, WPARAM(0));
}

TEST(MainWindow, KeyboardMenuActivationIsSwallowed) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterMainWindowClass(instance, nullptr);
  AppConfig config;
  config.width = 300;
  config.height = 200;
  HWND window = CreateMainWindow(instance, config, L"menu test");
  ASSERT_NE(window, nullptr);
  // Alt alone and Alt+Space reach no menu: answered 0 without the default handling, which
  // would otherwise enter a modal menu loop here.
  EXPECT_EQ(SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 0), 0);
  EXPECT_EQ(SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, ' '), 0);
  EXPECT_EQ(SendMessageW(window, WM_SIZE, 0, MAKELPARAM(10, 10)), 0);  // no host: no effect
  EXPECT_EQ(SendMessageW(window, WM_MOVE, 0, 0), 0);
  DestroyWindow(window);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
}

TEST(Taskbar, IdsAgreeWithTheSystemHeaders) {
  EXPECT_TRUE(IsEqualGUID(kTaskbarListClassId, CLSID_TaskbarList));
  EXPECT_TRUE(IsEqualGUID(kTaskbarList2InterfaceId, IID_ITaskbarList2));
}

TEST(WebView2Loader, AbsentLoaderLeavesBothCallsFailing) {
  WebView2Loader loader;
  EXPECT_FALSE(loader.Load(TempFolder() + "corvane no loader here\\"));
  LPWSTR version = reinterpret_cast<LPWSTR>(1);
  EXPECT_EQ(loader.GetAvailableBrowserVersionString(nullptr, &version),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(version, reinterpret_cast<LPWSTR>(1));
  EXPECT_EQ(loader.CreateEnvironmentWithOptions(nullptr, nullptr, nullptr, nullptr),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
}

TEST(WebView2Loader, ALibraryWithoutTheExportsIsRefused) {
  // A system library without the two exports stands in for a damaged loader.
  const std::string folder = TempFolder() + "corvane damaged loader\\";
  CreateDirectoryW(ToExtendedPath(ToWide(folder)).c_str(), nullptr);
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring target = ToExtendedPath(ToWide(folder + kWebView2LoaderFileName));
  ASSERT_TRUE(CopyFileW((std::wstring(system) + L"\\shlwapi.dll").c_str(), target.c_str(), FALSE));
  WebView2Loader loader;
  EXPECT_FALSE(loader.Load(folder));
  EXPECT_EQ(GetModuleHandleW(L"WebView2Loader.dll"), nullptr);  // unloaded again
  DeleteFileW(target.c_str());
  RemoveDirectoryW(ToExtendedPath(ToWide(folder)).c_str());
}

}  // namespace
}  // namespace corvane
