// The Linux host's protocol logic against a scripted browser: what it sends for each event. Linux
// only: it serves real files through the responder with POSIX paths.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/recovery_policy.h"
#include "chromium/chromium_host.h"
#include "chromium/fetch_fulfill.h"

namespace corvane {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

constexpr char kMain[] = "MAINTARGET";
constexpr char kSession[] = "MAINSESSION";

class FakePlatform final : public ChromiumPlatform {
 public:
  void OpenExternally(const std::string& url) override { opened.push_back(url); }
  std::optional<std::string> ServeLargeAnswer(const ResourceAnswer& answer) override {
    large.push_back(answer);
    if (refuseLarge) return std::nullopt;
    return std::string("http://127.0.0.1:9/token");
  }
  void Finish(int code, const std::string& message) override {
    finished.emplace_back(code, message);
  }
  bool ReloadAfterCrash() override { return reloadsLeft-- > 0; }
  void RememberWindowBounds(const json& bounds) override { remembered.push_back(bounds); }
  std::optional<json> WindowBoundsToRestore() override { return restore; }

  int reloadsLeft = 0;
  std::vector<json> remembered;
  std::optional<json> restore;
  std::vector<std::string> opened;
  std::vector<ResourceAnswer> large;
  bool refuseLarge = false;  // as when no token could be drawn or the file could not be opened
  std::vector<std::pair<int, std::string>> finished;
};

class ChromiumHostTest : public ::testing::Test {
 protected:
  ChromiumHostTest() {
    root =
        fs::temp_directory_path() /
        ("corvane_host_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(root / "www");
    std::ofstream(root / "www" / "index.html", std::ios::binary) << "<p>hello</p>";
    std::ofstream big(root / "www" / "big.bin", std::ios::binary);
    big << std::string(kInlineBodyLimit + 10, 'x');
    big.close();
    config.name = "t";
    config.main = "index.html";
    config.width = 800;
    config.height = 600;
    responder = std::make_unique<ResourceResponder>(bundle, root.string() + "/www/", '/');
    host = std::make_unique<ChromiumHost>(
        config, responder.get(), nullptr, client, platform,
        ChromiumHostFolders{root.string() + "/", "www/", "/data/t",
                            [](KnownFolder) { return std::string("/k"); }});
    client.SetEventHandler([this](const DevToolsEvent& e) { host->HandleEvent(e); });
  }
  ~ChromiumHostTest() override {
    host.reset();
    responder.reset();
    fs::remove_all(root);
  }

  void Event(const std::string& method, json params, const std::string& session = "") {
    json message = {{"method", method}, {"params", std::move(params)}};
    if (!session.empty()) message["sessionId"] = session;
    ASSERT_TRUE(client.Dispatch(message.dump()));
  }
  void Reply(const json& command, json result) {
    ASSERT_TRUE(
        client.Dispatch(json({{"id", command["id"]}, {"result", std::move(result)}}).dump()));
  }
  void Fail(const json& command) {
    ASSERT_TRUE(client.Dispatch(
        json({{"id", command["id"]}, {"error", {{"message", "Cannot find context"}}}}).dump()));
  }
  std::vector<json> Take() {
    std::vector<json> out;
    out.swap(sent);
    return out;
  }
  static std::vector<json> WithMethod(const std::vector<json>& commands,
                                      const std::string& method) {
    std::vector<json> out;
    for (const json& c : commands) {
      if (c["method"] == method) out.push_back(c);
    }
    return out;
  }

  void AttachMain() {
    Event("Target.attachedToTarget",
          {{"sessionId", kSession},
           {"targetInfo", {{"targetId", kMain}, {"type", "page"}, {"url", "data:text/html,"}}},
           {"waitingForDebugger", true}});
  }
  void AddContext(int id, const std::string& frameId) {
    Event("Runtime.executionContextCreated",
          {{"context",
            {{"id", id},
             {"uniqueId", "U" + std::to_string(id)},
             {"auxData", {{"isDefault", true}, {"frameId", frameId}}}}}},
          kSession);
  }
  // The app's page in the main frame (context 1) with an iframe beside it (context 2).
  void LoadAppDocument() {
    Event("Page.frameNavigated",
          {{"frame", {{"id", kMain}, {"url", "https://corvane.localhost/index.html"}}}}, kSession);
    AddContext(1, kMain);
    AddContext(2, "CHILD");
  }
  void Binding(const std::string& name, const std::string& payload, int context) {
    Event("Runtime.bindingCalled",
          {{"name", name}, {"payload", payload}, {"executionContextId", context}}, kSession);
  }
  // Answers the host's window look-up with the given state.
  void ReplyWindow(const json& command, const std::string& state) {
    Reply(command, {{"windowId", 7}, {"bounds", {{"windowState", state}}}});
  }
  void Paused(const std::string& url, json headers = json::object(),
              const std::string& method = "GET", const std::string& frameId = kMain,
              const std::string& type = "Fetch") {
    Event("Fetch.requestPaused",
          {{"requestId", "R"},
           {"request", {{"url", url}, {"method", method}, {"headers", headers}}},
           {"frameId", frameId},
           {"resourceType", type}});
  }

  fs::path root;
  AppConfig config;
  AssetBundle bundle;
  std::unique_ptr<ResourceResponder> responder;
  std::vector<json> sent;
  DevToolsClient client{[this](std::string framed) {
    sent.push_back(json::parse(framed.substr(0, framed.size() - 1)));
  }};
  FakePlatform platform;
  std::unique_ptr<ChromiumHost> host;
};

TEST_F(ChromiumHostTest, StartInterceptsTheAppOriginAndGrantsItPermissions) {
  host->Start();
  const auto commands = Take();
  const auto fetch = WithMethod(commands, "Fetch.enable");
  ASSERT_EQ(fetch.size(), 1u);
  EXPECT_EQ(fetch[0]["params"]["patterns"][0]["urlPattern"], "https://corvane.localhost/*");
  EXPECT_FALSE(fetch[0].contains("sessionId"));  // browser level: workers and popups too
  const auto autoAttach = WithMethod(commands, "Target.setAutoAttach");
  ASSERT_EQ(autoAttach.size(), 1u);
  EXPECT_EQ(autoAttach[0]["params"]["waitForDebuggerOnStart"], true);
  const auto grants = WithMethod(commands, "Browser.grantPermissions");
  ASSERT_FALSE(grants.empty());
  for (const json& grant : grants)
    EXPECT_EQ(grant["params"]["origin"], "https://corvane.localhost");
  const auto loopback = WithMethod(commands, "Browser.setPermission");
  ASSERT_EQ(loopback.size(), 1u);
  EXPECT_EQ(loopback[0]["params"]["permission"]["name"], "loopback-network");
}

TEST_F(ChromiumHostTest, RemoteModeInterceptsOnlyDocumentsToKeepTheMainFrameOnTheApp) {
  config.contentMode = ContentMode::Remote;
  config.main = "https://example.com/app/";
  host = std::make_unique<ChromiumHost>(config, nullptr, nullptr, client, platform,
                                        ChromiumHostFolders{});
  host->Start();
  const auto commands = Take();
  const auto fetch = WithMethod(commands, "Fetch.enable");
  ASSERT_EQ(fetch.size(), 1u);
  EXPECT_EQ(
      fetch[0]["params"]["patterns"],
      json::parse(R"([{"urlPattern":"*","resourceType":"Document","requestStage":"Request"}])"));
  EXPECT_EQ(WithMethod(commands, "Browser.grantPermissions").at(0)["params"]["origin"],
            "https://example.com");
  AttachMain();
  Take();
  Paused("https://EXAMPLE.com:443/app/next.html", json::object(), "GET", kMain, "Document");
  Paused("https://example.com/other/", json::object(), "GET", kMain, "Document");
  Paused("https://example.com/other/", json::object(), "GET", "IFRAME", "Document");
  const auto answered = Take();
  ASSERT_EQ(answered.size(), 3u);
  EXPECT_EQ(answered[0]["method"], "Fetch.continueRequest");
  EXPECT_EQ(answered[1]["method"], "Fetch.failRequest");
  EXPECT_EQ(answered[2]["method"], "Fetch.continueRequest");
}

TEST_F(ChromiumHostTest, TheStartPageIsRequestedOnlyOnceTheBridgeIsInPlace) {
  AttachMain();
  auto commands = Take();
  EXPECT_EQ(WithMethod(commands, "Runtime.addBinding").at(0)["sessionId"], kSession);
  EXPECT_EQ(WithMethod(commands, "Runtime.runIfWaitingForDebugger").size(), 1u);
  EXPECT_EQ(host->mainTargetId(), kMain);
  EXPECT_TRUE(WithMethod(commands, "Page.navigate").empty());
  // Replies in another order than the commands, as the browser gives them.
  const std::vector<json> setup = {
      WithMethod(commands, "Page.addScriptToEvaluateOnNewDocument").at(0),
      WithMethod(commands, "Runtime.addBinding").at(0),
      WithMethod(commands, "Runtime.addBinding").at(1),
      WithMethod(commands, "Runtime.enable").at(0), WithMethod(commands, "Page.enable").at(0)};
  for (std::size_t i = 0; i < setup.size(); ++i) {
    EXPECT_TRUE(WithMethod(Take(), "Page.navigate").empty());
    Reply(setup[i], json::object());
  }
  const auto navigate = WithMethod(Take(), "Page.navigate");
  ASSERT_EQ(navigate.size(), 1u);
  EXPECT_EQ(navigate[0]["params"]["url"], "https://corvane.localhost/index.html");
  EXPECT_EQ(navigate[0]["sessionId"], kSession);
}

TEST_F(ChromiumHostTest, OnlyTheMainFramesAppDocumentReachesTheBridge) {
  AttachMain();
  LoadAppDocument();
  Take();
  const auto init = [&](int context, const json& payload = R"({"type":"wrapper-init"})") {
    Event("Runtime.bindingCalled",
          {{"name", "__corvaneHostMessage"}, {"payload", payload}, {"executionContextId", context}},
          kSession);
    return WithMethod(Take(), "Runtime.evaluate");
  };
  const auto replies = init(1);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0]["params"]["uniqueContextId"], "U1");
  EXPECT_NE(replies[0]["params"]["expression"].get<std::string>().find("wrapper-init-response"),
            std::string::npos);
  EXPECT_TRUE(init(2).empty());     // an iframe
  EXPECT_TRUE(init(99).empty());    // an unknown context
  EXPECT_TRUE(init(1, 7).empty());  // a payload that is not text
  // Another binding name, or a main frame showing some other site, is ignored as well.
  Binding("other", R"({"type":"wrapper-init"})", 1);
  EXPECT_TRUE(WithMethod(Take(), "Runtime.evaluate").empty());
  Event("Page.frameNavigated", {{"frame", {{"id", kMain}, {"url", "https://evil.example/"}}}},
        kSession);
  EXPECT_TRUE(init(1).empty());
}

