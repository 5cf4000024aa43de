#include "bridge/extension_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "bridge/message_bridge.h"

namespace corvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StrEq;

class RecordingHost final : public BridgeHost, public ExtensionHost {
 public:
  void SetFullscreen(bool) override {}
  void SetClientSize(std::int32_t, std::int32_t) override {}
  void SetWindowPosition(std::int32_t, std::int32_t) override {}
  void PostJson(const std::string& json) override { posted.push_back(json); }
  void SendDirectoryHandles() override { handles["<documents>"] = "/home/u/Documents"; }
  const std::map<std::string, std::string>& DirectoryHandles() const override { return handles; }

  std::vector<std::string> posted;
  std::map<std::string, std::string> handles;
};

// A library made of plain functions: what the loader was asked and what the library saw.
struct FakeLibrary {
  bool present = true;
  std::vector<std::string> exports = {"Init", "Release", "OnMainWindowCreated",
                                      "OnExtensionMessage"};
  bool initFails = false;
  std::vector<std::string> ids;  // returned by Init (rewritten right after, to prove the copy)

  std::vector<std::string> events;
  std::vector<const char*> idPointers;
  IWrapperApp* app = nullptr;
};
FakeLibrary* g_fake = nullptr;
int g_libraryToken = 0;

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
void CORVANE_EXTENSION_CALL FakeRelease() { g_fake->events.push_back("Release"); }
void CORVANE_EXTENSION_CALL FakeWindowCreated(void* window) {
  g_fake->events.push_back(window == &g_libraryToken ? "OnMainWindowCreated hwnd"
                                                     : "OnMainWindowCreated ?");
}
void CORVANE_EXTENSION_CALL FakeMessage(const char* text) {
  g_fake->events.push_back(std::string("Message ") + text);
}

void* FakeOpen(const std::string& appFolder) {
  g_fake->events.push_back("open " + appFolder);
  return g_fake->present ? &g_libraryToken : nullptr;
}
ExtensionExport FakeFind(void* library, const char* name) {
  g_fake->events.push_back(std::string("find ") + name +
                           (library == &g_libraryToken ? "" : " in ?"));
  const std::map<std::string, ExtensionExport> table = {
      {"Init", reinterpret_cast<ExtensionExport>(&FakeInit)},
      {"Release", reinterpret_cast<ExtensionExport>(&FakeRelease)},
      {"OnMainWindowCreated", reinterpret_cast<ExtensionExport>(&FakeWindowCreated)},
      {"OnExtensionMessage", reinterpret_cast<ExtensionExport>(&FakeMessage)},
  };
  for (const std::string& offered : g_fake->exports) {
    if (offered == name) return table.at(name);
  }
  return nullptr;
}
void FakeClose(void* library) {
  g_fake->events.push_back(library == &g_libraryToken ? "close" : "close ?");
}

constexpr ExtensionLibraryLoader kFakeLoader{&FakeOpen, &FakeFind, &FakeClose};

class ExtensionManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { g_fake = &fake; }
  void TearDown() override { g_fake = nullptr; }

  // One run of the shell: load, window (announced again as a restarted browser would), host,
  // page handshake, one page message, teardown. Returns what the load reported.
  bool RunShell() {
    const bool loaded = manager.LoadExtension(kFakeLoader);
    manager.NotifyMainWindowCreated(&g_libraryToken);
    manager.NotifyMainWindowCreated(&g_libraryToken);
    manager.host = &host;
    bridge.HandleWebMessage(R"({"type":"wrapper-init"})");
    bridge.HandleWebMessage(R"({"type":"extension-message","x":1})");
    manager.ReleaseAndUnload(kFakeLoader);
    return loaded;
  }

  FakeLibrary fake;
  RecordingHost host;
  ExtensionManager manager{"/opt/app/", "www/", "/home/u/.local/share/demo",
                           "{ \"name\" : \"demo\" }\n"};
  MessageBridge bridge{host, &manager};
};

TEST_F(ExtensionManagerTest, FullLibraryFollowsTheCallingOrderOfARun) {
  fake.ids = {"camera", "gamepad"};
  EXPECT_TRUE(RunShell());
  EXPECT_THAT(
      fake.events,
      ElementsAre("open /opt/app/", "find Init", "find Release", "find OnMainWindowCreated",
                  "find OnExtensionMessage", "Init /opt/app/|www/|/home/u/.local/share/demo",
                  "path during Init=[]", "OnMainWindowCreated hwnd",
                  R"(Message {"type":"extension-message","x":1})", "Release", "close"));
  EXPECT_THAT(
      host.posted,
      ElementsAre(
          R"({"registeredComponentIds":["camera","gamepad"],"type":"wrapper-init-response"})",
          R"({"from":"init"})"));
  EXPECT_EQ(manager.library, nullptr);
  EXPECT_EQ(manager.onExtensionMessageFn, nullptr);
}

