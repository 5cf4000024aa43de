#include "webview2/webview2_loader_win.h"

#include "base/text_path.h"
#include "base/text_win.h"

namespace corvane {
namespace {

// Not constexpr: the Windows SDK declares HRESULT_FROM_WIN32 as an inline function.
const HRESULT kLoaderMissing = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);

template <class Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool WebView2Loader::Load(const std::string& appFolder) {
  if (module_) return true;
  const std::wstring path = ToExtendedPath(ToWide(appFolder + kWebView2LoaderFileName));
  HMODULE module = LoadLibraryW(path.c_str());
  if (!module) return false;
  const auto getVersion = Export<GetAvailableCoreWebView2BrowserVersionStringFn>(
      module, "GetAvailableCoreWebView2BrowserVersionString");
  const auto createEnvironment = Export<CreateCoreWebView2EnvironmentWithOptionsFn>(
      module, "CreateCoreWebView2EnvironmentWithOptions");
  if (!getVersion || !createEnvironment) {
    FreeLibrary(module);
    return false;
  }
  module_ = module;
  getAvailableBrowserVersionString_ = getVersion;
  createEnvironmentWithOptions_ = createEnvironment;
  return true;
}

HRESULT WebView2Loader::GetAvailableBrowserVersionString(PCWSTR browserExecutableFolder,
                                                         LPWSTR* versionInfo) const {
  if (!getAvailableBrowserVersionString_) return kLoaderMissing;
  return getAvailableBrowserVersionString_(browserExecutableFolder, versionInfo);
}

HRESULT WebView2Loader::CreateEnvironmentWithOptions(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
    ICoreWebView2EnvironmentOptions* environmentOptions,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler) const {
  if (!createEnvironmentWithOptions_) return kLoaderMissing;
  return createEnvironmentWithOptions_(browserExecutableFolder, userDataFolder, environmentOptions,
                                       environmentCreatedHandler);
}

}  // namespace corvane
