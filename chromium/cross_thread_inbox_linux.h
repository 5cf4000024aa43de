#pragma once
// Text handed to the shell's thread from any other thread: queued under a lock and announced on
// an eventfd that the shell's loop polls beside the DevTools pipe.

#include <mutex>
#include <string>
#include <vector>

namespace corvane {

class CrossThreadInbox {
 public:
  CrossThreadInbox();
  CrossThreadInbox(const CrossThreadInbox&) = delete;
  CrossThreadInbox& operator=(const CrossThreadInbox&) = delete;
  ~CrossThreadInbox();

  // Any thread. Text posted after the loop has stopped is never taken.
  void Post(std::string text);

  // Readable while texts wait; -1 when no eventfd could be made (Post then keeps the texts and
  // the loop finds them on its next turn).
  int fd() const { return fd_; }

  // The shell's thread: every waiting text, in the order posted.
  std::vector<std::string> Take();

 private:
  int fd_;
  std::mutex lock_;
  std::vector<std::string> waiting_;
};

}  // namespace corvane
