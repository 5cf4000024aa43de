#include "bridge/extension_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "bridge/directory_placeholders.h"
#include "bridge/message_bridge.h"

namespace corvane {
namespace {

using namespace std::string_view_literals;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;
using ::testing::StrEq;

class RecordingHost final : public BridgeHost, public ExtensionHost {
 public:
  void SetFullscreen(bool on) override { Record(on ? "fullscreen on" : "fullscreen off"); }
  void SetClientSize(std::int32_t width, std::int32_t height) override {
    Record("size " + std::to_string(width) + "x" + std::to_string(height));
  }
  void SetWindowPosition(std::int32_t x, std::int32_t y) override {
    Record("position " + std::to_string(x) + "," + std::to_string(y));
  }
  void PostJson(const std::string& json) override { Record("post " + json); }
  void PostHandshakeReply(const std::string& json) override { Record("reply " + json); }
  void SendDirectoryHandles() override {
    Record("directory-handles");
    if (record != nullptr) (*record)["<documents>"] = "/home/u/Documents";
  }
  void Record(const std::string& call) {
    if (throws) throw std::runtime_error("window gone");
    calls.push_back(call);
  }

  bool throws = false;
  std::vector<std::string> calls;
  // Where the handshake records the folders, as a real host records into its manager's.
  std::map<std::string, std::string>* record = nullptr;
};

// A library made of plain functions: what the loader was asked and what the library saw.
struct FakeLibrary {
  bool present = true;
  bool initFails = false;
  std::string missingExport;
  std::vector<std::string> ids;  // returned by Init
  std::vector<const char*> idPointers;
  std::vector<std::string> events;
  IWrapperApp* app = nullptr;
};
FakeLibrary* g_fake = nullptr;
int g_token = 0;  // the library's handle, and the main window's

const char* const* CORVANE_EXTENSION_CALL FakeInit(const char* appFolder, const char* contentFolder,
                                                   const char* userDataFolder, IWrapperApp* app) {
  g_fake->events.push_back(std::string("Init ") + appFolder + "|" + contentFolder + "|" +
                           userDataFolder);
  g_fake->app = app;
  app->PostWebMessage(R"({"from":"init"})");
  g_fake->events.push_back(std::string("path during Init=[") +
                           app->GetDirectoryPath("<documents>") + "]");
  if (g_fake->initFails) return nullptr;
  g_fake->idPointers.clear();
  for (const std::string& id : g_fake->ids) g_fake->idPointers.push_back(id.c_str());
  g_fake->idPointers.push_back(nullptr);
  return g_fake->idPointers.data();
}
void CORVANE_EXTENSION_CALL FakeRelease() {
  const char* documents = g_fake->app ? g_fake->app->GetDirectoryPath("<documents>") : "no app";
  g_fake->events.push_back(std::string("Release [") + documents + "]");
}
void CORVANE_EXTENSION_CALL FakeWindowCreated(void* window) {
  g_fake->events.push_back(window == &g_token ? "OnMainWindowCreated hwnd"
                                              : "OnMainWindowCreated ?");
}
void CORVANE_EXTENSION_CALL FakeMessage(const char* text) {
  g_fake->events.push_back(std::string("Message ") + text);
}

constexpr ExtensionLibraryLoader kFakeLoader{
    [](const std::string& appFolder) -> void* {
      g_fake->events.push_back("open " + appFolder);
      return g_fake->present ? &g_token : nullptr;
    },
    [](void* library, const char* name) -> ExtensionExport {
      const std::map<std::string, ExtensionExport> table = {
          {"Init", reinterpret_cast<ExtensionExport>(&FakeInit)},
          {"Release", reinterpret_cast<ExtensionExport>(&FakeRelease)},
          {"OnMainWindowCreated", reinterpret_cast<ExtensionExport>(&FakeWindowCreated)},
          {"OnExtensionMessage", reinterpret_cast<ExtensionExport>(&FakeMessage)}};
      // Looked up in any other handle than the one opened, nothing is found.
      return name == g_fake->missingExport || library != &g_token ? nullptr : table.at(name);
    },
    [](void* library) { g_fake->events.push_back(library == &g_token ? "close" : "close ?"); }};

class BridgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_fake = &fake;
    host.record = &manager.LastingDirectoryHandles();
  }
  void TearDown() override { g_fake = nullptr; }