TEST_F(ChromiumHostTest, WindowCloseFromTheAppDocumentClosesTheWindow) {
  AttachMain();
  LoadAppDocument();
  Take();
  Binding("__corvaneHostClose", "", 2);
  EXPECT_TRUE(WithMethod(Take(), "Target.closeTarget").empty());  // an iframe cannot
  Binding("__corvaneHostClose", "", 1);
  const auto close = WithMethod(Take(), "Target.closeTarget");
  ASSERT_EQ(close.size(), 1u);
  EXPECT_EQ(close[0]["params"]["targetId"], kMain);
}

TEST_F(ChromiumHostTest, MessagesForThePageWaitForAnAppDocument) {
  AttachMain();
  Take();
  host->PostJson(R"({"b":1,"a":2})");
  host->PostJson("not json");
  EXPECT_EQ(host->QueuedForPage(), 1u);
  EXPECT_TRUE(WithMethod(Take(), "Runtime.evaluate").empty());
  LoadAppDocument();
  const auto delivered = WithMethod(Take(), "Runtime.evaluate");
  ASSERT_EQ(delivered.size(), 1u);
  // Passed as a string literal and parsed in the page: order kept, nothing evaluated.
  EXPECT_EQ(delivered[0]["params"]["expression"].get<std::string>().rfind(
                R"(globalThis.__corvaneDeliver("{\"b\":1,\"a\":2}",1,")", 0),
            0u);
  EXPECT_EQ(delivered[0]["params"]["uniqueContextId"], "U1");
  Reply(delivered[0], json::object());
  EXPECT_EQ(host->QueuedForPage(), 0u);
  // Only the end of the main frame's context makes them wait again.
  Event("Runtime.executionContextDestroyed", {{"executionContextId", 2}}, kSession);
  host->PostJson("{}");
  EXPECT_EQ(WithMethod(Take(), "Runtime.evaluate").size(), 1u);
  Event("Runtime.executionContextDestroyed", {{"executionContextId", 1}}, kSession);
  host->PostJson("{}");
  EXPECT_TRUE(WithMethod(Take(), "Runtime.evaluate").empty());
  EXPECT_EQ(host->QueuedForPage(), 2u);
}

TEST_F(ChromiumHostTest, MessagesTheOldDocumentDidNotTakeGoToTheNextOneOnceInOrder) {
  AttachMain();
  LoadAppDocument();
  Take();
  for (const char* text : {"[1]", "[2]", "[3]"}) host->PostJson(text);
  const auto first = WithMethod(Take(), "Runtime.evaluate");
  ASSERT_EQ(first.size(), 3u);
  Reply(first[0], json::object());
  Fail(first[1]);  // the page reloaded before the rest arrived
  host->PostJson("[4]");
  EXPECT_TRUE(WithMethod(Take(), "Runtime.evaluate").empty());  // not into the stale context
  AddContext(3, kMain);
  EXPECT_TRUE(WithMethod(Take(), "Runtime.evaluate").empty());  // [3] is still unanswered
  // [3] did arrive: the old document said so before the navigation failed its evaluation.
  Binding("__corvaneHostClose", "ack:3", 1);
  Fail(first[2]);
  const auto again = WithMethod(Take(), "Runtime.evaluate");
  ASSERT_EQ(again.size(), 2u);
  for (std::size_t i = 0; i < again.size(); ++i) {
    const std::string n = i == 0 ? "2" : "4";
    EXPECT_EQ(again[i]["params"]["uniqueContextId"], "U3");
    EXPECT_EQ(again[i]["params"]["expression"].get<std::string>().rfind(
                  "globalThis.__corvaneDeliver(\"[" + n + "]\"," + n + ",", 0),
              0u);
    Reply(again[i], json::object());
  }
  EXPECT_EQ(host->QueuedForPage(), 0u);
  EXPECT_TRUE(Take().empty());
}

TEST_F(ChromiumHostTest, TheBlankFirstPageLeavesTheHistoryOnceTheAppIsShown) {
  AttachMain();
  Event("Page.domContentEventFired", json::object(), kSession);
  EXPECT_TRUE(WithMethod(Take(), "Page.resetNavigationHistory").empty());
  LoadAppDocument();
  Event("Page.domContentEventFired", json::object(), kSession);
  Event("Page.domContentEventFired", json::object(), kSession);
  EXPECT_EQ(WithMethod(Take(), "Page.resetNavigationHistory").size(), 1u);
}

TEST_F(ChromiumHostTest, AppRequestsAreAnsweredByTheResponder) {
  Paused("https://corvane.localhost/index.html");
  auto fulfil = WithMethod(Take(), "Fetch.fulfillRequest");
  ASSERT_EQ(fulfil.size(), 1u);
  EXPECT_EQ(fulfil[0]["params"]["responseCode"], 200);
  EXPECT_EQ(fulfil[0]["params"]["body"], "PHA+aGVsbG88L3A+");
  EXPECT_EQ(fulfil[0]["params"]["responseHeaders"][1],
            json({{"name", "Content-Type"}, {"value", "text/html; charset=utf-8"}}));

  Paused("https://corvane.localhost/missing.js");
  fulfil = WithMethod(Take(), "Fetch.fulfillRequest");
  EXPECT_EQ(fulfil.at(0)["params"]["responseCode"], 404);

  Paused("https://corvane.localhost/index.html", json::object(), "OPTIONS");
  fulfil = WithMethod(Take(), "Fetch.fulfillRequest");
  EXPECT_EQ(fulfil.at(0)["params"]["responseCode"], 204);
}

TEST_F(ChromiumHostTest, LargeAnswersLeaveThePipeAndOpenRangesAreCapped) {
  Paused("https://corvane.localhost/big.bin");
  auto commands = Take();
  const auto continued = WithMethod(commands, "Fetch.continueRequest");
  ASSERT_EQ(continued.size(), 1u);
  EXPECT_EQ(continued[0]["params"]["url"], "http://127.0.0.1:9/token");
  ASSERT_EQ(platform.large.size(), 1u);
  EXPECT_EQ(BodyLength(platform.large[0]), kInlineBodyLimit + 10);

  Paused("https://corvane.localhost/big.bin", {{"Range", "bytes=5-"}});
  const auto fulfil = WithMethod(Take(), "Fetch.fulfillRequest");
  ASSERT_EQ(fulfil.size(), 1u);
  EXPECT_EQ(fulfil[0]["params"]["responseCode"], 206);
  bool sawRange = false;
  for (const json& header : fulfil[0]["params"]["responseHeaders"]) {
    if (header["name"] == "Content-Range") {
      sawRange = true;
      EXPECT_EQ(header["value"], "bytes 5-" + std::to_string(5 + kInlineBodyLimit - 1) + "/" +
                                     std::to_string(kInlineBodyLimit + 10));
    }
  }
  EXPECT_TRUE(sawRange);
  EXPECT_EQ(platform.large.size(), 1u);

  // An answer the endpoint cannot take is an error, with no length promised.
  platform.refuseLarge = true;
  Paused("https://corvane.localhost/big.bin");
  const auto refused = WithMethod(Take(), "Fetch.fulfillRequest");
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0]["params"]["responseCode"], 500);
  EXPECT_FALSE(refused[0]["params"].contains("body"));
  for (const json& header : refused[0]["params"]["responseHeaders"]) {
    EXPECT_NE(header["name"], "Content-Length");
  }
}

