// The demo's extension library. It echoes {"action":"echo"} messages back to the page with the
// time it took them, and prints {"action":"log"} messages on standard output, which is how a run
// without a display tells the terminal what the page did.

#include <chrono>
#include <cstdio>
#include <string>

#include <nlohmann/json.hpp>

#include "bridge/wrapper_app.h"

#define DEMO_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

corvane::IWrapperApp* g_app = nullptr;
const char* const kComponentIds[] = {"demo-echo", "demo-log", nullptr};

void Post(const nlohmann::json& message) {
  if (g_app != nullptr) {
    g_app->PostWebMessage(
        message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
  }
}

}  // namespace

DEMO_EXPORT const char* const* Init(const char*, const char*, const char*,
                                    corvane::IWrapperApp* app) {
  g_app = app;
  // Held by the shell until the page's handshake has been answered.
  Post({{"type", "demo-hello"}, {"text", "The demo extension is loaded."}});
  return kComponentIds;
}

DEMO_EXPORT void OnMainWindowCreated(void*) {}

DEMO_EXPORT void OnExtensionMessage(const char* text) {
  try {
    const nlohmann::json message = nlohmann::json::parse(text);
    const std::string action = message.value("action", "");
    if (action == "echo") {
      const auto now = std::chrono::system_clock::now().time_since_epoch();
      Post({{"type", "demo-echo"},
            {"text", message.value("text", "")},
            {"nativeMillis", std::chrono::duration_cast<std::chrono::milliseconds>(now).count()}});
    } else if (action == "log") {
      std::printf("[demo] %s\n", message.value("text", "").c_str());
      std::fflush(stdout);
    }
  } catch (...) {
  }
}

DEMO_EXPORT void Release() { g_app = nullptr; }
