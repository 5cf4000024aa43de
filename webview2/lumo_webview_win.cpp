#include "webview2/lumo_webview_win.h"

#include <limits>
#include <map>

#include "base/text_win.h"
#include "content/url_policy.h"
#include "webview2/directory_handles_win.h"
#include "webview2/environment_options_win.h"
#include "webview2/resource_stream_win.h"
#include "webview2/start_failure.h"
#include "webview2/webview_handlers_win.h"

namespace corvane {

LumoWebView::LumoWebView(const AppConfig& appConfig, const WebView2Loader& webView2Loader,
                         const AssetBundle& assetBundle, std::shared_ptr<const void> bundleOwner,
                         ExtensionManager* extensions, HWND mainWindow,
                         std::string executableFolder, std::string contentFolderName,
                         const wchar_t* runtimeFolder, std::string userData)
    : config(appConfig),
      loader(webView2Loader),
      extensionManager(extensions),
      window(mainWindow),
      appFolder(std::move(executableFolder)),
      contentFolder(std::move(contentFolderName)),
      userDataFolder(std::move(userData)),
      baseUrl(BaseUrlFor(appConfig)),
      browserFolder(runtimeFolder ? std::optional<std::wstring>(runtimeFolder) : std::nullopt),
      // Bodies are read in place from the mappings, never copied: no length limit.
      responder(assetBundle, appFolder + contentFolder, '\\',
                std::numeric_limits<std::uint64_t>::max(), std::move(bundleOwner)),
      bridge(*this, extensionManager) {
  if (extensionManager) extensionManager->host = this;
}

LumoWebView::~LumoWebView() {
  // Never leave the manager pointing at a dead host.
  if (extensionManager && extensionManager->host == this) extensionManager->host = nullptr;
}

void LumoWebView::Init() {
  const std::wstring browserArguments = ToWide(config.chromiumArgs);
  const std::wstring userData = ToWide(userDataFolder);
  // Inherited values stay in force in windowed mode: nothing is set or cleared then.
  if (config.hostingMode == HostingMode::WindowToVisual) {
    SetEnvironmentVariableW(L"COREWEBVIEW2_FORCED_HOSTING_MODE",
                            L"COREWEBVIEW2_HOSTING_MODE_WINDOW_TO_VISUAL");
  }
  ComRef<ICoreWebView2EnvironmentOptions> options = EnvironmentOptions::Create();
  // Always set, even to empty text.
  options->put_AdditionalBrowserArguments(browserArguments.c_str());
  ComRef<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler> handler =
      EnvironmentCompletedHandler::Create(this);
  const HRESULT result =
      loader.CreateEnvironmentWithOptions(browserFolder ? browserFolder->c_str() : nullptr,
                                          userData.c_str(), options.get(), handler.get());
  // A call refused outright never reaches the handler; without this the hidden window would
  // wait forever.
  if (FAILED(result)) ReportStartFailure(result);
}

void LumoWebView::OnEnvironmentCreated(HRESULT errorCode,
                                       ICoreWebView2Environment* createdEnvironment) {
  if (failed_) return;
  if (!createdEnvironment) {
    ReportStartFailure(FAILED(errorCode) ? errorCode : E_FAIL);
    return;
  }
  environment = createdEnvironment;
  // Older runtimes lack the event; their browser exits still reach ProcessFailed.
  ComRef<ICoreWebView2Environment5> environment5;
  QueryAs(environment.get(), environment5.Put());
  if (environment5) {
    EventRegistrationToken token{};
    environment5->add_BrowserProcessExited(BrowserProcessExitedHandler::Create(this).get(), &token);
  }
  ComRef<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> handler =
      ControllerCompletedHandler::Create(this, engineGeneration_);
  const HRESULT result = environment->CreateCoreWebView2Controller(window, handler.get());
  if (FAILED(result)) ReportStartFailure(result);
}

void LumoWebView::ReportStartFailure(HRESULT error) {
  ReportFailure(restarted_ ? std::string(kRestartFailureMessage)
                           : StartFailureMessage(std::uint32_t(error)));
}

void LumoWebView::ReportFailure(const std::string& message) {
  if (failed_) return;
  failed_ = true;
  // A window the user already closed has nothing left to start; its quit code stands.
  if (!IsWindow(window)) return;
  // While the session ends nobody reads it, and it would hold up the logoff.
  if (!sessionEnding_ && !sessionEndAsked_) {
    MessageBoxW(nullptr, ToWide(message).c_str(), ToWide(config.title).c_str(), MB_ICONERROR);
  }
  DestroyWindow(window);
}

void LumoWebView::ShowPage() {
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  // Set only now: the focus the window takes as it is shown is handed on just below, once.
  pageShown_ = true;
  if (controller) {
    controller->put_IsVisible(minimized_ ? FALSE : TRUE);
    controller->MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC);
  }
}