TEST_F(ExtensionManagerTest, LoadReportsSuccessAndCopiesIdsAtOnce) {
  fake.ids = {"camera", "\xc3\xa9t\xc3\xa9"};
  EXPECT_TRUE(manager.LoadExtension(kFakeLoader));
  fake.ids = {"overwritten", "overwritten"};
  EXPECT_THAT(manager.componentIds, ElementsAre("camera", "\xc3\xa9t\xc3\xa9"));
  // The library is handed the manager itself: the interface sits at the start of the object.
  EXPECT_EQ(static_cast<void*>(fake.app), static_cast<void*>(&manager));
  // An empty array is success without ids.
  ExtensionManager empty{"/opt/app/", "www/", "data", "{}"};
  fake.ids.clear();
  EXPECT_TRUE(empty.LoadExtension(kFakeLoader));
  EXPECT_THAT(empty.componentIds, IsEmpty());
}

TEST_F(ExtensionManagerTest, MissingLibraryBindsNothing) {
  fake.present = false;
  EXPECT_FALSE(manager.LoadExtension(kFakeLoader));
  EXPECT_THAT(fake.events, ElementsAre("open /opt/app/"));
  EXPECT_EQ(manager.initFn, nullptr);
  EXPECT_EQ(manager.releaseFn, nullptr);
  manager.NotifyMainWindowCreated(&g_libraryToken);
  manager.DeliverExtensionMessage("{}");
  manager.ReleaseAndUnload(kFakeLoader);
  EXPECT_THAT(fake.events, ElementsAre("open /opt/app/"));  // nothing called, nothing closed
}

TEST_F(ExtensionManagerTest, MissingExportFailsButTheOthersAreStillCalled) {
  fake.exports = {"Init", "Release", "OnMainWindowCreated"};
  fake.ids = {"never-reported"};
  EXPECT_FALSE(RunShell());
  EXPECT_THAT(fake.events, ElementsAre("open /opt/app/", "find Init", "find Release",
                                       "find OnMainWindowCreated", "find OnExtensionMessage",
                                       "OnMainWindowCreated hwnd", "Release", "close"));
  EXPECT_THAT(host.posted,
              ElementsAre(R"({"registeredComponentIds":[],"type":"wrapper-init-response"})"));
}

TEST_F(ExtensionManagerTest, InitReturningNullFailsWithoutIdsButKeepsTheLibrary) {
  fake.initFails = true;
  EXPECT_FALSE(manager.LoadExtension(kFakeLoader));
  EXPECT_THAT(manager.componentIds, IsEmpty());
  EXPECT_NE(manager.library, nullptr);
  manager.DeliverExtensionMessage("{\"type\":\"extension-message\"}");
  manager.ReleaseAndUnload(kFakeLoader);
  EXPECT_THAT(std::vector<std::string>(fake.events.end() - 3, fake.events.end()),
              ElementsAre(R"(Message {"type":"extension-message"})", "Release", "close"));
}

TEST_F(ExtensionManagerTest, UnloadTwiceIsHarmless) {
  manager.LoadExtension(kFakeLoader);
  manager.ReleaseAndUnload(kFakeLoader);
  manager.ReleaseAndUnload(kFakeLoader);
  manager.DeliverExtensionMessage("{}");
  EXPECT_EQ(std::count(fake.events.begin(), fake.events.end(), "Release"), 1);
  EXPECT_EQ(std::count(fake.events.begin(), fake.events.end(), "close"), 1);
}

TEST_F(ExtensionManagerTest, DirectoryPathReadsTheHostMapExactlyAndNullArgumentsAreIgnored) {
  EXPECT_THAT(manager.GetDirectoryPath("<documents>"), StrEq(""));  // no host yet
  ASSERT_NE(manager.GetDirectoryPath(nullptr), nullptr);
  EXPECT_THAT(manager.GetDirectoryPath(nullptr), StrEq(""));
  manager.PostWebMessage(nullptr);
  EXPECT_THAT(manager.pendingMessages, IsEmpty());
  manager.host = &host;
  EXPECT_THAT(manager.GetDirectoryPath("<documents>"), StrEq(""));  // before the handshake
  bridge.HandleWrapperInit();
  EXPECT_THAT(manager.GetDirectoryPath("<documents>"), StrEq("/home/u/Documents"));
  for (const char* other : {"<Documents>", "documents", ""})
    EXPECT_THAT(manager.GetDirectoryPath(other), StrEq(""));
  EXPECT_THAT(manager.GetDirectoryPath(nullptr), StrEq(""));
  host.posted.clear();
  manager.PostWebMessage(nullptr);
  EXPECT_THAT(host.posted, IsEmpty());
}

