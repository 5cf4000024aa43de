#include "webview2/webview2_loader_win.h"

#include "base/text_path.h"
#include "base/text_win.h"

namespace corvane {
namespace {

struct LoadedLoader {
  HMODULE module = nullptr;
  GetAvailableCoreWebView2BrowserVersionStringFn getAvailableBrowserVersionString = nullptr;
  CreateCoreWebView2EnvironmentWithOptionsFn createEnvironmentWithOptions = nullptr;
};

LoadedLoader g_loader;

constexpr HRESULT kLoaderMissing = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);

template <class Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool LoadWebView2Loader(const std::string& appFolder) {
  if (g_loader.module) return true;
  const std::wstring path = ToExtendedPath(ToWide(appFolder + kWebView2LoaderFileName));
  HMODULE module = LoadLibraryW(path.c_str());
  if (!module) return false;
  LoadedLoader loaded;
  loaded.module = module;
  loaded.getAvailableBrowserVersionString = Export<GetAvailableCoreWebView2BrowserVersionStringFn>(
      module, "GetAvailableCoreWebView2BrowserVersionString");
  loaded.createEnvironmentWithOptions = Export<CreateCoreWebView2EnvironmentWithOptionsFn>(
      module, "CreateCoreWebView2EnvironmentWithOptions");
  if (!loaded.getAvailableBrowserVersionString || !loaded.createEnvironmentWithOptions) {
    FreeLibrary(module);
    return false;
  }
  g_loader = loaded;
  return true;
}

HRESULT GetAvailableCoreWebView2BrowserVersionString(PCWSTR browserExecutableFolder,
                                                     LPWSTR* versionInfo) {
  if (!g_loader.getAvailableBrowserVersionString) return kLoaderMissing;
  return g_loader.getAvailableBrowserVersionString(browserExecutableFolder, versionInfo);
}

HRESULT CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
    ICoreWebView2EnvironmentOptions* environmentOptions,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler) {
  if (!g_loader.createEnvironmentWithOptions) return kLoaderMissing;
  return g_loader.createEnvironmentWithOptions(browserExecutableFolder, userDataFolder,
                                               environmentOptions, environmentCreatedHandler);
}

}  // namespace corvane
