// Whatever a page can do to the Linux host through its bindings, from any context, with reloads,
// faked browser replies and library posts. Traps when the host writes a protocol message without
// an id and a method, delivers non-JSON to the page, asks for a window size that is not positive,
// or lets a message reach the library from anywhere but the app's main document.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "base/json_parse.h"
#include "bridge/extension_manager.h"
#include "chromium/chromium_host.h"
#include "chromium/page_bridge_script.h"

using namespace corvane;
using nlohmann::json;

namespace {

constexpr char kMain[] = "MAIN";
constexpr char kSession[] = "S";
constexpr char kAppPage[] = "https://corvane.localhost/index.html";
constexpr char kAttach[] = "attach";

struct Library {
  std::vector<std::string> received;
  IWrapperApp* app = nullptr;
  const char* ids[3] = {"one", "two", nullptr};
};
Library* g_library = nullptr;

const char* const* InitLibrary(const char*, const char*, const char*, IWrapperApp* app) {
  g_library->app = app;
  app->PostWebMessage(R"({"from":"init"})");
  return g_library->ids;
}
void LibraryMessage(const char* text) { g_library->received.emplace_back(text); }

ExtensionExport FindExport(void*, const char* name) {
  const std::string wanted = name;
  if (wanted == "Init") return reinterpret_cast<ExtensionExport>(&InitLibrary);
  if (wanted == "Release") return [] {};
  if (wanted == "OnMainWindowCreated") return reinterpret_cast<ExtensionExport>(+[](void*) {});
  if (wanted == "OnExtensionMessage") return reinterpret_cast<ExtensionExport>(&LibraryMessage);
  return nullptr;
}
constexpr ExtensionLibraryLoader kLoader{[](const std::string&) -> void* { return g_library; },
                                         &FindExport, [](void*) {}};

class Platform final : public ChromiumPlatform {
 public:
  void OpenExternally(const std::string&) override {}
  std::optional<std::string> ServeLargeAnswer(const ResourceAnswer&) override { return {}; }
  void Finish(int, const std::string&) override {}
};

json AnyValue(FuzzedDataProvider& input) {
  const int kind = input.ConsumeIntegralInRange(0, 5);
  if (kind == 0) return input.ConsumeBool();
  if (kind == 1) return input.ConsumeIntegral<std::int64_t>();
  if (kind == 2) return input.ConsumeIntegral<std::uint64_t>();
  if (kind == 3) return input.ConsumeFloatingPoint<double>();
  if (kind == 4) return input.ConsumeRandomLengthString(16);
  return nullptr;
}

// One browser and page around a fresh host.
class Page {
 public:
  Page()
      : extensions_("/app/", "www/", "/data/t", "{}"),
        client_([this](std::string framed) { Written(std::move(framed)); }),
        host_(config_, nullptr, &extensions_, client_, platform_,
              ChromiumHostFolders{"/app/", "www/", "/data/t",
                                  [](KnownFolder) { return std::string("/k"); }}) {
    g_library = &library_;
    extensions_.LoadExtension(kLoader);
    host_.HandleEvent({"Target.attachedToTarget",
                       "",
                       {{"sessionId", kSession},
                        {"targetInfo", {{"targetId", kMain}, {"type", "page"}}},
                        {"waitingForDebugger", true}}});
    Navigate(kAppPage);
  }
  ~Page() {
    extensions_.ReleaseAndUnload(kLoader);
    g_library = nullptr;
  }

  // A new document in the main frame: fresh contexts for it, an iframe and an isolated world.
  void Navigate(const std::string& url) {
    // As the browser does, deliveries still under way in the old document fail with it.
    for (const std::int64_t id : std::exchange(deliveries_, {})) {
      client_.Dispatch(json({{"id", id}, {"error", {{"message", "context destroyed"}}}}).dump());
    }
    Event("Runtime.executionContextsCleared", json::object());
    Event("Page.frameNavigated", {{"frame", {{"id", kMain}, {"url", url}}}});
    appDocument_ = url.rfind("https://corvane.localhost/", 0) == 0;
    mainContext_ = nextContext_;
    for (const auto& [frame, isDefault] :
         {std::pair<const char*, bool>{kMain, true}, {"FRAME", true}, {kMain, false}}) {
      Event("Runtime.executionContextCreated",
            {{"context",
              {{"id", nextContext_},
               {"uniqueId", "u" + std::to_string(nextContext_)},
               {"auxData", {{"frameId", frame}, {"isDefault", isDefault}}}}}});
      ++nextContext_;
    }
  }

  // The page calls a binding from context `offset` of the current document (0 is the main
  // frame's own; 1, 2 and 3 are an iframe, an isolated world and a context that does not exist).
  void Call(int offset, const std::string& text, bool close = false) {
    const std::size_t before = library_.received.size();
    Event("Runtime.bindingCalled", {{"name", close ? kControlBindingName : kBridgeBindingName},
                                    {"payload", text},
                                    {"executionContextId", mainContext_ + offset}});
    const bool accepted = offset == 0 && appDocument_;
    if (!accepted && library_.received.size() != before) __builtin_trap();
  }

  void LibraryPosts(const std::string& text) {
    if (library_.app != nullptr) library_.app->PostWebMessage(text.c_str());
  }

