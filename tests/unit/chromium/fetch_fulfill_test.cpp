// Answers of the responder as the Fetch domain takes them.

#include "chromium/fetch_fulfill.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>

#include "base/base64.h"

namespace corvane {
namespace {

using nlohmann::json;
using namespace std::string_literals;

// The frame `send` writes through a client of its own.
std::string FrameOf(const std::function<void(DevToolsClient&)>& send) {
  std::string frame;
  DevToolsClient client([&](std::string framed) { frame = std::move(framed); });
  send(client);
  return frame;
}

// The params of the Fetch.fulfillRequest sent for `answer`, its body loaded.
json SentParams(const ResourceAnswer& answer) {
  const std::string frame =
      FrameOf([&](DevToolsClient& client) { SendFulfillRequest(client, "R1", answer); });
  return json::parse(frame.substr(0, frame.size() - 1))["params"];
}

// The body goes into the frame unescaped, the rest as the JSON library writes it: the frame is
// the one the library writes for the same params, for each remainder of three and every byte.
TEST(SendFulfillRequest, WritesTheFrameTheJsonLibraryWritesForTheSameParams) {
  const ResourceAnswer answer{
      .status = 200, .reason = "O\"K\xff", .headers = {"Content-Type: text/plain", "X-\\: \x01"}};
  std::string binary;
  for (int i = 0; i < 70000; ++i) binary.push_back(char(i + i / 256));
  for (const std::string& body : {""s, "a"s, "ab"s, "abc"s, binary}) {
    json params = FulfillParams("R\n1", answer);
    if (!body.empty()) {
      params["body"] =
          Base64Encode(reinterpret_cast<const std::uint8_t*>(body.data()), body.size());
    }
    EXPECT_EQ(FrameOf([&](DevToolsClient& c) { SendFulfillRequest(c, "R\n1", answer, body); }),
              FrameOf([&](DevToolsClient& c) { c.Send("Fetch.fulfillRequest", params); }))
        << body.size();
  }
}

TEST(SendFulfillRequest, AFileThatNoLongerHoldsTheAnnouncedBytesBecomesAnError) {
  const std::string path = testing::TempDir() + "fulfill_body.txt";
  std::ofstream(path, std::ios::binary) << "hello";
  ResourceAnswer answer{.status = 200,
                        .headers = {"Content-Type: text/plain", "Content-Length: 5"},
                        .body = ResourceAnswer::BodyKind::WholeFile,
                        .size = 5,
                        .filePath = path};
  EXPECT_EQ(SentParams(answer)["body"], "aGVsbG8=");
  answer.headers.back() = "Content-Length: 6";  // measured before the file shrank
  answer.size = 6;
  const json failed = SentParams(answer);
  std::remove(path.c_str());
  EXPECT_EQ(failed["responseCode"], 500);
  EXPECT_FALSE(failed.contains("body"));
  EXPECT_EQ(failed["responseHeaders"],
            json::array({{{"name", "Content-Type"}, {"value", "text/plain"}}}));
  EXPECT_EQ(SentParams(answer)["responseCode"], 500);  // the file is gone now
}

ResourceAnswer Partial(std::uint64_t first, std::uint64_t last, std::uint64_t total) {
  const std::string range = std::to_string(first) + "-" + std::to_string(last);
  return {.status = 206,
          .headers = {"Cache-Control: no-store",
                      "Content-Range: bytes " + range + "/" + std::to_string(total)},
          .body = ResourceAnswer::BodyKind::Bytes,
          .size = last - first + 1};
}

TEST(CappedRangeFor, OnlyOpenRangesAnsweredBeyondTheLimitAreCut) {
  const std::uint64_t limit = 100;
  EXPECT_EQ(CappedRangeFor("bytes=0-", Partial(0, 999, 1000), limit), "bytes=0-99");
  EXPECT_EQ(CappedRangeFor(" bytes=500- ", Partial(500, 999, 1000), limit), "bytes=500-599");
  // Small enough (the limit itself included), or not open: the answer stands.
  EXPECT_EQ(CappedRangeFor("bytes=900-", Partial(900, 999, 1000), limit), std::nullopt);
  EXPECT_EQ(CappedRangeFor("bytes=0-499", Partial(0, 499, 1000), limit), std::nullopt);
  EXPECT_EQ(CappedRangeFor("bytes=-500", Partial(500, 999, 1000), limit), std::nullopt);
  EXPECT_EQ(CappedRangeFor("bytes=0-,5-", Partial(0, 999, 1000), limit), std::nullopt);
  EXPECT_EQ(CappedRangeFor(std::nullopt, Partial(0, 999, 1000), limit), std::nullopt);
  ResourceAnswer whole = Partial(0, 999, 1000);
  whole.status = 200;
  EXPECT_EQ(CappedRangeFor("bytes=0-", whole, limit), std::nullopt);
}

TEST(RequestHeader, MatchesNamesWithoutRegardToCase) {
  const json headers = {{"range", "bytes=0-"}, {"X-Number", 5}};
  EXPECT_EQ(RequestHeader(headers, "Range"), "bytes=0-");
  EXPECT_EQ(RequestHeader(headers, "X-Number"), std::nullopt);
  EXPECT_EQ(RequestHeader(headers, "Xange"), std::nullopt);  // every byte counts, the first too
  EXPECT_EQ(RequestHeader(json::array(), "Range"), std::nullopt);
}

TEST(PausedRequestIdIn, ReadsTheIdOfAPausedRequestFromAnyCutAfterIt) {
  const std::string event =
      R"({"method":"Fetch.requestPaused","params":{"requestId":"job-7.0","request":{"url":)"
      R"("https://corvane.localhost/save","headers":{"requestId":"forged"},"postData":"AAAA)";
  const std::size_t idEnd = event.find("job-7.0") + 8;
  for (std::size_t cut = 0; cut <= event.size(); ++cut) {
    EXPECT_EQ(PausedRequestIdIn(event.substr(0, cut)),
              cut >= idEnd ? std::optional<std::string>("job-7.0") : std::nullopt)
        << event.substr(0, cut);
  }
  // Wherever the members stand; a header of that name, another event's or a reply's is not it.
  EXPECT_EQ(PausedRequestIdIn(R"({"params":{"requestId":"R"},"method":"Fetch.requestPaused")"),
            "R");
  for (const char* other :
       {R"({"method":"Fetch.requestPaused","params":{"request":)"
        R"({"headers":{"requestId":"forged"}},"postData":"AAAA)",
        R"({"method":"Network.requestWillBeSent","params":{"requestId":"N")",
        R"({"id":4,"result":{"requestId":"R","method":"Fetch.requestPaused")"}) {
    EXPECT_EQ(PausedRequestIdIn(other), std::nullopt) << other;
  }
}

}  // namespace
}  // namespace corvane
