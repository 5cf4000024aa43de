#include "base/recovery_policy.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr std::int64_t kMinute = 60 * 1000;

TEST(RecoveryPolicy, BrowserExitsRecreateTwiceInFiveMinutesThenGiveUp) {
  RecoveryPolicy policy;
  EXPECT_EQ(policy.OnFailure(EngineFailure::BrowserExited, 0), RecoveryAction::Recreate);
  EXPECT_EQ(policy.OnFailure(EngineFailure::BrowserExited, 4 * kMinute), RecoveryAction::Recreate);
  EXPECT_EQ(policy.OnFailure(EngineFailure::BrowserExited, 5 * kMinute - 1),
            RecoveryAction::GiveUp);
}

TEST(RecoveryPolicy, OldAttemptsLeaveTheWindow) {
  RecoveryPolicy policy;
  EXPECT_EQ(policy.OnFailure(EngineFailure::BrowserExited, 0), RecoveryAction::Recreate);
  EXPECT_EQ(policy.OnFailure(EngineFailure::BrowserExited, 1 * kMinute), RecoveryAction::Recreate);
  // The first attempt is exactly five minutes old: it no longer counts.
  EXPECT_EQ(policy.OnFailure(EngineFailure::BrowserExited, 5 * kMinute), RecoveryAction::Recreate);
  // Attempts at 1 and 5 minutes are both inside the window ending at 5:59.
  EXPECT_EQ(policy.OnFailure(EngineFailure::BrowserExited, 6 * kMinute - 1),
            RecoveryAction::GiveUp);
  EXPECT_EQ(policy.OnFailure(EngineFailure::BrowserExited, 10 * kMinute), RecoveryAction::Recreate);
}

TEST(RecoveryPolicy, RendererExitsReloadThreeTimesThenGiveUp) {
  RecoveryPolicy policy;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(policy.OnFailure(EngineFailure::RendererExited, i * kMinute), RecoveryAction::Reload)
        << i;
  }
  EXPECT_EQ(policy.OnFailure(EngineFailure::RendererExited, 4 * kMinute), RecoveryAction::GiveUp);
  // The first reload (at 0) has left the window.
  EXPECT_EQ(policy.OnFailure(EngineFailure::RendererExited, 5 * kMinute), RecoveryAction::Reload);
}

TEST(RecoveryPolicy, ReloadsAndRecreationsAreCountedApart) {
  RecoveryPolicy policy;
  for (int i = 0; i < 3; ++i) policy.OnFailure(EngineFailure::RendererExited, i);
  EXPECT_EQ(policy.OnFailure(EngineFailure::BrowserExited, 10), RecoveryAction::Recreate);
  EXPECT_EQ(policy.OnFailure(EngineFailure::BrowserExited, 11), RecoveryAction::Recreate);
  EXPECT_EQ(policy.OnFailure(EngineFailure::RendererExited, 12), RecoveryAction::GiveUp);
  EXPECT_EQ(policy.OnFailure(EngineFailure::BrowserExited, 13), RecoveryAction::GiveUp);
}

TEST(RecoveryPolicy, OtherProcessesNeedNothingAndNeverCount) {
  RecoveryPolicy policy;
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(policy.OnFailure(EngineFailure::Other, i), RecoveryAction::None);
  }
  EXPECT_FALSE(policy.NextAskAt());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(policy.OnFailure(EngineFailure::RendererExited, 100 + i), RecoveryAction::Reload);
  }
}

TEST(RecoveryPolicy, UnresponsiveReportsFormOneEpisodeAskedAfterThirtySeconds) {
  RecoveryPolicy policy;
  EXPECT_FALSE(policy.NextAskAt());
  EXPECT_EQ(policy.OnFailure(EngineFailure::RendererUnresponsive, 1000),
            RecoveryAction::WatchUnresponsive);
  // Repeated reports neither start a new episode nor move the question.
  EXPECT_EQ(policy.OnFailure(EngineFailure::RendererUnresponsive, 6000), RecoveryAction::None);
  EXPECT_EQ(policy.OnFailure(EngineFailure::RendererUnresponsive, 29000), RecoveryAction::None);
  ASSERT_TRUE(policy.NextAskAt());
  EXPECT_EQ(*policy.NextAskAt(), 31000);

  // "No": ask again a full delay after the answer.
  policy.KeepWaiting(40000);
  ASSERT_TRUE(policy.NextAskAt());
  EXPECT_EQ(*policy.NextAskAt(), 70000);
  EXPECT_EQ(policy.OnFailure(EngineFailure::RendererUnresponsive, 45000), RecoveryAction::None);

  // A reload ends the episode; the next report opens a new one.
  policy.EndUnresponsiveEpisode();
  EXPECT_FALSE(policy.NextAskAt());
  policy.KeepWaiting(50000);
  EXPECT_FALSE(policy.NextAskAt());
  EXPECT_EQ(policy.OnFailure(EngineFailure::RendererUnresponsive, 60000),
            RecoveryAction::WatchUnresponsive);
  EXPECT_EQ(*policy.NextAskAt(), 90000);
}

TEST(RecoveryPolicy, ExitsEndAnUnresponsiveEpisode) {
  RecoveryPolicy policy;
  policy.OnFailure(EngineFailure::RendererUnresponsive, 0);
  policy.OnFailure(EngineFailure::RendererExited, 1);
  EXPECT_FALSE(policy.NextAskAt());
  policy.OnFailure(EngineFailure::RendererUnresponsive, 2);
  policy.OnFailure(EngineFailure::BrowserExited, 3);
  EXPECT_FALSE(policy.NextAskAt());
  // Unresponsive reports never use up reloads.
  for (int i = 0; i < 5; ++i) policy.OnFailure(EngineFailure::RendererUnresponsive, 10 + i);
  EXPECT_EQ(policy.OnFailure(EngineFailure::RendererExited, 20), RecoveryAction::Reload);
  EXPECT_EQ(policy.OnFailure(EngineFailure::RendererExited, 21), RecoveryAction::Reload);
}

}  // namespace
}  // namespace corvane
