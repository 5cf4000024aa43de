#include "chromium/chromium_process_linux.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace corvane {

namespace {

constexpr int kChildReadFd = 3;
constexpr int kChildWriteFd = 4;
// How often a write waiting for the browser looks at the stop flag.
constexpr int kStopCheckMilliseconds = 100;

void CloseIfOpen(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// Moves `fd` above the range the child's fixed descriptors use, so dup2 cannot clobber it.
int MoveAbove(int fd, int floor) {
  if (fd >= floor) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, floor);
  close(fd);
  return moved;
}

// Closes every descriptor from `first` up but `kept`, in a child about to exec: what the shell or
// its extension library opened without close-on-exec (a lock file, a socket) must not stay open
// in the browser, or in whatever xdg-open starts, long after the app is gone. Where the kernel
// lacks close_range (before 5.9) a loop closes up to the descriptor limit (at most 2^20).
void CloseDescriptorsFrom(int first, int kept = -1) {
  const auto from = static_cast<unsigned>(first);
  if (kept < first) {
    if (close_range(from, ~0U, 0) == 0) return;
  } else if ((kept == first || close_range(from, static_cast<unsigned>(kept) - 1, 0) == 0) &&
             close_range(static_cast<unsigned>(kept) + 1, ~0U, 0) == 0) {
    return;
  }
  rlimit limit{};
  const rlim_t end = getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
                         ? std::min<rlim_t>(limit.rlim_cur, 1 << 20)
                         : 1 << 16;
  for (rlim_t fd = from; fd < end; ++fd) {
    if (static_cast<int>(fd) != kept) close(static_cast<int>(fd));
  }
}

// Waits for `child` to end and reaps it; its wait status (0 when the wait failed).
int WaitForExit(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

void SleepMilliseconds(long milliseconds) {
  timespec delay{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  while (nanosleep(&delay, &delay) != 0 && errno == EINTR) {
  }
}

bool IsRunningExecutable(const struct stat& file) {
  struct stat self;
  return stat("/proc/self/exe", &self) == 0 && self.st_dev == file.st_dev &&
         self.st_ino == file.st_ino;
}

}  // namespace

std::optional<std::string> FindOnPath(const std::string& program, const char* pathVariable) {
  if (program.find('/') != std::string::npos) {
    return access(program.c_str(), X_OK) == 0 ? std::optional<std::string>(program) : std::nullopt;
  }
  const std::string path = pathVariable != nullptr ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(':', start);
    if (end == std::string::npos) end = path.size();
    // Built by appending: GCC 12 at -O3 misreports assigning a literal over a substring as an
    // overlapping copy (-Wrestrict).
    std::string candidate = end > start ? path.substr(start, end - start) : std::string(1, '.');
    candidate += '/';
    candidate += program;
    // The shell itself is skipped: an app named like the browser, linked into a folder on PATH,
    // would otherwise start itself as its browser, and that copy another, without end.
    struct stat status;
    if (stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
        access(candidate.c_str(), X_OK) == 0 && !IsRunningExecutable(status)) {
      return candidate;
    }
    start = end + 1;
  }
  return std::nullopt;
}

std::optional<std::string> FindBrowser(const char* pathVariable) {
  // Debian and Arch install it as chromium, Fedora and Ubuntu as chromium-browser.
  for (const char* name : {"chromium", "chromium-browser"}) {
    if (std::optional<std::string> found = FindOnPath(name, pathVariable)) return found;
  }
  return std::nullopt;
}

ChromiumProcess::~ChromiumProcess() { Stop(5000); }

bool ChromiumProcess::Launch(const std::string& executable,
                             const std::vector<std::string>& arguments, std::string& error) {
  int commands[2] = {-1, -1};    // shell writes [1], child reads [0] as fd 3
  int replies[2] = {-1, -1};     // child writes [1] as fd 4, shell reads [0]
  int execReport[2] = {-1, -1};  // the child's errno when it could not start the program
  const auto closeAll = [&] {
    for (int* pair : {commands, replies, execReport}) {
      CloseIfOpen(pair[0]);
      CloseIfOpen(pair[1]);
    }
  };
  if (pipe2(commands, O_CLOEXEC) != 0 || pipe2(replies, O_CLOEXEC) != 0 ||
      pipe2(execReport, O_CLOEXEC) != 0) {
    error = std::strerror(errno);
    closeAll();
    return false;
  }
  // The child's ends must survive the dup2 onto 3 and 4 whatever numbers they got.
  commands[0] = MoveAbove(commands[0], 5);
  replies[1] = MoveAbove(replies[1], 5);
  execReport[1] = MoveAbove(execReport[1], 5);

  std::vector<std::string> argvStorage;
  argvStorage.push_back(executable);
  argvStorage.insert(argvStorage.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : argvStorage) argv.push_back(argument.data());
  argv.push_back(nullptr);

  const pid_t child = fork();
  if (child < 0) {
    error = std::strerror(errno);
    closeAll();
    return false;
  }
  if (child == 0) {
    // Only async-signal-safe calls from here on.
    const auto fail = [&] {
      const int code = errno;
      const ssize_t ignored = write(execReport[1], &code, sizeof code);
      static_cast<void>(ignored);
      _exit(127);
    };
    // A session of its own: a signal to the shell's group (a closed terminal's hang-up, a
    // supervisor's stop) would otherwise end the browser at once, before it saves the page's
    // storage. The shell ends it in order instead. Should the shell die, the browser sees its
    // pipe close and quits in order too: no death signal, which would cost the storage. Without
    // the terminal as its controlling one, the browser is no background job there either, which
    // a terminal set to stop background writers (stty tostop) would stop at its first warning.
    setsid();
    if (dup2(commands[0], kChildReadFd) < 0 || dup2(replies[1], kChildWriteFd) < 0) fail();
    // dup2 clears close-on-exec on the copies; nothing above them goes on but the report, which
    // closes at exec.
    CloseDescriptorsFrom(kChildWriteFd + 1, execReport[1]);
    signal(SIGPIPE, SIG_DFL);
    execv(executable.c_str(), argv.data());
    fail();
  }
  CloseIfOpen(commands[0]);
  CloseIfOpen(replies[1]);
  CloseIfOpen(execReport[1]);
  // Nothing to read once exec succeeded; the reason when it failed (not a program, say), which
  // would otherwise look like a browser that started and quit.
  int code = 0;
  ssize_t got;
  while ((got = read(execReport[0], &code, sizeof code)) < 0 && errno == EINTR) {
  }
  CloseIfOpen(execReport[0]);
  if (got == static_cast<ssize_t>(sizeof code)) {
    error = std::strerror(code);
    closeAll();
    WaitForExit(child);
    return false;
  }
  pid_ = child;
  // Non-blocking, so a write that waits for the browser can look at the stop flag between waits.
  // A stop signal that lands just before a blocking write() would otherwise go unseen.
  fcntl(commands[1], F_SETFL, fcntl(commands[1], F_GETFL) | O_NONBLOCK);
  toChild_ = commands[1];
  fromChild_ = replies[0];
  return true;
}

bool ChromiumProcess::Write(const std::string& bytes,
                            const volatile std::sig_atomic_t& stopSignal) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    if (toChild_ < 0 || stopSignal != 0) return false;
    const ssize_t n = write(toChild_, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        pollfd writable{toChild_, POLLOUT, 0};
        poll(&writable, 1, kStopCheckMilliseconds);
        continue;
      }
      if (errno == EINTR) continue;
      return false;
    }
    written += static_cast<std::size_t>(n);
  }
  return true;
}

