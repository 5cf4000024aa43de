#pragma once
// Decides where each file's bytes go in the blob: files with identical contents share one copy.

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/pack/pack_scan.h"

namespace corvane::pack {

struct BlobLayout {
  std::vector<std::uint64_t> offsetOf;  // per source file, into the blob
  std::vector<std::size_t> stored;      // indexes of the files whose bytes are written, in order
  std::uint64_t blobSize = 0;
};

// Reads only files that share their size with another, fingerprints them (XXH3 128-bit on Linux)
// and compares candidates byte for byte, so only truly identical files are merged; each file
// shares the bytes of the first identical one. `progress` is told after each file. Throws
// PackError.
BlobLayout PlanBlob(const std::vector<SourceFile>& files,
                    const std::function<void(std::size_t filesDone)>& progress);

}  // namespace corvane::pack
