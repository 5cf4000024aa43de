#pragma once
// What the shell does when a process of the web view's engine fails, and how often it may try;
// both hosts follow it. Free of any platform header: times are plain milliseconds from any fixed
// origin, so the policy can be driven by a test clock.

#include <cstdint>
#include <deque>
#include <optional>

namespace corvane {

// What the user is told when the policy gives up.
inline constexpr char kRestartFailureMessage[] =
    "The app's web view stopped unexpectedly and could not be restarted.";

enum class EngineFailure {
  BrowserExited,         // the whole engine is gone; only a new web view recovers
  RendererExited,        // the main frame's renderer ended
  RendererUnresponsive,  // the main frame's renderer is hung; reported again while it stays so
  Other,                 // GPU, utility, subframe renderer and the like: the engine copes
};

enum class RecoveryAction {
  None,
  Recreate,           // new environment, controller and web view in the same window
  Reload,             // reload the current page
  GiveUp,             // tell the user the web view could not be restarted and exit with 1
  WatchUnresponsive,  // a new unresponsive episode began: ask the user once it lasts long enough
};

class RecoveryPolicy {
 public:
  static constexpr std::int64_t kWindowMs = 5 * 60 * 1000;
  static constexpr int kMaxRecreations = 2;
  static constexpr int kMaxReloads = 3;
  static constexpr std::int64_t kUnresponsiveAskMs = 30 * 1000;
  // The runtime repeats its report every few seconds while the renderer stays hung: this long
  // without one means the page answers again.
  static constexpr std::int64_t kUnresponsiveQuietMs = 15 * 1000;

  RecoveryAction OnFailure(EngineFailure failure, std::int64_t nowMs);

  // A new document loaded or the page was reloaded or recreated: any unresponsive episode is over.
  void EndUnresponsiveEpisode() { nextAskAt_.reset(); }
  // When to ask the user whether to reload, or nothing outside an episode.
  std::optional<std::int64_t> NextAskAt() const { return nextAskAt_; }
  // Whether to ask now: inside an episode whose reports have not stopped. One whose reports
  // stopped is over, and the page it was about is not disturbed.
  bool ShouldAskNow(std::int64_t nowMs);
  // The user said to keep waiting: the next question comes one full delay after `nowMs`.
  void KeepWaiting(std::int64_t nowMs);

 private:
  // Records one attempt at `nowMs` unless `limit` attempts already fall inside the window.
  static bool TryCount(std::deque<std::int64_t>& attempts, int limit, std::int64_t nowMs);

  std::deque<std::int64_t> recreations_;
  std::deque<std::int64_t> reloads_;
  std::optional<std::int64_t> nextAskAt_;
  std::int64_t lastUnresponsiveReport_ = 0;
};

}  // namespace corvane
