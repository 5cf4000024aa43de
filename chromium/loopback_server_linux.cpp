#include "chromium/loopback_server_linux.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/sendfile.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "chromium/loopback_request.h"

namespace corvane {

namespace {

// A registered answer the browser never came for is dropped after this long.
constexpr auto kEntryLifetime = std::chrono::minutes(2);
constexpr std::size_t kMaxRequestHead = 16 * 1024;
constexpr int kReceiveTimeoutSeconds = 10;

std::string RandomToken() {
  unsigned char bytes[32];
  std::ifstream random("/dev/urandom", std::ios::binary);
  random.read(reinterpret_cast<char*>(bytes), sizeof bytes);
  if (!random) return {};
  static constexpr char kHex[] = "0123456789abcdef";
  std::string token;
  for (unsigned char b : bytes) {
    token.push_back(kHex[b >> 4]);
    token.push_back(kHex[b & 15]);
  }
  return token;
}

bool SendAll(int socket, const char* data, std::uint64_t size) {
  while (size > 0) {
    const ssize_t n = send(socket, data, std::min<std::uint64_t>(size, 1 << 20), MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= std::uint64_t(n);
  }
  return true;
}

bool SendFile(int socket, const std::string& path, std::uint64_t size) {
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return false;
  off_t offset = 0;
  bool ok = true;
  while (std::uint64_t(offset) < size) {
    const ssize_t n = sendfile(socket, file, &offset,
                               std::min<std::uint64_t>(size - std::uint64_t(offset), 1 << 30));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;  // the file shrank or the browser went away
      break;
    }
  }
  close(file);
  return ok;
}

}  // namespace

LoopbackServer::~LoopbackServer() { Stop(); }

bool LoopbackServer::Start() {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener_ < 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 16) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      pipe2(wake_, O_CLOEXEC) != 0) {
    close(listener_);
    listener_ = -1;
    return false;
  }
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread(&LoopbackServer::AcceptLoop, this);
  return true;
}

std::optional<std::string> LoopbackServer::Register(const ResourceAnswer& answer,
                                                    std::uint64_t bodyLength) {
  if (listener_ < 0) return std::nullopt;
  const std::string token = RandomToken();
  if (token.empty()) return std::nullopt;
  const auto now = std::chrono::steady_clock::now();
  std::lock_guard lock(mutex_);
  for (auto it = entries_.begin(); it != entries_.end();) {
    it = now - it->second.registered > kEntryLifetime ? entries_.erase(it) : std::next(it);
  }
  entries_[token] = Entry{answer, bodyLength, now};
  return "http://127.0.0.1:" + std::to_string(port_) + "/" + token;
}

std::optional<LoopbackServer::Entry> LoopbackServer::Take(const std::string& token) {
  std::lock_guard lock(mutex_);
  const auto found = entries_.find(token);
  if (found == entries_.end()) return std::nullopt;
  Entry entry = std::move(found->second);
  entries_.erase(found);
  return entry;
}

void LoopbackServer::AcceptLoop() {
  for (;;) {
    pollfd watched[2] = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    if (poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (watched[1].revents != 0) return;
    const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    std::lock_guard lock(mutex_);
    if (stopping_) {
      close(connection);
      return;
    }
    connections_.push_back(connection);
    ++activeWorkers_;
    std::thread(&LoopbackServer::Serve, this, connection).detach();
  }
}

void LoopbackServer::Serve(int connection) {
  timeval timeout{kReceiveTimeoutSeconds, 0};
  setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxRequestHead) {
    const ssize_t n = recv(connection, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    head.append(buffer, std::size_t(n));
  }

  std::optional<Entry> entry;
  const std::optional<LoopbackRequest> request = ParseLoopbackRequest(head);
  const bool headOnly = request && request->headOnly;
  if (request) entry = Take(request->token);

  if (!entry) {
    static constexpr char kNotFound[] =
        "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    SendAll(connection, kNotFound, sizeof kNotFound - 1);
  } else {
    const ResourceAnswer& answer = entry->answer;
    std::string response =
        "HTTP/1.1 " + std::to_string(answer.status) + " " + answer.reason + "\r\n";
    for (const std::string& line : answer.headers) response += line + "\r\n";
    response += "Connection: close\r\n\r\n";
    if (SendAll(connection, response.data(), response.size()) && !headOnly) {
      if (answer.body == ResourceAnswer::BodyKind::Bytes) {
        SendAll(connection, reinterpret_cast<const char*>(answer.data), entry->bodyLength);
      } else if (answer.body == ResourceAnswer::BodyKind::WholeFile) {
        SendFile(connection, answer.filePath, entry->bodyLength);
      }
    }
  }
  shutdown(connection, SHUT_WR);
  ForgetConnection(connection);
}

void LoopbackServer::ForgetConnection(int connection) {
  std::lock_guard lock(mutex_);
  const auto found = std::find(connections_.begin(), connections_.end(), connection);
  if (found != connections_.end()) {
    connections_.erase(found);
    close(connection);
  }
  // Last touch of this object by the worker: Stop() cannot return before the lock is released.
  --activeWorkers_;
  workersDone_.notify_all();
}

void LoopbackServer::Stop() {
  if (listener_ < 0) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    // Unblocks every transfer; the worker closes its own socket.
    for (int connection : connections_) shutdown(connection, SHUT_RDWR);
    entries_.clear();
  }
  const char wake = 1;
  if (write(wake_[1], &wake, 1) < 0) {
  }
  if (acceptor_.joinable()) acceptor_.join();
  {
    std::unique_lock lock(mutex_);
    workersDone_.wait(lock, [this] { return activeWorkers_ == 0; });
  }
  close(listener_);
  close(wake_[0]);
  close(wake_[1]);
  listener_ = -1;
}

}  // namespace corvane
