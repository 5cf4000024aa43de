#include "bridge/message_bridge.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "bridge/extension_manager.h"

namespace corvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Records every call in order, as one line each.
class RecordingHost final : public BridgeHost, public ExtensionHost {
 public:
  void SetFullscreen(bool fullscreen) override {
    calls.push_back(fullscreen ? "fullscreen on" : "fullscreen off");
  }
  void SetClientSize(std::int32_t width, std::int32_t height) override {
    calls.push_back("size " + std::to_string(width) + "x" + std::to_string(height));
  }
  void SetWindowPosition(std::int32_t x, std::int32_t y) override {
    calls.push_back("position " + std::to_string(x) + "," + std::to_string(y));
  }
  void PostJson(const std::string& json) override { calls.push_back("post " + json); }
  void SendDirectoryHandles() override { calls.push_back("directory-handles"); }
  const std::map<std::string, std::string>& DirectoryHandles() const override { return handles; }

  std::vector<std::string> calls;
  std::map<std::string, std::string> handles;
};

std::vector<std::string> g_delivered;
void CORVANE_EXTENSION_CALL RecordMessage(const char* message) {
  g_delivered.emplace_back(message);
}

class MessageBridgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_delivered.clear();
    extensions.host = &host;
  }

  RecordingHost host;
  ExtensionManager extensions{"C:\\App\\", "www\\", "C:\\Users\\u\\AppData\\Local\\demo", "{}"};
  MessageBridge bridge{host, &extensions};
};

// Members are read leniently: a wrong type or a missing member reads as 0 or false.
TEST_F(MessageBridgeTest, WindowCommandsReachTheHost) {
  for (const char* text : {
           R"({"type":"set-window-size","windowWidth":800,"windowHeight":600})",
           R"({"type":"set-window-position","windowX":-20,"windowY":40})",
           R"({"type":"set-fullscreen","fullscreen":true})",
           R"({"type":"set-fullscreen","fullscreen":false})",
           R"({"type":"set-window-size","windowWidth":800.9,"windowHeight":"600"})",
           R"({"type":"set-window-size","windowWidth":"800","windowHeight":600.2})",
           R"({"type":"set-window-position","windowY":7})",
           R"({"type":"set-window-position","windowX":true,"windowY":null})",
           R"({"type":"set-fullscreen"})",
           R"({"type":"set-fullscreen","fullscreen":1})",
           R"({"type":"set-fullscreen","fullscreen":"true"})",
       }) {
    bridge.HandleWebMessage(text);
  }
  EXPECT_THAT(host.calls,
              ElementsAre("size 800x600", "position -20,40", "fullscreen on", "fullscreen off",
                          "size 800x0", "size 0x600", "position 0,7", "position 0,0",
                          "fullscreen off", "fullscreen off", "fullscreen off"));
}

TEST_F(MessageBridgeTest, OnlyExactStringTypesDispatch) {
  extensions.onExtensionMessageFn = &RecordMessage;
  for (const char* text : {
           R"({"type":"Wrapper-Init"})",
           R"({"type":"SET-FULLSCREEN","fullscreen":true})",
           R"({"type":"set-window-size ","windowWidth":800,"windowHeight":600})",
           R"({"type":"Extension-Message"})",
           R"({"type":"unknown"})",
           R"({"type":""})",
           R"({"type":7})",
           R"({"type":["wrapper-init"]})",
           R"({"fullscreen":true})",
           R"(["wrapper-init"])",
           R"("wrapper-init")",
           R"(null)",
       }) {
    bridge.HandleWebMessage(text);
  }
  EXPECT_THAT(host.calls, IsEmpty());
  EXPECT_THAT(g_delivered, IsEmpty());
}

TEST_F(MessageBridgeTest, InvalidJsonIsDroppedWithoutThrowing) {
  for (const char* text :
       {"", "{", "wrapper-init", R"({"type":"wrapper-init"} trailing)",
        "// comment\n{\"type\":\"wrapper-init\"}", "{\"type\":\"wrapper-init\"\xff}"}) {
    EXPECT_NO_THROW(bridge.HandleWebMessage(text));
  }
  EXPECT_THAT(host.calls, IsEmpty());
  // The text ends at its first zero byte, as for package.json: what follows is not read.
  static constexpr char kWithZero[] = "{\"type\":\"set-fullscreen\",\"fullscreen\":true}\0garbage";
  bridge.HandleWebMessage(std::string_view(kWithZero, sizeof kWithZero - 1));
  EXPECT_THAT(host.calls, ElementsAre("fullscreen on"));
}

TEST_F(MessageBridgeTest, ExceptionsFromTheHostAreContained) {
  class ThrowingHost final : public BridgeHost {
   public:
    void SetFullscreen(bool) override { throw std::runtime_error("window gone"); }
    void SetClientSize(std::int32_t, std::int32_t) override { throw 42; }
    void SetWindowPosition(std::int32_t, std::int32_t) override {}
    void PostJson(const std::string&) override { throw std::bad_alloc(); }
    void SendDirectoryHandles() override {}
  } throwing;
  MessageBridge guarded(throwing, nullptr);
  EXPECT_NO_THROW(guarded.HandleWebMessage(R"({"type":"set-fullscreen","fullscreen":true})"));
  EXPECT_NO_THROW(
      guarded.HandleWebMessage(R"({"type":"set-window-size","windowWidth":1,"windowHeight":1})"));
  EXPECT_NO_THROW(guarded.HandleWebMessage(R"({"type":"wrapper-init"})"));
}

