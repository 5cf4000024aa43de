#include "webview2/webview2_loader_win.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/text_win.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

TEST(WebView2Loader, AbsentOrDamagedLoaderIsRefusedAndLeavesBothCallsFailing) {
  const fs::path temp = fs::temp_directory_path();
  WebView2Loader absent;
  EXPECT_FALSE(absent.Load(ToUtf8((temp / "corvane no loader here").wstring()) + "\\"));
  LPWSTR version = reinterpret_cast<LPWSTR>(1);
  EXPECT_EQ(absent.GetAvailableBrowserVersionString(nullptr, &version),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(version, reinterpret_cast<LPWSTR>(1));
  EXPECT_EQ(absent.CreateEnvironmentWithOptions(nullptr, nullptr, nullptr, nullptr),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));

  // A system library without the two exports stands in for a damaged loader.
  const fs::path folder = temp / "corvane damaged loader";
  fs::create_directory(folder);
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  fs::copy_file(fs::path(system) / "shlwapi.dll", folder / kWebView2LoaderFileName,
                fs::copy_options::overwrite_existing);
  WebView2Loader damaged;
  EXPECT_FALSE(damaged.Load(ToUtf8(folder.wstring()) + "\\"));
  EXPECT_EQ(GetModuleHandleW(L"WebView2Loader.dll"), nullptr);  // unloaded again
  fs::remove_all(folder);
}

}  // namespace
}  // namespace corvane
