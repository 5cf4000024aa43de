#pragma once
// Keeps the Linux shell's app running through failures of Chromium, by the recovery policy both
// hosts follow: a crashed page is reloaded, a browser that died is started again with its window
// where it was, each within the policy's bounds. Outlives every browser process of one run.

#include <cstdint>
#include <functional>
#include <optional>

#include <nlohmann/json.hpp>

#include "base/recovery_policy.h"

namespace corvane {

class ShellRecovery {
 public:
  // `clockMs` gives milliseconds from any fixed origin; by default the steady clock's.
  explicit ShellRecovery(std::function<std::int64_t()> clockMs = {});

  // The page's renderer crashed: true to reload it, false to give up.
  bool ReloadAfterCrash();
  // The browser died: true to start it again, false to give up.
  bool RestartAfterExit();

  // The window's bounds as the protocol's Browser.getWindowForTarget reports them.
  void RememberWindowBounds(const nlohmann::json& bounds);
  // What a restarted browser's window is given: the last bounds seen before it died with a normal
  // window state, and "windowState":"maximized" when it was last seen maximized; none for the
  // first browser or when nothing was ever seen.
  std::optional<nlohmann::json> WindowBoundsToRestore() const;

 private:
  std::function<std::int64_t()> clockMs_;
  RecoveryPolicy policy_;
  std::optional<nlohmann::json> bounds_;
  bool maximized_ = false;
  bool restarted_ = false;
};

}  // namespace corvane