TEST_F(ChromiumHostTest, TheMainFrameStaysOnTheApp) {
  AttachMain();
  Take();
  Paused("https://example.com/", json::object(), "GET", kMain, "Document");
  auto commands = Take();
  ASSERT_EQ(WithMethod(commands, "Fetch.failRequest").size(), 1u);
  EXPECT_EQ(WithMethod(commands, "Fetch.failRequest")[0]["params"]["errorReason"], "Aborted");
  Paused("https://example.com/", json::object(), "GET", "IFRAME", "Document");
  EXPECT_EQ(WithMethod(Take(), "Fetch.continueRequest").size(), 1u);

  // What commits all the same (no network request, a history step) is undone from the history.
  const auto navigated = [&](const char* url) {
    Event("Page.frameNavigated", {{"frame", {{"id", kMain}, {"url", url}}}}, kSession);
    return WithMethod(Take(), "Page.getNavigationHistory");
  };
  EXPECT_TRUE(navigated("about:blank").empty());  // the page the window opened on
  EXPECT_TRUE(navigated("https://corvane.localhost/index.html").empty());
  EXPECT_TRUE(navigated("https://corvane.localhost/next.html").empty());
  const auto history = navigated("blob:https://corvane.localhost/1234");
  ASSERT_EQ(history.size(), 1u);
  Reply(history[0], json::parse(R"({"currentIndex":2,"entries":[
      {"id":5,"url":"https://corvane.localhost/index.html"},
      {"id":6,"url":"https://corvane.localhost/next.html"},
      {"id":7,"url":"blob:https://corvane.localhost/1234"}]})"));
  const auto back = WithMethod(Take(), "Page.navigateToHistoryEntry");
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0]["params"]["entryId"], 6);
  Reply(navigated("data:text/html,x").at(0),
        json::parse(R"({"currentIndex":0,"entries":[{"id":9,"url":"data:text/html,x"}]})"));
  EXPECT_EQ(WithMethod(Take(), "Page.navigate").at(0)["params"]["url"],
            "https://corvane.localhost/index.html");
}