bool ChromiumProcess::HasExited(int* status) {
  if (pid_ < 0) return true;
  if (!reaped_) {
    int waitStatus = 0;
    const pid_t result = waitpid(pid_, &waitStatus, WNOHANG);
    if (result == pid_ || (result < 0 && errno == ECHILD)) {
      reaped_ = true;
      status_ = waitStatus;
    }
  }
  if (reaped_ && status != nullptr) *status = status_;
  return reaped_;
}

void ChromiumProcess::Stop(int graceMilliseconds) {
  CloseIfOpen(toChild_);
  if (pid_ >= 0) {
    for (int waited = 0; !HasExited() && waited < graceMilliseconds; waited += 20)
      SleepMilliseconds(20);
    if (!HasExited()) {
      kill(pid_, SIGKILL);
      status_ = WaitForExit(pid_);
      reaped_ = true;
    }
  }
  CloseIfOpen(fromChild_);
}

bool SpawnDetached(const std::string& program, const std::string& argument) {
  // Double fork: the grandchild is adopted by init, so nobody has to reap it.
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    setsid();
    const pid_t grandchild = fork();
    if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
    const int devNull = open("/dev/null", O_RDWR);
    if (devNull >= 0) {
      dup2(devNull, 0);
      dup2(devNull, 1);
      dup2(devNull, 2);
    }
    CloseDescriptorsFrom(3);
    signal(SIGPIPE, SIG_DFL);
    execlp(program.c_str(), program.c_str(), argument.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  const int status = WaitForExit(child);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace corvane
