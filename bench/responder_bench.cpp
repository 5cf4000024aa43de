// Throughput of the resource responder next to a plain memcpy of the same bytes in the same run:
// whole bundle entries (copied into an owned buffer, as a host that hands on a copy does), 1 MiB
// ranges of a large mapped disk file, and 404s. `vs_memcpy` is the answer rate in bytes over the
// memcpy rate, so 1.0 means the responder costs nothing beyond the copy itself.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "content/bundle_writer.h"
#include "content/resource_responder.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kMiB = 1 << 20;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// Bytes per second of memcpy from each source in turn into one reused buffer, for ~0.2 s.
double MemcpyRate(const std::vector<const std::uint8_t*>& sources, std::size_t size) {
  std::vector<std::uint8_t> destination(size);
  std::uint64_t copies = 0;
  const Clock::time_point start = Clock::now();
  Clock::duration elapsed{};
  while (elapsed < std::chrono::milliseconds(200)) {
    for (int i = 0; i < 16; ++i) {
      std::memcpy(destination.data(), sources[copies % sources.size()], size);
      benchmark::DoNotOptimize(destination.data());
      benchmark::ClobberMemory();
      ++copies;
    }
    elapsed = Clock::now() - start;
  }
  return double(copies) * double(size) / Seconds(elapsed);
}

// Copies the body into memory the caller owns, as the former Windows memory stream did.
std::uint64_t CopyBody(const ResourceAnswer& answer) {
  std::unique_ptr<std::uint8_t[]> owned(new std::uint8_t[answer.size]);
  std::memcpy(owned.get(), answer.data, answer.size);
  benchmark::DoNotOptimize(owned.get());
  return answer.size;
}

void Report(benchmark::State& state, std::uint64_t bytes, Clock::duration elapsed,
            double memcpyBytesPerSecond) {
  const double seconds = Seconds(elapsed);
  const double bytesPerSecond = double(bytes) / seconds;
  state.counters["answers/s"] = double(state.iterations()) / seconds;
  state.counters["MB/s"] = bytesPerSecond / 1e6;
  state.counters["memcpy_MB/s"] = memcpyBytesPerSecond / 1e6;
  state.counters["vs_memcpy"] = bytesPerSecond / memcpyBytesPerSecond;
}

struct ScratchFolder {
  fs::path path =
      fs::temp_directory_path() /
      ("corvane-responder-bench-" + std::to_string(Clock::now().time_since_epoch().count()));
  ScratchFolder() { fs::create_directories(path / "www"); }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  std::string ContentRoot() const { return (path / "www").string() + "/"; }
};

ScratchFolder& Scratch() {
  static ScratchFolder folder;
  return folder;
}

void BM_WholeBundleEntry(benchmark::State& state) {
  const std::size_t size = std::size_t(state.range(0));
  const std::string bundleBytes = BuildBundle({{"media/clip.webm", std::string(size, 'x')}});
  AssetBundle bundle = AssetBundle::OverMemory(bundleBytes.data(), bundleBytes.size());
  bundle.Parse();
  ResourceResponder responder(bundle, Scratch().ContentRoot(), '/');
  const double memcpyRate =
      MemcpyRate({bundle.DataPointer(bundle.Find("media/clip.webm")->offset)}, size);

  std::uint64_t bytes = 0;
  const Clock::time_point start = Clock::now();
  for (auto _ : state) {
    const ResourceAnswer answer = responder.AnswerUriTail("media/clip.webm", std::nullopt);
    bytes += CopyBody(answer);
  }
  Report(state, bytes, Clock::now() - start, memcpyRate);
}
BENCHMARK(BM_WholeBundleEntry)->Arg(64 << 10)->Arg(8 << 20)->Unit(benchmark::kMicrosecond);

void BM_DiskFileRanges(benchmark::State& state) {
  constexpr std::uint64_t kFileSize = 256 * kMiB;
  static const bool written = [] {
    std::ofstream out(Scratch().path / "www" / "movie.mp4", std::ios::binary);
    std::string chunk(kMiB, '\0');
    for (std::uint64_t i = 0; i < kFileSize / kMiB; ++i) {
      std::memset(chunk.data(), int('a' + i % 26), chunk.size());
      out.write(chunk.data(), std::streamsize(chunk.size()));
    }
    return true;
  }();
  benchmark::DoNotOptimize(written);

  const std::string bundleBytes = BuildBundle({});
  AssetBundle bundle = AssetBundle::OverMemory(bundleBytes.data(), bundleBytes.size());
  bundle.Parse();
  ResourceResponder responder(bundle, Scratch().ContentRoot(), '/');
  std::vector<std::string> ranges;
  for (std::uint64_t first = 0; first < kFileSize; first += kMiB) {
    ranges.push_back("bytes=" + std::to_string(first) + "-" + std::to_string(first + kMiB - 1));
  }
  const SharedMapping mapped =
      responder.MapDiskFile("movie.mp4", Scratch().ContentRoot() + "movie.mp4", kFileSize);
  if (!mapped) {
    state.SkipWithError("cannot map the disk file");
    return;
  }
  std::vector<const std::uint8_t*> sources;
  for (std::uint64_t first = 0; first < kFileSize; first += kMiB)
    sources.push_back(mapped->view + first);
  const double memcpyRate = MemcpyRate(sources, kMiB);

  std::uint64_t bytes = 0;
  std::size_t next = 0;
  const Clock::time_point start = Clock::now();
  for (auto _ : state) {
    const ResourceAnswer answer = responder.AnswerUriTail("movie.mp4", ranges[next]);
    next = (next + 1) % ranges.size();
    bytes += CopyBody(answer);
  }
  Report(state, bytes, Clock::now() - start, memcpyRate);
}
BENCHMARK(BM_DiskFileRanges)->Unit(benchmark::kMicrosecond);

void BM_NotFound(benchmark::State& state) {
  const std::string bundleBytes = BuildBundle({{"index.html", "<html>"}});
  AssetBundle bundle = AssetBundle::OverMemory(bundleBytes.data(), bundleBytes.size());
  bundle.Parse();
  ResourceResponder responder(bundle, Scratch().ContentRoot(), '/');
  const ResourceAnswer sample = responder.AnswerUriTail("scripts/missing.js", std::nullopt);
  const double memcpyRate = MemcpyRate({sample.data}, std::size_t(sample.size));

  std::uint64_t bytes = 0;
  const Clock::time_point start = Clock::now();
  for (auto _ : state) {
    const ResourceAnswer answer = responder.AnswerUriTail("scripts/missing.js", std::nullopt);
    bytes += CopyBody(answer);
  }
  Report(state, bytes, Clock::now() - start, memcpyRate);
}
BENCHMARK(BM_NotFound)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane
