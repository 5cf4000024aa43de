#include "chromium/chromium_shell_linux.h"

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "chromium/chromium_launch.h"
#include "chromium/chromium_process_linux.h"
#include "chromium/devtools_framing.h"
#include "chromium/fetch_fulfill.h"
#include "chromium/loopback_server_linux.h"
#include "chromium/shell_recovery.h"

namespace corvane {

namespace {

// A page can post a string of any size and the browser passes it on whole; a message beyond
// this is dropped on its own and the app goes on.
constexpr std::size_t kMaxIncomingMessage = 256u << 20;

constexpr char kChromiumDidNotStart[] =
    "Chromium did not open the app's window; its own message, if any, is above. Running as root "
    "needs \"--no-sandbox\" in \"chromium-args\", and without a display the app needs --headless. "
    "If the app is running already, its window is open: its browser keeps the app's data to "
    "itself.";

// RunChromiumOnce's result when the browser died and is to be started again.
constexpr int kRestartChromium = -1;

volatile std::sig_atomic_t g_stopSignal = 0;
volatile std::sig_atomic_t g_stopNow = 0;  // a second signal: nothing more is waited for

void OnStopSignal(int signal) {
  if (g_stopSignal != 0) g_stopNow = 1;
  g_stopSignal = signal;
}

// How long a stop signal leaves the page to run its pagehide and unload handlers.
constexpr auto kCloseGrace = std::chrono::seconds(2);

void InstallSignalHandlers() {
  // Without SA_RESTART: a write blocked on a browser that does not read returns on the signal.
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);  // a broken pipe is reported by write() instead
}

// Makes `path` and its missing parents; false with errno set unless it ends up a folder this
// user can write. Chromium, given a profile it cannot use, quietly takes the user's own instead.
bool MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (!prefix.empty() && mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return false;
  if (!S_ISDIR(status.st_mode)) {
    errno = ENOTDIR;
    return false;
  }
  return access(path.c_str(), W_OK | X_OK) == 0;
}

std::string DescribeExit(int status) {
  if (WIFEXITED(status)) return "exit code " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return std::string("signal ") + strsignal(WTERMSIG(status));
  return "unknown status";
}

class LinuxPlatform final : public ChromiumPlatform {
 public:
  LinuxPlatform(LoopbackServer* server, ShellRecovery& recovery)
      : server_(server), recovery_(recovery) {}

  void OpenExternally(const std::string& url) override {
    if (!SpawnDetached("xdg-open", url)) std::fprintf(stderr, "corvane: could not run xdg-open\n");
  }

  std::optional<std::string> ServeLargeAnswer(const ResourceAnswer& answer) override {
    return server_ != nullptr ? server_->Register(answer, BodyLength(answer)) : std::nullopt;
  }

  void Finish(int code, const std::string& text) override {
    if (finished) return;
    finished = true;
    exitCode = code;
    message = text;
  }

  bool ReloadAfterCrash() override { return recovery_.ReloadAfterCrash(); }
  void RememberWindowBounds(const nlohmann::json& bounds) override {
    recovery_.RememberWindowBounds(bounds);
  }
  std::optional<nlohmann::json> WindowBoundsToRestore() override {
    return recovery_.WindowBoundsToRestore();
  }

  bool finished = false;
  int exitCode = 0;
  std::string message;

