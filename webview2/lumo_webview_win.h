#pragma once
// The host of the one web view inside the main window. It carries the start-up values, owns the
// WebView2 references, the window's fullscreen state, the responder with its cache of mapped
// loose files and the message bridge, and serves the bridge and the extension manager as their
// host. Everything runs on the UI thread.

#include <windows.h>
#include <shobjidl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/app_config.h"
#include "base/com_ref_win.h"
#include "bridge/extension_manager.h"
#include "bridge/message_bridge.h"
#include "content/asset_bundle.h"
#include "content/resource_responder.h"
#include "base/recovery_policy.h"
#include "webview2/webview2_abi.h"
#include "webview2/webview2_loader_win.h"

namespace corvane {

class LumoWebView final : public BridgeHost, public ExtensionHost {
 public:
  // `browserFolder` is null for the installed runtime. `loader` and `bundle` must outlive the
  // host; `bundleOwner` keeps the bundle's memory valid (null for a bundle of static memory),
  // also for answers the runtime reads after the host is gone. `extensionManager` may be null;
  // otherwise it must outlive the host too, and the host makes itself that manager's host until
  // it is destroyed.
  LumoWebView(const AppConfig& config, const WebView2Loader& loader, const AssetBundle& bundle,
              std::shared_ptr<const void> bundleOwner, ExtensionManager* extensionManager,
              HWND window, std::string appFolder, std::string contentFolder,
              const wchar_t* browserFolder, std::string userDataFolder);
  LumoWebView(const LumoWebView&) = delete;
  LumoWebView& operator=(const LumoWebView&) = delete;
  ~LumoWebView();

  // Starts creating the environment and returns at once; the rest happens in handlers.
  void Init();

  // Steps of the creation chain, called by the completion handlers.
  void OnEnvironmentCreated(HRESULT errorCode, ICoreWebView2Environment* createdEnvironment);
  // `generation` is the one the creation was asked in (see engineGeneration_).
  void OnControllerCreated(unsigned generation, HRESULT errorCode,
                           ICoreWebView2Controller* createdController);

  // Windows asks whether the session may end (logoff, shutdown), then says whether it does. In
  // between, the engine may already end with the session: recovery and failure boxes wait for
  // the answer. When the session ends, the process may be ended as soon as that returns: the
  // library's Release runs then, and nothing is restarted or asked any more.
  void OnSessionEndAsked() { sessionEndAsked_ = true; }
  void OnSessionEndDecided(bool ending, bool closeApp);

  // The main window moved, changed size or took the focus: keep the web view's position,
  // bounds and visibility in step, and hand the focus on to the page once it is shown.
  void OnWindowMoved();
  void OnWindowResized(bool minimized);
  void OnWindowFocused();
  // The exit code the message loop ends with once the main window is destroyed: 0 unless the web
  // view could not be started or kept running.
  int quitCode() const { return failed_ ? 1 : 0; }

  // Engine events, called by their handlers. `sender` tells a late event of a web view or
  // environment already replaced from one of the current ones.
  void OnNavigationCompleted(ICoreWebView2* sender);
  void OnProcessFailed(ICoreWebView2* sender, COREWEBVIEW2_PROCESS_FAILED_KIND kind);
  void OnBrowserProcessExited(ICoreWebView2Environment* sender,
                              COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind);
  // Shows the window and hands the page the focus.
  void ShowPage();

  // Window operations (lengths in 96-DPI units).
  void SetFullscreen(bool fullscreen) override;
  void SetClientSize(std::int32_t width, std::int32_t height) override;
  void SetWindowPosition(std::int32_t x, std::int32_t y) override;

  // Bridge and extension side.
  void PostJson(const std::string& json) override;
  void PostHandshakeReply(const std::string& json) override { PostJson(json); }
  // Records the folders in the extension manager's lasting record, where the library reads them.
  void SendDirectoryHandles() override;

  // Answers one intercepted request under baseUrl.
  HRESULT HandleResourceRequest(ICoreWebView2WebResourceRequestedEventArgs* args);
  // Lets go of the loose files mapped for ranges; start-up calls it after the message loop.
  void ReleaseMappedFiles();

  // True when `uri` belongs to the app (see IsAppAddress); a null uri never does.
  bool IsAppUri(const wchar_t* uri) const;

  const AppConfig& config;
  const WebView2Loader& loader;
  ExtensionManager* extensionManager;
  HWND window;
  std::string appFolder;
  std::string contentFolder;
  std::string userDataFolder;
  std::string baseUrl;
  std::optional<std::wstring> browserFolder;
  ComRef<ICoreWebView2Environment> environment;
  ComRef<ICoreWebView2Controller> controller;
  ComRef<ICoreWebView2> webView;
  ComRef<ICoreWebView2_2> webView2;
  ComRef<ITaskbarList2> taskbarList;
  ResourceResponder responder;  // holds the cache of mapped loose files
  bool isFullscreen = false;
  LONG savedStyle = 0;
  LONG savedExStyle = 0;
  RECT savedRect{};
  MessageBridge bridge;

 private:
  // Environment or controller creation failed: tell the user, close the window and end the
  // message loop with exit code 1. Only the first failure is reported.
  void ReportStartFailure(HRESULT error);
  void ReportFailure(const std::string& message);
  void ConfigureWebView();
  void Recreate();
  // The host's timer ids on the main window; the window procedure has none of its own.
  static constexpr UINT_PTR kRecreateTimer = 0xC0A1;
  static constexpr UINT_PTR kGiveUpTimer = 0xC0A2;
  static constexpr UINT_PTR kAskTimer = 0xC0A3;

  // Restores an iconic or maximised window to its normal state before the page sizes or moves it.
  void LeaveMinimizedOrMaximized();
  // Starts (or restarts) one of the host's timers on the main window; OnTimer runs its action
  // from the message loop, outside the event handler that asked for it.
  void Defer(UINT_PTR timerId, UINT delayMs);
  // Posts what PostJson holds once the web view shows one of the app's documents.
  void PostHeldMessages();
  // True while the web view shows one of the app's documents.
  bool ShowsAppDocument() const;
  void ScheduleUnresponsiveQuestion();
  void AskToReload();
  static void CALLBACK OnTimer(HWND timerWindow, UINT message, UINT_PTR timerId, DWORD time);

  RecoveryPolicy recovery_;
  bool failed_ = false;
  bool restarted_ = false;               // a failure to start now means the restart failed
  unsigned engineGeneration_ = 0;        // raised at each recreation
  bool pageShown_ = false;               // the current web view has been shown and focused
  bool minimized_ = false;               // the web view is hidden while the window is an icon
  RECT lastBounds_{};                    // the web view's bounds when the window last had a size
  bool asking_ = false;                  // the reload question is on screen
  bool sessionEndAsked_ = false;         // recovery waits for the session's answer
  bool sessionEnding_ = false;           // nothing is restarted or asked any more
  std::vector<std::string> heldForApp_;  // posted while another site's document was shown
};

}  // namespace corvane