TEST_F(ChromiumHostTest, PopupsCloseAndOnlyAllowedSchemesGoToTheSystem) {
  AttachMain();
  Take();
  Event("Target.attachedToTarget",
        {{"sessionId", "POPUP"},
         {"targetInfo", {{"targetId", "P"}, {"type", "page"}, {"url", ""}}},
         {"waitingForDebugger", true}});
  const auto commands = Take();
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0]["method"], "Runtime.runIfWaitingForDebugger");
  EXPECT_EQ(commands[0]["sessionId"], "POPUP");
  EXPECT_EQ(commands[1]["method"], "Target.closeTarget");
  EXPECT_EQ(commands[1]["params"]["targetId"], "P");
  // Its document request fails: nothing may reach the network.
  Paused("http://127.0.0.1:8000/popup", json::object(), "POST", "P", "Document");
  EXPECT_EQ(WithMethod(Take(), "Fetch.failRequest").size(), 1u);
  for (const char* url : {"https://example.com/x", "mailto:a@b.c", "file:///etc/passwd",
                          "javascript:alert(1)", "", "HTTP://EXAMPLE.COM/"}) {
    Event("Page.windowOpen", {{"url", url}, {"userGesture", true}}, kSession);
  }
  EXPECT_EQ(platform.opened, (std::vector<std::string>{"https://example.com/x", "mailto:a@b.c",
                                                       "HTTP://EXAMPLE.COM/"}));
}

