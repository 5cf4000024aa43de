#include "webview2/webview2_loader_win.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text_path.h"
#include "base/text_win.h"

namespace corvane {
namespace {

std::string TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  return ToUtf8(std::wstring(buffer, length));
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
