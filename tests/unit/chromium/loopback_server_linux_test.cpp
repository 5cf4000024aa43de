// The loopback endpoint that serves answers too large for the DevTools pipe.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chromium/loopback_server_linux.h"

namespace corvane {
namespace {

// A connected socket to the server, or -1.
int Connect(std::uint16_t port) {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return s;
  close(s);
  return -1;
}

// One HTTP/1.1 exchange with the server; returns everything it sent back.
std::string Exchange(std::uint16_t port, const std::string& request) {
  const int s = Connect(port);
  if (s < 0) return "connect failed";
  send(s, request.data(), request.size(), MSG_NOSIGNAL);
  shutdown(s, SHUT_WR);  // nothing more is coming: a partial request must not wait for a timeout
  std::string reply;
  char buffer[65536];
  for (ssize_t n; (n = recv(s, buffer, sizeof buffer, 0)) > 0;)
    reply.append(buffer, std::size_t(n));
  close(s);
  return reply;
}

ResourceAnswer BytesAnswer(int status, const std::string& reason, const std::string& body) {
  ResourceAnswer answer;
  answer.status = status;
  answer.reason = reason;
  answer.body = ResourceAnswer::BodyKind::Bytes;
  answer.data = reinterpret_cast<const std::uint8_t*>(body.data());
  answer.size = body.size();
  return answer;
}

class LoopbackServerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server.Start()); }
  // Registers `answer` and returns the path of its address.
  std::string Register(const ResourceAnswer& answer) {
    const auto url = server.Register(answer, answer.size);
    EXPECT_TRUE(url.has_value());
    if (!url) return "";
    EXPECT_EQ(url->rfind("http://127.0.0.1:" + std::to_string(server.port()) + "/", 0), 0u);
    return url->substr(url->find('/', std::string("http://").size()));
  }
  LoopbackServer server;
};

TEST_F(LoopbackServerTest, ServesARegisteredAnswerOnceExactlyAsBuilt) {
  static const std::string body(3 << 20, 'z');
  ResourceAnswer answer = BytesAnswer(206, "Partial Content", body);
  answer.headers = {"Cache-Control: no-store", "Content-Range: bytes 0-3145727/9999999",
                    "Content-Length: 3145728"};
  const std::string path = Register(answer);
  EXPECT_EQ(path.size(), 1u + 64u);  // 256 random bits in hex

  const std::string reply = Exchange(server.port(), "GET " + path + " HTTP/1.1\r\nHost: x\r\n\r\n");
  const std::size_t headEnd = reply.find("\r\n\r\n");
  ASSERT_NE(headEnd, std::string::npos);
  EXPECT_EQ(
      reply.substr(0, headEnd),
      "HTTP/1.1 206 Partial Content\r\nCache-Control: no-store\r\n"
      "Content-Range: bytes 0-3145727/9999999\r\nContent-Length: 3145728\r\nConnection: close");
  EXPECT_TRUE(reply.compare(headEnd + 4, std::string::npos, body) == 0);
  // Used up: the same address serves nothing a second time.
  EXPECT_EQ(Exchange(server.port(), "GET " + path + " HTTP/1.1\r\n\r\n").rfind("HTTP/1.1 404", 0),
            0u);
}

TEST_F(LoopbackServerTest, UnknownTokensAndOtherRequestsGetNothing) {
  static const std::string secret = "secret";
  const std::string token = Register(BytesAnswer(200, "OK", secret)).substr(1);
  for (const std::string& request : std::vector<std::string>{
           "GET / HTTP/1.1\r\n\r\n", "GET /" + token.substr(1) + " HTTP/1.1\r\n\r\n",
           "GET /" + token + "x HTTP/1.1\r\n\r\n", "POST /" + token + " HTTP/1.1\r\n\r\n",
           "garbage\r\n\r\n", std::string("")}) {
    EXPECT_EQ(Exchange(server.port(), request).find(secret), std::string::npos) << request;
  }
  // The guesses above did not use the entry up.
  EXPECT_NE(Exchange(server.port(), "GET /" + token + " HTTP/1.1\r\n\r\n").find(secret),
            std::string::npos);
}

TEST_F(LoopbackServerTest, StopEndsATransferThatIsStillRunning) {
  static const std::string body(64 << 20, 'q');
  const std::string request = "GET " + Register(BytesAnswer(200, "OK", body)) + " HTTP/1.1\r\n\r\n";
  // A client that asks and then never reads: the server blocks in send until Stop.
  const int s = Connect(server.port());
  ASSERT_GE(s, 0);
  send(s, request.data(), request.size(), MSG_NOSIGNAL);
  usleep(200 * 1000);
  server.Stop();  // returns only once the worker has let go of the body
  close(s);
}

}  // namespace
}  // namespace corvane