TEST_F(ChromiumHostTest, WorkersAreResumedAndDevtoolsClosedWhenOff) {
  config.enableDevtools = false;
  host = std::make_unique<ChromiumHost>(config, responder.get(), nullptr, client, platform,
                                        ChromiumHostFolders{});
  AttachMain();
  Take();
  Event("Target.attachedToTarget",
        {{"sessionId", "W"},
         {"targetInfo",
          {{"targetId", "WT"}, {"type", "worker"}, {"url", "https://corvane.localhost/w.js"}}},
         {"waitingForDebugger", true}});
  auto commands = Take();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0]["method"], "Runtime.runIfWaitingForDebugger");
  Event("Target.targetCreated", {{"targetInfo",
                                  {{"targetId", "D"},
                                   {"type", "page"},
                                   {"url", "devtools://devtools/bundled/inspector.html"}}}});
  commands = Take();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0]["method"], "Target.closeTarget");
  EXPECT_EQ(commands[0]["params"]["targetId"], "D");
  Event("Target.targetCreated",
        {{"targetInfo", {{"targetId", "X"}, {"type", "page"}, {"url", "https://a.test/"}}}});
  EXPECT_TRUE(Take().empty());
}

TEST_F(ChromiumHostTest, ClosingTheAppWindowEndsTheRunWithZero) {
  AttachMain();
  Take();
  Event("Target.targetDestroyed", {{"targetId", "SOMETHING_ELSE"}});
  EXPECT_TRUE(platform.finished.empty());
  Event("Target.targetDestroyed", {{"targetId", kMain}});
  ASSERT_EQ(platform.finished.size(), 1u);
  EXPECT_EQ(platform.finished[0].first, 0);
  EXPECT_EQ(WithMethod(Take(), "Browser.close").size(), 1u);
}