TEST_F(MessageBridgeTest, ExtensionMessageTextGoesToTheLibraryUnchanged) {
  extensions.onExtensionMessageFn = &RecordMessage;
  const std::string text =
      "{ \"type\" : \"extension-message\", \"zeta\":1.50, \"a\":{\"x\":\"\\u00e9\"} }";
  bridge.HandleWebMessage(text);
  bridge.HandleWebMessage(R"({"type":"extension-message"})");
  EXPECT_THAT(g_delivered, ElementsAre(text, R"({"type":"extension-message"})"));
  EXPECT_THAT(host.calls, IsEmpty());
}

// JavaScript text cut inside a character serialises as a lone surrogate escape.
TEST_F(MessageBridgeTest, ALoneSurrogateEscapeDoesNotCostTheMessage) {
  extensions.onExtensionMessageFn = &RecordMessage;
  const std::string text = R"({"type":"extension-message","text":"cut \ud83d"})";
  bridge.HandleWebMessage(text);
  bridge.HandleWebMessage(
      R"({"windowHeight":6,"t":"\udc00","type":"set-window-size","windowWidth":5})");
  EXPECT_THAT(g_delivered, ElementsAre(text));
  EXPECT_THAT(host.calls, ElementsAre("size 5x6"));
}

TEST_F(MessageBridgeTest, HandshakeRepliesAfterHandlesThenFlushesQueueInOrder) {
  extensions.componentIds = {"camera", "zeta", "\xc3\xa9t\xc3\xa9"};
  extensions.PostWebMessage(R"({"n":1})");
  extensions.PostWebMessage(R"({"n":2})");
  ASSERT_THAT(host.calls, IsEmpty());  // queued until the page is ready

  bridge.HandleWebMessage(R"({"type":"wrapper-init"})");
  EXPECT_THAT(
      host.calls,
      ElementsAre("directory-handles",
                  "post {\"registeredComponentIds\":[\"camera\",\"zeta\",\"\xc3\xa9t\xc3\xa9\"],"
                  "\"type\":\"wrapper-init-response\"}",
                  R"(post {"n":1})", R"(post {"n":2})"));
  EXPECT_TRUE(extensions.pageReady);
  EXPECT_THAT(extensions.pendingMessages, IsEmpty());

  // From now on the library's posts go out at once.
  host.calls.clear();
  extensions.PostWebMessage(R"({"n":3})");
  EXPECT_THAT(host.calls, ElementsAre(R"(post {"n":3})"));
}

TEST_F(MessageBridgeTest, RepeatedHandshakeGetsTheWholeSequenceWithNothingLeftToFlush) {
  extensions.PostWebMessage(R"({"n":1})");
  bridge.HandleWebMessage(R"({"type":"wrapper-init"})");
  host.calls.clear();
  bridge.HandleWebMessage(R"({"type":"wrapper-init"})");
  EXPECT_THAT(host.calls,
              ElementsAre("directory-handles",
                          R"(post {"registeredComponentIds":[],"type":"wrapper-init-response"})"));
  EXPECT_TRUE(extensions.pageReady);
}

TEST_F(MessageBridgeTest,
       WithoutHandlerOrManagerExtensionMessagesGoNowhereAndTheHandshakeHasNoIds) {
  EXPECT_NO_THROW(bridge.HandleWebMessage(R"({"type":"extension-message"})"));
  MessageBridge alone(host, nullptr);
  EXPECT_NO_THROW(alone.HandleWebMessage(R"({"type":"extension-message"})"));
  EXPECT_THAT(host.calls, IsEmpty());
  alone.HandleWebMessage(R"({"type":"wrapper-init","extra":[1,2]})");
  EXPECT_THAT(host.calls,
              ElementsAre("directory-handles",
                          R"(post {"registeredComponentIds":[],"type":"wrapper-init-response"})"));
}

// Invalid UTF-8 is replaced and quotes and control characters escaped: the reply still goes out
// and the queue is still flushed.
TEST_F(MessageBridgeTest, AnyComponentIdTextMakesAValidReply) {
  extensions.componentIds = {"ok", "bad\xff\xfeid", "cut\xc3", "a\"b\\c\n\x01"};
  extensions.PostWebMessage(R"({"queued":true})");
  bridge.HandleWebMessage(R"({"type":"wrapper-init"})");
  EXPECT_THAT(
      host.calls,
      ElementsAre(
          "directory-handles",
          "post {\"registeredComponentIds\":[\"ok\",\"bad\xef\xbf\xbd\xef\xbf\xbdid\","
          "\"cut\xef\xbf\xbd\",\"a\\\"b\\\\c\\n\\u0001\"],\"type\":\"wrapper-init-response\"}",
          R"(post {"queued":true})"));
  EXPECT_TRUE(extensions.pageReady);
  EXPECT_THAT(extensions.pendingMessages, IsEmpty());
}

}  // namespace
}  // namespace corvane