  FakeLibrary fake;
  RecordingHost host;
  ExtensionManager manager{"/opt/app/", "www/", "/home/u/.local/share/demo",
                           "{ \"name\" : \"demo\" }\n"};
  MessageBridge bridge{host, &manager};
};

// Members are read leniently: a wrong type or a missing member reads as 0 or false. Only exact
// string types dispatch; text that is not JSON is dropped, and it ends at its first zero byte.
TEST_F(BridgeTest, EachMessageReachesTheHostOrTheLibraryOrNothing) {
  manager.onExtensionMessageFn = &FakeMessage;
  const std::string extension = R"({ "type" : "extension-message", "zeta":1.50, "a":"\u00e9" })";
  const std::pair<std::string_view, std::string> kDispatched[] = {
      {R"({"type":"set-window-size","windowWidth":800,"windowHeight":600})", "size 800x600"},
      {R"({"type":"set-window-position","windowX":-20,"windowY":40})", "position -20,40"},
      {R"({"type":"set-fullscreen","fullscreen":true})", "fullscreen on"},
      {R"({"type":"set-window-size","windowWidth":800.9,"windowHeight":"600"})", "size 800x0"},
      {R"({"type":"set-window-position","windowY":7})", "position 0,7"},
      {R"({"type":"set-fullscreen","fullscreen":1})", "fullscreen off"},
      {extension, "Message " + extension},
      {R"({"windowHeight":6,"t":"\udc00","type":"set-window-size","windowWidth":5})", "size 5x6"},
      {"{\"type\":\"set-fullscreen\",\"fullscreen\":true}\0garbage"sv, "fullscreen on"}};
  for (const auto& [text, call] : kDispatched) {
    host.calls.clear();
    fake.events.clear();
    bridge.HandleWebMessage(text);
    host.calls.insert(host.calls.end(), fake.events.begin(), fake.events.end());
    EXPECT_THAT(host.calls, ElementsAre(call)) << text.substr(0, 100);
  }
  host.calls.clear();
  fake.events.clear();
  for (const char* text :
       {R"({"type":"Wrapper-Init"})", R"({"type":"set-fullscreen ","fullscreen":true})",
        R"({"type":"Extension-Message"})", R"({"type":7})", R"({"fullscreen":true})",
        R"(["wrapper-init"])", "{", "// comment\n{\"type\":\"wrapper-init\"}",
        "{\"type\":\"wrapper-init\"\xff}"}) {
    EXPECT_NO_THROW(bridge.HandleWebMessage(text));
  }
  EXPECT_THAT(host.calls, IsEmpty());
  EXPECT_THAT(fake.events, IsEmpty());
  host.throws = true;
  EXPECT_NO_THROW(bridge.HandleWebMessage(R"({"type":"wrapper-init"})"));
}

// One run of the shell: load (the library's id array is overwritten at once, as it is only
// promised until Init returns), the window (announced again, as by a restarted browser), the host,
// the page's handshake and one message, the session's end (Release alone), then teardown, twice,
// and late messages. The ids hold invalid UTF-8, quotes and control characters: replaced and
// escaped, the reply still goes out and the queue is still flushed.
TEST_F(BridgeTest, AFullLibraryFollowsTheCallingOrderOfARun) {
  fake.ids = {"camera", "\xc3\xa9t\xc3\xa9", "bad\xff\xfeid", "cut\xc3", "a\"b\\c\n\x01"};
  EXPECT_TRUE(manager.LoadExtension(kFakeLoader));
  fake.ids.assign(fake.ids.size(), "overwritten");
  manager.NotifyMainWindowCreated(&g_token);
  manager.NotifyMainWindowCreated(&g_token);
  manager.host = &host;
  bridge.HandleWebMessage(R"({"type":"wrapper-init"})");
  bridge.HandleWebMessage(R"({"type":"extension-message","x":1})");
  manager.DetachHost();  // as the Linux host's browser ends before Release
  manager.Release();
  EXPECT_NE(manager.library, nullptr) << "Release alone keeps the library loaded";
  manager.DeliverExtensionMessage("{}");
  manager.ReleaseAndUnload(kFakeLoader);
  manager.ReleaseAndUnload(kFakeLoader);
  EXPECT_THAT(fake.events,
              ElementsAre("open /opt/app/", "Init /opt/app/|www/|/home/u/.local/share/demo",
                          "path during Init=[]", "OnMainWindowCreated hwnd",
                          R"(Message {"type":"extension-message","x":1})",
                          "Release [/home/u/Documents]", "close"));
  EXPECT_THAT(host.calls,
              ElementsAre("directory-handles",
                          "reply {\"registeredComponentIds\":[\"camera\",\"\xc3\xa9t\xc3\xa9\","
                          "\"bad\xef\xbf\xbd\xef\xbf\xbdid\",\"cut\xef\xbf\xbd\","
                          "\"a\\\"b\\\\c\\n\\u0001\"],\"type\":\"wrapper-init-response\"}",
                          R"(post {"from":"init"})"));
  EXPECT_THAT(manager.pendingMessages, IsEmpty());  // a later handshake must not post them again
}

