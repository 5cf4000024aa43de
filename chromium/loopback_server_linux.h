#pragma once
// Serves answers too large for one DevTools message from 127.0.0.1. Each answer is registered
// under a fresh unguessable token and served once, exactly as the responder built it, to the
// browser's continued request; anything else that connects gets nothing.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "content/resource_responder.h"

namespace corvane {

class LoopbackServer {
 public:
  LoopbackServer() = default;
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;
  ~LoopbackServer();

  // Listens on an ephemeral port of 127.0.0.1. False when no socket could be set up.
  bool Start();

  // Registers an answer whose body stays valid until Stop(); returns its URL.
  std::optional<std::string> Register(const ResourceAnswer& answer, std::uint64_t bodyLength);

  // Ends every transfer and joins the threads. Bodies may be released afterwards.
  void Stop();

  std::uint16_t port() const { return port_; }

 private:
  struct Entry {
    ResourceAnswer answer;
    std::uint64_t bodyLength = 0;
    std::chrono::steady_clock::time_point registered;
  };

  void AcceptLoop();
  void Serve(int connection);
  std::optional<Entry> Take(const std::string& token);
  void ForgetConnection(int connection);

  int listener_ = -1;
  int wake_[2] = {-1, -1};
  std::uint16_t port_ = 0;
  std::thread acceptor_;
  std::mutex mutex_;
  std::map<std::string, Entry> entries_;
  std::condition_variable workersDone_;
  int activeWorkers_ = 0;
  std::vector<int> connections_;
  bool stopping_ = false;
};

}  // namespace corvane
