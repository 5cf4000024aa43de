// The DevTools pipe: its framing, the command/reply/event bookkeeping on top of it, and the
// responder's answers as the Fetch domain takes them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>

#include "base/base64.h"
#include "chromium/devtools_client.h"
#include "chromium/devtools_framing.h"
#include "chromium/fetch_fulfill.h"
#include "chromium/page_outbox.h"

namespace corvane {
namespace {

using nlohmann::json;
using namespace std::string_literals;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Appends `bytes` to `reader` and returns every message it can hand out after that.
std::vector<std::string> Feed(NulFramedReader& reader, std::string_view bytes) {
  reader.Append(bytes);
  std::vector<std::string> seen;
  while (auto message = reader.Next()) seen.push_back(*message);
  return seen;
}

TEST(NulFramedReader, ReassemblesMessagesSplitAnywhereAndByteByByte) {
  const std::string stream =
      FrameMessage(R"({"a":1})") + FrameMessage("") + FrameMessage(R"(["b","x"])");
  // Every split point, including inside the NULs themselves. The messages begin with different
  // bytes, so a buffer compacted one byte off shows.
  for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
    NulFramedReader reader(1024);
    std::vector<std::string> seen = Feed(reader, std::string_view(stream).substr(0, cut));
    for (std::string& m : Feed(reader, std::string_view(stream).substr(cut))) seen.push_back(m);
    EXPECT_THAT(seen, ElementsAre(R"({"a":1})", "", R"(["b","x"])")) << "cut at " << cut;
  }
  // A long stream one byte at a time, through a small reader that must reuse its buffer.
  NulFramedReader reader(64);
  std::string many;
  // Appended rather than "m" + ...: GCC 12 at -O3 reports that as an overlapping copy (-Wrestrict).
  for (int i = 0; i < 500; ++i) many += FrameMessage(std::string("m").append(std::to_string(i)));
  int next = 0;
  for (char c : many) {
    for (const std::string& m : Feed(reader, std::string_view(&c, 1)))
      EXPECT_EQ(m, std::string("m").append(std::to_string(next++)));
  }
  EXPECT_EQ(next, 500);
}

TEST(NulFramedReader, DropsAMessageBeyondTheLimitAloneAndReadsOn) {
  NulFramedReader reader(8, 7);
  // Too long within one read, then across reads, then exactly at the limit.
  EXPECT_THAT(Feed(reader, FrameMessage("a") + FrameMessage("abcdefghi") + FrameMessage("b")),
              ElementsAre("a", "b"));
  EXPECT_THAT(Feed(reader, "12345"), ElementsAre());
  reader.Append("6789");
  reader.Append(std::string(1000, 'x'));
  EXPECT_THAT(Feed(reader, std::string("y\0c\0", 4) + FrameMessage("12345678")),
              ElementsAre("c", "12345678"));
  // The head of the second was partly buffered already when its size showed.
  EXPECT_THAT(reader.TakeDroppedHeads(), ElementsAre("abcdefg", "1234567"));
  EXPECT_THAT(reader.TakeDroppedHeads(), IsEmpty());
}

TEST(DevToolsClient, ACommandLongerThanTheBrowserTakesIsNeitherSentNorAwaited) {
  std::vector<std::string> written;
  DevToolsClient client([&](std::string framed) { written.push_back(framed); }, 50);
  EXPECT_EQ(client.Send("M", {{"x", std::string(10, 'a')}}, {}, [](const DevToolsReply&) {}), 1);
  EXPECT_EQ(client.Send("M", {{"x", std::string(11, 'a')}}, {}, [](const DevToolsReply&) {}), 0);
  EXPECT_EQ(client.Send("M", json::object()), 3);
  EXPECT_EQ(client.SendWithBase64Member("M", json::object(), "xyz", "123456"), 4);
  EXPECT_EQ(client.SendWithBase64Member("M", json::object(), "wxyz", "123456"), 0);
  EXPECT_EQ(written.size(), 3u);
  EXPECT_EQ(written[0].size(), 50u);  // the longest frame the browser takes, its NUL counted
  EXPECT_EQ(written[2].size(), 50u);
  EXPECT_EQ(client.PendingCount(), 3u);
}

// Commands carry increasing ids and their session; text that is not UTF-8 still makes a valid
// message. Replies reach their own handler once; events carry their session, and a lone
// surrogate in one reads as a replacement character.
TEST(DevToolsClient, MatchesRepliesToCommandsAndHandsOnEvents) {
  std::vector<std::string> written, log;
  DevToolsClient client([&](std::string framed) {
    ASSERT_EQ(framed.back(), '\0');
    written.push_back(framed.substr(0, framed.size() - 1));
  });
  const auto record = [&](const std::string& name) {
    return [&log, name](const DevToolsReply& r) {
      log.push_back(name + (r.ok ? " ok " + r.result.dump() : " err " + r.error));
    };
  };
  const auto a = client.Send("Target.setDiscoverTargets", {{"discover", true}}, {}, record("A"));
  const auto b = client.Send("Page.enable", json::object(), "S1", record("B"));
  client.Send("Runtime.evaluate", {{"expression", std::string("a\xff") + "b"}}, {}, record("C"));
  EXPECT_THAT(
      written,
      ElementsAre(R"({"id":1,"method":"Target.setDiscoverTargets","params":{"discover":true}})",
                  R"({"id":2,"method":"Page.enable","params":{},"sessionId":"S1"})",
                  "{\"id\":3,\"method\":\"Runtime.evaluate\",\"params\":{\"expression\":"
                  "\"a\xEF\xBF\xBD"
                  "b\"}}"));
  // Out of order, with an error, and a duplicate that must be ignored; the rest fail together.
  EXPECT_TRUE(client.Dispatch(
      json({{"id", b}, {"error", {{"code", -32000}, {"message", "No target"}}}}).dump()));
  EXPECT_TRUE(client.Dispatch(json({{"id", a}, {"result", {{"x", 1}}}}).dump()));
  EXPECT_TRUE(client.Dispatch(json({{"id", a}, {"result", {{"x", 2}}}}).dump()));
  EXPECT_EQ(client.PendingCount(), 1u);
  client.FailPending("gone");
  EXPECT_EQ(client.PendingCount(), 0u);
  EXPECT_THAT(log, ElementsAre("B err No target", "A ok {\"x\":1}", "C err gone"));
  // A session that detached answers nothing more: its commands fail, others still wait.
  client.Send("Runtime.runIfWaitingForDebugger", json::object(), "POPUP", record("E"));
  client.Send("Page.enable", json::object(), "S1", record("F"));
  EXPECT_TRUE(client.Dispatch(
      R"({"method":"Target.detachedFromTarget","params":{"sessionId":"POPUP","targetId":"P"}})"));
  EXPECT_EQ(client.PendingCount(), 1u);
  EXPECT_EQ(log.back(), "E err session detached");
  // Without a session name it is no one's detach.
  EXPECT_TRUE(
      client.Dispatch(R"({"method":"Target.detachedFromTarget","params":{"sessionId":7}})"));
  EXPECT_EQ(client.PendingCount(), 1u);

  std::vector<std::string> events;
  client.SetEventHandler([&](const DevToolsEvent& e) {
    events.push_back(e.method + " " + e.params.dump() + " @" + e.sessionId);
  });
  EXPECT_TRUE(client.Dispatch(
      R"({"method":"Target.targetCreated","params":{"targetInfo":{"targetId":"T"}}})"));
  EXPECT_TRUE(client.Dispatch(
      R"({"method":"Runtime.bindingCalled","params":{"payload":"x\ud83d"},"sessionId":"S"})"));
  EXPECT_FALSE(client.Dispatch("not json"));
  EXPECT_THAT(events, ElementsAre(R"(Target.targetCreated {"targetInfo":{"targetId":"T"}} @)",
                                  "Runtime.bindingCalled {\"payload\":\"x\xEF\xBF\xBD\"} @S"));
}

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
  const json headers = {{"range", "bytes=0-"}};
  EXPECT_EQ(RequestHeader(headers, "Range"), "bytes=0-");
  EXPECT_EQ(RequestHeader(headers, "Xange"), std::nullopt);  // every byte counts, the first too
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
  // A header of that name, another event's or a reply's is not it.
  for (const char* other :
       {R"({"method":"Fetch.requestPaused","params":{"request":)"
        R"({"headers":{"requestId":"forged"}},"postData":"AAAA)",
        R"({"method":"Network.requestWillBeSent","params":{"requestId":"N")",
        R"({"id":4,"result":{"requestId":"R","method":"Fetch.requestPaused")"}) {
    EXPECT_EQ(PausedRequestIdIn(other), std::nullopt) << other;
  }
}