TEST_F(BridgeTest, AMissingExportKeepsInitFromBeingCalled) {
  fake.missingExport = "OnExtensionMessage";
  EXPECT_FALSE(manager.LoadExtension(kFakeLoader));
  EXPECT_THAT(fake.events, Not(Contains(StartsWith("Init "))));
}

// A start-up that fails after the load (no window) leaves without a word to the library.
TEST_F(BridgeTest, AManagerThatGoesWithoutReleaseAndUnloadCallsNothingMore) {
  { ASSERT_TRUE(ExtensionManager("/opt/app/", "www/", "/d", "{}").LoadExtension(kFakeLoader)); }
  EXPECT_EQ(fake.events.back(), "path during Init=[]");
}

TEST_F(BridgeTest, AMissingLibraryBindsNothingAndInitReturningNullKeepsTheLibraryWithoutIds) {
  fake.present = false;
  EXPECT_FALSE(manager.LoadExtension(kFakeLoader));
  manager.NotifyMainWindowCreated(&g_token);
  manager.DeliverExtensionMessage("{}");
  manager.ReleaseAndUnload(kFakeLoader);
  EXPECT_THAT(fake.events, ElementsAre("open /opt/app/"));  // nothing called, nothing closed

  fake = FakeLibrary{};
  fake.initFails = true;
  fake.ids = {"camera"};
  EXPECT_FALSE(manager.LoadExtension(kFakeLoader));
  EXPECT_THAT(manager.componentIds, IsEmpty());
  manager.NotifyMainWindowCreated(&g_token);
  manager.DeliverExtensionMessage(R"({"type":"extension-message"})");
  manager.ReleaseAndUnload(kFakeLoader);
  EXPECT_THAT(std::vector<std::string>(fake.events.end() - 3, fake.events.end()),
              ElementsAre(R"(Message {"type":"extension-message"})", "Release []", "close"));
  // An empty array, though, is success without ids; each load hears of the main window.
  fake.initFails = false;
  fake.ids.clear();
  EXPECT_TRUE(manager.LoadExtension(kFakeLoader));
  EXPECT_THAT(manager.componentIds, IsEmpty());
  manager.NotifyMainWindowCreated(&g_token);
  EXPECT_EQ(fake.events.back(), "OnMainWindowCreated hwnd");
}

// What a C library does: take the first word of the object as the table and call by slot. Null
// arguments are ignored; another thread's posts are handed to the shell's thread.
TEST_F(BridgeTest, TheLibraryCallsThroughItsSlotsFromAnyThread) {
  using PostSlot = void(CORVANE_EXTENSION_CALL*)(IWrapperApp*, const char*);
  using PathSlot = const char*(CORVANE_EXTENSION_CALL*)(IWrapperApp*, const char*);
  using PackageSlot = const char*(CORVANE_EXTENSION_CALL*)(IWrapperApp*);
  IWrapperApp* app = &manager;
  void* const* table = *reinterpret_cast<void* const* const*>(app);
  const auto path = [&](const char* name) {
    return std::string(reinterpret_cast<PathSlot>(table[1])(app, name));
  };
  EXPECT_EQ(path(nullptr), "");
  manager.PostWebMessage(nullptr);
  EXPECT_THAT(manager.pendingMessages, IsEmpty());
  manager.host = &host;
  EXPECT_EQ(path("<documents>"), "");  // before the handshake
  bridge.HandleWebMessage(R"({"type":"wrapper-init"})");
  host.calls.clear();
  EXPECT_EQ(path("<documents>"), "/home/u/Documents");
  EXPECT_THAT(reinterpret_cast<PackageSlot>(table[2])(app), StrEq("{ \"name\" : \"demo\" }\n"));
  reinterpret_cast<PostSlot>(table[0])(app, R"({"slot":0})");
  EXPECT_THAT(host.calls, ElementsAre(R"(post {"slot":0})"));

  std::vector<std::string> handedOver;
  manager.crossThreadPoster = [&](std::string json) { handedOver.push_back(std::move(json)); };
  std::thread([&] { manager.PostWebMessage(R"({"from":"worker"})"); }).join();
  EXPECT_THAT(handedOver, ElementsAre(R"({"from":"worker"})"));
  manager.PostWebMessage(R"({"from":"shell"})");  // the shell's own thread posts at once
  EXPECT_THAT(host.calls, ElementsAre(R"(post {"slot":0})", R"(post {"from":"shell"})"));
}

