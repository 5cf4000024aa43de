#pragma once
// The web view host of the Linux shell: drives the system's Chromium over the DevTools protocol
// so the app behaves as in the Windows shell. Requests under the app's origin are answered by
// the resource responder through the Fetch domain, the page talks to the message bridge through
// window.chrome.webview, window commands become browser window bounds, and popups go to the
// system's handler. Everything here is protocol logic; the process, the pipe, the loopback
// endpoint for large bodies and the system's URL opener are the platform's.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "base/app_config.h"
#include "bridge/directory_placeholders.h"
#include "bridge/extension_manager.h"
#include "bridge/message_bridge.h"
#include "chromium/devtools_client.h"
#include "chromium/page_outbox.h"
#include "chromium/service_worker_record.h"
#include "content/resource_responder.h"

namespace corvane {

// What the host needs from the system around it.
class ChromiumPlatform {
 public:
  // Hands an address to the system's default handler.
  virtual void OpenExternally(const std::string& url) = 0;
  // Makes an answer too large for one protocol message available to the browser; returns the
  // address the request is to be continued to, or none when it cannot be served that way.
  virtual std::optional<std::string> ServeLargeAnswer(const ResourceAnswer& answer) = 0;
  // Ends the run with an exit code; a non-empty message is reported to the user.
  virtual void Finish(int exitCode, const std::string& message) = 0;
  // The page's renderer crashed: true to reload the page, false (the default) to end the run.
  virtual bool ReloadAfterCrash() { return false; }
  // The window's bounds as Browser.getWindowForTarget reports them (see TrackWindowBounds).
  virtual void RememberWindowBounds(const nlohmann::json& /*bounds*/) {}
  // Browser.setWindowBounds bounds for the app's window when it opens, instead of the configured
  // page size; none by default.
  virtual std::optional<nlohmann::json> WindowBoundsToRestore() { return std::nullopt; }

 protected:
  ~ChromiumPlatform() = default;
};

struct ChromiumHostFolders {
  std::string appFolder;       // ends in "/"
  std::string contentFolder;   // "www/"
  std::string userDataFolder;  // the profile folder
  KnownFolderResolver knownFolders;
};

class ChromiumHost final : public BridgeHost, public ExtensionHost {
 public:
  // `responder` serves the app's origin in bundle mode and may be null in remote mode.
  // `extensions` may be null.
  ChromiumHost(const AppConfig& config, ResourceResponder* responder, ExtensionManager* extensions,
               DevToolsClient& client, ChromiumPlatform& platform, ChromiumHostFolders folders);

  // Sends the browser-level set-up; the rest follows from the events.
  void Start();
  void HandleEvent(const DevToolsEvent& event);
  // A message from the browser too large to read, known by its first bytes only. A paused
  // request among them is failed, so the page's fetch ends instead of waiting for good.
  void OnMessageDropped(std::string_view head);

  // BridgeHost and ExtensionHost.
  void SetFullscreen(bool fullscreen) override;
  void SetClientSize(std::int32_t width, std::int32_t height) override;
  void SetWindowPosition(std::int32_t x, std::int32_t y) override;
  void PostJson(const std::string& json) override;
  void PostHandshakeReply(const std::string& json) override;
  void SendDirectoryHandles() override;
  // The folders recorded at the last handshake: the manager's lasting record when there is one.
  const std::map<std::string, std::string>& DirectoryHandles() const;

  // Asks for the window's bounds and hands them to the platform; the shell calls it now and then
  // so that a restarted browser's window can be put back where it was (chromium_host_recovery.cpp).
  void TrackWindowBounds();
  // Closes the app's window as the page's own window.close() does, so the page's pagehide and
  // unload handlers run; its end finishes the run. False when there is no window to close.
  bool CloseAppWindow();

  const std::string& mainTargetId() const { return mainTargetId_; }
  // Messages for the page not yet taken by an app document.
  std::size_t QueuedForPage() const { return outbox_.size(); }
  // The browser is gone: hands the messages no document took back to the extension manager,
  // ahead of its later posts, for the next browser's page.
  void ReturnWaitingMessages();

