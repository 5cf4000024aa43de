// The browser's command pipe when the child on the other end does not read it, and what the
// programs the shell starts inherit.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "chromium/chromium_process_linux.h"

namespace corvane {
namespace {

volatile std::sig_atomic_t g_alarm = 0;
void OnAlarm(int signal) { g_alarm = signal; }

// A stop flag set while the write goes on, as by a signal that lands just before write() starts.
// A second alarm, three seconds later, ends a write that never looked at the flag again.
volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_rescued = 0;
volatile pid_t g_reader = -1;
void SetStopOrRescue(int signal) {
  if (g_stop == 0) {
    g_stop = signal;
    alarm(3);
  } else {
    g_rescued = 1;
    kill(g_reader, SIGKILL);
  }
}

struct ScopedAlarmHandler {
  ScopedAlarmHandler(void (*handler)(int), int flags) {
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = flags;
    sigaction(SIGALRM, &action, &previous);
  }
  ~ScopedAlarmHandler() {
    alarm(0);
    sigaction(SIGALRM, &previous, nullptr);
  }
  struct sigaction previous {};
};

TEST(ChromiumProcess, AStopSignalEndsAWriteThatTheChildNeverReads) {
  ChromiumProcess child;
  std::string error;
  ASSERT_TRUE(child.Launch("/bin/sleep", {"60"}, error)) << error;
  {
    ScopedAlarmHandler handler(OnAlarm, 0);  // no SA_RESTART, as the shell's own stop handlers
    alarm(1);
    // Far more than a pipe holds, so the write waits for the child until the signal comes.
    EXPECT_FALSE(child.Write(std::string(32u << 20, 'x'), g_alarm));
    EXPECT_EQ(g_alarm, SIGALRM);
  }
  child.Stop(0);
}

TEST(ChromiumProcess, AStopFlagSetWithoutInterruptingTheWriteStillEndsIt) {
  ChromiumProcess child;
  std::string error;
  ASSERT_TRUE(child.Launch("/bin/sleep", {"60"}, error)) << error;
  g_reader = child.pid();
  const auto previousPipe = std::signal(SIGPIPE, SIG_IGN);
  {
    ScopedAlarmHandler handler(SetStopOrRescue, SA_RESTART);  // the system call goes on
    // Fills the pipe (64 KiB on Linux), so the next write waits without having written a byte:
    // an interrupted write that wrote some returns early whatever the flags.
    ASSERT_TRUE(child.Write(std::string(64u << 10, 'x'), g_stop));
    alarm(1);
    EXPECT_FALSE(child.Write("y", g_stop));
  }
  std::signal(SIGPIPE, previousPipe);
  EXPECT_EQ(g_stop, SIGALRM);
  EXPECT_EQ(g_rescued, 0);
  child.Stop(0);
}

// The line the probe wrote, waiting for a detached one up to five seconds.
std::string AwaitLine(const std::string& path) {
  for (int tries = 0; tries < 100; ++tries) {
    std::ifstream in(path);
    std::string line;
    if (std::getline(in, line) && !in.eof()) return line;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return "nothing";
}

// A folder of its own for the programs a test starts, removed with everything in it.
struct ScratchFolder {
  ScratchFolder() { EXPECT_NE(mkdtemp(path), nullptr); }
  ~ScratchFolder() { std::system((std::string("rm -rf ") + path).c_str()); }
  std::string Program(const char* name, const std::string& text) const {
    const std::string file = std::string(path) + "/" + name;
    std::ofstream(file) << text;
    chmod(file.c_str(), 0755);
    return file;
  }
  char path[32] = "/tmp/corvane-process-XXXXXX";
};

TEST(ChromiumProcess, ProgramsStartedInheritNoDescriptorBeyondTheirPipe) {
  const ScratchFolder folder;
  const std::string probe = folder.Program(
      "probe",
      "#!/bin/sh\nif [ -e /proc/$$/fd/40 ]; then echo open; else echo closed; fi > \"$1\"\n");
  // A descriptor without close-on-exec, as a library's lock file or socket would be.
  std::FILE* lock = std::tmpfile();
  ASSERT_NE(lock, nullptr);
  const int held = fcntl(fileno(lock), F_DUPFD, 40);
  ASSERT_EQ(held, 40);

  ChromiumProcess child;
  std::string error;
  ASSERT_TRUE(child.Launch(probe, {std::string(folder.path) + "/browser"}, error)) << error;
  EXPECT_EQ(AwaitLine(std::string(folder.path) + "/browser"), "closed");
  child.Stop(1000);
  EXPECT_TRUE(SpawnDetached(probe, std::string(folder.path) + "/detached"));
  EXPECT_EQ(AwaitLine(std::string(folder.path) + "/detached"), "closed");

  close(held);
  std::fclose(lock);
}

TEST(ChromiumProcess, TheBrowserIsFoundOnPathButNeverTheShellAndAFailedStartSaysWhy) {
  const ScratchFolder folder;
  const std::string self = std::string(folder.path) + "/self";
  const std::string other = std::string(folder.path) + "/other";
  ASSERT_EQ(mkdir(self.c_str(), 0755), 0);
  ASSERT_EQ(mkdir(other.c_str(), 0755), 0);
  // The running executable linked in under the browser's name, as an app named like it would be.
  char exe[4096] = {};
  ASSERT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
  ASSERT_EQ(symlink(exe, (self + "/chromium").c_str()), 0);
  const std::string browser = folder.Program("other/chromium", "#!/bin/sh\n");
  EXPECT_EQ(FindOnPath("chromium", self.c_str()), std::nullopt);
  EXPECT_EQ(FindOnPath("chromium", ("/nowhere::" + other).c_str()), browser);
  // Under its other name when no folder has it as chromium.
  const std::string renamed = folder.Program("self/chromium-browser", "#!/bin/sh\n");
  EXPECT_EQ(FindBrowser(self.c_str()), renamed);
  EXPECT_EQ(FindBrowser((self + ":" + other).c_str()), browser);
  // A program that cannot start is reported with the reason.
  std::string error;
  EXPECT_FALSE(
      ChromiumProcess().Launch(folder.Program("garbage", "\x7f\x01 not a program"), {}, error));
  EXPECT_EQ(error, std::strerror(ENOEXEC));
}

}  // namespace
}  // namespace corvane
