#include "app/startup_win.h"

#include <knownfolders.h>
#include <objbase.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <limits>
#include <memory>
#include <string>

#include "base/app_config.h"
#include "base/file_helpers_win.h"
#include "app/shell_globals_win.h"
#include "app/shell_window_win.h"
#include "base/text_path.h"
#include "base/text_win.h"
#include "bridge/extension_manager.h"
#include "content/asset_bundle.h"
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

// True when the loader reports an installed runtime (in `browserFolder`, or the system-wide one
// when null). Only the presence of a version text counts.
bool RuntimeAvailable(const wchar_t* browserFolder) {
  LPWSTR version = nullptr;
  GetAvailableCoreWebView2BrowserVersionString(browserFolder, &version);
  if (!version) return false;
  CoTaskMemFree(version);
  return true;
}

// assets.dat mapped read-only for the life of the process; the bundle reads it in place.
struct BundleMapping {
  HANDLE file = INVALID_HANDLE_VALUE;
  HANDLE mapping = nullptr;
  const void* view = nullptr;

  void Close() {
    if (view) UnmapViewOfFile(view);
    if (mapping) CloseHandle(mapping);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    view = nullptr;
    mapping = nullptr;
    file = INVALID_HANDLE_VALUE;
  }
};

// Opens and parses the bundle when the file exists. A file that cannot be opened, mapped or
// parsed is reported once; start-up goes on with whatever the bundle holds.
void OpenAssetBundle(const std::string& appFolder, AssetBundle& bundle, BundleMapping& mapping) {
  const std::string bundlePath = appFolder + kContentFolder + "assets.dat";
  if (!FileExists(bundlePath)) return;
  const std::wstring widePath = ToExtendedPath(ToWide(bundlePath));
  mapping.file = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (mapping.file != INVALID_HANDLE_VALUE) {
    mapping.mapping = CreateFileMappingW(mapping.file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  }
  if (mapping.mapping) mapping.view = MapViewOfFile(mapping.mapping, FILE_MAP_READ, 0, 0, 0);
  // The size of the file actually mapped: nobody can write it while the handle is open.
  LARGE_INTEGER size{};
  if (!mapping.view || !GetFileSizeEx(mapping.file, &size)) {
    ShowStartupError(L"Error reading asset bundle");
    return;
  }
  try {
    bundle = AssetBundle::OverMemory(mapping.view, std::uint64_t(size.QuadPart));
    bundle.Parse();
  } catch (...) {
    ShowStartupError(L"Error reading asset bundle");
  }
}

}  // namespace

int RunShell(HINSTANCE instance) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

  const std::string appFolder = ExecutableFolder();
  const std::string packageJsonText = ReadPackageJson(appFolder);
  if (packageJsonText.empty()) {
    ShowStartupError(
        L"Failed to load package.json. Check the file is in the same folder as the app.");
    return 1;
  }

  AppConfig config;
  try {
    LoadAppConfig(packageJsonText, config);
  } catch (...) {
    ShowStartupError(
        L"Failed to parse package.json. Check the file has valid JSON and that all parameters "
        L"are correct.");
    return 1;
  }

  const std::string userDataFolder = GetKnownFolderPath(FOLDERID_LocalAppData) + "\\" + config.name;

  ULONG_PTR gdiplusToken = 0;
  const Gdiplus::GdiplusStartupInput gdiplusInput;
  Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

  HICON icon = nullptr;
  if (!config.icon.empty()) icon = LoadIconFromFile(appFolder + config.icon);
  // The executable carries no icon resource, so this normally leaves the class without one.
  if (!icon) icon = LoadIconW(instance, MAKEINTRESOURCEW(32512));
  config.iconHandle = icon;

  const std::wstring title = ToWide(config.title);

  // The loader ships as its own file; without it nothing below can work.
  if (!LoadWebView2Loader(appFolder)) {
    ShowStartupError(
        L"WebView2Loader.dll is missing or damaged. Check the file is in the same folder as the "
        L"app.");
    return 1;
  }

  const wchar_t* browserFolder = nullptr;
  if (config.distributionMode == DistributionMode::Evergreen) {
    if (!RuntimeAvailable(nullptr)) {
      MessageBoxW(nullptr, ToWide(config.messages.installWebview2).c_str(), title.c_str(),
                  MB_ICONINFORMATION);
      InstallRuntime(instance, userDataFolder, config);
      if (!RuntimeAvailable(nullptr)) {
        MessageBoxW(nullptr, ToWide(config.messages.installWebview2Failed).c_str(), title.c_str(),
                    MB_ICONERROR);
        return 1;
      }
    }
  } else {
    // Relative, handed to the loader as written.
    browserFolder = L"webview2";
    if (!RuntimeAvailable(browserFolder)) {
      MessageBoxW(nullptr,
                  L"This app is set to \"fixed\" distribution mode, but the WebView2 control "
                  L"failed to initialize. Check there is a valid fixed distribution of Microsoft "
                  L"Edge WebView2 runtime in the \"webview2\" subfolder.",
                  title.c_str(), MB_ICONERROR);
      return 1;
    }
  }

  // Opened whatever the content mode.
  AssetBundle bundle;
  BundleMapping bundleMapping;
  OpenAssetBundle(appFolder, bundle, bundleMapping);

  g_extensionManager =
      std::make_unique<ExtensionManager>(appFolder, kContentFolder, userDataFolder, packageJsonText);
  g_extensionManager->LoadExtension();

  if (!RegisterMainWindowClass(instance, icon)) {
    ShowStartupError(L"Failed to register window class");
    return 1;
  }
  HWND window = CreateMainWindow(instance, config, title);
  if (!window) {
    ShowStartupError(L"Failed to create window");
    return 1;
  }
  g_extensionManager->NotifyMainWindowCreated(window);

  auto host = std::make_unique<LumoWebView>(config, bundle, window, appFolder, kContentFolder,
                                            browserFolder, userDataFolder);
  g_webViewHost = host.get();
  host->Init();

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }

  host->ReleaseMappedFiles();
  g_webViewHost = nullptr;
  g_extensionManager->ReleaseAndUnload();
  g_extensionManager.reset();
  bundle.files.clear();
  bundle.chunks.clear();
  bundleMapping.Close();
  Gdiplus::GdiplusShutdown(gdiplusToken);
  host.reset();
  return int(message.wParam);
}

}  // namespace corvane
