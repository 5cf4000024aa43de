#include "base/recovery_policy.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using enum EngineFailure;
using enum RecoveryAction;
constexpr std::int64_t kMinute = 60 * 1000;

// Two recreations and three reloads within any five minutes, counted apart; an attempt exactly
// five minutes old no longer counts.
TEST(RecoveryPolicy, AttemptsAreLimitedWithinAMovingWindow) {
  RecoveryPolicy browser;
  EXPECT_EQ(browser.OnFailure(BrowserExited, 0), Recreate);
  EXPECT_EQ(browser.OnFailure(BrowserExited, 1 * kMinute), Recreate);
  EXPECT_EQ(browser.OnFailure(BrowserExited, 5 * kMinute - 1), GiveUp);
  EXPECT_EQ(browser.OnFailure(BrowserExited, 5 * kMinute), Recreate);
  EXPECT_EQ(browser.OnFailure(BrowserExited, 6 * kMinute - 1), GiveUp);

  RecoveryPolicy renderer;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(renderer.OnFailure(RendererExited, i), Reload);
  EXPECT_EQ(renderer.OnFailure(BrowserExited, 3), Recreate);
  EXPECT_EQ(renderer.OnFailure(RendererExited, 4), GiveUp);
}

TEST(RecoveryPolicy, UnresponsiveReportsFormOneEpisodeAskedAfterThirtySeconds) {
  RecoveryPolicy policy;
  // Repeated reports neither start a new episode nor move the question.
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 1000), WatchUnresponsive);
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 6000), None);
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 16000), None);
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 29000), None);
  EXPECT_EQ(policy.NextAskAt(), 31000);
  EXPECT_TRUE(policy.ShouldAskNow(31000));
  // "No": ask again a full delay after the answer, as long as the reports go on.
  policy.KeepWaiting(40000);
  EXPECT_EQ(policy.NextAskAt(), 70000);
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 42000), None);
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 55001), None);
  EXPECT_TRUE(policy.ShouldAskNow(70000));
  // A reload ends the episode; the next report opens a new one.
  policy.EndUnresponsiveEpisode();
  policy.KeepWaiting(50000);
  EXPECT_FALSE(policy.NextAskAt());
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 60000), WatchUnresponsive);
  EXPECT_EQ(policy.NextAskAt(), 90000);
  // Exits end an episode too.
  EXPECT_EQ(policy.OnFailure(RendererExited, 61000), Reload);
  EXPECT_FALSE(policy.NextAskAt());
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 62000), WatchUnresponsive);
  EXPECT_EQ(policy.OnFailure(BrowserExited, 63000), Recreate);
  EXPECT_FALSE(policy.NextAskAt());
}

TEST(RecoveryPolicy, AnEpisodeWhoseReportsStoppedEndsWithoutAQuestion) {
  RecoveryPolicy policy;
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 0), WatchUnresponsive);
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 5000), None);
  EXPECT_FALSE(policy.ShouldAskNow(20000));  // quiet for 15 s: the page answers again
  EXPECT_FALSE(policy.NextAskAt());
  // A report after a quiet spell is a new hang with its full delay, even while the question of
  // the old one is still due.
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 21000), WatchUnresponsive);
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 35999), None);
  EXPECT_EQ(policy.OnFailure(RendererUnresponsive, 50999), WatchUnresponsive);
  EXPECT_EQ(policy.NextAskAt(), 80999);
  EXPECT_FALSE(policy.ShouldAskNow(80999));
}

}  // namespace
}  // namespace corvane
