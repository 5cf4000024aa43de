#include "chromium/shell_recovery.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using nlohmann::json;

TEST(ShellRecovery, GivesTheWindowsLastNormalBoundsOnlyToARestartedBrowser) {
  std::int64_t now = 0;
  ShellRecovery recovery([&] { return now; });
  const json placed = {{"left", 40}, {"top", 30}, {"width", 700}, {"height", 500}};
  json reported = placed;
  reported["windowState"] = "normal";
  recovery.RememberWindowBounds(reported);
  EXPECT_EQ(recovery.WindowBoundsToRestore(), std::nullopt);  // the first browser's own size
  // Fullscreen and minimized bounds are not the window's place; broken bounds are no place.
  recovery.RememberWindowBounds(
      {{"left", 0}, {"top", 0}, {"width", 1}, {"height", 1}, {"windowState", "fullscreen"}});
  recovery.RememberWindowBounds({{"left", 0}, {"top", 0}, {"width", "1"}, {"height", 1}});
  EXPECT_TRUE(recovery.RestartAfterExit());
  EXPECT_EQ(recovery.WindowBoundsToRestore(), placed);
  now = 1000;
  EXPECT_TRUE(recovery.RestartAfterExit());
  EXPECT_FALSE(recovery.RestartAfterExit());  // the policy's bound, on the clock given
  now += RecoveryPolicy::kWindowMs;
  EXPECT_TRUE(recovery.RestartAfterExit());
  EXPECT_TRUE(recovery.ReloadAfterCrash());  // reloads are counted apart
}

}  // namespace
}  // namespace corvane
