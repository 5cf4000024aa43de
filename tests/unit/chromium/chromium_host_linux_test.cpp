// The Linux host's protocol logic against a scripted browser: what it sends for each event. Linux
// only: it serves real files through the responder with POSIX paths.

#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/recovery_policy.h"
#include "chromium/chromium_host.h"
#include "chromium/fetch_fulfill.h"

namespace corvane {
namespace {

using nlohmann::json;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;
namespace fs = std::filesystem;

constexpr char kMain[] = "MAINTARGET";
constexpr char kSession[] = "MAINSESSION";
constexpr char kAborted[] = R"(Fetch.failRequest {"errorReason":"Aborted","requestId":"R"})";
constexpr char kNavigateToStart[] =
    R"(Page.navigate {"url":"https://corvane.localhost/index.html"} @MAINSESSION)";

// The browser is scripted through the client; the test is the platform around the host.
class ChromiumHostTest : public ::testing::Test, public ChromiumPlatform {
 protected:
  void OpenExternally(const std::string& url) override { opened.push_back(url); }
  std::optional<std::string> ServeLargeAnswer(const ResourceAnswer&) override {
    if (refuseLarge) return std::nullopt;  // as when the file could not be opened
    return std::string("http://127.0.0.1:9/token");
  }
  void Finish(int code, const std::string& text) override {
    finished.push_back(std::to_string(code) + " " + text);
  }
  bool ReloadAfterCrash() override { return reloadsLeft-- > 0; }
  void RememberWindowBounds(const json&) override {}
  std::optional<json> WindowBoundsToRestore() override { return restore; }

  ChromiumHostTest() {
    fs::create_directories(root / "www");
    std::ofstream(root / "www" / "index.html", std::ios::binary) << "<p>hello</p>";
    std::ofstream(root / "www" / "big.bin", std::ios::binary)
        << std::string(kInlineBodyLimit + 10, 'x');
    Remake(&responder);
    client.SetEventHandler([this](const DevToolsEvent& e) { host->HandleEvent(e); });
  }
  ~ChromiumHostTest() override { fs::remove_all(root); }

  void Remake(ResourceResponder* serving, ExtensionManager* extensions = nullptr) {
    host = std::make_unique<ChromiumHost>(
        config, serving, extensions, client, *this,
        ChromiumHostFolders{root.string() + "/", "www/", dataFolder,
                            [](KnownFolder) { return std::string("/k"); }});
  }
  void Event(const std::string& method, json params, const std::string& session = "") {
    json message = {{"method", method}, {"params", std::move(params)}};
    if (!session.empty()) message["sessionId"] = session;
    ASSERT_TRUE(client.Dispatch(message.dump()));
  }
  void PageEvent(const std::string& method, json params) { Event(method, params, kSession); }
  // Answers `command` with `result`, or with an error when that is null.
  void Reply(const json& command, json result = json::object()) {
    json reply = {{"id", command["id"]}};
    if (result.is_null()) reply["error"] = {{"message", "Cannot find context"}};
    if (!result.is_null()) reply["result"] = std::move(result);
    ASSERT_TRUE(client.Dispatch(reply.dump()));
  }
  // Removes and returns the commands sent so far, only those of `method` when one is given.
  std::vector<json> Take(const std::string& method = "") {
    std::vector<json> taken, kept;
    for (json& c : sent) (method.empty() || c["method"] == method ? taken : kept).push_back(c);
    sent.swap(kept);
    return taken;
  }
  // Take(method), which must have sent exactly one command.
  json TakeOne(const std::string& method) {
    const std::vector<json> taken = Take(method);
    EXPECT_EQ(taken.size(), 1u) << method;
    return taken.at(0);
  }
  static std::string Expression(const json& command) { return command["params"]["expression"]; }
  // Take(method), each command as "Method {params}", with " @session" when it has one.
  std::vector<std::string> Lines(const std::string& method = "") {
    std::vector<std::string> out;
    for (const json& c : Take(method)) {
      out.push_back(c["method"].get<std::string>() + " " + c["params"].dump() +
                    (c.contains("sessionId") ? " @" + c["sessionId"].get<std::string>() : ""));
    }
    return out;
  }

