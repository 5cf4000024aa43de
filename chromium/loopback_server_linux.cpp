#include "chromium/loopback_server_linux.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/random.h>
#include <sys/sendfile.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <list>
#include <vector>

#include "chromium/chromium_launch.h"
#include "chromium/loopback_request.h"

namespace corvane {

namespace {

using Clock = std::chrono::steady_clock;

// A registered answer the browser never came for is dropped after this long.
constexpr auto kEntryLifetime = std::chrono::minutes(2);
constexpr std::size_t kMaxRequestHead = 16 * 1024;
// After the answer the socket is shut for writing and the client's remaining bytes (a POST body)
// are read away until it closes, so closing never resets a connection whose answer is unread.
constexpr auto kLingerDeadline = std::chrono::seconds(5);
constexpr std::size_t kChunk = 1 << 20;
constexpr std::size_t kAcceptsPerWake = 64;

std::string RandomToken() {
  unsigned char bytes[32];
  std::size_t got = 0;
  while (got < sizeof bytes) {
    const ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return {};
    got += std::size_t(n);
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string token;
  for (unsigned char b : bytes) {
    token.push_back(kHex[b >> 4]);
    token.push_back(kHex[b & 15]);
  }
  return token;
}

bool IsOutOfDescriptors(int error) {
  return error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM;
}

// Accept errors that concern one client only; the next one may be accepted at once.
bool IsPassingAcceptError(int error) {
  return error == EAGAIN || error == EWOULDBLOCK || error == EINTR || error == ECONNABORTED;
}

}  // namespace

struct LoopbackServer::Connection {
  enum class Stage { Head, Answer, Linger };

  int socket = -1;
  Stage stage = Stage::Head;
  Clock::time_point deadline;
  std::string head;
  std::string out;  // what is left of the status line and headers
  std::optional<Entry> entry;
  bool headOnly = false;
  bool peerClosed = false;  // the client shut its side: only writing is left to watch
  std::uint64_t bodySent = 0;
};

LoopbackServer::~LoopbackServer() { Stop(); }

bool LoopbackServer::Start() {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listener_ < 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 128) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
    close(listener_);
    listener_ = -1;
    return false;
  }
  port_ = ntohs(address.sin_port);
  stopping_ = false;
  loop_ = std::thread(&LoopbackServer::Loop, this);
  return true;
}

void LoopbackServer::CloseEntry(Entry& entry) {
  if (entry.file >= 0) close(entry.file);
  entry.file = -1;
}

bool LoopbackServer::OpenFileBody(Entry& entry) {
  if (entry.answer.body != ResourceAnswer::BodyKind::WholeFile) return true;
  entry.file = open(entry.answer.filePath.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat status {};
  // At the fetch it must still be the file registered: the first bytes of one put in its place
  // since are no answer.
  const bool registered = entry.inode != 0;
  if (entry.file < 0 || fstat(entry.file, &status) != 0 ||
      std::uint64_t(status.st_size) < entry.bodyLength ||
      (registered && (status.st_dev != entry.device || status.st_ino != entry.inode))) {
    CloseEntry(entry);
    return false;
  }
  entry.device = status.st_dev;
  entry.inode = status.st_ino;
  return true;
}

std::optional<std::string> LoopbackServer::Register(const ResourceAnswer& answer,
                                                    std::uint64_t bodyLength) {
  if (listener_ < 0) return std::nullopt;
  const std::string token = RandomToken();
  if (token.empty()) return std::nullopt;
  Entry entry{answer, bodyLength, -1, Clock::now()};
  // Checked now, opened again when fetched: the browser never comes for the answer of a request
  // it abandoned, and a waiting answer must not hold a descriptor meanwhile.
  if (!OpenFileBody(entry)) return std::nullopt;
  CloseEntry(entry);
  std::lock_guard lock(mutex_);
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (entry.registered - it->second.registered > kEntryLifetime) {
      CloseEntry(it->second);
      it = entries_.erase(it);
    } else {
      ++it;
    }
  }
  while (!entries_.empty() && entries_.size() >= limits_.maxWaitingAnswers) {
    const auto oldest = std::min_element(
        entries_.begin(), entries_.end(),
        [](const auto& a, const auto& b) { return a.second.registered < b.second.registered; });
    CloseEntry(oldest->second);
    entries_.erase(oldest);
  }
  entries_[token] = std::move(entry);
  // A host name per answer: each gets its own connection group in the browser.
  return "http://a" + std::to_string(registrations_++ % 100000) +
         std::string(kLargeAnswerHostSuffix) + ":" + std::to_string(port_) + "/" + token;
}

