#pragma once
// Answers every request under the app's origin: from the asset bundle, else from the loose files
// of the content folder, with a MIME type, no caching and single byte ranges. Platform adapters
// turn the answer into the web view's response (resource_stream_win.cpp on Windows; the
// DevTools Fetch domain on Linux).

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/asset_bundle.h"
#include "content/mapped_file.h"

namespace corvane {

struct ResourceAnswer {
  enum class BodyKind {
    None,       // no body at all
    Bytes,      // `size` bytes at `data`, valid while the bundle or mapping lives
    WholeFile,  // stream the whole disk file at `filePath`
  };

  int status = 0;
  std::string reason;
  std::vector<std::string> headers;  // complete lines without line ends, in order
  BodyKind body = BodyKind::None;
  const std::uint8_t* data = nullptr;
  std::uint64_t size = 0;
  std::string filePath;

  // Header lines joined with "\n", none after the last.
  std::string HeaderBlock() const;
};

}  // namespace corvane