TEST_F(ExtensionManagerTest, PostsFromAnotherThreadAreHandedToTheShellsThread) {
  manager.host = &host;
  bridge.HandleWrapperInit();
  host.posted.clear();
  std::vector<std::string> handedOver;
  manager.crossThreadPoster = [&](std::string json) { handedOver.push_back(std::move(json)); };
  std::thread([&] { manager.PostWebMessage(R"({"from":"worker"})"); }).join();
  EXPECT_THAT(host.posted, IsEmpty());
  EXPECT_THAT(handedOver, ElementsAre(R"({"from":"worker"})"));
  manager.PostWebMessage(R"({"from":"shell"})");  // the shell's own thread posts at once
  EXPECT_THAT(host.posted, ElementsAre(R"({"from":"shell"})"));
  EXPECT_EQ(handedOver.size(), 1u);
}

// What a C library does: take the first word of the object as the table and call by slot.
TEST_F(ExtensionManagerTest, SlotsAreInInterfaceOrder) {
  using PostSlot = void(CORVANE_EXTENSION_CALL*)(IWrapperApp*, const char*);
  using PathSlot = const char*(CORVANE_EXTENSION_CALL*)(IWrapperApp*, const char*);
  using PackageSlot = const char*(CORVANE_EXTENSION_CALL*)(IWrapperApp*);
  IWrapperApp* app = &manager;
  void* const* table = *reinterpret_cast<void* const* const*>(app);
  manager.host = &host;
  bridge.HandleWrapperInit();
  host.posted.clear();

  reinterpret_cast<PostSlot>(table[0])(app, R"({"slot":0})");
  EXPECT_THAT(host.posted, ElementsAre(R"({"slot":0})"));
  EXPECT_THAT(reinterpret_cast<PathSlot>(table[1])(app, "<documents>"), StrEq("/home/u/Documents"));
  EXPECT_THAT(reinterpret_cast<PackageSlot>(table[2])(app), StrEq("{ \"name\" : \"demo\" }\n"));
}

#if defined(CORVANE_EXAMPLE_EXTENSION_DIR)
// The folder of the sample library as the shell would name it (Wine sees the build tree on Z:).
std::string ExampleFolder() {
  std::string folder = CORVANE_EXAMPLE_EXTENSION_DIR;
#if defined(_WIN32)
  folder = "Z:" + folder;
  for (char& c : folder) c = c == '/' ? '\\' : c;
#endif
  return folder;
}

TEST(ExampleExtension, LoadsThroughThePlatformLoaderAndTalksToThePage) {
  RecordingHost host;
  ExtensionManager manager(ExampleFolder(), "www/", "data", R"({"name":"demo app"})");
  MessageBridge bridge(host, &manager);
  ASSERT_TRUE(manager.LoadExtension());
  EXPECT_NE(manager.library, nullptr);
  EXPECT_THAT(manager.componentIds, ElementsAre("echo", "folders"));
  manager.NotifyMainWindowCreated(nullptr);
  manager.host = &host;

  bridge.HandleWebMessage(
      R"({"type":"extension-message","action":"get-folder","name":"<documents>"})");
  bridge.HandleWebMessage(R"({"type":"wrapper-init"})");
  bridge.HandleWebMessage(
      R"({"type":"extension-message","action":"get-folder","name":"<documents>"})");
  bridge.HandleWebMessage(R"({"type":"extension-message","action":"get-app-name"})");
  bridge.HandleWebMessage(R"({ "type":"extension-message", "note":"h\u00e9" })");
  manager.ReleaseAndUnload();
  EXPECT_EQ(manager.library, nullptr);

  nlohmann::json ready = {{"type", "extension-ready"}, {"appFolder", ExampleFolder()}};
  EXPECT_THAT(
      host.posted,
      ElementsAre(
          R"({"registeredComponentIds":["echo","folders"],"type":"wrapper-init-response"})",
          ready.dump(), R"({"name":"<documents>","path":"","type":"folder"})",
          R"({"name":"<documents>","path":"/home/u/Documents","type":"folder"})",
          R"({"name":"demo app","type":"app-name"})",
          R"({"type":"extension-echo","message":{ "type":"extension-message", "note":"h\u00e9" }})"));
}
#endif

}  // namespace
}  // namespace corvane