  void Attach(const std::string& session, const std::string& target, const std::string& type) {
    Event("Target.attachedToTarget",
          {{"sessionId", session},
           {"targetInfo", {{"targetId", target}, {"type", type}, {"url", ""}}},
           {"waitingForDebugger", true}});
  }
  void AddContext(int id, const std::string& frameId) {
    PageEvent("Runtime.executionContextCreated",
              {{"context",
                {{"id", id},
                 {"uniqueId", "U" + std::to_string(id)},
                 {"auxData", {{"isDefault", true}, {"frameId", frameId}}}}}});
  }
  void Navigated(const std::string& url) {
    PageEvent("Page.frameNavigated", {{"frame", {{"id", kMain}, {"url", url}}}});
  }
  // Answers the page's set-up commands, in another order than they were sent as the browser
  // does; only then is the start page requested.
  void AnswerPageSetUp() {
    for (const json& setup :
         {Take("Page.addScriptToEvaluateOnNewDocument").at(0), Take("Page.enable").at(0)}) {
      EXPECT_THAT(Lines("Page.navigate"), IsEmpty());
      Reply(setup);
    }
  }
  // Answers the host's addBinding commands and then its hand-over of them to the main document.
  void GiveBindings() {
    const auto bindings = Take("Runtime.addBinding");
    ASSERT_EQ(bindings.size(), 2u);
    Reply(bindings[0]);
    EXPECT_THAT(Lines("Runtime.evaluate"), IsEmpty());  // not before both are in place
    Reply(bindings[1]);
    const json attach = TakeOne("Runtime.evaluate");
    Reply(attach);
  }
  // The app's window attached, its page in the main frame (context 1) with an iframe (context 2).
  void ShowApp() {
    Attach(kSession, kMain, "page");
    Navigated("https://corvane.localhost/index.html");
    AddContext(1, kMain);
    AddContext(2, "CHILD");
    GiveBindings();
    Take();
  }
  void Binding(const std::string& name, const json& payload, int context) {
    PageEvent("Runtime.bindingCalled",
              {{"name", name}, {"payload", payload}, {"executionContextId", context}});
  }
  void ReplyWindow(const json& command, const std::string& state) {
    Reply(command, {{"windowId", 7}, {"bounds", {{"windowState", state}}}});
  }
  // A request of `frameId`'s document, or a subresource's when no frame is given.
  void Paused(const std::string& url, const std::string& frameId = "",
              json headers = json::object(), const std::string& method = "GET") {
    Event("Fetch.requestPaused",
          {{"requestId", "R"},
           {"request", {{"url", url}, {"method", method}, {"headers", std::move(headers)}}},
           {"frameId", frameId},
           {"resourceType", frameId.empty() ? "Fetch" : "Document"}});
  }

