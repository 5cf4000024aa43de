#include "chromium/shell_recovery.h"

#include <chrono>

namespace corvane {

ShellRecovery::ShellRecovery(std::function<std::int64_t()> clockMs)
    : clockMs_(clockMs ? std::move(clockMs) : [] {
        return std::int64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now().time_since_epoch())
                                .count());
      }) {}

bool ShellRecovery::ReloadAfterCrash() {
  return policy_.OnFailure(EngineFailure::RendererExited, clockMs_()) == RecoveryAction::Reload;
}

bool ShellRecovery::RestartAfterExit() {
  restarted_ =
      policy_.OnFailure(EngineFailure::BrowserExited, clockMs_()) == RecoveryAction::Recreate;
  return restarted_;
}

void ShellRecovery::RememberWindowBounds(const nlohmann::json& bounds) {
  if (!bounds.is_object()) return;
  // A maximized, minimized or fullscreen window reports bounds that are not the window's own
  // place; a maximized one is maximized again over the last place it had.
  const auto state = bounds.find("windowState");
  if (state != bounds.end() && *state == "maximized") maximized_ = true;
  if (state != bounds.end() && *state != "normal") return;
  nlohmann::json kept = nlohmann::json::object();
  for (const char* key : {"left", "top", "width", "height"}) {
    const auto value = bounds.find(key);
    if (value == bounds.end() || !value->is_number_integer()) return;
    kept[key] = *value;
  }
  bounds_ = std::move(kept);
  maximized_ = false;
}

std::optional<nlohmann::json> ShellRecovery::WindowBoundsToRestore() const {
  if (!restarted_) return std::nullopt;
  if (!maximized_) return bounds_;
  nlohmann::json restored = bounds_.value_or(nlohmann::json::object());
  restored["windowState"] = "maximized";
  return restored;
}

}  // namespace corvane
