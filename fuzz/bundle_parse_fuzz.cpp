// Parses arbitrary bytes as an asset bundle in both read modes. Both must end the same way with
// the same entries, and every entry that parsing accepted must lie inside the input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <stdexcept>
#include <string>

#include "content/asset_bundle.h"

namespace {

std::string Outcome(corvane::AssetBundle& bundle) {
  try {
    bundle.Parse();
    return "ok";
  } catch (const std::runtime_error& error) {
    return error.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size heap copy lets the address sanitizer catch any read behind the end.
  auto* copy = static_cast<std::uint8_t*>(std::malloc(size == 0 ? 1 : size));
  if (size != 0) std::memcpy(copy, data, size);

  corvane::AssetBundle memory = corvane::AssetBundle::OverMemory(copy, size);
  const std::string memoryOutcome = Outcome(memory);
  volatile std::uint8_t sink = 0;
  for (const auto& [path, entry] : memory.files) {
    if (memory.blobOffset + entry.offset + entry.size > size) std::abort();
    if (entry.size != 0) {
      sink = sink + *memory.DataPointer(entry.offset) +
             *memory.DataPointer(entry.offset + entry.size - 1);
    }
    if (memory.Find(path) != &entry) std::abort();
  }

  // A real file, since a memory stream refuses seeks past its end that a disk file allows.
  static std::FILE* stream = std::tmpfile();
  if (stream == nullptr || ftruncate(fileno(stream), 0) != 0) std::abort();
  std::rewind(stream);
  if (std::fwrite(copy, 1, size, stream) != size || std::fflush(stream) != 0) std::abort();
  std::rewind(stream);
  corvane::AssetBundle streamed = corvane::AssetBundle::OverStream(stream, size);
  const std::string streamOutcome = Outcome(streamed);
  if (streamOutcome != memoryOutcome || streamed.files.size() != memory.files.size() ||
      streamed.blobOffset != memory.blobOffset || streamed.blobSize != memory.blobSize) {
    std::abort();
  }
  // Views into the input and owned copies must name the same entries in the same order.
  auto next = streamed.files.begin();
  for (const auto& [path, entry] : memory.files) {
    const auto& [streamedPath, streamedEntry] = *next++;
    if (streamedPath != path || streamedEntry.offset != entry.offset ||
        streamedEntry.size != entry.size || streamedEntry.extra != entry.extra) {
      std::abort();
    }
  }
  std::free(copy);
  return 0;
}
