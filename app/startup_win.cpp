#include "app/startup_win.h"

#include <knownfolders.h>
#include <objbase.h>

#include <cstdio>
#include <limits>
#include <string>

#include "app/gdiplus_win.h"
#include "app/shell_window_win.h"
#include "base/app_config.h"
#include "base/file_helpers_win.h"
#include "base/text_path.h"
#include "base/text_win.h"
#include "bridge/extension_manager.h"
#include "content/bundle_file.h"
#include "installer/install_runtime_win.h"
#include "webview2/lumo_webview_win.h"
#include "webview2/webview2_loader_win.h"

namespace corvane {
namespace {

constexpr wchar_t kStartupCaption[] = L"Windows Corvane";
constexpr char kContentFolder[] = "www\\";

void ShowStartupError(const wchar_t* text) {
  MessageBoxW(nullptr, text, kStartupCaption, MB_ICONERROR);
}

// Joins the UI thread to a single-threaded apartment for the life of the shell.
class ScopedComApartment {
 public:
  ScopedComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ScopedComApartment(const ScopedComApartment&) = delete;
  ScopedComApartment& operator=(const ScopedComApartment&) = delete;
  // S_FALSE (already joined) counts too: it must be balanced like S_OK.
  ~ScopedComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }

 private:
  HRESULT result_;
};

// GDI+ runs from before the icon is loaded until the shell ends.
class GdiplusSession {
 public:
  GdiplusSession() {
    const Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  ~GdiplusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
  }

 private:
  ULONG_PTR token_ = 0;
};

// package.json as bytes; empty when it cannot be opened or read, or has no bytes.
std::string ReadPackageJson(const std::string& appFolder) {
  const std::string path = appFolder + "package.json";
  FILE* file = nullptr;
  _wfopen_s(&file, ToExtendedPath(ToWide(path)).c_str(), L"rbS");
  if (!file) return {};
  std::string text;
  const std::int64_t size = FileSize(path);
  // Sizes beyond 2 GiB are outside what the shell supports; treat them as unreadable.
  if (size > 0 && size <= std::numeric_limits<std::int32_t>::max()) {
    text.resize(std::size_t(size));
    std::fread(text.data(), 1, text.size(), file);
  }
  std::fclose(file);
  return text;
}

// Reads package.json into `config`; false once the user has been told why it cannot be used.
bool LoadConfiguration(const std::string& appFolder, std::string& packageJsonText,
                       AppConfig& config) {
  packageJsonText = ReadPackageJson(appFolder);
  if (packageJsonText.empty()) {
    ShowStartupError(
        L"Failed to load package.json. Check the file is in the same folder as the app.");
    return false;
  }
  try {
    LoadAppConfig(packageJsonText, config);
  } catch (const ConfigError& error) {
    ShowStartupError(ToWide(PackageJsonParseMessage(error.userLine())).c_str());
    return false;
  } catch (...) {
    ShowStartupError(ToWide(PackageJsonParseMessage({})).c_str());
    return false;
  }
  return true;
}

// The configured icon, else the executable's own icon resource, if it has one.
HICON LoadWindowIcon(HINSTANCE instance, const std::string& appFolder, const AppConfig& config) {
  HICON icon = nullptr;
  if (!config.icon.empty()) icon = LoadIconFromFile(appFolder + config.icon);
  // A packaged executable holds the app's icon under this id (app/branding.rc.in); the plain
  // shell holds none, which leaves the class without an icon.
  if (!icon) icon = LoadIconW(instance, MAKEINTRESOURCEW(32512));
  return icon;
}

// True when the loader reports an installed runtime (in `browserFolder`, or the system-wide one
// when null). Only the presence of a version text counts.
bool RuntimeAvailable(const WebView2Loader& loader, const wchar_t* browserFolder) {
  LPWSTR version = nullptr;
  loader.GetAvailableBrowserVersionString(browserFolder, &version);
  if (!version) return false;
  CoTaskMemFree(version);
  return true;
}

// Makes sure the configured runtime is there, offering the installer (with the window's `icon`)
// for a missing evergreen one. Sets `browserFolder` (empty for the installed runtime); false once
// the user has been told.
bool EnsureRuntime(HINSTANCE instance, HICON icon, const WebView2Loader& loader,
                   const AppConfig& config, const std::string& appFolder,
                   const std::string& userDataFolder, std::wstring& browserFolder) {
  const std::wstring title = ToWide(config.title);
  if (config.distributionMode == DistributionMode::Evergreen) {
    browserFolder.clear();
    if (RuntimeAvailable(loader, nullptr)) return true;
    MessageBoxW(nullptr, ToWide(config.messages.installWebview2).c_str(), title.c_str(),
                MB_ICONINFORMATION);
    InstallRuntime(instance, icon, userDataFolder, config);
    if (RuntimeAvailable(loader, nullptr)) return true;
    MessageBoxW(nullptr, ToWide(config.messages.installWebview2Failed).c_str(), title.c_str(),
                MB_ICONERROR);
    return false;
  }
  // Beside the executable, whatever the working directory: a relative folder would follow a
  // shortcut's "Start in" and could pick up a runtime someone else put there.
  browserFolder = ToWide(appFolder + "webview2");
  if (RuntimeAvailable(loader, browserFolder.c_str())) return true;
  MessageBoxW(nullptr,
              L"This app is set to \"fixed\" distribution mode, but the WebView2 control failed "
              L"to initialize. Check there is a valid fixed distribution of Microsoft Edge "
              L"WebView2 runtime in the \"webview2\" subfolder.",
              title.c_str(), MB_ICONERROR);
  return false;
}

// Pumps messages until WM_QUIT and returns its exit code; a failing GetMessageW ends the loop
// with 1 instead of spinning.
int RunMessageLoop() {
  MSG message{};
  BOOL result;
  while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return result == 0 ? int(message.wParam) : 1;
}

}  // namespace

