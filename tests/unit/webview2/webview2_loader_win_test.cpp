#include "webview2/webview2_loader_win.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/text_win.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// A damaged loader (one without the exports) is played end to end (tests/wine/scenarios.py).
TEST(WebView2Loader, AbsentLoaderLeavesBothCallsFailing) {
  WebView2Loader absent;
  EXPECT_FALSE(
      absent.Load(ToUtf8((fs::temp_directory_path() / "corvane no loader here").wstring()) + "\\"));
  LPWSTR version = reinterpret_cast<LPWSTR>(1);
  EXPECT_EQ(absent.GetAvailableBrowserVersionString(nullptr, &version),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(version, reinterpret_cast<LPWSTR>(1));
  EXPECT_EQ(absent.CreateEnvironmentWithOptions(nullptr, nullptr, nullptr, nullptr),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
}

}  // namespace
}  // namespace corvane