 private:
  LoopbackServer* server_;
  ShellRecovery& recovery_;
};

// Reads and dispatches what the browser sends, and the library's posts from its own threads,
// until the run is finished, a stop signal's grace is over, or the browser fails: then the
// failure's text, empty when there is none to report.
std::string PumpUntilFinished(ChromiumProcess& process, DevToolsClient& client, ChromiumHost& host,
                              const LinuxPlatform& platform, const ChromiumShellOptions& options,
                              ExtensionManager* extensions, const bool& pipeBroken) {
  NulFramedReader reader(kMaxIncomingMessage);
  std::string failure;
  std::vector<char> buffer(1 << 20);
  auto boundsDue = std::chrono::steady_clock::now();
  std::optional<std::chrono::steady_clock::time_point> closingSince;
  while (!platform.finished && failure.empty()) {
    if (std::chrono::steady_clock::now() >= boundsDue) {
      host.TrackWindowBounds();
      boundsDue = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    }
    if (g_stopSignal != 0 && !closingSince) {
      // The window closes as the page's window.close() closes it: what the page's pagehide
      // handlers post still reaches the library, and the browser then quits in order.
      closingSince = std::chrono::steady_clock::now();
      if (!host.CloseAppWindow()) g_stopNow = 1;
    }
    if (g_stopNow != 0 ||
        (closingSince && std::chrono::steady_clock::now() - *closingSince > kCloseGrace)) {
      break;
    }
    pollfd watched[2] = {{process.readFd(), POLLIN, 0},
                         {options.inbox != nullptr ? options.inbox->fd() : -1, POLLIN, 0}};
    const int ready = poll(watched, 2, 250);
    if (ready < 0 && errno != EINTR) {
      failure = std::string("Waiting for Chromium failed: ") + std::strerror(errno);
      break;
    }
    if (options.inbox != nullptr && extensions != nullptr) {
      for (const std::string& text : options.inbox->Take())
        extensions->PostWebMessage(text.c_str());
    }
    if (ready > 0 && (watched[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
      const ssize_t n = read(process.readFd(), buffer.data(), buffer.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        failure = "Chromium closed its connection to the app.";
        break;
      }
      reader.Append(std::string_view(buffer.data(), std::size_t(n)));
      for (const std::string& head : reader.TakeDroppedHeads()) {
        std::fprintf(stderr, "corvane: dropped a message from Chromium larger than %zu bytes\n",
                     kMaxIncomingMessage);
        host.OnMessageDropped(head);
      }
      while (std::optional<std::string> message = reader.Next()) {
        client.Dispatch(std::move(*message));
        if (platform.finished) break;
      }
    }
    if (pipeBroken && !platform.finished && g_stopSignal == 0) {
      failure = "The connection to Chromium broke.";
    }
    int status = 0;
    if (failure.empty() && !platform.finished && process.HasExited(&status)) {
      failure = "Chromium ended unexpectedly (" + DescribeExit(status) + ").";
    }
  }
  return failure;
}

// One browser process from start to end: the exit code, or kRestartChromium when it died and
// `recovery` allows another.
int RunChromiumOnce(const AppConfig& config, ResourceResponder* responder,
                    ExtensionManager* extensions, const ChromiumHostFolders& folders,
                    const ChromiumShellOptions& options, ShellRecovery& recovery) {
  InstallSignalHandlers();
  LoopbackServer server;
  const bool serving = config.contentMode == ContentMode::Bundle && responder != nullptr;
  if (serving && !server.Start()) {
    std::fprintf(stderr, "corvane: no loopback socket; answers over %llu bytes will fail\n",
                 static_cast<unsigned long long>(kInlineBodyLimit));
  }
  LinuxPlatform platform(serving ? &server : nullptr, recovery);

  ChromiumLaunchOptions launch;
  launch.profileFolder = folders.userDataFolder;
  launch.headless = options.headless;
  launch.largeAnswerPort = serving ? server.port() : 0;
  ChromiumProcess process;
  std::string error;
  if (!process.Launch(options.chromium, ChromiumArguments(config, launch), error)) {
    std::fprintf(stderr, "Failed to start Chromium (%s): %s\n", options.chromium.c_str(),
                 error.c_str());
    return 1;
  }

  bool pipeBroken = false;
  DevToolsClient client([&](std::string framed) {
    if (!pipeBroken && !process.Write(framed, g_stopNow)) pipeBroken = true;
  });
  ChromiumHost host(config, responder, extensions, client, platform, folders);
  client.SetEventHandler([&](const DevToolsEvent& event) { host.HandleEvent(event); });
  host.Start();

  const std::string failure =
      PumpUntilFinished(process, client, host, platform, options, extensions, pipeBroken);

  int exitCode = platform.exitCode;
  if (platform.finished) {
    if (!platform.message.empty()) std::fprintf(stderr, "%s\n", platform.message.c_str());
    process.Stop(5000);
  } else {
    // Chromium is gone or unusable: make sure of it by its pid before leaving.
    process.Stop(g_stopSignal != 0 ? 2000 : 0);
    exitCode = 1;
    // One that never opened the window will not do better a second time (no display, root
    // without --no-sandbox, a bad argument, another instance on the same profile).
    const bool opened = !host.mainTargetId().empty();
    if (g_stopSignal != 0) {
      if (!failure.empty()) std::fprintf(stderr, "%s\n", failure.c_str());
    } else if (!opened) {
      std::fprintf(stderr, "%s %s\n", failure.c_str(), kChromiumDidNotStart);
    } else if (recovery.RestartAfterExit()) {
      std::fprintf(stderr, "%s Starting it again.\n", failure.c_str());
      exitCode = kRestartChromium;
    } else {
      std::fprintf(stderr, "%s %s\n", failure.c_str(), kRestartFailureMessage);
    }
  }
  if (g_stopSignal != 0) {
    std::fprintf(stderr, "Stopped by signal %s. The app has to close.\n", strsignal(g_stopSignal));
    exitCode = 128 + g_stopSignal;
  }
  client.FailPending("Chromium is gone");
  host.ReturnWaitingMessages();
  if (extensions != nullptr) extensions->DetachHost();  // the library may still post on Release
  server.Stop();
  return exitCode;
}

}  // namespace

bool PrepareChromiumShell(const ChromiumHostFolders& folders, ChromiumShellOptions& options) {
  const std::optional<std::string> chromium = FindBrowser(std::getenv("PATH"));
  if (!chromium) {
    std::fprintf(stderr,
                 "Chromium was not found on PATH. Install the chromium package to run this app.\n");
    return false;
  }
  if (!MakeFolders(folders.userDataFolder)) {
    std::fprintf(stderr, "Failed to create the app's data folder %s: %s\n",
                 folders.userDataFolder.c_str(), std::strerror(errno));
    return false;
  }
  options.chromium = *chromium;
  return true;
}

int RunChromiumShell(const AppConfig& config, ResourceResponder* responder,
                     ExtensionManager* extensions, const ChromiumHostFolders& folders,
                     const ChromiumShellOptions& options) {
  ShellRecovery recovery;
  int exitCode = kRestartChromium;
  while (exitCode == kRestartChromium) {
    exitCode = RunChromiumOnce(config, responder, extensions, folders, options, recovery);
    // The new browser's page shakes hands anew; the library's posts wait for it.
    if (extensions != nullptr) extensions->pageReady = false;
  }
  return exitCode;
}

}  // namespace corvane
