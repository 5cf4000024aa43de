#pragma once
// Serves answers too large for one DevTools message from 127.0.0.1. Each answer is registered
// under a fresh unguessable token and served once, exactly as the responder built it, to the
// browser's continued request; anything else that connects gets nothing. Every answer is
// addressed under a host name of its own, so the browser's limit of six connections per host
// never makes one large answer wait for another.
//
// Any local process can connect, so one thread serves every connection from an event loop:
// connections are capped (the oldest one still sending its request head makes room), the whole
// request head has a deadline, and accept errors such as a full descriptor table pause accepting
// instead of spinning.

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "content/resource_responder.h"

namespace corvane {

struct LoopbackLimits {
  std::size_t maxConnections = 512;
  // From accept to the blank line that ends the request head.
  std::chrono::milliseconds headDeadline{10000};
  // How long accepting pauses after the system refused a descriptor.
  std::chrono::milliseconds acceptBackoff{100};
  // Answers registered and not yet fetched; beyond this the oldest is dropped. The browser never
  // comes for the answer of a request it abandoned.
  std::size_t maxWaitingAnswers = 4096;
};

class LoopbackServer {
 public:
  explicit LoopbackServer(LoopbackLimits limits = {}) : limits_(limits) {}
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;
  ~LoopbackServer();

  // Listens on an ephemeral port of 127.0.0.1. False when no socket could be set up.
  bool Start();

  // Registers an answer whose body (bytes in memory) stays valid until Stop(); returns its URL.
  // A whole-file body is checked here, so a file that cannot be read or is shorter than
  // `bodyLength` gives none, before anything has been promised to the browser; should it fail
  // when fetched, the answer is a 500.
  std::optional<std::string> Register(const ResourceAnswer& answer, std::uint64_t bodyLength);

  // Ends every transfer and joins the thread. Bodies may be released afterwards.
  void Stop();

  std::uint16_t port() const { return port_; }

 private:
  struct Entry {
    ResourceAnswer answer;
    std::uint64_t bodyLength = 0;
    int file = -1;  // descriptor of a whole-file body while it is sent, owned
    std::chrono::steady_clock::time_point registered;
    dev_t device = 0;  // the file measured at registration
    ino_t inode = 0;
  };
  struct Connection;

  void Loop();
  // Reads what the client sent: the head until it is complete (then the answer is chosen), and
  // anything after it is dropped. False when the connection is over.
  bool Receive(Connection& connection);
  // Sends what the socket takes, then shuts it for writing; false when the connection is broken
  // or the file gave out.
  static bool Transmit(Connection& connection);
  std::optional<Entry> Take(const std::string& token);
  static void CloseEntry(Entry& entry);
  // Opens a whole-file body; false when the file cannot be read or is shorter than announced.
  static bool OpenFileBody(Entry& entry);

  LoopbackLimits limits_;
  int listener_ = -1;
  int wake_[2] = {-1, -1};
  std::uint16_t port_ = 0;
  std::thread loop_;
  std::atomic<bool> stopping_ = false;
  std::mutex mutex_;
  std::map<std::string, Entry> entries_;  // guarded by mutex_
  std::uint64_t registrations_ = 0;       // guarded by mutex_; numbers the host names
};

}  // namespace corvane