void LumoWebView::OnNavigationCompleted(ICoreWebView2* sender) {
  if (failed_ || !webView || sender != webView.get()) return;
  recovery_.EndUnresponsiveEpisode();
  KillTimer(window, kAskTimer);
  // DOMContentLoaded usually came first and showed it already.
  if (!pageShown_) ShowPage();
  PostHeldMessages();
}

void LumoWebView::OnSessionEndDecided(bool ending, bool closeApp) {
  sessionEndAsked_ = false;
  if (!ending) return;
  sessionEnding_ = true;
  KillTimer(window, kAskTimer);
  KillTimer(window, kRecreateTimer);
  if (closeApp) {
    // Restart Manager (an installer that needs the app's files) leaves the process running and
    // waits for it to end: the window closes as the user closes it, and the usual teardown
    // releases the library.
    PostMessageW(window, WM_CLOSE, 0, 0);
    return;
  }
  if (extensionManager) extensionManager->Release();
}

void LumoWebView::OnWindowMoved() {
  if (controller) controller->NotifyParentWindowPositionChanged();
}

void LumoWebView::OnWindowResized(bool minimized) {
  const bool changed = minimized != minimized_;
  minimized_ = minimized;
  if (!controller) return;
  // An icon has no client area: rather than lay itself out at 0 x 0, the page keeps its size and
  // is hidden, as a browser hides a minimised window's page, so that it can pause.
  if (changed && pageShown_) controller->put_IsVisible(minimized ? FALSE : TRUE);
  if (minimized) return;
  GetClientRect(window, &lastBounds_);
  controller->put_Bounds(lastBounds_);
}

void LumoWebView::OnWindowFocused() {
  if (controller && pageShown_) {
    controller->MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC);
  }
}

// A message goes to whatever document the web view shows. In remote mode the page may have gone
// to another site, which must not hear the shell or the library: the message waits for the app's
// next document, behind any held before it.
void LumoWebView::PostJson(const std::string& json) {
  if (!webView) return;
  heldForApp_.push_back(json);
  PostHeldMessages();
}

void LumoWebView::PostHeldMessages() {
  if (heldForApp_.empty() || !ShowsAppDocument()) return;
  for (const std::string& json : heldForApp_) webView->PostWebMessageAsJson(ToWide(json).c_str());
  heldForApp_.clear();
}

void LumoWebView::SendDirectoryHandles() {
  // The handles go straight to the document shown, not through the held messages: the app's page
  // that asked may have left it already, and another site must never get the user's folders.
  if (!ShowsAppDocument()) return;
  // Without a manager nobody reads the record, but the walk still writes one.
  std::map<std::string, std::string> unread;
  corvane::SendDirectoryHandles(
      environment.get(), webView.get(), appFolder, contentFolder, userDataFolder,
      extensionManager ? extensionManager->LastingDirectoryHandles() : unread);
}

HRESULT LumoWebView::HandleResourceRequest(ICoreWebView2WebResourceRequestedEventArgs* args) {
  return corvane::HandleResourceRequest(args, environment.get(), baseUrl, responder);
}

void LumoWebView::ReleaseMappedFiles() { responder.ReleaseMappedFiles(); }

bool LumoWebView::IsAppUri(const wchar_t* uri) const {
  return uri && IsAppAddress(ToUtf8(uri), baseUrl, config.contentMode);
}

bool LumoWebView::ShowsAppDocument() const {
  CoTaskText source;
  return webView && SUCCEEDED(webView->get_Source(source.Put())) && IsAppUri(source.get());
}

}  // namespace corvane
