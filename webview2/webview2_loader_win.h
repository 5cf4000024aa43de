#pragma once
// WebView2Loader.dll ships beside the executable rather than linked into it. It is loaded once at
// start-up; the two wrappers below then call its exports. Before a successful load, or after a
// failed one, they fail with HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND) and touch no out-parameter.

#include <string>

#include "webview2/webview2_abi.h"

namespace corvane {

inline constexpr char kWebView2LoaderFileName[] = "WebView2Loader.dll";

// Loads the loader from `appFolder` (which ends in a backslash) and looks up both exports by
// name. False when the file cannot be loaded or lacks either export; the module is then unloaded.
// The module stays loaded for the rest of the process: the runtime's objects may depend on it.
bool LoadWebView2Loader(const std::string& appFolder);

HRESULT GetAvailableCoreWebView2BrowserVersionString(PCWSTR browserExecutableFolder,
                                                     LPWSTR* versionInfo);

HRESULT CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
    ICoreWebView2EnvironmentOptions* environmentOptions,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler);

}  // namespace corvane
