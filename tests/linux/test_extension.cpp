// Extension library of the end-to-end tests: appends every extension message it receives, one
// per line, to the file named by CORVANE_TEST_LOG, and answers {"action":"echo"} messages. It
// posts one message from Init, before the page can have shaken hands, to show such messages wait.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bridge/wrapper_app.h"

#define TEST_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

corvane::IWrapperApp* g_app = nullptr;
const char* const kComponentIds[] = {"test-log", "echo", nullptr};

void Log(const std::string& line) {
  const char* path = std::getenv("CORVANE_TEST_LOG");
  if (path == nullptr) return;
  if (std::FILE* file = std::fopen(path, "a")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

}  // namespace

TEST_EXPORT const char* const* Init(const char*, const char*, const char* userDataFolder,
                                    corvane::IWrapperApp* app) {
  g_app = app;
  Log(std::string("init ") + userDataFolder);
  app->PostWebMessage(R"({"type":"early","order":1})");
  return kComponentIds;
}

TEST_EXPORT void OnMainWindowCreated(void* window) {
  Log(window == nullptr ? "window null" : "window set");
}

TEST_EXPORT void OnExtensionMessage(const char* text) {
  const std::string message = text;
  Log("message " + message);
  if (message.find("\"action\":\"echo\"") != std::string::npos && g_app != nullptr) {
    g_app->PostWebMessage((R"({"type":"echo","message":)" + message + "}").c_str());
  }
  if (message.find("\"action\":\"documents\"") != std::string::npos && g_app != nullptr) {
    Log(std::string("documents ") + g_app->GetDirectoryPath("<documents>"));
  }
}

TEST_EXPORT void Release() {
  Log("release");
  g_app = nullptr;
}
