// The loopback endpoint that serves answers too large for the DevTools pipe.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "chromium/loopback_request.h"
#include "chromium/loopback_server_linux.h"

namespace corvane {
namespace {

// A socket connected, or with `wait` false connecting, to the server; -1 when that fails.
// Replies that never come fail the test after a while instead of hanging it.
int Connect(std::uint16_t port, bool wait = true) {
  const int s = socket(AF_INET, SOCK_STREAM | (wait ? 0 : SOCK_NONBLOCK), 0);
  timeval timeout{20, 0};
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return s;
  if (!wait && errno == EINPROGRESS) return s;
  close(s);
  return -1;
}

std::size_t CountEntries(const char* folder) {
  return std::distance(std::filesystem::directory_iterator(folder), {});
}

// One HTTP/1.1 exchange with the server; returns everything it sent back.
std::string Exchange(std::uint16_t port, const std::string& request) {
  const int s = Connect(port);
  if (s < 0) return "connect failed";
  send(s, request.data(), request.size(), MSG_NOSIGNAL);
  shutdown(s, SHUT_WR);  // nothing more is coming: a partial request must not wait for a timeout
  std::string reply;
  char buffer[65536];
  for (ssize_t n; (n = recv(s, buffer, sizeof buffer, 0)) > 0;) reply.append(buffer, n);
  close(s);
  return reply;
}

std::size_t BodySize(const std::string& reply) {
  return reply.size() - (reply.find("\r\n\r\n") + 4);
}

class LoopbackServerTest : public ::testing::Test {
 protected:
  LoopbackServerTest()
      : server(LoopbackLimits{kSlots, std::chrono::milliseconds(500),
                              std::chrono::milliseconds(100), kWaitingAnswers}) {}
  static constexpr std::size_t kSlots = 64;
  static constexpr std::size_t kWaitingAnswers = 50;
  void SetUp() override { ASSERT_TRUE(server.Start()); }
  // Registers `body` (which must outlive the server) and returns the request line that fetches it.
  std::string Serve(const std::string& body, std::vector<std::string> headers = {}) {
    const bool partial = !headers.empty();
    const ResourceAnswer answer{.status = partial ? 206 : 200,
                                .reason = partial ? "Partial Content" : "OK",
                                .headers = std::move(headers),
                                .body = ResourceAnswer::BodyKind::Bytes,
                                .data = reinterpret_cast<const std::uint8_t*>(body.data()),
                                .size = body.size()};
    const auto url = server.Register(answer, answer.size);
    EXPECT_TRUE(url.has_value());
    if (!url) return "";
    return "GET " + url->substr(url->find('/', 7)) + " HTTP/1.1\r\n\r\n";
  }
  LoopbackServer server;
};

// What any local program may send: only a complete first line with a method, a target under "/"
// and a version names an answer.
TEST(LoopbackRequest, OnlyACompleteFirstLineWithATargetUnderTheRootIsARequest) {
  const auto token = [](std::string_view head) {
    const std::optional<LoopbackRequest> request = ParseLoopbackRequest(head);
    return request ? request->token + (request->headOnly ? " (head)" : "") : "none";
  };
  EXPECT_EQ(token("GET /t0k HTTP/1.1\r\nHost: x\r\n\r\n"), "t0k");
  EXPECT_EQ(token("HEAD /t0k HTTP/1.1\r\n\r\n"), "t0k (head)");
  EXPECT_EQ(token("GET t0k HTTP/1.1\r\n"), "none");
  EXPECT_EQ(token("GET /t0k HTTP/1.1"), "none");
}

TEST_F(LoopbackServerTest, ServesARegisteredAnswerOnceExactlyAsBuiltAndOnlyForItsToken) {
  static const std::string body(3 << 20, 'z');
  const std::string request =
      Serve(body, {"Cache-Control: no-store", "Content-Range: bytes 0-3145727/9999999",
                   "Content-Length: 3145728"});
  const std::string token = request.substr(5, 64);  // 256 random bits in hex
  EXPECT_EQ(request, "GET /" + token + " HTTP/1.1\r\n\r\n");
  for (const std::string& guess : std::vector<std::string>{
           "GET / HTTP/1.1\r\n\r\n", "GET /" + token.substr(1) + " HTTP/1.1\r\n\r\n",
           "GET /" + token + "x HTTP/1.1\r\n\r\n", "GET /" + token + " HTTP/1.1\r\n"}) {
    EXPECT_EQ(Exchange(server.port(), guess).find("zzz"), std::string::npos) << guess;
  }
  // The guesses did not use the entry up. Any method gets the answer (the browser continues a
  // POST here too), and its request body is read away, not left to reset the answer.
  const std::string reply =
      Exchange(server.port(), "POST /" + token + " HTTP/1.1\r\nContent-Length: 4000000\r\n\r\n" +
                                  std::string(4000000, 'p'));
  const std::string head =
      "HTTP/1.1 206 Partial Content\r\nCache-Control: no-store\r\nContent-Range: bytes "
      "0-3145727/9999999\r\nContent-Length: 3145728\r\nConnection: close\r\n\r\n";
  EXPECT_TRUE(reply == head + body) << reply.substr(0, 300);
  // Used up: the same address serves nothing a second time.
  EXPECT_EQ(Exchange(server.port(), request).rfind("HTTP/1.1 404", 0), 0u);
}

TEST_F(LoopbackServerTest, AFileBodyIsOpenedOnlyWhenFetchedAndAFailedReadIsNeverASuccess) {
  const std::string path = testing::TempDir() + "loopback_body.bin";
  std::ofstream(path, std::ios::binary) << std::string(5 << 20, 'f');
  // Registration measures the file: one shorter than announced is refused before the browser is
  // promised anything.
  const ResourceAnswer answer{.status = 200,
                              .reason = "OK",
                              .headers = {"Content-Length: 5242880"},
                              .body = ResourceAnswer::BodyKind::WholeFile,
                              .filePath = path};
  EXPECT_FALSE(server.Register(answer, (5 << 20) + 1).has_value());
  const auto fetch = [&](const std::optional<std::string>& url) {
    return Exchange(server.port(), "GET " + url->substr(url->rfind('/')) + " HTTP/1.1\r\n\r\n");
  };
  // Answers never fetched hold no file, and the oldest make room for new ones.
  const std::size_t before = CountEntries("/proc/self/fd");
  std::vector<std::optional<std::string>> urls;
  for (int i = 0; i < 100; ++i) urls.push_back(server.Register(answer, 5 << 20));
  EXPECT_EQ(CountEntries("/proc/self/fd"), before);
  const auto shrinking = server.Register(answer, 5 << 20),
             replaced = server.Register(answer, 5 << 20);
  ASSERT_TRUE(urls.front() && urls.back() && shrinking && replaced);
  EXPECT_EQ(fetch(urls.front()).rfind("HTTP/1.1 404", 0), 0u);
  const std::string reply = fetch(urls.back());
  ASSERT_EQ(reply.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
  EXPECT_EQ(BodySize(reply), std::size_t(5 << 20));
  // The file shrank after registration: still nothing promised that cannot be kept.
  ASSERT_EQ(truncate(path.c_str(), 1000), 0);
  EXPECT_EQ(fetch(shrinking).rfind("HTTP/1.1 500 ", 0), 0u);
  // Another, longer file put in its place is not the one measured: its first bytes are no answer.
  std::ofstream(path + ".new", std::ios::binary) << std::string(6 << 20, 'n');
  ASSERT_EQ(std::rename((path + ".new").c_str(), path.c_str()), 0);
  EXPECT_EQ(fetch(replaced).rfind("HTTP/1.1 500 ", 0), 0u);
  std::remove(path.c_str());
}

TEST_F(LoopbackServerTest, SlowAndIdleClientsNeitherPileUpNorStallAnAnswer) {
  // A slowloris client: one byte of an endless head every 50 ms, for ten times the deadline.
  const int slow = Connect(server.port());
  ASSERT_GE(slow, 0);
  bool slowClosed = false;
  for (int i = 0; i < 100 && !slowClosed; ++i) {
    const char byte = i == 0 ? 'G' : 'x';
    char sink;
    slowClosed = send(slow, &byte, 1, MSG_NOSIGNAL) < 0 || recv(slow, &sink, 1, MSG_DONTWAIT) == 0;
    usleep(50 * 1000);
  }
  close(slow);
  EXPECT_TRUE(slowClosed) << "a head that never ends kept its connection";

  rlimit limit{};
  getrlimit(RLIMIT_NOFILE, &limit);
  if (limit.rlim_max < 2200) GTEST_SKIP() << "needs 2,200 descriptors";
  const rlimit saved = limit;
  limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, 4096);
  setrlimit(RLIMIT_NOFILE, &limit);
  // Idle clients come in rounds the listen backlog can hold, each taken in by the server before
  // the next: past a full backlog the system drops connections the server never sees, and the
  // answer's own connection could be one of them.
  std::vector<int> idle;
  const auto closedByServer = [&idle] {
    return std::size_t(std::count_if(idle.begin(), idle.end(), [](int s) {
      char sink;
      return recv(s, &sink, 1, MSG_DONTWAIT) == 0;
    }));
  };
  // Enough that the server's own descriptors pass 1,024, where a select()-based loop breaks.
  for (int round = 0; round < 20; ++round) {
    for (int i = 0; i < 100; ++i) {
      if (const int s = Connect(server.port(), false); s >= 0) idle.push_back(s);
    }
    for (int i = 0; i < 400 && closedByServer() + kSlots < idle.size(); ++i) usleep(5 * 1000);
    ASSERT_GE(closedByServer() + kSlots, idle.size()) << "idle clients piled up";
  }
  EXPECT_EQ(idle.size(), 2000u);
  static const std::string body(1 << 20, 'b');
  EXPECT_EQ(BodySize(Exchange(server.port(), Serve(body))), body.size());
  for (int s : idle) close(s);
  setrlimit(RLIMIT_NOFILE, &saved);
}

TEST_F(LoopbackServerTest, StopEndsATransferThatIsStillRunning) {
  constexpr std::size_t kSize = 64u << 20;
  auto body = std::make_unique<std::string>(kSize, 'q');
  const std::string request = Serve(*body);
  // A client that asks and then does not read: the server blocks in send until Stop.
  const int s = Connect(server.port());
  ASSERT_GE(s, 0);
  send(s, request.data(), request.size(), MSG_NOSIGNAL);
  usleep(200 * 1000);
  server.Stop();
  body.reset();  // a worker still sending from it would read freed memory
  // The connection is closed with the transfer cut short, not left running.
  std::vector<char> buffer(1 << 20);
  std::size_t received = 0;
  ssize_t n = 0;
  while ((n = recv(s, buffer.data(), buffer.size(), 0)) > 0) received += std::size_t(n);
  EXPECT_TRUE(n == 0 || errno == ECONNRESET) << std::strerror(errno);
  EXPECT_LT(received, kSize);
  close(s);
}

}  // namespace
}  // namespace corvane
