// The end-to-end tests' extension library: logs each message to $CORVANE_TEST_LOG (one over 1 MiB
// by size and start), answers "echo", posts 100 from a thread for "thread-echo", and logs its
// /proc status for "memory".

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "bridge/wrapper_app.h"

#define TEST_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

corvane::IWrapperApp* g_app = nullptr;
std::thread g_poster;
const char* const kComponentIds[] = {"test-log", "echo", nullptr};

void Log(const std::string& line) {
  const char* path = std::getenv("CORVANE_TEST_LOG");
  if (path == nullptr) return;
  std::ofstream(path, std::ios::app) << line << '\n';
}

bool Asks(const std::string& message, const char* action) {
  return message.find(std::string("\"action\":\"") + action + "\"") != std::string::npos;
}

}  // namespace

TEST_EXPORT const char* const* Init(const char*, const char*, const char*,
                                    corvane::IWrapperApp* app) {
  g_app = app;
  Log("init");
  return kComponentIds;
}

TEST_EXPORT void OnMainWindowCreated(void* window) {
  Log(window == nullptr ? "window null" : "window set");
}

TEST_EXPORT void OnExtensionMessage(const char* text) {
  // A large message is not copied: the peak it reports is the shell's alone.
  const std::size_t length = std::strlen(text);
  if (length > (1u << 20)) {
    Log("large " + std::to_string(length) + " " + std::string(text, 48));
    return;
  }
  const std::string message = text;
  Log("message " + message);
  if (Asks(message, "echo")) {
    g_app->PostWebMessage((R"({"type":"echo","message":)" + message + "}").c_str());
  } else if (Asks(message, "memory")) {
    std::ifstream status("/proc/self/status");  // with the peak resident size, VmHWM
    Log(std::string(std::istreambuf_iterator<char>(status), {}));
  } else if (Asks(message, "thread-echo") && !g_poster.joinable()) {
    g_poster = std::thread([] {
      for (int i = 0; i < 100; ++i) {
        g_app->PostWebMessage(
            ("{\"type\":\"thread-echo\",\"i\":" + std::to_string(i) + "}").c_str());
      }
    });
  }
}

TEST_EXPORT void Release() {
  if (g_poster.joinable()) g_poster.join();
  Log("release");
  g_app = nullptr;
}