  fs::path root = fs::path(testing::TempDir()) /
                  ("corvane_host_" + std::to_string(getpid()) +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::string dataFolder = "/data/t";
  AppConfig config{.main = "index.html"};
  AssetBundle bundle;
  ResourceResponder responder{bundle, root.string() + "/www/", '/'};
  std::vector<json> sent;
  static constexpr std::size_t kCommandLimit = 8u << 20;  // room for the largest inline answer
  DevToolsClient client{[this](std::string framed) {
                          sent.push_back(json::parse(framed.substr(0, framed.size() - 1)));
                        },
                        kCommandLimit};
  int reloadsLeft = 0;
  bool refuseLarge = false;
  std::optional<json> restore;
  std::vector<std::string> opened, finished;
  std::unique_ptr<ChromiumHost> host;
};

TEST_F(ChromiumHostTest,
       StartInterceptsAndGrantsWhatTheContentModeNeedsAndTheAppPageGetsItsBridgeFirst) {
  host->Start();
  // Large answers come from the loopback endpoint, a kind granted on its own like the page's
  // (which the end-to-end run checks): a grant of a list refuses every kind left out of it.
  EXPECT_THAT(Lines("Browser.setPermission"),
              Contains(R"(Browser.setPermission {"origin":"https://corvane.localhost",)"
                       R"("permission":{"name":"loopback-network"},"setting":"granted"})"));
  Take();

  // The start page is requested only once the bridge script is in place.
  Attach(kSession, kMain, "page");
  AnswerPageSetUp();
  // Stopped or reloaded by the user before it came (Esc, F5 on the blank window), the start page is
  // asked for again, three times at most.
  for (int request = 0; request < 4; ++request) {
    Reply(Take("Page.navigate").at(0), {{"frameId", kMain}, {"errorText", "net::ERR_ABORTED"}});
  }
  EXPECT_THAT(Lines("Page.navigate"), IsEmpty());
  host->SendDirectoryHandles();
  const auto& handles = host->DirectoryHandles();
  EXPECT_EQ(handles.at("<app>"), root.string() + "/");
  EXPECT_EQ(handles.at("<web-resource>"), root.string() + "/www/");
  EXPECT_EQ(handles.at("<documents>"), "/k");
  Take();

  // Remote mode: only documents are intercepted, to keep the main frame on the app.
  config.contentMode = ContentMode::Remote;
  config.main = "https://example.com/app/";
  Remake(nullptr);
  host->Start();
  EXPECT_EQ(Take("Browser.setPermission").at(0)["params"]["origin"], "https://example.com");
  Attach(kSession, kMain, "page");
  Take();
  Paused("https://EXAMPLE.com:443/app/next.html", kMain);
  Paused("https://example.com/other/", kMain);
  EXPECT_THAT(Lines(), ElementsAre(R"(Fetch.continueRequest {"requestId":"R"})", kAborted));
}

TEST_F(ChromiumHostTest, OnlyTheMainFramesAppDocumentReachesTheBridgeAndOverlongMessagesNone) {
  ShowApp();
  // A message longer than the browser takes is dropped, and the rest still go.
  host->PostJson('"' + std::string(kCommandLimit, 'x') + '"');
  host->PostJson("[1]");
  const json delivery = TakeOne("Runtime.evaluate");
  EXPECT_THAT(Expression(delivery), StartsWith(R"(globalThis.__corvaneDeliver("[1]",2,)"));
  Reply(delivery);
  EXPECT_EQ(host->QueuedForPage(), 0u);
  const auto init = [&](int context) {
    Binding("__corvaneHostMessage", R"({"type":"wrapper-init"})", context);
    return Lines("Runtime.evaluate");
  };
  EXPECT_THAT(init(1), ElementsAre(AllOf(HasSubstr(R"("uniqueContextId":"U1")"),
                                         HasSubstr("wrapper-init-response"))));
  EXPECT_THAT(init(99), IsEmpty());  // an unknown context
  Binding("other", R"({"type":"wrapper-init"})", 1);
  EXPECT_THAT(Lines(), IsEmpty());
  // window.close() from an iframe cannot close the window; from the app's document it does.
  Binding("__corvaneHostControl", "", 2);
  EXPECT_THAT(Lines(), IsEmpty());
  Binding("__corvaneHostControl", "", 1);
  EXPECT_THAT(Lines(), ElementsAre(R"(Target.closeTarget {"targetId":"MAINTARGET"})"));
  // A main frame showing some other site does not speak for the app.
  Navigated("https://evil.example/");
  EXPECT_THAT(init(1), IsEmpty());
}

TEST_F(ChromiumHostTest, MessagesForThePageWaitForAnAppDocument) {
  Attach(kSession, kMain, "page");
  Take();
  PageEvent("Page.domContentEventFired", json::object());  // the blank page stays in the history
  host->PostJson("{\"b\":1,\"a\":\"\xC3\xA9\xE9\"}");      // é, then a byte that is not UTF-8
  host->PostJson(R"(["\ud800",])");  // not JSON even with its lone surrogate repaired
  Navigated("https://corvane.localhost/index.html");
  AddContext(1, kMain);
  AddContext(2, "CHILD");
  GiveBindings();
  const json delivered = TakeOne("Runtime.evaluate");
  // Passed as an ASCII string literal and parsed in the page: order kept, nothing evaluated.
  EXPECT_THAT(Expression(delivered),
              StartsWith(R"(globalThis.__corvaneDeliver("{\"b\":1,\"a\":\"\u00e9\ufffd\"}",1,")"));
  // As a plain script each text would stay in the renderer's compilation cache.
  EXPECT_EQ(delivered["params"]["replMode"], true);
  Reply(delivered);
  Take();
  // The app's first document takes the blank page out of the history, once.
  PageEvent("Page.domContentEventFired", json::object());
  PageEvent("Page.domContentEventFired", json::object());
  EXPECT_THAT(Lines(), ElementsAre("Page.resetNavigationHistory {} @MAINSESSION"));
  // Only the end of the main frame's context makes them wait again.
  PageEvent("Runtime.executionContextDestroyed", {{"executionContextId", 2}});
  host->PostJson("{}");
  EXPECT_EQ(Take("Runtime.evaluate").size(), 1u);
  PageEvent("Runtime.executionContextDestroyed", {{"executionContextId", 1}});
  host->PostJson("{}");
  EXPECT_THAT(Lines(), IsEmpty());
  EXPECT_EQ(host->QueuedForPage(), 2u);
}

TEST_F(ChromiumHostTest, EachAppDocumentTakesItsBindingsWithTheRuntimeDomainOnOnlyMeanwhile) {
  Attach(kSession, kMain, "page");
  Take();
  host->PostJson("[1]");
  Navigated("https://corvane.localhost/index.html");
  const auto stale = Take("Runtime.addBinding");
  ASSERT_EQ(stale.size(), 2u);
  // Off first: enabling reports the contexts only when the domain was off.
  EXPECT_THAT(Lines(),
              ElementsAre("Runtime.disable {} @MAINSESSION", "Runtime.enable {} @MAINSESSION"));
  AddContext(2, "CHILD");
  AddContext(1, kMain);
  EXPECT_THAT(Lines(), IsEmpty());                   // not before the bindings are added
  Navigated("https://corvane.localhost/next.html");  // a newer document overtakes this one
  for (const json& binding : stale) Reply(binding);
  for (const json& binding : Take("Runtime.addBinding")) Reply(binding);
  EXPECT_THAT(Lines("Runtime.evaluate"), IsEmpty());  // stale replies, and no main context yet
  AddContext(3, kMain);
  json attach = TakeOne("Runtime.evaluate");
  EXPECT_EQ(attach["params"]["uniqueContextId"], "U3");
  AddContext(3, kMain);  // reported again while its hand-over is under way: not sent twice
  EXPECT_THAT(Lines("Runtime.evaluate"), IsEmpty());
  Take();
  Reply(attach, nullptr);  // that document went too: the domain stays on for its successor
  EXPECT_THAT(Lines(), IsEmpty());
  AddContext(4, kMain);
  attach = TakeOne("Runtime.evaluate");
  EXPECT_EQ(attach["params"]["uniqueContextId"], "U4");
  Reply(attach);
  // Then the message waiting for it.
  EXPECT_THAT(Lines(), ElementsAre("Runtime.disable {} @MAINSESSION",
                                   HasSubstr(R"("uniqueContextId":"U4")")));
}

TEST_F(ChromiumHostTest, MessagesTheOldDocumentDidNotTakeGoToTheNextOneOnceInOrder) {
  ShowApp();
  for (const char* text : {"[1]", "[2]", "[3]"}) host->PostJson(text);
  const auto first = Take("Runtime.evaluate");
  ASSERT_EQ(first.size(), 3u);
  Reply(first[0]);
  Reply(first[1], nullptr);  // the page reloaded before the rest arrived
  host->PostJson("[4]");
  AddContext(3, kMain);
  EXPECT_THAT(Lines(), IsEmpty());  // [3] is still unanswered; none into the stale context
  // [3] did arrive: the old document said so before the navigation failed its evaluation.
  Binding("__corvaneHostControl", "ack:3", 1);
  Reply(first[2], nullptr);
  const auto again = Take("Runtime.evaluate");
  ASSERT_EQ(again.size(), 2u);
  EXPECT_THAT(Expression(again[0]), StartsWith(R"(globalThis.__corvaneDeliver("[2]",2,)"));
  EXPECT_THAT(Expression(again[1]), StartsWith(R"(globalThis.__corvaneDeliver("[4]",4,)"));
  for (const json& delivery : again) {
    EXPECT_EQ(delivery["params"]["uniqueContextId"], "U3");
    Reply(delivery);
  }
  EXPECT_THAT(Lines(), IsEmpty());
  host->PostJson("[5]");
  Binding("__corvaneHostControl", "ack:5", 2);  // the iframe cannot say the page has it
  EXPECT_EQ(host->QueuedForPage(), 1u);
}

// What no document took goes back to the extension manager for the next browser's page. The
// library may save into its folders in Release, which comes after the host has gone, even when
// the run ends before that page has shaken hands: a text it was handed stays valid until the
// next handshake.
TEST_F(ChromiumHostTest, WhatNoDocumentTookAndTheLibrarysFoldersOutliveTheHostForTheNextBrowser) {
  ExtensionManager extensions("/app/", "www/", "/data/t", "{}");
  Remake(&responder, &extensions);
  ShowApp();
  for (const char* text : {"[1]", "[2]", "[3]"}) host->PostJson(text);
  Binding("__corvaneHostMessage", R"({"type":"wrapper-init"})", 1);  // answered for this page only
  const char* kept = extensions.GetDirectoryPath("<current-app-data>");
  ASSERT_STREQ(kept, "/data/t");
  const auto deliveries = Take("Runtime.evaluate");
  ASSERT_EQ(deliveries.size(), 4u);
  Reply(deliveries[0]);
  Reply(deliveries[1], nullptr);         // back in the queue; [3] is still on its way
  extensions.pendingMessages = {"[4]"};  // posted once the browser was gone
  host->ReturnWaitingMessages();
  EXPECT_THAT(extensions.pendingMessages, ElementsAre("[2]", "[3]", "[4]"));
  EXPECT_EQ(host->QueuedForPage(), 0u);
  extensions.DetachHost();
  Remake(&responder, &extensions);
  EXPECT_STREQ(extensions.GetDirectoryPath("<current-app-data>"), "/data/t");
  extensions.DetachHost();
  host.reset();
  EXPECT_STREQ(extensions.GetDirectoryPath("<current-app-data>"), "/data/t");
  EXPECT_STREQ(kept, "/data/t");
}

TEST_F(ChromiumHostTest, AppRequestsAreAnsweredByTheResponderAndLargeAnswersLeaveThePipe) {
  const auto fulfilled = [&](const std::string& path, json headers = json::object(),
                             const std::string& method = "GET") {
    Paused("https://corvane.localhost/" + path, "", std::move(headers), method);
    return Take("Fetch.fulfillRequest").at(0)["params"];
  };
  EXPECT_EQ(fulfilled("index.html", json::object(), "OPTIONS")["responseCode"], 204);
  // Without the endpoint, what the pipe takes goes inline; anything larger is an error, with no
  // length promised.
  refuseLarge = true;
  json answer = fulfilled("big.bin", {{"Range", "bytes=5-"}});
  EXPECT_EQ(answer["responseCode"], 206);
  const json range = {{"name", "Content-Range"},
                      {"value", "bytes 5-" + std::to_string(4 + kInlineBodyLimit) + "/" +
                                    std::to_string(kInlineBodyLimit + 10)}};
  EXPECT_THAT(answer["responseHeaders"], Contains(range).Times(1));
  EXPECT_EQ(answer["body"].get<std::string>().size(), kInlineBodyLimit / 3 * 4 + 4);
  answer = fulfilled("big.bin");
  EXPECT_EQ(answer["responseCode"], 500);
  EXPECT_FALSE(answer.contains("body"));

  // A request too large to read (its body travels inside the message) is failed, not left
  // waiting.
  host->OnMessageDropped(R"({"method":"Fetch.requestPaused","params":{"requestId":"R","request)");
  EXPECT_THAT(Lines(),
              ElementsAre(R"(Fetch.failRequest {"errorReason":"Failed","requestId":"R"})"));
}

TEST_F(ChromiumHostTest,
       TheMainFrameStaysOnTheAppOtherTargetsAreResumedOrClosedAndItsWindowEndsTheRun) {
  config.enableDevtools = false;
  Remake(&responder);
  Attach(kSession, kMain, "page");
  Take();
  const auto created = [&](const char* id, const char* url, const char* opener = kMain) {
    json info = {{"targetId", id}, {"type", "page"}, {"url", url}};
    if (*opener != '\0') info["openerId"] = opener;
    Event("Target.targetCreated", {{"targetInfo", info}});
    return Lines();
  };
  EXPECT_THAT(created("D", "devtools://devtools/bundled/inspector.html"),
              ElementsAre(R"(Target.closeTarget {"targetId":"D"})"));
  // A tab without an opener, at an address: the user's middle or Ctrl click on a link.
  for (const char* url : {"https://example.com/clicked", "https://corvane.localhost/x", ""}) {
    EXPECT_THAT(created("C", url, ""), IsEmpty());
  }
  EXPECT_THAT(opened, ElementsAre("https://example.com/clicked"));
  opened.clear();
  Paused("https://example.com/", "IFRAME");
  EXPECT_THAT(Lines(), ElementsAre(R"(Fetch.continueRequest {"requestId":"R"})"));
  // What commits all the same (no network request, a history step) is undone from the history.
  const auto navigated = [&](const char* url) {
    Navigated(url);
    return Take("Page.getNavigationHistory");
  };
  EXPECT_TRUE(navigated("about:blank").empty());  // the page the window opened on
  EXPECT_TRUE(navigated("https://corvane.localhost/index.html").empty());
  Take();  // the app document is given its bindings
  Reply(navigated("data:text/html,x").at(0),
        json::parse(R"({"currentIndex":0,"entries":[{"id":9,"url":"data:text/html,x"}]})"));
  EXPECT_THAT(Lines(), ElementsAre(kNavigateToStart));
  // Only addresses of allowed schemes go to the system.
  for (const char* url : {"https://example.com/x", "file:///etc/passwd"}) {
    PageEvent("Page.windowOpen", {{"url", url}, {"userGesture", true}});
  }
  // A frame of another site reports its own, on its session while it is attached.
  Attach("FS", "F", "iframe");
  EXPECT_THAT(Lines(), Contains("Runtime.runIfWaitingForDebugger {} @FS"));
  const json framed = {{"url", "https://example.com/framed"}, {"userGesture", true}};
  Event("Page.windowOpen", framed, "FS");
  Event("Page.windowOpen", framed, "OTHER");
  Event("Target.detachedFromTarget", {{"sessionId", "FS"}, {"targetId", "F"}});
  Event("Page.windowOpen", framed, "FS");
  EXPECT_THAT(opened, ElementsAre("https://example.com/x", "https://example.com/framed"));
  Event("Target.targetDestroyed", {{"targetId", "P"}});
  EXPECT_THAT(finished, IsEmpty());
  Event("Target.targetDestroyed", {{"targetId", kMain}});
  // The browser reports the closed window twice: once is enough.
  Event("Target.detachedFromTarget", {{"sessionId", kSession}, {"targetId", kMain}});
  EXPECT_THAT(finished, ElementsAre("0 "));
  EXPECT_THAT(Lines(), ElementsAre("Browser.close {}"));
  // A stop signal then has no window to close: the shell must not wait for one.
  EXPECT_FALSE(host->CloseAppWindow());
  Remake(&responder);
  EXPECT_FALSE(host->CloseAppWindow());  // nor before the window exists
  EXPECT_THAT(Lines(), IsEmpty());
}

TEST_F(ChromiumHostTest, AWindowGetsTheBoundsItHadAndCommandsFollowItsOwnState) {
  const auto setBounds = [](const json& bounds) {
    return "Browser.setWindowBounds " + json({{"bounds", bounds}, {"windowId", 7}}).dump();
  };
  // A restarted browser's window that was maximized gets its place, then the state alone.
  restore = {{"left", 40}, {"windowState", "maximized"}};
  Attach(kSession, kMain, "page");
  ReplyWindow(Take("Browser.getWindowForTarget").at(0), "normal");
  EXPECT_THAT(Lines("Browser.setWindowBounds"),
              ElementsAre(setBounds({{"left", 40}}), setBounds({{"windowState", "maximized"}})));
  Take();
  host->SetClientSize(0, 100);
  EXPECT_THAT(Lines(), IsEmpty());
  host->SetClientSize(1, 1);  // the smallest size is still one
  EXPECT_EQ(Take("Browser.getWindowForTarget").size(), 1u);
  // The client size gets the frame the page measures around itself.
  host->SetClientSize(640, 480);
  ReplyWindow(Take().at(0), "normal");
  Reply(TakeOne("Runtime.evaluate"), {{"result", {{"type", "object"}, {"value", {0, 56}}}}});
  EXPECT_THAT(Lines(), ElementsAre(setBounds({{"height", 536}, {"width", 640}})));
  // A measurement that is not two numbers counts no frame around the page.
  host->SetClientSize(300, 200);
  ReplyWindow(Take().at(0), "normal");
  Reply(Take().at(0), {{"result", {{"value", {"x", 56}}}}});
  EXPECT_THAT(Lines(), ElementsAre(setBounds({{"height", 200}, {"width", 300}})));
  // Fullscreen is left alone by sizes and positions, and asked for only when not there yet.
  host->SetClientSize(640, 480);
  host->SetWindowPosition(10, 20);
  host->SetFullscreen(true);
  const auto lookups = Take();
  ASSERT_EQ(lookups.size(), 3u);
  for (const json& command : lookups) ReplyWindow(command, "fullscreen");
  EXPECT_THAT(Lines(), IsEmpty());
}

// The browser's own update check of a service worker never reaches the shell: a worker whose
// script the app now serves differently is dropped before the start page loads.
TEST_F(ChromiumHostTest, AServiceWorkerOfAnEarlierVersionIsDroppedBeforeTheStartPageLoads) {
  dataFolder = root.string();
  const auto ship = [&](char fill) {
    std::ofstream(root / "www" / "sw.js", std::ios::binary)
        << std::string(kInlineBodyLimit + 1, fill);
  };
  // Starts a browser for the app; the Storage.clearDataForOrigin it sends, if any.
  const auto start = [&] {
    Take();
    Remake(&responder);
    host->Start();
    Attach(kSession, kMain, "page");
    return Take("Storage.clearDataForOrigin");
  };
  ship('a');
  EXPECT_THAT(start(), IsEmpty());
  Paused("https://corvane.localhost/sw.js", "", {{"Service-Worker", "script"}});
  EXPECT_THAT(start(), IsEmpty());  // the same script: the worker stays

  ship('b');
  json clear = start().at(0);
  EXPECT_EQ(clear["params"],
            json({{"origin", "https://corvane.localhost"}, {"storageTypes", "service_workers"}}));
  AnswerPageSetUp();
  EXPECT_THAT(Lines("Page.navigate"), IsEmpty());
  Reply(clear, nullptr);  // refused: the next start tries again
  EXPECT_THAT(Lines("Page.navigate"), ElementsAre(kNavigateToStart));
  clear = start().at(0);
  Reply(clear);
  EXPECT_THAT(start(), IsEmpty());  // dropped: nothing left to compare

  // A script the app no longer serves counts as changed; a damaged record as none.
  Paused("https://corvane.localhost/sw.js", "", {{"Service-Worker", "script"}});
  fs::remove(root / "www" / "sw.js");
  EXPECT_EQ(start().size(), 1u);
  std::ofstream(root / "corvane-service-workers.json", std::ios::binary) << "{\"sw.js\":";
  EXPECT_THAT(start(), IsEmpty());
}

TEST_F(ChromiumHostTest, ACrashedPageIsReloadedWhileThePlatformAllowsThenTheRunEnds) {
  reloadsLeft = 1;
  Event("Target.targetCrashed", {{"targetId", ""}});  // no page yet: nothing to reload
  ShowApp();
  Event("Target.targetCrashed", {{"targetId", "WORKER"}});  // not the app's page: nothing
  EXPECT_THAT(Lines(), IsEmpty());
  Event("Target.targetCrashed", {{"targetId", kMain}});
  EXPECT_THAT(Lines(), ElementsAre("Page.reload {} @MAINSESSION"));
  host->PostJson(R"({"a":1})");  // the dead document is not spoken to; the reloaded one will be
  EXPECT_THAT(Lines(), IsEmpty());
  EXPECT_EQ(host->QueuedForPage(), 1u);
  Event("Target.targetCrashed", {{"targetId", kMain}});
  EXPECT_THAT(Lines(), ElementsAre("Browser.close {}"));
  EXPECT_THAT(finished, ElementsAre("1 " + std::string(kRestartFailureMessage)));
  Event("Target.targetCrashed", {{"targetId", kMain}});
  host->TrackWindowBounds();
  EXPECT_THAT(Lines(), IsEmpty());
  EXPECT_EQ(finished.size(), 1u);
}

}  // namespace
}  // namespace corvane