 private:
  struct ExecutionContext {
    std::string frameId;
    std::string uniqueId;
    bool isDefault = false;
  };

  void OnAttached(const DevToolsEvent& event);
  void AdoptMainTarget(const std::string& targetId, const std::string& sessionId);
  // Has the frames of other sites in that target (and its dedicated workers) attach as targets
  // of their own.
  void AttachFramesOf(const std::string& sessionId);
  // Counts down the replies the start page waits for; the last one requests it.
  void NavigateWhenReady();
  // Requests the start page in the main frame, again when the user stopped or reloaded the blank
  // page the window opened on before it came (Esc, F5): a few times at most, and not when it
  // was a download, which never comes and would be saved again each time.
  void NavigateToStart();
  static constexpr int kMaxStartRetries = 3;
  void DropChangedServiceWorkers();
  void ServeServiceWorkerScript(const std::string& requestId, std::string_view uriTail,
                                ResourceAnswer answer);
  void OnTargetCreated(const nlohmann::json& targetInfo);
  void CloseBarredDevtoolsTarget(const nlohmann::json& targetInfo);
  void OnTargetGone(const std::string& targetId);
  void OnRequestPaused(const nlohmann::json& params);
  void OnDocumentPaused(const std::string& requestId, const std::string& url,
                        const nlohmann::json& params);
  void OnMainFrameNavigated(const std::string& url);
  void OnWindowOpen(const nlohmann::json& params);
  void Fulfil(const std::string& requestId, const ResourceAnswer& answer);
  void OnMainSessionEvent(const DevToolsEvent& event);
  bool MainDocumentIsApp() const;
  void GrantPermissions();
  // Runs `action` with the window id and its state ("normal", "fullscreen", ...).
  void WithWindow(std::function<void(std::int64_t windowId, const std::string& state)> action);
  // Recovery (chromium_host_recovery.cpp).
  void OnTargetCrashed(const std::string& targetId);
  void SizeNewWindow();
  // The bridge (chromium_host_bridge.cpp).
  void AttachBridge();
  void OfferBindings();
  void OnBindingCalled(const nlohmann::json& params);
  void FlushOutbox();
  // False when the message is too long for the browser to take at all.
  bool Deliver(std::uint64_t id, const std::string& json);

  const AppConfig& config_;
  ResourceResponder* responder_;
  ExtensionManager* extensions_;
  DevToolsClient& client_;
  ChromiumPlatform& platform_;
  ChromiumHostFolders folders_;
  MessageBridge bridge_;
  std::string baseUrl_;
  std::string startUrl_;
  bool devtoolsAllowed_;
  std::string run_;  // tells this run's message ids from an earlier one's in the page's storage
  ServiceWorkerRecord serviceWorkers_;
  int startBlockers_ = 0;  // replies the start page still waits for
  int startRetries_ = 0;   // start page requests sent again after the user stopped one

  std::string mainTargetId_;
  std::string mainSessionId_;
  std::map<std::int64_t, ExecutionContext> contexts_;
  std::map<std::string, std::string> frameUrls_;
  std::string mainContextUniqueId_;  // default context of the main frame, empty when none
  bool historyReset_ = false;
  bool appShown_ = false;  // the main frame has shown an app document
  bool finished_ = false;
  std::set<std::string> popupTargets_;   // popups being closed, until they are gone
  std::set<std::string> frameSessions_;  // frames of other sites, while attached
  PageOutbox outbox_;
  std::string staleContext_;         // the main context after a delivery into it failed
  std::uint64_t attachAttempt_ = 0;  // one per app document given the bindings
  bool bindingsAdded_ = false;
  bool attachSent_ = false;
  bool bridgeAttached_ = false;                             // the main document holds the bindings
  std::map<std::string, std::string> ownDirectoryHandles_;  // without an extension manager
  // The manager's lasting record: the library may keep a folder's text past this host.
  std::map<std::string, std::string>* directoryHandles_ =
      extensions_ != nullptr ? &extensions_->LastingDirectoryHandles() : &ownDirectoryHandles_;
};

// "scheme://authority" of an absolute URL, or empty text when it has none.
std::string OriginOf(std::string_view url);

}  // namespace corvane