// Messages for the page across documents: never lost, never repeated, kept in order.
class PageOutboxTest : public ::testing::Test {
 protected:
  // Sends every waiting message to `document`; returns their texts and remembers their ids.
  std::vector<std::string> sendTo(const std::string& document) {
    std::vector<std::string> texts;
    outbox.SendWaiting(document, [&](std::uint64_t id, const std::string& text) {
      ids[text] = id;
      texts.push_back(text);
      return true;
    });
    return texts;
  }

  PageOutbox outbox;
  std::map<std::string, std::uint64_t> ids;
};

TEST_F(PageOutboxTest, MessagesNotTakenComeAgainInOrderUntilTheirLastAttempt) {
  for (const char* text : {"m1", "m2", "m3"}) outbox.Push(text);
  EXPECT_THAT(sendTo(""), IsEmpty());  // no document yet
  EXPECT_THAT(sendTo("A"), ElementsAre("m1", "m2", "m3"));
  EXPECT_THAT(sendTo("A"), IsEmpty());  // each goes out once
  outbox.Delivered(ids["m1"]);
  outbox.NotDelivered(ids["m2"]);  // the document went away before taking the rest
  outbox.Push("m4");
  // m3's answer from the old document is still out: nothing may overtake it.
  EXPECT_THAT(sendTo("B"), IsEmpty());
  outbox.NotDelivered(ids["m3"]);
  EXPECT_THAT(sendTo("B"), ElementsAre("m2", "m3", "m4"));
  for (const char* text : {"m3", "m4"}) outbox.Delivered(ids[text]);
  outbox.Delivered(ids["m1"]);  // a late or repeated answer changes nothing
  EXPECT_EQ(outbox.size(), 1u);
  // m2, never taken (its attempts so far: A and B), is dropped after its last one.
  for (int attempt = 3; attempt <= PageOutbox::kMaxAttempts; ++attempt) {
    EXPECT_FALSE(outbox.NotDelivered(ids["m2"]));
    EXPECT_THAT(sendTo("D" + std::to_string(attempt)), ElementsAre("m2"));
  }
  EXPECT_TRUE(outbox.NotDelivered(ids["m2"])) << "given up, which the caller reports";
  EXPECT_EQ(outbox.size(), 0u);
}

TEST_F(PageOutboxTest, AnAnswerGoesOnlyToTheDocumentThatAsked) {
  outbox.Push("reply A", "A");
  outbox.Push("m1");
  EXPECT_THAT(sendTo("A"), ElementsAre("reply A", "m1"));
  for (const char* text : {"reply A", "m1"})
    EXPECT_FALSE(outbox.NotDelivered(ids[text]));  // A gone
  outbox.Push("reply B", "B");
  outbox.Push("late reply A", "A");  // A's question answered once B was shown
  EXPECT_THAT(sendTo("B"), ElementsAre("m1", "reply B"));
  EXPECT_THAT(outbox.TakeAll(), ElementsAre("m1"));  // B's answer does not outlive B either
  outbox.Push("m2");
  EXPECT_THAT(sendTo("C"), ElementsAre("m2"));  // emptied, the outbox serves any document
}

}  // namespace
}  // namespace corvane