TEST(DirectoryPlaceholders, RowsInTableOrderAndRecordingKeepsEarlierFoldersForUnresolvedRows) {
  const auto table =
      ResolveDirectoryPlaceholders("C:\\App\\", "www\\", "C:\\Local\\demo", [](KnownFolder folder) {
        return folder == KnownFolder::Screenshots ? std::string()
                                                  : "K" + std::to_string(static_cast<int>(folder));
      });
  std::vector<std::string> rows;
  for (const auto& row : table) rows.push_back(std::string(row.name) + "=" + row.folder);
  EXPECT_THAT(rows, ElementsAre("<app>=C:\\App\\", "<web-resource>=C:\\App\\www\\",
                                "<current-app-data>=C:\\Local\\demo", "<local-app-data>=K0",
                                "<roaming-app-data>=K1", "<desktop>=K2", "<documents>=K3",
                                "<downloads>=K4", "<pictures>=K5", "<profile>=K6",
                                "<saved-games>=K7", "<screenshots>=", "<videos>=K9"));

  std::map<std::string, std::string> handles;
  EXPECT_TRUE(RecordDirectoryHandle(handles, "<documents>", "D:\\Docs"));
  EXPECT_TRUE(RecordDirectoryHandle(handles, "<videos>", "D:\\Videos"));
  // A later walk: Documents moved, Videos can no longer be resolved.
  EXPECT_TRUE(RecordDirectoryHandle(handles, "<documents>", "E:\\Docs"));
  EXPECT_FALSE(RecordDirectoryHandle(handles, "<videos>", ""));
  EXPECT_EQ(handles, (std::map<std::string, std::string>{{"<documents>", "E:\\Docs"},
                                                         {"<videos>", "D:\\Videos"}}));
}

#if defined(CORVANE_EXAMPLE_EXTENSION_DIR)
// The sample's folder as the shell names it (Wine sees a cross build's tree on Z:).
std::string ExampleFolder() {
  std::string folder = CORVANE_EXAMPLE_EXTENSION_DIR;
#if defined(_WIN32)
  if (folder.front() == '/') folder = "Z:" + folder;
  for (char& c : folder) c = c == '/' ? '\\' : c;
#endif
  return folder;
}

TEST(ExampleExtension, LoadsThroughThePlatformLoaderAndTalksToThePage) {
  RecordingHost host;
  ExtensionManager manager(ExampleFolder(), "www/", "data", R"({"name":"demo app"})");
  host.record = &manager.LastingDirectoryHandles();
  MessageBridge bridge(host, &manager);
  ASSERT_TRUE(manager.LoadExtension());
  manager.NotifyMainWindowCreated(nullptr);
  manager.host = &host;
  for (const char* text :
       {R"({"type":"wrapper-init"})",
        R"({"type":"extension-message","action":"get-folder","name":"<documents>"})",
        R"({ "type":"extension-message", "note":"h\u00e9" })"}) {
    bridge.HandleWebMessage(text);
  }
  manager.ReleaseAndUnload();
  EXPECT_EQ(manager.library, nullptr);
  const nlohmann::json ready = {{"type", "extension-ready"}, {"appFolder", ExampleFolder()}};
  EXPECT_THAT(
      host.calls,
      ElementsAre(
          "directory-handles",
          R"(reply {"registeredComponentIds":["echo","folders"],"type":"wrapper-init-response"})",
          "post " + ready.dump(),
          R"(post {"name":"<documents>","path":"/home/u/Documents","type":"folder"})",
          R"(post {"type":"extension-echo","message":{ "type":"extension-message", "note":"h\u00e9" }})"));
}
#endif

}  // namespace
}  // namespace corvane
