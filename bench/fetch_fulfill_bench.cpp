// Writing the Fetch.fulfillRequest frame for inline answers of 64 KiB and 240 KiB (inline answers
// stop at 256 KiB). BM_FulfillFrame is the host's way: the body's base64 written straight into the
// frame. The baselines build the params with the body in them and dump the message, the JSON
// library reading every character again for escapes: _FormerJsonDump as the host used to (the
// body copied first and encoded a push_back at a time), _JsonDump with today's encoder.

#include <benchmark/benchmark.h>

#include <string>

#include "base/base64.h"
#include "chromium/fetch_fulfill.h"

namespace corvane {
namespace {

std::string FormerBase64(const std::string& bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t size = bytes.size();
  std::string out;
  out.reserve((size + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= size; i += 3) {
    const std::uint32_t n =
        (std::uint32_t(data[i]) << 16) | (std::uint32_t(data[i + 1]) << 8) | data[i + 2];
    out.push_back(kAlphabet[(n >> 18) & 63]);
    out.push_back(kAlphabet[(n >> 12) & 63]);
    out.push_back(kAlphabet[(n >> 6) & 63]);
    out.push_back(kAlphabet[n & 63]);
  }
  if (i < size) {
    std::uint32_t n = std::uint32_t(data[i]) << 16;
    if (i + 1 < size) n |= std::uint32_t(data[i + 1]) << 8;
    out.push_back(kAlphabet[(n >> 18) & 63]);
    out.push_back(kAlphabet[(n >> 12) & 63]);
    out.push_back(i + 1 < size ? kAlphabet[(n >> 6) & 63] : '=');
    out.push_back('=');
  }
  return out;
}

// Sends the answer for a body of state.range(0) bytes through `send` once per iteration.
template <typename Send>
void RunFulfill(benchmark::State& state, const Send& send) {
  std::string body(static_cast<std::size_t>(state.range(0)), '\0');
  std::uint32_t seed = 1;
  for (char& byte : body) byte = char((seed = seed * 1664525 + 1013904223) >> 24);
  ResourceAnswer answer;
  answer.status = 200;
  answer.reason = "OK";
  answer.headers = {"Cache-Control: no-store", "Content-Type: application/octet-stream",
                    "Content-Length: " + std::to_string(body.size())};
  answer.body = ResourceAnswer::BodyKind::Bytes;
  answer.data = reinterpret_cast<const std::uint8_t*>(body.data());
  answer.size = body.size();
  DevToolsClient client([](std::string frame) { benchmark::DoNotOptimize(frame.data()); });
  for (auto _ : state) {
    send(client, answer, body);
    client.FailPending({});  // nothing answers here
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
}

void BM_FulfillFrame(benchmark::State& state) {
  RunFulfill(state, [](DevToolsClient& client, const ResourceAnswer& answer, const std::string&) {
    SendFulfillRequest(client, "interception-job-12.0", answer);
  });
}
BENCHMARK(BM_FulfillFrame)->Arg(64 << 10)->Arg(240 << 10)->Unit(benchmark::kMicrosecond);

void BM_FulfillFrame_FormerJsonDump(benchmark::State& state) {
  RunFulfill(state,
             [](DevToolsClient& client, const ResourceAnswer& answer, const std::string& body) {
               const std::string copy = body;
               nlohmann::json params = FulfillParams("interception-job-12.0", answer);
               params["body"] = FormerBase64(copy);
               client.Send("Fetch.fulfillRequest", std::move(params));
             });
}
BENCHMARK(BM_FulfillFrame_FormerJsonDump)
    ->Arg(64 << 10)
    ->Arg(240 << 10)
    ->Unit(benchmark::kMicrosecond);

void BM_FulfillFrame_JsonDump(benchmark::State& state) {
  RunFulfill(state, [](DevToolsClient& client, const ResourceAnswer& answer,
                       const std::string& body) {
    nlohmann::json params = FulfillParams("interception-job-12.0", answer);
    params["body"] = Base64Encode(reinterpret_cast<const std::uint8_t*>(body.data()), body.size());
    client.Send("Fetch.fulfillRequest", std::move(params));
  });
}
BENCHMARK(BM_FulfillFrame_JsonDump)->Arg(64 << 10)->Arg(240 << 10)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane
