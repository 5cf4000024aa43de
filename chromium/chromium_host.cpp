#include "chromium/chromium_host.h"

#include <algorithm>
#include <random>

#include "base/json_members.h"
#include "base/json_parse.h"
#include "chromium/fetch_fulfill.h"
#include "chromium/page_bridge_script.h"
#include "content/url_policy.h"

namespace corvane {

namespace {

using nlohmann::json;

// Every permission kind is granted to the app's origin, as the Windows shell allows every
// permission request. Each is set on its own: Browser.grantPermissions would refuse every kind it
// does not list, so one call per kind would leave only the last. A descriptor this browser does
// not know is refused alone and costs nothing. Large answers reach the browser from a loopback
// address, which needs "loopback-network". Fullscreen without the user's gesture is no request on
// Windows, where the engine refuses it: it is not granted here either.
constexpr const char* kPermissionDescriptors[] = {
    R"({"name":"accelerometer"})",  // the motion and light sensors are one kind
    R"({"name":"background-fetch"})",
    R"({"name":"background-sync"})",
    R"({"name":"camera"})",
    R"({"name":"camera","panTiltZoom":true})",
    R"({"name":"captured-surface-control"})",
    R"({"name":"clipboard-read"})",
    R"({"name":"clipboard-write"})",
    R"({"name":"clipboard-write","allowWithoutSanitization":true})",
    R"({"name":"display-capture"})",
    R"({"name":"geolocation"})",
    R"({"name":"idle-detection"})",
    R"({"name":"keyboard-lock"})",
    R"({"name":"local-fonts"})",
    R"({"name":"local-network-access"})",
    R"({"name":"loopback-network"})",
    R"({"name":"microphone"})",
    R"({"name":"midi"})",
    R"({"name":"midi","sysex":true})",
    R"({"name":"nfc"})",
    R"({"name":"notifications"})",
    R"({"name":"payment-handler"})",
    R"({"name":"periodic-background-sync"})",
    R"({"name":"persistent-storage"})",
    R"({"name":"pointer-lock"})",
    R"({"name":"push","userVisibleOnly":true})",
    R"({"name":"screen-wake-lock"})",
    R"({"name":"speaker-selection"})",
    R"({"name":"storage-access"})",
    R"({"name":"system-wake-lock"})",
    R"({"name":"top-level-storage-access"})",
    R"({"name":"web-app-installation"})",
    R"({"name":"window-management"})",
};

// Beside the browser's own files in the profile folder.
constexpr char kServiceWorkerRecordName[] = "corvane-service-workers.json";

// A service worker's script is fetched by the browser itself, which refuses to take it from the
// loopback endpoint: it is answered inline whatever its size, up to what one message can carry
// once in base64.
constexpr std::uint64_t kServiceWorkerScriptLimit = 64u << 20;

bool IsDevtoolsTarget(const json& targetInfo) {
  return GetString(targetInfo, "url").starts_with("devtools://");
}

}  // namespace

std::string OriginOf(std::string_view url) {
  const std::size_t scheme = url.find("://");
  if (scheme == std::string_view::npos || scheme == 0) return {};
  const std::size_t end = url.find_first_of("/?#", scheme + 3);
  return std::string(url.substr(0, end));
}

ChromiumHost::ChromiumHost(const AppConfig& config, ResourceResponder* responder,
                           ExtensionManager* extensions, DevToolsClient& client,
                           ChromiumPlatform& platform, ChromiumHostFolders folders)
    : config_(config),
      responder_(responder),
      extensions_(extensions),
      client_(client),
      platform_(platform),
      folders_(std::move(folders)),
      bridge_(*this, extensions),
      baseUrl_(BaseUrlFor(config)),
      startUrl_(StartUrlFor(config, baseUrl_)),
      devtoolsAllowed_(config.enableDevtools),
      run_(std::to_string(std::random_device()())),
      serviceWorkers_(folders_.userDataFolder.empty()
                          ? std::string()
                          : folders_.userDataFolder + "/" + kServiceWorkerRecordName) {
  if (extensions_ != nullptr) extensions_->host = this;
}

void ChromiumHost::Start() {
  // Discovery reports developer tools windows as soon as they exist; auto-attach holds every
  // new target (the app window, popups, workers) until it is resumed.
  client_.Send("Target.setDiscoverTargets", {{"discover", true}});
  client_.Send("Target.setAutoAttach",
               {{"autoAttach", true}, {"waitForDebuggerOnStart", true}, {"flatten", true}});
  GrantPermissions();
  // At browser level, so workers, iframes' subresources and popups are covered too. Every
  // document request is paused, in both content modes, so the main frame can be kept on the app
  // and a popup never loads.
  json patterns = json::array();
  if (config_.contentMode == ContentMode::Bundle && responder_ != nullptr) {
    patterns.push_back(
        {{"urlPattern", std::string(kAppOrigin) + "*"}, {"requestStage", "Request"}});
  }
  patterns.push_back(
      {{"urlPattern", "*"}, {"resourceType", "Document"}, {"requestStage", "Request"}});
  client_.Send("Fetch.enable", {{"patterns", std::move(patterns)}});
}

void ChromiumHost::DropChangedServiceWorkers() {
  if (config_.contentMode != ContentMode::Bundle || responder_ == nullptr ||
      !serviceWorkers_.AnyChanged(*responder_)) {
    return;
  }
  // Before the start page loads, so no worker of the old version answers it. The browser itself
  // has no storage to clear: the window's session does.
  ++startBlockers_;
  client_.Send("Storage.clearDataForOrigin",
               {{"origin", OriginOf(kAppOrigin)}, {"storageTypes", "service_workers"}},
               mainSessionId_, [this](const DevToolsReply& reply) {
                 if (reply.ok) serviceWorkers_.Forget();
                 NavigateWhenReady();
               });
}

void ChromiumHost::GrantPermissions() {
  const std::string origin = OriginOf(baseUrl_);
  if (origin.empty()) return;
  for (const char* descriptor : kPermissionDescriptors) {
    client_.Send(
        "Browser.setPermission",
        {{"origin", origin}, {"permission", json::parse(descriptor)}, {"setting", "granted"}});
  }
}

void ChromiumHost::HandleEvent(const DevToolsEvent& event) {
  if (finished_) return;
  const std::string& method = event.method;
  if (method == "Target.attachedToTarget") {
    OnAttached(event);
  } else if (method == "Target.targetCreated") {
    OnTargetCreated(event.params.value("targetInfo", json::object()));
  } else if (method == "Target.targetInfoChanged") {
    CloseBarredDevtoolsTarget(event.params.value("targetInfo", json::object()));
  } else if (method == "Target.targetCrashed") {
    OnTargetCrashed(GetString(event.params, "targetId"));
  } else if (method == "Target.targetDestroyed") {
    OnTargetGone(GetString(event.params, "targetId"));
  } else if (method == "Target.detachedFromTarget") {
    const std::string sessionId = GetString(event.params, "sessionId");
    frameSessions_.erase(sessionId);
    if (sessionId == mainSessionId_ && !mainSessionId_.empty()) OnTargetGone(mainTargetId_);
  } else if (method == "Fetch.requestPaused") {
    OnRequestPaused(event.params);
  } else if (!mainSessionId_.empty() && event.sessionId == mainSessionId_) {
    OnMainSessionEvent(event);
  } else if (method == "Page.windowOpen" && frameSessions_.count(event.sessionId) != 0) {
    OnWindowOpen(event.params);
  }
}

void ChromiumHost::OnMessageDropped(std::string_view head) {
  if (finished_) return;
  if (const std::optional<std::string> requestId = PausedRequestIdIn(head)) {
    client_.Send("Fetch.failRequest", {{"requestId", *requestId}, {"errorReason", "Failed"}});
  }
}

void ChromiumHost::OnAttached(const DevToolsEvent& event) {
  const std::string sessionId = GetString(event.params, "sessionId");
  const json targetInfo = event.params.value("targetInfo", json::object());
  const std::string targetId = GetString(targetInfo, "targetId");
  const std::string type = GetString(targetInfo, "type");
  const bool waiting = event.params.value("waitingForDebugger", false);

  if (IsDevtoolsTarget(targetInfo)) {
    if (!devtoolsAllowed_) {
      client_.Send("Target.closeTarget", {{"targetId", targetId}});
      return;
    }
  } else if (type == "page" && mainTargetId_.empty()) {
    AdoptMainTarget(targetId, sessionId);
    return;
  } else if (type == "page" && targetId != mainTargetId_) {
    // A popup. Its address went to the system's handler from Page.windowOpen on the opener, and
    // its document request is failed from now on, so nothing is loaded twice. It must be resumed
    // before it is closed: while it waits, so does the opener's renderer, which it shares.
    popupTargets_.insert(targetId);
    if (waiting) client_.Send("Runtime.runIfWaitingForDebugger", json::object(), sessionId);
    client_.Send("Target.closeTarget", {{"targetId", targetId}});
    return;
  } else if (type == "iframe") {
    // A frame of another site runs in a process of its own: its links to new windows are
    // reported on its own session.
    frameSessions_.insert(sessionId);
    client_.Send("Page.enable", json::object(), sessionId);
    AttachFramesOf(sessionId);
  }
  if (waiting) client_.Send("Runtime.runIfWaitingForDebugger", json::object(), sessionId);
}

void ChromiumHost::AdoptMainTarget(const std::string& targetId, const std::string& sessionId) {
  mainTargetId_ = targetId;
  mainSessionId_ = sessionId;
  // The browser answers a session's commands out of order, and a document created before the
  // script is in place would have no bridge: the start page is requested only once every set-up
  // command has been answered.
  startBlockers_ = 2;
  const auto navigateWhenReady = [this](const DevToolsReply&) { NavigateWhenReady(); };
  client_.Send("Page.enable", json::object(), sessionId, navigateWhenReady);
  client_.Send("Page.addScriptToEvaluateOnNewDocument", {{"source", PageBridgeScript()}}, sessionId,
               navigateWhenReady);
  DropChangedServiceWorkers();
  AttachFramesOf(sessionId);
  client_.Send("Runtime.runIfWaitingForDebugger", json::object(), sessionId);
  if (extensions_ != nullptr) extensions_->NotifyMainWindowCreated(nullptr);
  // The window opened at the size given on the command line, which counts its frame; the app
  // asks for the client area.
  SizeNewWindow();
}

void ChromiumHost::AttachFramesOf(const std::string& sessionId) {
  // Not held at their start: nothing is set up in them before they run.
  client_.Send("Target.setAutoAttach",
               {{"autoAttach", true}, {"waitForDebuggerOnStart", false}, {"flatten", true}},
               sessionId);
}

void ChromiumHost::NavigateWhenReady() {
  if (--startBlockers_ == 0 && !finished_) NavigateToStart();
}

void ChromiumHost::NavigateToStart() {
  client_.Send("Page.navigate", {{"url", startUrl_}}, mainSessionId_,
               [this](const DevToolsReply& reply) {
                 if (!reply.ok || finished_ || appShown_ || startRetries_ >= kMaxStartRetries ||
                     reply.result.value("errorText", std::string()) != "net::ERR_ABORTED" ||
                     reply.result.value("isDownload", false)) {
                   return;
                 }
                 ++startRetries_;
                 NavigateToStart();
               });
}

bool ChromiumHost::CloseAppWindow() {
  if (finished_ || mainTargetId_.empty()) return false;
  client_.Send("Target.closeTarget", {{"targetId", mainTargetId_}});
  return true;
}

void ChromiumHost::OnTargetCreated(const json& targetInfo) {
  CloseBarredDevtoolsTarget(targetInfo);
  // A tab the browser opens at an address and without an opener comes from the user's own click
  // on a link (middle or Ctrl, the context menu), which raises no Page.windowOpen: the address
  // goes to the system as a link's to a new window does, and the tab is closed as a popup. A
  // window a page opens has an opener and no address yet.
  if (GetString(targetInfo, "type") == "page" && !targetInfo.contains("openerId") &&
      !mainTargetId_.empty() && GetString(targetInfo, "targetId") != mainTargetId_) {
    const std::string url = GetString(targetInfo, "url");
    if (MayOpenExternally(url)) platform_.OpenExternally(url);
  }
}

void ChromiumHost::CloseBarredDevtoolsTarget(const json& targetInfo) {
  if (!devtoolsAllowed_ && IsDevtoolsTarget(targetInfo)) {
    client_.Send("Target.closeTarget", {{"targetId", GetString(targetInfo, "targetId")}});
  }
}

void ChromiumHost::OnTargetGone(const std::string& targetId) {
  popupTargets_.erase(targetId);
  if (targetId.empty() || targetId != mainTargetId_ || finished_) return;
  // The app window closed (the user, or the page's window.close()). A browser without a window
  // may stay up (headless does), so it is told to quit.
  finished_ = true;
  client_.Send("Browser.close");
  platform_.Finish(0, "");
}

void ChromiumHost::OnRequestPaused(const json& params) {
  const std::string requestId = GetString(params, "requestId");
  const json request = params.value("request", json::object());
  const std::string url = GetString(request, "url");

  if (responder_ == nullptr || !url.starts_with(kAppOrigin)) {
    OnDocumentPaused(requestId, url, params);
    return;
  }

  if (GetString(request, "method") == "OPTIONS") {
    Fulfil(requestId, PreflightAnswer());
    return;
  }

  const json headers = request.value("headers", json::object());
  const std::optional<std::string> range = RequestHeader(headers, "Range");
  const std::optional<std::string_view> rangeView =
      range ? std::optional<std::string_view>(*range) : std::nullopt;
  const std::string_view tail = std::string_view(url).substr(kAppOrigin.size());
  ResourceAnswer answer = responder_->AnswerUriTail(tail, rangeView);
  if (RequestHeader(headers, "Service-Worker") == "script") {
    ServeServiceWorkerScript(requestId, tail, std::move(answer));
    return;
  }
  if (const std::optional<std::string> capped =
          CappedRangeFor(rangeView, answer, kInlineBodyLimit)) {
    answer = responder_->AnswerUriTail(tail, std::string_view(*capped));
  }

  if (BodyLength(answer) > kLoopbackBodyFrom) {
    if (const std::optional<std::string> elsewhere = platform_.ServeLargeAnswer(answer)) {
      // The page keeps seeing the app's address; only the browser knows where the bytes came from.
      client_.Send("Fetch.continueRequest", {{"requestId", requestId}, {"url", *elsewhere}});
      return;
    }
    if (BodyLength(answer) > kInlineBodyLimit) answer.FailWithoutBody();
  }
  Fulfil(requestId, answer);
}

void ChromiumHost::OnDocumentPaused(const std::string& requestId, const std::string& url,
                                    const json& params) {
  // A main-frame document that is not the app's would replace the app, and a popup's would load
  // what already went to the system's handler: both are refused the way a cancelled navigation
  // looks (Aborted leaves the app's page standing, other reasons show an error page). Frames
  // load as they like.
  const std::string frameId = GetString(params, "frameId");
  const bool refused = GetString(params, "resourceType") == "Document" &&
                       ((frameId == mainTargetId_ && !mainTargetId_.empty() &&
                         !IsAppAddress(url, baseUrl_, config_.contentMode)) ||
                        popupTargets_.count(frameId) != 0);
  if (refused) {
    client_.Send("Fetch.failRequest", {{"requestId", requestId}, {"errorReason", "Aborted"}});
  } else {
    client_.Send("Fetch.continueRequest", {{"requestId", requestId}});
  }
}

void ChromiumHost::ServeServiceWorkerScript(const std::string& requestId, std::string_view uriTail,
                                            ResourceAnswer answer) {
  std::optional<std::string> body;
  if (BodyLength(answer) <= kServiceWorkerScriptLimit) body = LoadBody(answer);
  if (!body) {
    answer.FailWithoutBody();
    Fulfil(requestId, answer);
    return;
  }
  if (answer.status == 200) serviceWorkers_.Served(uriTail, *body);
  SendFulfillRequest(client_, requestId, answer, *body);
}

void ChromiumHost::Fulfil(const std::string& requestId, const ResourceAnswer& answer) {
  SendFulfillRequest(client_, requestId, answer);
}

void ChromiumHost::OnMainSessionEvent(const DevToolsEvent& event) {
  const std::string& method = event.method;
  const json& params = event.params;
  if (method == "Runtime.executionContextCreated") {
    const json context = params.value("context", json::object());
    const json auxData = context.value("auxData", json::object());
    if (!context.contains("id") || !context["id"].is_number_integer()) return;
    ExecutionContext record;
    record.frameId = GetString(auxData, "frameId");
    record.uniqueId = GetString(context, "uniqueId");
    record.isDefault = auxData.value("isDefault", false);
    contexts_[context["id"].get<std::int64_t>()] = record;
    if (record.isDefault && record.frameId == mainTargetId_) {
      mainContextUniqueId_ = record.uniqueId;
      OfferBindings();
      FlushOutbox();
    }
  } else if (method == "Runtime.executionContextDestroyed") {
    const auto found = contexts_.find(params.value("executionContextId", std::int64_t{-1}));
    if (found == contexts_.end()) return;
    if (found->second.uniqueId == mainContextUniqueId_) mainContextUniqueId_.clear();
    contexts_.erase(found);
  } else if (method == "Runtime.executionContextsCleared") {
    contexts_.clear();
    mainContextUniqueId_.clear();
  } else if (method == "Page.frameNavigated") {
    const json frame = params.value("frame", json::object());
    frameUrls_[GetString(frame, "id")] = GetString(frame, "url");
    if (GetString(frame, "id") == mainTargetId_) {
      OnMainFrameNavigated(GetString(frame, "url"));
    }
  } else if (method == "Page.navigatedWithinDocument") {
    frameUrls_[GetString(params, "frameId")] = GetString(params, "url");
  } else if (method == "Page.frameDetached") {
    frameUrls_.erase(GetString(params, "frameId"));
  } else if (method == "Page.domContentEventFired") {
    // The blank page the window opened on must not be a place to go back to.
    if (!historyReset_ && MainDocumentIsApp()) {
      historyReset_ = true;
      client_.Send("Page.resetNavigationHistory", json::object(), mainSessionId_);
    }
  } else if (method == "Page.windowOpen") {
    OnWindowOpen(params);
  } else if (method == "Runtime.bindingCalled") {
    OnBindingCalled(params);
  }
}

void ChromiumHost::OnWindowOpen(const json& params) {
  // Only what the user asked for: the browser's own popup blocker never sees these windows, so
  // a frame could otherwise open the system's browser in a loop.
  const std::string url = GetString(params, "url");
  if (params.value("userGesture", false) && MayOpenExternally(url)) platform_.OpenExternally(url);
}

void ChromiumHost::OnMainFrameNavigated(const std::string& url) {
  if (IsAppAddress(url, baseUrl_, config_.contentMode)) {
    appShown_ = true;
    AttachBridge();
    return;
  }
  // Before the app is first shown the main frame holds the blank page it opened on.
  if (!appShown_ || finished_) return;
  // A document that cannot be stopped before it commits (the bridge script cancels what the page
  // itself starts, the Fetch domain what goes to the network): the app is brought back from the
  // history, where it still is, or else from its start page.
  client_.Send(
      "Page.getNavigationHistory", json::object(), mainSessionId_,
      [this](const DevToolsReply& reply) {
        if (!reply.ok || finished_) return;
        const json entries = reply.result.value("entries", json::array());
        const std::int64_t current = reply.result.value("currentIndex", std::int64_t{0});
        if (!entries.is_array()) return;
        for (std::int64_t i = std::int64_t(entries.size()) - 1; i >= 0; --i) {
          const json& entry = entries[std::size_t(i)];
          if (i != current && entry.contains("id") && entry["id"].is_number_integer() &&
              IsAppAddress(GetString(entry, "url"), baseUrl_, config_.contentMode)) {
            client_.Send("Page.navigateToHistoryEntry", {{"entryId", entry["id"]}}, mainSessionId_);
            return;
          }
        }
        client_.Send("Page.navigate", {{"url", startUrl_}}, mainSessionId_);
      });
}

bool ChromiumHost::MainDocumentIsApp() const {
  const auto url = frameUrls_.find(mainTargetId_);
  return url != frameUrls_.end() && IsAppAddress(url->second, baseUrl_, config_.contentMode);
}

void ChromiumHost::SendDirectoryHandles() {
  // Chromium offers no way to hand a page a directory handle it did not pick itself, so only the
  // record the extension library reads is kept, as the Windows shell keeps it.
  const DirectoryPlaceholderTable table = ResolveDirectoryPlaceholders(
      folders_.appFolder, folders_.contentFolder, folders_.userDataFolder, folders_.knownFolders);
  for (const DirectoryPlaceholder& row : table) {
    RecordDirectoryHandle(*directoryHandles_, row.name, row.folder);
  }
}

const std::map<std::string, std::string>& ChromiumHost::DirectoryHandles() const {
  return *directoryHandles_;
}

void ChromiumHost::WithWindow(std::function<void(std::int64_t, const std::string&)> action) {
  if (mainTargetId_.empty()) return;
  client_.Send("Browser.getWindowForTarget", {{"targetId", mainTargetId_}}, {},
               [action = std::move(action)](const DevToolsReply& reply) {
                 if (!reply.ok || !reply.result.contains("windowId")) return;
                 const json bounds = reply.result.value("bounds", json::object());
                 action(reply.result["windowId"].get<std::int64_t>(),
                        GetString(bounds, "windowState"));
               });
}

void ChromiumHost::SetFullscreen(bool fullscreen) {
  // The window's own state is the truth: the page may have entered fullscreen for an element.
  WithWindow([this, fullscreen](std::int64_t windowId, const std::string& state) {
    if ((state == "fullscreen") == fullscreen) return;
    client_.Send("Browser.setWindowBounds",
                 {{"windowId", windowId},
                  {"bounds", {{"windowState", fullscreen ? "fullscreen" : "normal"}}}});
  });
}

void ChromiumHost::SetClientSize(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0) return;
  WithWindow([this, width, height](std::int64_t windowId, const std::string& state) {
    if (state == "fullscreen") return;
    // The frame around the page is what the window has beyond the page's viewport.
    client_.Send(
        "Runtime.evaluate",
        {{"expression", "[outerWidth - innerWidth, outerHeight - innerHeight]"},
         {"returnByValue", true}},
        mainSessionId_, [this, windowId, state, width, height](const DevToolsReply& reply) {
          std::int64_t frameWidth = 0, frameHeight = 0;
          const json value =
              reply.ok ? reply.result.value("result", json::object()).value("value", json())
                       : json();
          if (value.is_array() && value.size() == 2 && value[0].is_number() &&
              value[1].is_number()) {
            // The page can redefine outerWidth and innerWidth to any number: bounded as doubles
            // before any conversion or sum can overflow.
            frameWidth = std::int64_t(std::clamp(value[0].get<double>(), 0.0, 65536.0));
            frameHeight = std::int64_t(std::clamp(value[1].get<double>(), 0.0, 65536.0));
          }
          if (state != "normal") {
            client_.Send("Browser.setWindowBounds",
                         {{"windowId", windowId}, {"bounds", {{"windowState", "normal"}}}});
          }
          client_.Send(
              "Browser.setWindowBounds",
              {{"windowId", windowId},
               {"bounds", {{"width", width + frameWidth}, {"height", height + frameHeight}}}});
        });
  });
}

void ChromiumHost::SetWindowPosition(std::int32_t x, std::int32_t y) {
  WithWindow([this, x, y](std::int64_t windowId, const std::string& state) {
    if (state == "fullscreen") return;
    if (state != "normal") {
      client_.Send("Browser.setWindowBounds",
                   {{"windowId", windowId}, {"bounds", {{"windowState", "normal"}}}});
    }
    client_.Send("Browser.setWindowBounds",
                 {{"windowId", windowId}, {"bounds", {{"left", x}, {"top", y}}}});
  });
}

}  // namespace corvane