std::optional<LoopbackServer::Entry> LoopbackServer::Take(const std::string& token) {
  std::lock_guard lock(mutex_);
  const auto found = entries_.find(token);
  if (found == entries_.end()) return std::nullopt;
  Entry entry = std::move(found->second);
  entries_.erase(found);
  return entry;
}

bool LoopbackServer::Receive(Connection& c) {
  char scratch[16 * 1024];
  for (;;) {
    const ssize_t n = recv(c.socket, scratch, sizeof scratch, MSG_DONTWAIT);
    if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    if (n == 0) {
      c.peerClosed = true;
      return c.stage == Connection::Stage::Answer;  // a half-closed client may still read
    }
    if (c.stage != Connection::Stage::Head) continue;
    c.head.append(scratch, std::size_t(n));
    if (c.head.find("\r\n\r\n") == std::string::npos) {
      if (c.head.size() > kMaxRequestHead) return false;
      continue;
    }
    const std::optional<LoopbackRequest> request = ParseLoopbackRequest(c.head);
    if (request) c.entry = Take(request->token);
    c.stage = Connection::Stage::Answer;
    if (c.entry && !OpenFileBody(*c.entry)) {
      c.entry.reset();
      c.out =
          "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    } else if (!c.entry) {
      c.out = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    } else {
      const ResourceAnswer& answer = c.entry->answer;
      c.headOnly = request->headOnly;
      c.out = "HTTP/1.1 " + std::to_string(answer.status) + " " + answer.reason + "\r\n";
      for (const std::string& line : answer.headers) c.out += line + "\r\n";
      c.out += "Connection: close\r\n\r\n";
    }
  }
}

