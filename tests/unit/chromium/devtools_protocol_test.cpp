// The DevTools pipe's framing and the command/reply/event bookkeeping on top of it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "chromium/devtools_client.h"
#include "chromium/devtools_framing.h"

namespace corvane {
namespace {

using nlohmann::json;
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
  client.Send("D", json::object(), {}, record("D"));
  EXPECT_THAT(
      written,
      ElementsAre(R"({"id":1,"method":"Target.setDiscoverTargets","params":{"discover":true}})",
                  R"({"id":2,"method":"Page.enable","params":{},"sessionId":"S1"})",
                  "{\"id\":3,\"method\":\"Runtime.evaluate\",\"params\":{\"expression\":"
                  "\"a\xEF\xBF\xBD"
                  "b\"}}",
                  R"({"id":4,"method":"D","params":{}})"));
  // Out of order, with an error, and a duplicate that must be ignored; the rest fail together.
  EXPECT_TRUE(client.Dispatch(
      json({{"id", b}, {"error", {{"code", -32000}, {"message", "No target"}}}}).dump()));
  EXPECT_TRUE(client.Dispatch(json({{"id", a}, {"result", {{"x", 1}}}}).dump()));
  EXPECT_TRUE(client.Dispatch(json({{"id", a}, {"result", {{"x", 2}}}}).dump()));
  EXPECT_EQ(client.PendingCount(), 2u);
  client.FailPending("gone");
  EXPECT_EQ(client.PendingCount(), 0u);
  EXPECT_THAT(log, ElementsAre("B err No target", "A ok {\"x\":1}", "C err gone", "D err gone"));
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
  EXPECT_FALSE(client.Dispatch(R"([1,2])"));
  EXPECT_FALSE(client.Dispatch(R"({"params":{}})"));
  EXPECT_THAT(events, ElementsAre(R"(Target.targetCreated {"targetInfo":{"targetId":"T"}} @)",
                                  "Runtime.bindingCalled {\"payload\":\"x\xEF\xBF\xBD\"} @S"));
}

}  // namespace
}  // namespace corvane
