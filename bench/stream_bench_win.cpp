// Serving bundle entries on Windows in constant memory: the time to answer a 64 KiB and a 1 GiB
// entry (the responder's answer and the body stream the shell hands the runtime), and the
// process's private memory while the 1 GiB body is read to its end, each beside the former copy
// into a memory stream (SHCreateMemStream). Wine reports no private memory from inside a program,
// so it is measured from outside: at each point the program prints "measure <label>" and waits for
// a line on stdin. bench/stream_bench.py drives it and reports the figures.
//
// Usage: streambench.exe BUNDLE   (the bundle is written first when the file does not exist)

#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/com_ref_win.h"
#include "content/asset_bundle.h"
#include "content/bundle_writer.h"
#include "content/mapped_file.h"
#include "content/resource_responder.h"
#include "content/view_stream_win.h"

namespace corvane {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kSmallSize = 64 << 10;
constexpr std::uint64_t kLargeSize = std::uint64_t(1) << 30;
constexpr std::size_t kPiece = 1 << 20;
constexpr int kTimedAnswers = 201;
constexpr int kTimedCopies = 5;  // each copies the body: few for the large one

std::uint8_t PatternByte(std::uint64_t i) { return std::uint8_t(i * 131 + (i >> 20)); }

// small.bin (64 KiB) then large.bin (1 GiB), with bytes no page of zeros could stand in for.
bool WriteBundle(const std::string& path) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  try {
    BundleStreamWriter writer(out, kSmallSize + kLargeSize);
    std::vector<std::uint8_t> piece(kPiece);
    for (std::uint64_t at = 0, size = 0; at < kSmallSize + kLargeSize; at += size) {
      size = std::size_t(std::min<std::uint64_t>(
          piece.size(), at < kSmallSize ? kSmallSize - at : kSmallSize + kLargeSize - at));
      const std::uint64_t base = at < kSmallSize ? at : at - kSmallSize;
      for (std::size_t i = 0; i < size; ++i) piece[i] = PatternByte(base + i);
      writer.AppendBlob(piece.data(), size);
    }
    writer.Finish({{"small.bin", 0, kSmallSize, 0}, {"large.bin", kSmallSize, kLargeSize, 0}});
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), error.what());
    std::fclose(out);
    return false;
  }
  return std::fclose(out) == 0;
}

// Lets the driver read the process's memory now.
void Measure(const char* label) {
  std::printf("measure %s\n", label);
  std::fflush(stdout);
  char line[16];
  if (!std::fgets(line, sizeof line, stdin)) std::exit(3);
}

// How the shell hands a body over now, and how it did before.
ComRef<IStream> ViewBody(const ResourceAnswer& answer) {
  return CreateViewStream(answer.data, answer.size, answer.dataOwner);
}
ComRef<IStream> CopiedBody(const ResourceAnswer& answer) {
  return ComRef<IStream>::Adopt(SHCreateMemStream(answer.data, UINT(answer.size)));
}

// Median nanoseconds to answer `path` and make its body stream.
template <class MakeBody>
double AnswerTime(ResourceResponder& responder, const char* path, int runs, MakeBody makeBody) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const Clock::time_point start = Clock::now();
    const ResourceAnswer answer = responder.Answer(path, std::nullopt);
    const ComRef<IStream> body = makeBody(answer);
    const Clock::time_point end = Clock::now();
    if (!body) std::exit(4);
    times.push_back(std::chrono::duration<double, std::nano>(end - start).count());
  }
  std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
  return times[runs / 2];
}

// Reads the body to its end in 64 KiB pieces, as the runtime does; false when a byte is wrong.
bool ReadAndCheck(IStream* body, std::uint64_t size, double& seconds) {
  std::vector<std::uint8_t> buffer(64 << 10);
  std::uint64_t at = 0;
  bool right = true;
  const Clock::time_point start = Clock::now();
  ULONG got = 0;
  while (SUCCEEDED(body->Read(buffer.data(), ULONG(buffer.size()), &got)) && got > 0) {
    // Checking every byte would time the check; one per 4 KiB page still reads every page.
    for (ULONG i = 0; i < got; i += 4096) right = right && buffer[i] == PatternByte(at + i);
    at += got;
  }
  seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return right && at == size;
}

int Run(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES && !WriteBundle(path)) return 2;
  const SharedMapping mapping = MapWholeFileShared(path);
  if (!mapping) return 2;
  AssetBundle bundle = AssetBundle::OverMemory(mapping->view, mapping->length);
  bundle.Parse();
  // As the shell makes it: no copy limit, the mapping shared with every answer.
  ResourceResponder responder(bundle, "www\\", '\\', ~std::uint64_t(0), mapping);

  std::printf("answer-ns small view %.0f\n",
              AnswerTime(responder, "small.bin", kTimedAnswers, ViewBody));
  std::printf("answer-ns large view %.0f\n",
              AnswerTime(responder, "large.bin", kTimedAnswers, ViewBody));
  std::printf("answer-ns small copy %.0f\n",
              AnswerTime(responder, "small.bin", kTimedAnswers, CopiedBody));
  std::printf("answer-ns large copy %.0f\n",
              AnswerTime(responder, "large.bin", kTimedCopies, CopiedBody));

  using MakeBody = ComRef<IStream> (*)(const ResourceAnswer&);
  const std::pair<const char*, MakeBody> ways[] = {{"view", ViewBody}, {"copy", CopiedBody}};
  for (const auto& [label, makeBody] : ways) {
    Measure((std::string(label) + "-before").c_str());
    ComRef<IStream> body = makeBody(responder.Answer("large.bin", std::nullopt));
    double seconds = 0;
    if (!body || !ReadAndCheck(body.get(), kLargeSize, seconds)) return 5;
    std::printf("read-mbps %s %.0f\n", label, double(kLargeSize) / seconds / 1e6);
    Measure((std::string(label) + "-read").c_str());  // the body is still held
  }
  return 0;
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: streambench.exe BUNDLE\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // as the shell's UI thread
  const int result = corvane::Run(argv[1]);
  std::fflush(stdout);
  CoUninitialize();
  return result;
}