bool LoopbackServer::Transmit(Connection& c) {
  while (!c.out.empty()) {
    const ssize_t n = send(c.socket, c.out.data(), c.out.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    c.out.erase(0, std::size_t(n));
  }
  const std::uint64_t length = c.entry && !c.headOnly ? c.entry->bodyLength : 0;
  while (c.bodySent < length) {
    const std::size_t want = std::size_t(std::min<std::uint64_t>(length - c.bodySent, kChunk));
    ssize_t n;
    if (c.entry->file >= 0) {
      off_t offset = off_t(c.bodySent);
      n = sendfile(c.socket, c.entry->file, &offset, want);
      // The file shrank since it was measured: the connection ends short of its
      // Content-Length, which the browser reports as a failed load, never as a whole one.
      if (n == 0) return false;
    } else {
      n = send(c.socket, c.entry->answer.data + c.bodySent, want, MSG_DONTWAIT | MSG_NOSIGNAL);
    }
    if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    c.bodySent += std::uint64_t(n);
  }
  if (c.entry) CloseEntry(*c.entry);
  c.entry.reset();
  shutdown(c.socket, SHUT_WR);
  c.stage = Connection::Stage::Linger;
  c.deadline = Clock::now() + kLingerDeadline;
  return true;
}

void LoopbackServer::Loop() {
  std::list<Connection> connections;  // oldest first
  Clock::time_point acceptPausedUntil{};
  std::vector<pollfd> watched;
  std::vector<Connection*> owners;

  // Closes the oldest connection that carries no answer: idle or slow request heads, and
  // clients that were already answered.
  const auto evictOldestIdle = [&]() {
    const auto oldest = std::find_if(connections.begin(), connections.end(), [](const auto& c) {
      return c.stage != Connection::Stage::Answer;
    });
    if (oldest == connections.end()) return false;
    close(oldest->socket);
    connections.erase(oldest);
    return true;
  };

  for (;;) {
    const Clock::time_point now = Clock::now();
    watched.clear();
    owners.clear();
    watched.push_back({wake_[0], POLLIN, 0});
    const bool accepting = now >= acceptPausedUntil;
    watched.push_back({accepting ? listener_ : -1, POLLIN, 0});
    Clock::time_point next = accepting ? Clock::time_point::max() : acceptPausedUntil;
    for (auto it = connections.begin(); it != connections.end();) {
      // Heads and lingering ends have deadlines; an answer in progress goes at the browser's pace.
      if (it->stage != Connection::Stage::Answer && now >= it->deadline) {
        close(it->socket);
        it = connections.erase(it);
        continue;
      }
      if (it->stage != Connection::Stage::Answer) next = std::min(next, it->deadline);
      short events = POLLIN;
      if (it->stage == Connection::Stage::Answer)
        events = it->peerClosed ? POLLOUT : POLLIN | POLLOUT;
      watched.push_back({it->socket, events, 0});
      owners.push_back(&*it);
      ++it;
    }
    int timeout = -1;
    if (next != Clock::time_point::max()) {
      const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - now).count();
      timeout = int(std::clamp<std::int64_t>(wait, 0, 60000));
    }
    if (stopping_) break;
    if (poll(watched.data(), watched.size(), timeout) < 0) {
      // Out of memory or over the descriptor limit for the set: try again a little later.
      if (errno != EINTR) std::this_thread::sleep_for(limits_.acceptBackoff);
      continue;
    }
    if (watched[0].revents != 0) break;

    std::vector<Connection*> over;
    for (std::size_t i = 0; i < owners.size(); ++i) {
      Connection& c = *owners[i];
      const short revents = watched[i + 2].revents;
      if (revents == 0) continue;
      bool alive = c.peerClosed || Receive(c);  // after the client's EOF there is nothing to read
      if (alive && c.stage == Connection::Stage::Answer &&
          (revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
        alive = Transmit(c);
      }
      if (!alive ||
          (c.stage == Connection::Stage::Linger && (c.peerClosed || (revents & POLLHUP)))) {
        over.push_back(&c);
      }
    }
    for (Connection* c : over) {
      if (c->entry) CloseEntry(*c->entry);
      close(c->socket);
      connections.remove_if([c](const Connection& x) { return &x == c; });
    }

    if (watched[1].revents == 0) continue;
    // No more accepts at once than there are slots: a client accepted in this round is never
    // evicted for room before its head has been read.
    const std::size_t accepts = std::min<std::size_t>(kAcceptsPerWake, limits_.maxConnections);
    for (std::size_t i = 0; i < accepts; ++i) {
      if (connections.size() >= limits_.maxConnections && !evictOldestIdle()) {
        // Every slot carries an answer: new clients wait in the backlog.
        acceptPausedUntil = Clock::now() + limits_.acceptBackoff;
        break;
      }
      const int socket = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
      if (socket < 0) {
        // Otherwise the pending client stays in the backlog, and polling the listener again at
        // once would only spin. Idle clients give their descriptors back first.
        if (!IsPassingAcceptError(errno)) {
          if (IsOutOfDescriptors(errno)) evictOldestIdle();
          acceptPausedUntil = Clock::now() + limits_.acceptBackoff;
        }
        break;
      }
      Connection& c = connections.emplace_back();
      c.socket = socket;
      c.deadline = Clock::now() + limits_.headDeadline;
    }
  }

  for (Connection& c : connections) {
    if (c.entry) CloseEntry(*c.entry);
    close(c.socket);
  }
}

void LoopbackServer::Stop() {
  if (listener_ < 0) return;
  stopping_ = true;
  const char wake = 1;
  if (write(wake_[1], &wake, 1) < 0) {
  }
  if (loop_.joinable()) loop_.join();
  {
    std::lock_guard lock(mutex_);
    for (auto& [token, entry] : entries_) CloseEntry(entry);
    entries_.clear();
  }
  close(listener_);
  close(wake_[0]);
  close(wake_[1]);
  listener_ = -1;
}

}  // namespace corvane
