// The browser's command pipe when the child on the other end does not read it.

#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "chromium/chromium_process_linux.h"

namespace corvane {
namespace {

volatile std::sig_atomic_t g_alarm = 0;
void OnAlarm(int signal) { g_alarm = signal; }

TEST(ChromiumProcess, AStopSignalEndsAWriteThatTheChildNeverReads) {
  ChromiumProcess child;
  std::string error;
  ASSERT_TRUE(child.Launch("/bin/sleep", {"60"}, error)) << error;
  struct sigaction action {
  }, previous{};
  action.sa_handler = OnAlarm;  // no SA_RESTART, as the shell's own stop handlers
  ASSERT_EQ(sigaction(SIGALRM, &action, &previous), 0);
  alarm(1);
  // Far more than a pipe holds, so the write waits for the child until the signal comes.
  EXPECT_FALSE(child.Write(std::string(32u << 20, 'x'), g_alarm));
  EXPECT_EQ(g_alarm, SIGALRM);
  sigaction(SIGALRM, &previous, nullptr);
  child.Stop(0);
  EXPECT_TRUE(child.HasExited());
}

}  // namespace
}  // namespace corvane
