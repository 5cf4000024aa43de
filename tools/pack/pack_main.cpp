// corvane-pack: makes, lists, extracts and checks asset bundles (assets.dat).
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "tools/pack/pack_commands.h"
#include "tools/pack/pack_io.h"

#ifdef _WIN32
#include "base/text_win.h"
#endif

namespace corvane::pack {
namespace {

constexpr const char* kUsage =
    "usage: corvane-pack create FOLDER -o BUNDLE   pack every file under FOLDER\n"
    "       corvane-pack list BUNDLE [--json]      show path, size and offset of each entry\n"
    "       corvane-pack extract BUNDLE FOLDER     write every entry below FOLDER\n"
    "       corvane-pack verify BUNDLE             check that the shell can read BUNDLE\n"
    "       corvane-pack config PACKAGE_JSON       check it as the shell does, print its "
    "settings\n";

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "corvane-pack: %s\n%s", Printable(problem).c_str(), kUsage);
  return 2;
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return UsageError("no command given");
  const std::string& command = args[0];
  if (command == "-h" || command == "--help" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command == "create") {
    std::string folder;
    std::string output;
    for (std::size_t i = 1; i < args.size(); ++i) {
      if (args[i] == "-o" || args[i] == "--output") {
        if (i + 1 == args.size()) return UsageError(args[i] + " needs a file name");
        output = args[++i];
      } else if (folder.empty()) {
        folder = args[i];
      } else {
        return UsageError("unexpected argument: " + args[i]);
      }
    }
    if (folder.empty()) return UsageError("create needs a FOLDER");
    if (output.empty()) return UsageError("create needs -o BUNDLE");
    return CreateBundle(folder, output);
  }
  if (command == "list") {
    if (args.size() == 2) return ListBundle(args[1], false);
    if (args.size() == 3 && (args[1] == "--json" || args[2] == "--json")) {
      return ListBundle(args[1] == "--json" ? args[2] : args[1], true);
    }
    return UsageError("list needs one BUNDLE and optionally --json");
  }
  if (command == "extract") {
    if (args.size() != 3) return UsageError("extract needs a BUNDLE and a FOLDER");
    return ExtractBundle(args[1], args[2]);
  }
  if (command == "verify") {
    if (args.size() != 2) return UsageError("verify needs one BUNDLE");
    return VerifyBundle(args[1]);
  }
  if (command == "config") {
    if (args.size() != 2) return UsageError("config needs one PACKAGE_JSON");
    return CheckConfig(args[1]);
  }
  return UsageError("unknown command: " + command);
}

// Every failure ends here as one line and exit code 1; nothing escapes as a crash.
int RunGuarded(const std::vector<std::string>& args) {
  UseBinaryConsole();
  try {
    const int code = Run(args);
    // A listing cut short (a full disk, a closed pipe) is no success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
      throw PackError("writing the output failed");
    return code;
  } catch (const PackError& error) {
    std::fprintf(stderr, "corvane-pack: %s\n", error.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "corvane-pack: out of memory\n");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "corvane-pack: %s\n", Printable(error.what()).c_str());
  } catch (...) {
    std::fprintf(stderr, "corvane-pack: unexpected failure\n");
  }
  return 1;
}

}  // namespace
}  // namespace corvane::pack

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(corvane::ToUtf8(argv[i]));
  return corvane::pack::RunGuarded(args);
}
#else
int main(int argc, char** argv) {
  return corvane::pack::RunGuarded(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
