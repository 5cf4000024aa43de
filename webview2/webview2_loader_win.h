#pragma once
// WebView2Loader.dll ships beside the executable rather than linked into it. Start-up loads it
// once and hands the loader to whoever creates environments or asks for the runtime's version.

#include <string>

#include "webview2/webview2_abi.h"

namespace corvane {

inline constexpr char kWebView2LoaderFileName[] = "WebView2Loader.dll";

// The loader's two exports. Before a successful Load, or after a failed one, both calls fail with
// HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND) and touch no out-parameter.
class WebView2Loader {
 public:
  WebView2Loader() = default;
  WebView2Loader(const WebView2Loader&) = delete;
  WebView2Loader& operator=(const WebView2Loader&) = delete;
  // The module is deliberately never unloaded: the runtime's objects may still depend on it
  // while the process ends.
  ~WebView2Loader() = default;

  // Loads the loader from `appFolder` (which ends in a backslash) and looks up both exports by
  // name. False when the file cannot be loaded or lacks either export; the module is then
  // unloaded. A second call after a successful one does nothing.
  bool Load(const std::string& appFolder);

  HRESULT GetAvailableBrowserVersionString(PCWSTR browserExecutableFolder,
                                           LPWSTR* versionInfo) const;

  HRESULT CreateEnvironmentWithOptions(
      PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
      ICoreWebView2EnvironmentOptions* environmentOptions,
      ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler) const;

 private:
  HMODULE module_ = nullptr;
  GetAvailableCoreWebView2BrowserVersionStringFn getAvailableBrowserVersionString_ = nullptr;
  CreateCoreWebView2EnvironmentWithOptionsFn createEnvironmentWithOptions_ = nullptr;
};

}  // namespace corvane