  // Answers the oldest command still awaiting a reply with something the fuzzer picks.
  void ReplyToOldest(FuzzedDataProvider& input) {
    if (awaiting_.empty()) return;
    const auto [id, method] = awaiting_.front();
    awaiting_.pop_front();
    json reply = {{"id", id}};
    if (input.ConsumeBool()) {
      reply["error"] = {{"message", "gone"}};
    } else if (method == "Runtime.addBinding" || method == kAttach) {
      reply["result"] = json::object();
    } else if (method == "Browser.getWindowForTarget") {
      static constexpr const char* kStates[] = {"normal", "fullscreen", "maximized", "minimized"};
      reply["result"] = {
          {"windowId", input.ConsumeIntegral<std::int32_t>()},
          {"bounds", {{"windowState", kStates[input.ConsumeIntegralInRange(0, 3)]}}}};
    } else {
      // The page's own measurement: it can redefine outerWidth and innerWidth to anything.
      reply["result"] = {{"result", {{"value", {AnyValue(input), AnyValue(input)}}}}};
    }
    client_.Dispatch(reply.dump(-1, ' ', false, json::error_handler_t::replace));
  }

 private:
  void Event(const char* method, json params) {
    host_.HandleEvent({method, kSession, std::move(params)});
  }

  void Written(std::string framed) {
    if (framed.empty() || framed.back() != '\0') __builtin_trap();
    framed.pop_back();
    json message = json::parse(framed, nullptr, false);  // not const: a missing member reads null
    if (!message.is_object() || !message["id"].is_number_integer() ||
        !message["method"].is_string()) {
      __builtin_trap();
    }
    const std::string method = message["method"];
    json& params = message["params"];
    if (method == "Browser.getWindowForTarget" || method == "Runtime.addBinding" ||
        (method == "Runtime.evaluate" && params.contains("returnByValue"))) {
      awaiting_.emplace_back(message["id"].get<std::int64_t>(), method);
    } else if (method == "Runtime.evaluate" && params["expression"] == AttachExpression()) {
      if (!params["uniqueContextId"].is_string()) __builtin_trap();
      awaiting_.emplace_back(message["id"].get<std::int64_t>(), kAttach);
    } else if (method == "Runtime.evaluate") {
      // globalThis.<delivery>("<json text>", <number>, "<run>")
      const std::string expression = params["expression"];
      const std::size_t open = expression.find('(');
      if (open == std::string::npos || expression.back() != ')') __builtin_trap();
      const json arguments = json::parse(
          "[" + expression.substr(open + 1, expression.size() - open - 2) + "]", nullptr, false);
      if (!arguments.is_array() || arguments.size() != 3 || !arguments[0].is_string() ||
          !arguments[1].is_number_unsigned()) {
        __builtin_trap();
      }
      // The page's JSON.parse also takes a lone surrogate escape, which our parser refuses.
      std::string text = arguments[0].get<std::string>();
      json value = json::parse(text, nullptr, false);
      if (value.is_discarded() && ReplaceLoneSurrogateEscapes(text)) {
        value = json::parse(text, nullptr, false);
      }
      if (value.is_discarded()) __builtin_trap();
      deliveries_.push_back(message["id"].get<std::int64_t>());
    } else if (method == "Browser.setWindowBounds") {
      json& bounds = params["bounds"];
      if ((bounds.contains("width") && bounds["width"].get<std::int64_t>() <= 0) ||
          (bounds.contains("height") && bounds["height"].get<std::int64_t>() <= 0)) {
        __builtin_trap();
      }
    }
  }

  Library library_;
  Platform platform_;
  const AppConfig config_{.name = "t", .width = 800, .height = 600};
  ExtensionManager extensions_;
  DevToolsClient client_;
  ChromiumHost host_;
  std::deque<std::pair<std::int64_t, std::string>> awaiting_;
  std::vector<std::int64_t> deliveries_;  // page deliveries the browser has not answered yet
  std::int64_t nextContext_ = 1;
  std::int64_t mainContext_ = 1;
  bool appDocument_ = false;
};

// A message of a known type with fuzzed members, so the bridge's deeper paths are reached often.
std::string Command(FuzzedDataProvider& input) {
  static constexpr const char* kTypes[] = {"wrapper-init", "set-fullscreen", "set-window-size",
                                           "set-window-position", "extension-message"};
  static constexpr const char* kMembers[] = {"fullscreen", "windowWidth", "windowHeight",
                                             "windowX",    "windowY",     "type"};
  json message = {{"type", kTypes[input.ConsumeIntegralInRange(0, 4)]}};
  for (int i = input.ConsumeIntegralInRange(0, 3); i > 0; --i) {
    const char* member = kMembers[input.ConsumeIntegralInRange(0, 5)];
    message[member] = AnyValue(input);
  }
  return message.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  Page page;
  for (int steps = 0; input.remaining_bytes() > 0 && steps < 64; ++steps) {
    const int action = input.ConsumeIntegralInRange(0, 6);
    if (action == 3) {
      page.ReplyToOldest(input);
    } else if (action == 4) {
      page.Navigate(input.ConsumeBool() ? kAppPage : input.ConsumeRandomLengthString(64));
    } else if (action == 5) {
      page.LibraryPosts(input.ConsumeRandomLengthString(128));
    } else {
      // A binding call from context 0-3: text, a known command, or a close request.
      const int offset = input.ConsumeIntegralInRange(0, 3);
      if (action == 6) {
        page.Call(offset, "", /*close=*/true);
      } else {
        page.Call(offset, action == 0 ? input.ConsumeRandomLengthString(256) : Command(input));
      }
    }
  }
  return 0;
}
