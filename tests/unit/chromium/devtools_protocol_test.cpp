// The DevTools pipe's framing and the command/reply/event bookkeeping on top of it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chromium/devtools_client.h"
#include "chromium/devtools_framing.h"

namespace corvane {
namespace {

using nlohmann::json;

TEST(NulFramedReader, ReassemblesMessagesSplitAnywhere) {
  const std::string stream =
      FrameMessage(R"({"a":1})") + FrameMessage("") + FrameMessage(R"({"b":"x"})");
  // Every split point, including inside the NULs themselves.
  for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
    NulFramedReader reader(1024);
    std::vector<std::string> seen;
    reader.Append(std::string_view(stream).substr(0, cut));
    while (auto message = reader.Next()) seen.push_back(*message);
    reader.Append(std::string_view(stream).substr(cut));
    while (auto message = reader.Next()) seen.push_back(*message);
    EXPECT_EQ(seen, (std::vector<std::string>{R"({"a":1})", "", R"({"b":"x"})"}))
        << "cut at " << cut;
  }
}

TEST(NulFramedReader, ByteByByteAndLongStreamsKeepOrder) {
  NulFramedReader reader(64);
  std::string stream;
  // Appended rather than "m" + ...: GCC 12 at -O3 reports that as an overlapping copy (-Wrestrict).
  for (int i = 0; i < 500; ++i) stream += FrameMessage(std::string("m").append(std::to_string(i)));
  int next = 0;
  for (char c : stream) {
    reader.Append(std::string_view(&c, 1));
    while (auto message = reader.Next())
      EXPECT_EQ(*message, std::string("m").append(std::to_string(next++)));
  }
  EXPECT_EQ(next, 500);
}

TEST(NulFramedReader, DropsAMessageBeyondTheLimitAloneAndReadsOn) {
  NulFramedReader reader(8);
  std::vector<std::string> seen;
  const auto drain = [&] {
    while (auto message = reader.Next()) seen.push_back(*message);
  };
  // Too long within one read, then across reads, then exactly at the limit.
  reader.Append(FrameMessage("a") + FrameMessage("123456789") + FrameMessage("b"));
  drain();
  reader.Append("12345");
  drain();
  reader.Append("6789");
  reader.Append(std::string(1000, 'x'));
  reader.Append(std::string("y\0c\0", 4) + FrameMessage("12345678"));
  drain();
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c", "12345678"}));
  EXPECT_EQ(reader.droppedCount(), 2u);
}

TEST(NulFramedReader, HandsOverALargeMessageIntactAmongSmallOnes) {
  NulFramedReader reader(8u << 20);
  const std::string large = std::string(3u << 20, 'L') + "end";
  const std::string stream = FrameMessage("s1") + FrameMessage(large) + FrameMessage("s2");
  std::vector<std::string> seen;
  for (std::size_t at = 0; at < stream.size(); at += 100000) {
    reader.Append(std::string_view(stream).substr(at, 100000));
    while (auto message = reader.Next()) seen.push_back(*message);
  }
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], "s1");
  EXPECT_TRUE(seen[1] == large);
  EXPECT_EQ(seen[2], "s2");
}

class DevToolsClientTest : public ::testing::Test {
 protected:
  DevToolsClient client{[this](std::string framed) {
    ASSERT_FALSE(framed.empty());
    ASSERT_EQ(framed.back(), '\0');
    written.push_back(json::parse(framed.substr(0, framed.size() - 1)));
  }};
  std::vector<json> written;
};

TEST_F(DevToolsClientTest, CommandsCarryIncreasingIdsAndTheSession) {
  const auto first = client.Send("Target.setDiscoverTargets", {{"discover", true}});
  const auto second = client.Send("Page.enable", json::object(), "S1");
  EXPECT_LT(first, second);
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0]["method"], "Target.setDiscoverTargets");
  EXPECT_EQ(written[0]["params"]["discover"], true);
  EXPECT_FALSE(written[0].contains("sessionId"));
  EXPECT_EQ(written[1]["sessionId"], "S1");
  EXPECT_EQ(written[1]["id"], second);
}

TEST_F(DevToolsClientTest, RepliesReachTheirOwnHandlerOnce) {
  std::vector<std::string> log;
  const auto a = client.Send("A", json::object(), {}, [&](const DevToolsReply& r) {
    log.push_back("A " + std::string(r.ok ? "ok " : "err ") + r.result.dump() + r.error);
  });
  const auto b = client.Send("B", json::object(), {}, [&](const DevToolsReply& r) {
    log.push_back("B " + std::string(r.ok ? "ok" : "err ") + r.error);
  });
  EXPECT_EQ(client.PendingCount(), 2u);
  // Out of order, with an error, and a duplicate that must be ignored.
  EXPECT_TRUE(client.Dispatch(
      json({{"id", b}, {"error", {{"code", -32000}, {"message", "No target"}}}}).dump()));
  EXPECT_TRUE(client.Dispatch(json({{"id", a}, {"result", {{"x", 1}}}}).dump()));
  EXPECT_TRUE(client.Dispatch(json({{"id", a}, {"result", {{"x", 2}}}}).dump()));
  EXPECT_EQ(log, (std::vector<std::string>{"B err No target", "A ok {\"x\":1}"}));
  EXPECT_EQ(client.PendingCount(), 0u);
}

TEST_F(DevToolsClientTest, EventsCarryTheirSessionAndJunkIsRefused) {
  std::vector<DevToolsEvent> events;
  client.SetEventHandler([&](const DevToolsEvent& e) { events.push_back(e); });
  EXPECT_TRUE(client.Dispatch(
      R"({"method":"Target.targetCreated","params":{"targetInfo":{"targetId":"T"}}})"));
  EXPECT_TRUE(client.Dispatch(
      R"({"method":"Runtime.bindingCalled","params":{"payload":"p"},"sessionId":"S"})"));
  EXPECT_FALSE(client.Dispatch("not json"));
  EXPECT_FALSE(client.Dispatch(R"([1,2])"));
  EXPECT_FALSE(client.Dispatch(R"({"params":{}})"));
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].sessionId, "");
  EXPECT_EQ(events[0].params["targetInfo"]["targetId"], "T");
  EXPECT_EQ(events[1].sessionId, "S");
  EXPECT_EQ(events[1].method, "Runtime.bindingCalled");
}

TEST_F(DevToolsClientTest, ALoneSurrogateInAnEventReadsAsAReplacementCharacter) {
  std::vector<DevToolsEvent> events;
  client.SetEventHandler([&](const DevToolsEvent& e) { events.push_back(e); });
  EXPECT_TRUE(
      client.Dispatch(R"({"method":"Runtime.bindingCalled","params":{"payload":"x\ud83d"}})"));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].params["payload"], "x\xEF\xBF\xBD");
}

TEST_F(DevToolsClientTest, TextThatIsNotUtf8StillMakesAValidMessage) {
  client.Send("Runtime.evaluate", {{"expression", std::string("a\xff") + "b"}});
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0]["params"]["expression"],
            "a\xEF\xBF\xBD"
            "b");
}

TEST_F(DevToolsClientTest, FailPendingAnswersEveryWaiterWithTheReason) {
  int failed = 0;
  client.Send("A", json::object(), {},
              [&](const DevToolsReply& r) { failed += !r.ok && r.error == "gone"; });
  client.Send("B", json::object(), {},
              [&](const DevToolsReply& r) { failed += !r.ok && r.error == "gone"; });
  client.FailPending("gone");
  EXPECT_EQ(failed, 2);
  EXPECT_EQ(client.PendingCount(), 0u);
}

}  // namespace
}  // namespace corvane