TEST_F(ChromiumHostTest, ClientSizeAddsTheWindowFrameAndIsIgnoredInFullscreen) {
  AttachMain();
  Take();
  host->SetClientSize(0, 100);
  host->SetClientSize(100, 0);
  EXPECT_TRUE(Take().empty());
  host->SetClientSize(640, 480);
  auto commands = Take();
  ASSERT_EQ(commands.size(), 1u);
  ReplyWindow(commands[0], "normal");
  commands = Take();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0]["method"], "Runtime.evaluate");
  Reply(commands[0], {{"result", {{"type", "object"}, {"value", {0, 56}}}}});
  commands = Take();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0]["params"],
            json({{"windowId", 7}, {"bounds", {{"width", 640}, {"height", 536}}}}));

  host->SetClientSize(640, 480);
  ReplyWindow(Take().at(0), "fullscreen");
  EXPECT_TRUE(Take().empty());
  host->SetWindowPosition(10, 20);
  ReplyWindow(Take().at(0), "fullscreen");
  EXPECT_TRUE(Take().empty());
}

TEST_F(ChromiumHostTest, FullscreenFollowsTheWindowsOwnState) {
  AttachMain();
  Take();
  host->SetFullscreen(true);
  ReplyWindow(Take().at(0), "fullscreen");
  EXPECT_TRUE(Take().empty());  // already there
  host->SetFullscreen(true);
  ReplyWindow(Take().at(0), "normal");
  const auto commands = Take();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0]["params"],
            json({{"windowId", 7}, {"bounds", {{"windowState", "fullscreen"}}}}));
}

