#pragma once
// The browser as a child process, spoken to over two pipes: the child reads commands from its
// fd 3 and writes replies and events to its fd 4.

#include <sys/types.h>

#include <csignal>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// Full path of `program` found in the PATH directories, or none. The running executable itself
// is never the answer.
std::optional<std::string> FindOnPath(const std::string& program, const char* pathVariable);

// Full path of the browser on PATH under the name a distribution gives it, or none.
std::optional<std::string> FindBrowser(const char* pathVariable);

class ChromiumProcess {
 public:
  ChromiumProcess() = default;
  ChromiumProcess(const ChromiumProcess&) = delete;
  ChromiumProcess& operator=(const ChromiumProcess&) = delete;
  // Closes the pipe (the browser quits when it sees it closed), then makes sure the child is gone.
  ~ChromiumProcess();

  // Starts `executable` with `arguments`. False with `error` set when it cannot be started.
  bool Launch(const std::string& executable, const std::vector<std::string>& arguments,
              std::string& error);

  pid_t pid() const { return pid_; }
  int readFd() const { return fromChild_; }

  // Writes all of `bytes`; false when the pipe is broken, or once `stopSignal` is set while the
  // write waits for a browser which does not read (stopped, hung).
  bool Write(const std::string& bytes, const volatile std::sig_atomic_t& stopSignal);

  // True once the child has exited (reaped here), with its wait status.
  bool HasExited(int* status = nullptr);

  // Closes the pipe, waits up to `graceMilliseconds` for the child to leave, then kills it by
  // its pid and reaps it.
  void Stop(int graceMilliseconds);

 private:
  pid_t pid_ = -1;
  int toChild_ = -1;
  int fromChild_ = -1;
  bool reaped_ = false;
  int status_ = 0;
};

// Runs `program` with `argument` detached from this process (no wait, no inherited pipe ends,
// output to the null device). False when it could not be started.
bool SpawnDetached(const std::string& program, const std::string& argument);

}  // namespace corvane
