// Random request tails and Range values through the responder, over a bundle and a content folder
// with secrets beside and above it. Traps on a 200/206 from a disk path outside the content folder,
// a body that disagrees with its Content-Length, and a status or body the responder never gives.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "content/bundle_writer.h"
#include "content/resource_responder.h"
#include "content/url_decode.h"

namespace fs = std::filesystem;
using namespace corvane;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Plain storage, so the folder can still be removed at exit after static objects are gone.
char g_scratchFolder[] = "/tmp/corvane-responder-fuzz-XXXXXX";

void RemoveScratchFolder() {
  std::error_code ignored;
  fs::remove_all(g_scratchFolder, ignored);
}

struct Fixture {
  fs::path root;
  fs::path www;
  std::string bundleBytes;
  AssetBundle bundle;
  ResourceResponder* responder = nullptr;

  Fixture() {
    if (mkdtemp(g_scratchFolder) == nullptr) std::abort();
    std::atexit(RemoveScratchFolder);
    root = g_scratchFolder;
    www = root / "app" / "www";
    fs::create_directories(www / "sub" / "deeper");
    WriteFile(root / "secret.txt", "ROOT SECRET");
    WriteFile(root / "app" / "package.json", "{\"secret\":1}");
    WriteFile(www / "a.txt", "0123456789");
    WriteFile(www / "sub" / "b.bin", std::string(5000, 'b'));
    WriteFile(www / "sub" / "deeper" / "c.js", "let c;");
    WriteFile(www / "caf\xC3\xA9 x.css", "body{}");
    bundleBytes = BuildBundle({{"index.html", "<html>"},
                               {"data.bin", std::string(300, 'd')},
                               {"empty.bin", ""},
                               {"", "root"},
                               {"../secret.txt", "bundle keys are exact"}});
    bundle = AssetBundle::OverMemory(bundleBytes.data(), bundleBytes.size());
    bundle.Parse();
    responder = new ResourceResponder(bundle, www.string() + "/", '/');
    // Left in place on purpose: libFuzzer ends the process without running destructors.
  }

  bool InsideContentFolder(const std::string& diskPath) const {
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(diskPath, error);
    if (error) return false;
    const std::string folder = fs::canonical(www).string() + "/";
    const std::string path = resolved.string() + (fs::is_directory(resolved) ? "/" : "");
    return path.compare(0, folder.size(), folder) == 0;
  }
};

std::uint64_t ContentLength(const ResourceAnswer& answer) {
  for (const std::string& line : answer.headers) {
    if (line.rfind("Content-Length: ", 0) == 0) return std::stoull(line.substr(16));
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Fixture fixture;
  FuzzedDataProvider input(data, size);
  const std::string tail = input.ConsumeRandomLengthString(4096);
  const bool hasRange = input.ConsumeBool();
  const std::string range = input.ConsumeRemainingBytesAsString();

  const ResourceAnswer answer = fixture.responder->AnswerUriTail(
      tail, hasRange ? std::optional<std::string_view>(range) : std::nullopt);

  // Every byte of a body must be readable (the sanitizer watches the bundle's memory).
  volatile std::uint8_t sink = 0;
  if (answer.body == ResourceAnswer::BodyKind::Bytes) {
    for (std::uint64_t i = 0; i < answer.size; ++i) sink = sink ^ answer.data[i];
  }

  if (answer.status == 200 || answer.status == 206) {
    const std::string decoded = PercentDecodePath(tail.substr(0, tail.find('?')));
    if (!fixture.bundle.Find(decoded) &&
        !fixture.InsideContentFolder(fixture.responder->DiskPathFor(decoded))) {
      __builtin_trap();
    }
    if (answer.body == ResourceAnswer::BodyKind::Bytes && answer.size != ContentLength(answer)) {
      __builtin_trap();
    }
  } else if (answer.status == 404) {
    if (answer.size != 14) __builtin_trap();
  } else if (answer.status == 416 || answer.status == 500) {
    if (answer.body != ResourceAnswer::BodyKind::None) __builtin_trap();
  } else {
    __builtin_trap();
  }
  return 0;
}
