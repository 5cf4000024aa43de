// The Linux host's part in recovery: a crashed page is reloaded, the window's place is tracked
// and given back to the window of a restarted browser. What to do and how often is the
// platform's (ShellRecovery, by the policy both hosts follow).

#include "base/json_members.h"
#include "base/recovery_policy.h"
#include "chromium/chromium_host.h"

namespace corvane {

using nlohmann::json;

void ChromiumHost::OnTargetCrashed(const std::string& targetId) {
  // Workers, other sites' frames and popups crash on their own; the browser copes with them.
  if (finished_ || targetId.empty() || targetId != mainTargetId_) return;
  if (!platform_.ReloadAfterCrash()) {
    finished_ = true;
    client_.Send("Browser.close");
    platform_.Finish(1, kRestartFailureMessage);
    return;
  }
  // The dead document's contexts are gone: messages for the page wait for the reloaded one, and
  // the extension library's posts queue until that page shakes hands again.
  contexts_.clear();
  mainContextUniqueId_.clear();
  if (extensions_ != nullptr) extensions_->pageReady = false;
  client_.Send("Page.reload", json::object(), mainSessionId_);
}

void ChromiumHost::SizeNewWindow() {
  std::optional<json> bounds = platform_.WindowBoundsToRestore();
  if (!bounds) {
    SetClientSize(config_.width, config_.height);
    return;
  }
  WithWindow([this, bounds = std::move(*bounds)](std::int64_t windowId, const std::string&) {
    // The browser takes a window state alone: the place first, then the state over it.
    json place = bounds;
    const std::string state = GetString(place, "windowState");
    place.erase("windowState");
    if (!place.empty()) {
      client_.Send("Browser.setWindowBounds", {{"windowId", windowId}, {"bounds", place}});
    }
    if (!state.empty()) {
      client_.Send("Browser.setWindowBounds",
                   {{"windowId", windowId}, {"bounds", {{"windowState", state}}}});
    }
  });
}

void ChromiumHost::TrackWindowBounds() {
  if (finished_ || mainTargetId_.empty()) return;
  client_.Send("Browser.getWindowForTarget", {{"targetId", mainTargetId_}}, {},
               [this](const DevToolsReply& reply) {
                 const auto bounds = reply.result.find("bounds");
                 if (reply.ok && bounds != reply.result.end()) {
                   platform_.RememberWindowBounds(*bounds);
                 }
               });
}

}  // namespace corvane
