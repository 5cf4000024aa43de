#include "base/recovery_policy.h"

namespace corvane {

bool RecoveryPolicy::TryCount(std::deque<std::int64_t>& attempts, int limit, std::int64_t nowMs) {
  while (!attempts.empty() && nowMs - attempts.front() >= kWindowMs) attempts.pop_front();
  if (attempts.size() >= std::size_t(limit)) return false;
  attempts.push_back(nowMs);
  return true;
}

RecoveryAction RecoveryPolicy::OnFailure(EngineFailure failure, std::int64_t nowMs) {
  switch (failure) {
    case EngineFailure::BrowserExited:
      nextAskAt_.reset();
      return TryCount(recreations_, kMaxRecreations, nowMs) ? RecoveryAction::Recreate
                                                            : RecoveryAction::GiveUp;
    case EngineFailure::RendererExited:
      nextAskAt_.reset();
      return TryCount(reloads_, kMaxReloads, nowMs) ? RecoveryAction::Reload
                                                    : RecoveryAction::GiveUp;
    case EngineFailure::RendererUnresponsive: {
      // The runtime repeats the report every few seconds; only the first one opens an episode,
      // and one after a quiet spell belongs to a new hang.
      const bool repeated = nextAskAt_ && nowMs - lastUnresponsiveReport_ < kUnresponsiveQuietMs;
      lastUnresponsiveReport_ = nowMs;
      if (repeated) return RecoveryAction::None;
      nextAskAt_ = nowMs + kUnresponsiveAskMs;
      return RecoveryAction::WatchUnresponsive;
    }
    case EngineFailure::Other:
      break;
  }
  return RecoveryAction::None;
}

bool RecoveryPolicy::ShouldAskNow(std::int64_t nowMs) {
  if (nextAskAt_ && nowMs - lastUnresponsiveReport_ >= kUnresponsiveQuietMs) nextAskAt_.reset();
  return nextAskAt_.has_value();
}

void RecoveryPolicy::KeepWaiting(std::int64_t nowMs) {
  if (nextAskAt_) nextAskAt_ = nowMs + kUnresponsiveAskMs;
}

}  // namespace corvane
