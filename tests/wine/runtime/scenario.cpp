// Reads the scenario file (format at the top of loader_main.cpp).

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/wine/runtime/runtime.h"

namespace corvane::test_runtime {

namespace {

const char* const kStepVerbs[] = {
    "state",          "wait",           "title",        "fullscreen",         "request",
    "request-range",  "navigation",     "new-window",   "permission",         "key",
    "message-string", "message-json",   "close",        "dom-content-loaded", "syscommand",
    "process-failed", "browser-exited", "request-held",
};

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char next = text[++i];
    if (next == 'n')
      out += '\n';
    else if (next == 't')
      out += '\t';
    else if (next == 'r')
      out += '\r';
    else if (next == 's')
      out += ' ';
    else
      out += next;
  }
  return out;
}

HRESULT ParseHr(const std::string& text) {
  return static_cast<HRESULT>(std::strtoul(text.c_str(), nullptr, 0));
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

}  // namespace

Scenario LoadScenario(const std::wstring& path) {
  Scenario scenario;
  bool runtimeGiven = false;
  std::ifstream in(path.c_str(), std::ios::binary);
  if (!in) Log("scenario-error", {{"line", "0"}, {"text", "cannot open " + Utf8(path)}});
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    std::size_t verbEnd = line.find_first_of(" \t", start);
    std::string verb = line.substr(start, verbEnd - start);
    std::string rest;
    if (verbEnd != std::string::npos) {
      std::size_t restStart = line.find_first_not_of(" \t", verbEnd);
      if (restStart != std::string::npos) rest = line.substr(restStart);
    }
    std::vector<std::string> words = Words(rest);
    if (verb == "runtime" && words.size() >= 2) {
      RuntimeInstall install;
      install.nullFolder = words[0] == "-";
      if (!install.nullFolder) install.folder = Wide(Unescape(words[0]));
      install.version = words[1];
      if (words.size() >= 4 && words[2] == "when-exists") {
        // The path may hold spaces: take everything after "when-exists".
        std::size_t at = rest.find("when-exists");
        install.whenExists = Wide(Unescape(rest.substr(rest.find_first_not_of(" \t", at + 11))));
      }
      if (!runtimeGiven) scenario.runtimes.clear();
      runtimeGiven = true;
      scenario.runtimes.push_back(install);
    } else if (verb == "no-runtime") {
      runtimeGiven = true;
      scenario.runtimes.clear();
    } else if (verb == "environment-result" && words.size() == 1) {
      scenario.environmentResult = ParseHr(words[0]);
    } else if (verb == "environment-error" && words.size() == 1) {
      scenario.environmentError = ParseHr(words[0]);
    } else if (verb == "controller-result" && words.size() == 1) {
      scenario.controllerResult = ParseHr(words[0]);
    } else if (verb == "controller-error" && words.size() == 1) {
      scenario.controllerError = ParseHr(words[0]);
    } else if (verb == "navigate-result" && words.size() == 1) {
      scenario.navigateResult = ParseHr(words[0]);
    } else if (verb == "navigation-fails" && words.size() == 1) {
      scenario.navigationFails = true;
      scenario.navigationError =
          static_cast<COREWEBVIEW2_WEB_ERROR_STATUS>(std::atoi(words[0].c_str()));
    } else if (verb == "no-settings3") {
      scenario.settings3 = false;
    } else if (verb == "no-environment14") {
      scenario.environment14 = false;
    } else if (verb == "no-webview23") {
      scenario.webView23 = false;
    } else if (verb == "keep-shell-execute") {
      scenario.interceptShellExecute = false;
    } else if (verb == "timer-scale" && words.size() == 1) {
      scenario.timerDivisor = static_cast<unsigned>(std::strtoul(words[0].c_str(), nullptr, 10));
    } else {
      bool isStep = false;
      for (const char* known : kStepVerbs) isStep = isStep || verb == known;
      if (!isStep) {
        Log("scenario-error", {{"line", std::to_string(number)}, {"text", line}});
        continue;
      }
      scenario.steps.push_back(Step{number, verb, Unescape(rest)});
    }
  }
  if (!runtimeGiven) {
    RuntimeInstall installed;
    installed.version = "137.0.3296.44";
    scenario.runtimes.push_back(installed);
  }
  return scenario;
}

}  // namespace corvane::test_runtime