int RunShell(HINSTANCE instance) {
  // Owners in start-up order; they are released in reverse when the shell ends.
  ScopedComApartment com;

  const std::string appFolder = ExecutableFolder();
  std::string packageJsonText;
  AppConfig config;
  if (!LoadConfiguration(appFolder, packageJsonText, config)) return 1;
  // Without Local AppData the folder would land at the root of the current drive.
  const std::string localAppData = GetKnownFolderPath(FOLDERID_LocalAppData);
  if (localAppData.empty()) {
    ShowStartupError(L"No folder for the app's data: Local AppData could not be found.");
    return 1;
  }
  const std::string userDataFolder = localAppData + "\\" + config.name;

  GdiplusSession gdiplus;
  HICON icon = LoadWindowIcon(instance, appFolder, config);

  // The loader ships as its own file; without it nothing below can work.
  WebView2Loader loader;
  if (!loader.Load(appFolder)) {
    ShowStartupError(
        L"WebView2Loader.dll is missing or damaged. Check the file is in the same folder as the "
        L"app.");
    return 1;
  }
  std::wstring browserFolder;
  if (!EnsureRuntime(instance, icon, loader, config, appFolder, userDataFolder, browserFolder)) {
    return 1;
  }

  // Opened whatever the content mode. Answers the runtime still reads share the mapping, so it
  // may outlive this function.
  SharedMapping bundleMapping;
  AssetBundle bundle;
  if (!OpenBundleFile(appFolder + kContentFolder + "assets.dat", bundle, bundleMapping)) {
    ShowStartupError(L"Error reading asset bundle");
  }

  ExtensionManager extensions(appFolder, kContentFolder, userDataFolder, packageJsonText);
  extensions.LoadExtension();

  if (!RegisterMainWindowClass(instance, icon)) {
    ShowStartupError(L"Failed to register window class");
    return 1;
  }
  HWND window = CreateMainWindow(instance, config, ToWide(config.title));
  if (!window) {
    ShowStartupError(L"Failed to create window");
    return 1;
  }
  extensions.NotifyMainWindowCreated(window);

  LumoWebView host(config, loader, bundle, bundleMapping, &extensions, window, appFolder,
                   kContentFolder, browserFolder.empty() ? nullptr : browserFolder.c_str(),
                   userDataFolder);
  AttachHost(window, &host);
  host.Init();

  const int exitCode = RunMessageLoop();

  host.ReleaseMappedFiles();
  AttachHost(window, nullptr);
  // The library is released while the host still exists: a message it posts from Release still
  // has somewhere to go.
  extensions.ReleaseAndUnload();
  return exitCode;
}

}  // namespace corvane