TEST_F(ChromiumHostTest, HandshakeRecordsTheFoldersForTheExtensionLibrary) {
  host->SendDirectoryHandles();
  const auto& handles = host->DirectoryHandles();
  EXPECT_EQ(handles.at("<app>"), root.string() + "/");
  EXPECT_EQ(handles.at("<web-resource>"), root.string() + "/www/");
  EXPECT_EQ(handles.at("<current-app-data>"), "/data/t");
  EXPECT_EQ(handles.at("<documents>"), "/k");
}

TEST_F(ChromiumHostTest, ACrashedPageIsReloadedWhileThePlatformAllowsThenTheRunEnds) {
  platform.reloadsLeft = 1;
  AttachMain();
  LoadAppDocument();
  Take();
  Event("Target.targetCrashed", {{"targetId", "WORKER"}});  // not the app's page: nothing
  EXPECT_TRUE(Take().empty());
  Event("Target.targetCrashed", {{"targetId", kMain}});
  auto commands = Take();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0]["method"], "Page.reload");
  EXPECT_EQ(commands[0]["sessionId"], kSession);
  host->PostJson(R"({"a":1})");  // the dead document is not spoken to; the reloaded one will be
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(host->QueuedForPage(), 1u);
  Event("Target.targetCrashed", {{"targetId", kMain}});
  EXPECT_EQ(WithMethod(Take(), "Browser.close").size(), 1u);
  EXPECT_EQ(platform.finished,
            (std::vector<std::pair<int, std::string>>{{1, kRestartFailureMessage}}));
}

TEST_F(ChromiumHostTest, ARestartedBrowsersWindowGetsTheBoundsItHadAndTheyAreTracked) {
  const json bounds = {{"left", 40}, {"top", 30}, {"width", 700}, {"height", 500}};
  platform.restore = bounds;
  AttachMain();
  auto lookup = WithMethod(Take(), "Browser.getWindowForTarget");
  ASSERT_EQ(lookup.size(), 1u);
  ReplyWindow(lookup[0], "normal");
  const auto placed = Take();  // the saved outer bounds, not the configured page size
  ASSERT_EQ(placed.size(), 1u);
  EXPECT_EQ(placed[0]["params"], json({{"windowId", 7}, {"bounds", bounds}}));
  host->TrackWindowBounds();
  Reply(Take().at(0), {{"windowId", 7}, {"bounds", bounds}});
  EXPECT_EQ(platform.remembered, std::vector<json>{bounds});
}

}  // namespace
}  // namespace corvane
