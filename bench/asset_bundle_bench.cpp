// Parsing a bundle of 100,000 entries and looking entries up, reported per entry. The
// *OwnedMap benchmarks measure, on the same entries, the table the reader used to build: a
// std::map of owned path strings.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "content/asset_bundle.h"
#include "content/bundle_writer.h"

namespace {

constexpr int kEntries = 100000;

std::string EntryPath(int i) {
  char path[64];
  std::snprintf(path, sizeof path, "assets/group%03d/file%06d.js", i % 500, i);
  return path;
}

const std::string& LargeBundle() {
  static const std::string bytes = [] {
    std::vector<corvane::BundleFile> files;
    files.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i) {
      files.push_back({EntryPath(i), "export const value = " + std::to_string(i) + ";\n"});
    }
    return corvane::BuildBundle(files);
  }();
  return bytes;
}

void BM_ParseBundle(benchmark::State& state) {
  const std::string& bytes = LargeBundle();
  for (auto _ : state) {
    corvane::AssetBundle bundle = corvane::AssetBundle::OverMemory(bytes.data(), bytes.size());
    bundle.Parse();
    benchmark::DoNotOptimize(bundle.files.size());
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
  state.counters["entries"] = kEntries;
  // Seconds per entry (shown with an SI prefix, e.g. 600n).
  state.counters["time_per_entry"] = benchmark::Counter(
      kEntries, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["bundle_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ParseBundle)->Unit(benchmark::kMillisecond);

using OwnedMap = std::map<std::string, corvane::FileEntry>;

OwnedMap OwnedMapOf(const corvane::AssetBundle& bundle) {
  OwnedMap files;
  for (const auto& [path, entry] : bundle.files) files.emplace_hint(files.end(), path, entry);
  return files;
}

void BM_ParseBundle_OwnedMap(benchmark::State& state) {
  const std::string& bytes = LargeBundle();
  corvane::AssetBundle bundle = corvane::AssetBundle::OverMemory(bytes.data(), bytes.size());
  bundle.Parse();
  for (auto _ : state) {
    OwnedMap files = OwnedMapOf(bundle);
    benchmark::DoNotOptimize(files.size());
  }
  state.counters["time_per_entry"] = benchmark::Counter(
      kEntries, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ParseBundle_OwnedMap)->Unit(benchmark::kMillisecond);

// Lookups in random order, half of them misses, so no table's cache behaviour is flattered.
std::vector<std::string> Queries() {
  std::vector<std::string> queries;
  std::mt19937 random(42);
  for (int i = 0; i < 4096; ++i) {
    const int index = static_cast<int>(random() % kEntries);
    queries.push_back(i % 2 == 0 ? EntryPath(index) : EntryPath(index) + ".map");
  }
  return queries;
}

template <typename Find>
void RunLookups(benchmark::State& state, const Find& find) {
  const std::vector<std::string> queries = Queries();
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(find(queries[next]));
    next = (next + 1) % queries.size();
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["time_per_lookup"] = benchmark::Counter(
      1, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_FindInBundle(benchmark::State& state) {
  const std::string& bytes = LargeBundle();
  corvane::AssetBundle bundle = corvane::AssetBundle::OverMemory(bytes.data(), bytes.size());
  bundle.Parse();
  RunLookups(state, [&](const std::string& path) { return bundle.Find(path); });
}
BENCHMARK(BM_FindInBundle);

void BM_FindInBundle_OwnedMap(benchmark::State& state) {
  const std::string& bytes = LargeBundle();
  corvane::AssetBundle bundle = corvane::AssetBundle::OverMemory(bytes.data(), bytes.size());
  bundle.Parse();
  const OwnedMap files = OwnedMapOf(bundle);
  RunLookups(state, [&](const std::string& path) {
    const auto it = files.find(path);
    return it == files.end() ? nullptr : &it->second;
  });
}
BENCHMARK(BM_FindInBundle_OwnedMap);

}  // namespace
