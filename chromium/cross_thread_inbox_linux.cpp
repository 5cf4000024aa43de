#include "chromium/cross_thread_inbox_linux.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace corvane {

CrossThreadInbox::CrossThreadInbox() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CrossThreadInbox::~CrossThreadInbox() {
  if (fd_ >= 0) close(fd_);
}

void CrossThreadInbox::Post(std::string text) {
  {
    const std::lock_guard<std::mutex> hold(lock_);
    waiting_.push_back(std::move(text));
  }
  if (fd_ < 0) return;
  // A counter that is already set keeps the fd readable, so a failed write loses nothing.
  const std::uint64_t one = 1;
  const ssize_t written = write(fd_, &one, sizeof one);
  static_cast<void>(written);
}

std::vector<std::string> CrossThreadInbox::Take() {
  if (fd_ >= 0) {
    std::uint64_t count = 0;
    const ssize_t got = read(fd_, &count, sizeof count);
    static_cast<void>(got);
  }
  std::vector<std::string> taken;
  const std::lock_guard<std::mutex> hold(lock_);
  taken.swap(waiting_);
  return taken;
}

}  // namespace corvane
