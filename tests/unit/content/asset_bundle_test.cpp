#include "content/asset_bundle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "content/bundle_writer.h"
#include "temp_file.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace corvane {
namespace {

using namespace std::string_literals;

constexpr std::uint64_t kMax64 = ~std::uint64_t{0};
const std::string kBlob = "0123456789";
const char* const kReadError = "bundle read error";

// A bundle laid out by hand: header, then the given chunks in order.
struct Chunk {
  std::uint32_t id;
  std::string data;
};

std::string Assemble(const std::vector<Chunk>& chunks, std::string header = EncodeHeader()) {
  for (const Chunk& chunk : chunks)
    header += EncodeChunkHeader(chunk.id, chunk.data.size()) + chunk.data;
  return header;
}

std::string Directory(const std::vector<BundleEntry>& entries) { return EncodeDirectory(entries); }
std::string BlobAnd(const std::string& directory) {
  return Assemble({{kBlobChunkId, kBlob}, {kDirectoryChunkId, directory}});
}
std::string OneEntry(const BundleEntry& entry, std::uint8_t compression = 0) {
  return EncodeU32(1) + EncodeEntry(entry, compression);
}
std::string Patched(std::string bytes, std::size_t at, const std::string& with) {
  return bytes.replace(at, with.size(), with);
}

struct Outcome {
  std::string message;  // empty when Parse succeeded
  bool rangeError = false;
};

Outcome ParseOutcome(AssetBundle& bundle) {
  try {
    bundle.Parse();
  } catch (const std::range_error& error) {
    return {error.what(), true};
  } catch (const std::runtime_error& error) {
    return {error.what(), false};
  }
  return {};
}

// Every case runs in both read modes; they must agree.
class BundleParse : public ::testing::TestWithParam<ReadMode> {
 protected:
  // Parses `bytes` in the mode under test; the stream (if any) lives as long as the fixture.
  Outcome Run(const std::string& bytes) {
    bytes_ = bytes;
    if (GetParam() == ReadMode::Memory) {
      bundle_ = AssetBundle::OverMemory(bytes_.data(), bytes_.size());
    } else {
      stream_ = std::make_unique<TempFile>(bytes_);
      bundle_ = AssetBundle::OverStream(stream_->get(), bytes_.size());
    }
    return ParseOutcome(bundle_);
  }
  std::string Contents(const FileEntry& entry) {
    if (GetParam() == ReadMode::Memory) {
      return std::string(reinterpret_cast<const char*>(bundle_.DataPointer(entry.offset)),
                         entry.size);
    }
    return bytes_.substr(bundle_.blobOffset + entry.offset, entry.size);
  }

  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (const auto& [path, entry] : bundle_.files) paths.emplace_back(path);
    return paths;
  }

  std::string bytes_;
  std::unique_ptr<TempFile> stream_;
  AssetBundle bundle_;
};

INSTANTIATE_TEST_SUITE_P(Modes, BundleParse, ::testing::Values(ReadMode::Memory, ReadMode::Stream),
                         [](const auto& mode) {
                           return mode.param == ReadMode::Memory ? "Memory" : "Stream";
                         });

TEST_P(BundleParse, ReadsWhatTheWriterWrote) {
  const std::string bytes = BuildBundle({{"index.html", "<p>hi</p>"},
                                         {"img/a.png", "\x89PNG\0\1"s},
                                         {"copy.html", "<p>hi</p>"},
                                         {"", "root"},
                                         {"empty.txt", ""}});
  ASSERT_EQ(Run(bytes).message, "");
  EXPECT_EQ(bundle_.files.size(), 5u);
  EXPECT_EQ(bundle_.chunks.size(), 2u);
  EXPECT_EQ(bundle_.blobOffset, 16u + 12u);
  const FileEntry* page = bundle_.Find("index.html");
  const FileEntry* copy = bundle_.Find("copy.html");
  ASSERT_TRUE(page && copy);
  EXPECT_EQ(Contents(*page), "<p>hi</p>");
  EXPECT_EQ(page->offset, copy->offset);  // identical contents are stored once
  EXPECT_EQ(Contents(*bundle_.Find("img/a.png")), "\x89PNG\0\1"s);
  EXPECT_EQ(Contents(*bundle_.Find("")), "root");
  EXPECT_EQ(bundle_.Find("empty.txt")->size, 0u);
  EXPECT_EQ(bundle_.Find("Index.html"), nullptr);
  EXPECT_EQ(bundle_.Find("img/"), nullptr);
  EXPECT_EQ(bundle_.blobSize, std::string("<p>hi</p>\x89PNG\0\1root"s).size());
  // The window ends with the directory and the cursor stands behind the last entry.
  EXPECT_EQ(bundle_.position, bytes.size());
  EXPECT_EQ(bundle_.end, bytes.size());
}

TEST_P(BundleParse, MalformedBundlesFailWithTheirOwnMessage) {
  const std::string blobOnly = Assemble({{kBlobChunkId, kBlob}});
  const std::string good = BlobAnd(Directory({}));
  struct Failure {
    std::string bytes;
    std::string message;
    bool rangeError = false;
  };
  std::vector<Failure> cases = {
      // The header.
      {"z9aB" + BuildBundle({}).substr(4), "bad format"},
      {EncodeHeader(16, 1), "unsupported version"},
      {EncodeHeader(16, 0, 1), "invalid flags"},
      {"", kReadError, true},
      {"z9ab", kReadError, true},
      {EncodeHeader().substr(0, 15), kReadError, true},
      // The chunk region: none at all (or the first beyond the end), one missing, a header cut.
      {EncodeHeader(), "missing blob chunk"},
      {EncodeHeader(1000), "missing blob chunk"},
      {Assemble({{kDirectoryChunkId, Directory({})}}), "missing blob chunk"},
      {blobOnly, "missing fdir chunk"},
      {good + "junk", kReadError, true},
      {good + std::string(11, 'x'), kReadError, true},
      // A later duplicate path is still validated in full.
      {BlobAnd(Directory({{"a", 0, 1}, {"a", 0, 11}})), "bad file entry"},
      // Entry fields: the reserved words, then the range before the compression byte.
      {BlobAnd(Patched(OneEntry({"a", 0, 1}), 4 + 7, "\1")), "bad file entry"},
      {BlobAnd(Patched(OneEntry({"a", 0, 1}), 4, "\x80")), "bad file entry"},
      {BlobAnd(OneEntry({"a", 0, 1}, 1)), "bad file compression"},
      {BlobAnd(OneEntry({"a", 0, 99}, 1)), "bad file entry"},
      // Directory reads stay inside the directory chunk: a count promising two entries where
      // one follows (the blob behind must not be read as the second), path lengths running past
      // the chunk, a count cut short.
      {Assemble({{kDirectoryChunkId, EncodeU32(2) + EncodeEntry({"a", 0, 1})},
                 {kBlobChunkId, kBlob + kBlob}}),
       kReadError, true},
      {Assemble({{kDirectoryChunkId, Patched(OneEntry({"abc", 0, 1}), 4 + 36, "\4")},
                 {kBlobChunkId, kBlob}}),
       kReadError, true},
      {Assemble(
           {{kDirectoryChunkId, Patched(OneEntry({"abc", 0, 1}), 4 + 33, EncodeU32(0xFFFFFFFF))},
            {kBlobChunkId, kBlob}}),
       kReadError, true},
      {BlobAnd("\0\0\0"s), kReadError, true},
  };
  // Chunk sizes beyond the file, without overflow.
  for (std::uint64_t size :
       {std::uint64_t{1}, std::uint64_t{1} << 32, kMax64 - 11, kMax64 - 27, kMax64}) {
    cases.push_back({blobOnly + EncodeChunkHeader(kDirectoryChunkId, size), "bad chunk"});
  }
  // Entry ranges outside the blob, including ones whose end would overflow.
  for (const BundleEntry& entry : std::vector<BundleEntry>{{"a", 0, 11},
                                                           {"b", 11, 0},
                                                           {"c", kMax64, 2},
                                                           {"d", 2, kMax64},
                                                           {"e", kMax64 - 5, 10},
                                                           {"f", 5, 6}}) {
    cases.push_back({BlobAnd(Directory({entry})), "bad file entry"});
  }
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Outcome outcome = Run(cases[i].bytes);
    EXPECT_EQ(outcome.message, cases[i].message) << "case " << i;
    EXPECT_EQ(outcome.rangeError, cases[i].rangeError) << "case " << i;
  }
}

TEST_P(BundleParse, OddButValidLayoutsParse) {
  const std::pair<std::string, std::size_t> cases[] = {
      {BlobAnd(Directory({})), 0},
      {BlobAnd(Directory({})) + EncodeChunkHeader(FourCC("pad "), 0), 0},  // empty chunk at the end
      {BlobAnd(Directory({{"a", 0, 1}}) + "tail"), 1},  // bytes behind the last entry are ignored
      {BlobAnd(Directory({{"e", 10, 0}})), 1},  // an empty range at the very end of the blob
      {Assemble({{kBlobChunkId, ""}, {kDirectoryChunkId, Directory({{"e", 0, 0}})}}), 1},
  };
  for (const auto& [bytes, files] : cases) {
    EXPECT_EQ(Run(bytes).message, "");
    EXPECT_EQ(bundle_.files.size(), files);
  }
}

TEST_P(BundleParse, FirstChunkOfAnIdWinsAndOthersAreRecorded) {
  const std::string bytes = Assemble({{FourCC("meta"), "m"},
                                      {kBlobChunkId, kBlob},
                                      {kBlobChunkId, "second"},
                                      {kDirectoryChunkId, Directory({{"a", 2, 3}})},
                                      {kDirectoryChunkId, "garbage that is never read"}});
  ASSERT_EQ(Run(bytes).message, "");
  EXPECT_EQ(bundle_.chunks.size(), 3u);
  EXPECT_EQ(bundle_.chunks.at(FourCC("meta")).size, 1u);
  EXPECT_EQ(bundle_.blobSize, kBlob.size());
  EXPECT_EQ(bundle_.blobOffset, 16u + 13u + 12u);
  EXPECT_EQ(Contents(*bundle_.Find("a")), "234");
}

TEST_P(BundleParse, ChunksMayComeInAnyOrderAfterAGap) {
  // The chunk region may start later than the header's end; the bytes between are never read.
  const std::string bytes =
      Assemble({{kDirectoryChunkId, Directory({{"x", 0, 10}})}, {kBlobChunkId, kBlob}},
               EncodeHeader(20) + "gap!");
  ASSERT_EQ(Run(bytes).message, "");
  EXPECT_EQ(Contents(*bundle_.Find("x")), kBlob);
}

// The directory need not be sorted: the index orders paths by their bytes, keeps the first entry
// of each path and tells case apart.
TEST_P(BundleParse, UnsortedDirectoryIsOrderedByBytesAndTheFirstOfAPathWins) {
  ASSERT_EQ(Run(BlobAnd(Directory({{"b", 1, 1, 10},
                                   {"\xC3\xA9", 2, 1, 20},
                                   {"a", 3, 1, 30},
                                   {"b", 4, 1, 40},
                                   {"Z", 5, 1, 50},
                                   {"a", 6, 1, 60},
                                   {"", 7, 1, 70},
                                   {"b", 8, 1, 80}})))
                .message,
            "");
  EXPECT_EQ(Paths(), (std::vector<std::string>{"", "Z", "a", "b", "\xC3\xA9"}));
  for (const auto& [path, extra] : std::map<std::string, std::uint64_t>{
           {"", 70}, {"Z", 50}, {"a", 30}, {"b", 10}, {"\xC3\xA9", 20}}) {
    const FileEntry* entry = bundle_.Find(path);
    ASSERT_NE(entry, nullptr) << path;
    EXPECT_EQ(entry->extra, extra) << path;
    EXPECT_EQ(Contents(*entry), std::to_string(extra / 10)) << path;
  }
  EXPECT_EQ(bundle_.Find("\xC3"), nullptr);
  EXPECT_EQ(bundle_.Find("A"), nullptr);
}

// Thousands of paths of every length from 0 to 40, shuffled and partly repeated, so that the
// hash table's probing and the order's duplicate removal meet every case; a std::map built from
// the same directory, first entry winning, is the reference.
TEST_P(BundleParse, LookupsAgreeWithAPlainMap) {
  std::mt19937 random(7);
  std::vector<BundleEntry> entries;
  std::map<std::string, std::uint64_t> expected;
  for (int i = 0; i < 6000; ++i) {
    std::string path;
    const std::size_t length = random() % 41;
    for (std::size_t c = 0; c < length; ++c) path += "ab/\xFF"[random() % 4];
    if (i % 5 == 0 && !entries.empty()) path = entries[random() % entries.size()].path;
    entries.push_back({path, random() % kBlob.size(), 0, std::uint64_t(i)});
    expected.try_emplace(path, i);
  }
  ASSERT_EQ(Run(BlobAnd(Directory(entries))).message, "");
  ASSERT_EQ(bundle_.files.size(), expected.size());
  auto model = expected.begin();
  for (const auto& [path, entry] : bundle_.files) {
    ASSERT_EQ(path, model->first);
    EXPECT_EQ(entry.extra, model->second);
    EXPECT_EQ(bundle_.Find(path), &entry);
    ++model;
  }
  for (const auto& [path, extra] : expected) {
    // Neighbours that differ in one byte or in length are misses unless they are entries too.
    for (const std::string& other : {path + "a", path + "\xFF"s, path.substr(0, path.size() / 2)}) {
      const FileEntry* found = bundle_.Find(other);
      const auto known = expected.find(other);
      if (known == expected.end()) {
        EXPECT_EQ(found, nullptr) << other;
      } else {
        ASSERT_NE(found, nullptr) << other;
        EXPECT_EQ(found->extra, known->second);
      }
    }
  }
}

TEST_P(BundleParse, FailureKeepsWhatWasReadBefore) {
  // Unsorted and with a repeated path, so the index is ordered and deduplicated at the failure.
  std::string directory = EncodeU32(7);
  for (const int i : {3, 1, 0, 3, 2})
    directory += EncodeEntry({"f" + std::to_string(i), std::uint64_t(i), 1});
  directory += EncodeEntry({"f9", 0, 1}, 2) + EncodeEntry({"f4", 4, 1});
  EXPECT_EQ(Run(BlobAnd(directory)).message, "bad file compression");
  EXPECT_EQ(Paths(), (std::vector<std::string>{"f0", "f1", "f2", "f3"}));
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(Contents(*bundle_.Find("f" + std::to_string(i))), std::to_string(i));
  EXPECT_EQ(bundle_.Find("f4"), nullptr);
  EXPECT_EQ(bundle_.Find("f9"), nullptr);

  // Blob fields are kept when only the directory is missing.
  EXPECT_EQ(Run(Assemble({{FourCC("xtra"), "x"}, {kBlobChunkId, kBlob}})).message,
            "missing fdir chunk");
  EXPECT_EQ(bundle_.blobSize, kBlob.size());
  EXPECT_EQ(bundle_.blobOffset, 16u + 13u + 12u);
  EXPECT_EQ(bundle_.chunks.size(), 2u);
}

TEST_P(BundleParse, ParseStartsFromEmptyTables) {
  ASSERT_EQ(Run(BuildBundle({{"a", "1"}})).message, "");
  bundle_.position = 0;
  bundle_.end = 0;
  EXPECT_EQ(ParseOutcome(bundle_).message, kReadError);
  EXPECT_TRUE(bundle_.files.empty());
  EXPECT_EQ(bundle_.Find("a"), nullptr);
  EXPECT_TRUE(bundle_.chunks.empty());
  EXPECT_EQ(bundle_.blobSize, 0u);
}

TEST(BundleModes, AnUnknownModeCannotRead) {
  const std::string bytes = BuildBundle({});
  AssetBundle bundle = AssetBundle::OverMemory(bytes.data(), bytes.size());
  bundle.mode = static_cast<ReadMode>(3);
  const Outcome outcome = ParseOutcome(bundle);
  EXPECT_EQ(outcome.message, "invalid read mode");
  EXPECT_FALSE(outcome.rangeError);
  EXPECT_THROW(bundle.ReadBytes(1), std::runtime_error);
  // The window is checked before the mode.
  bundle.position = bundle.end;
  EXPECT_THROW(bundle.ReadByte(), std::range_error);
}

TEST(BundleModes, DataPointerNeedsMemoryMode) {
  const std::string bytes = BuildBundle({{"a", "xyz"}});
  TempFile file(bytes);
  AssetBundle bundle = AssetBundle::OverStream(file.get(), bytes.size());
  bundle.Parse();
  try {
    bundle.DataPointer(0);
    FAIL() << "DataPointer worked in Stream mode";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "wrong read mode");
  }
  AssetBundle memory = AssetBundle::OverMemory(bytes.data(), bytes.size());
  memory.Parse();
  EXPECT_EQ(memory.DataPointer(1),
            reinterpret_cast<const std::uint8_t*>(bytes.data()) + 16 + 12 + 1);
}

TEST(BundleModes, StreamShorterThanClaimedIsAFileReadError) {
  const std::string bytes = BuildBundle({{"a", "xyz"}});
  for (std::size_t cut : {std::size_t{2}, std::size_t{14}, bytes.size() - 1}) {
    TempFile file(bytes.substr(0, cut));
    AssetBundle bundle = AssetBundle::OverStream(file.get(), bytes.size());
    const Outcome outcome = ParseOutcome(bundle);
    EXPECT_EQ(outcome.message, "file read error") << cut;
    EXPECT_FALSE(outcome.rangeError);
  }
}

TEST(BundleModes, StreamReadsLongPathsInPieces) {
  const std::string longPath(200000, 'p');
  const std::string bytes = BuildBundle({{longPath, "v"}});
  TempFile file(bytes);
  AssetBundle bundle = AssetBundle::OverStream(file.get(), bytes.size());
  bundle.Parse();
  ASSERT_NE(bundle.Find(longPath), nullptr);
}

TEST(BundlePaths, MemoryModePathsPointIntoTheBundleBytes) {
  const std::string bytes = BuildBundle({{"index.html", "x"}, {"img/a.png", "y"}});
  AssetBundle bundle = AssetBundle::OverMemory(bytes.data(), bytes.size());
  bundle.Parse();
  ASSERT_EQ(bundle.files.size(), 2u);
  for (const auto& [path, entry] : bundle.files) {
    EXPECT_GE(path.data(), bytes.data());
    EXPECT_LE(path.data() + path.size(), bytes.data() + bytes.size());
    EXPECT_EQ(bytes.compare(path.data() - bytes.data(), path.size(), path), 0);
  }
}

TEST(BundlePaths, StreamModePathsOutliveTheStreamAndTheBundleThatReadThem) {
  const std::string longPath(300, 'L');
  const std::string bytes = BuildBundle({{"s", "1"}, {longPath, "2"}, {"dir/file.txt", "3"}});
  std::unique_ptr<AssetBundle> original;
  {
    TempFile file(bytes);
    original = std::make_unique<AssetBundle>(AssetBundle::OverStream(file.get(), bytes.size()));
    original->Parse();
  }
  const AssetBundle copy = *original;
  original.reset();
  std::vector<std::string> paths;
  for (const auto& [path, entry] : copy.files) paths.emplace_back(path);
  EXPECT_EQ(paths, (std::vector<std::string>{longPath, "dir/file.txt", "s"}));
  ASSERT_NE(copy.Find(longPath), nullptr);
  EXPECT_EQ(copy.Find("s")->size, 1u);
}

#ifndef _WIN32
TEST(BundleModes, StreamThatCannotSeekIsAFileReadError) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const std::string bytes = BuildBundle({{"a", "xyz"}});
  ASSERT_EQ(write(fds[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  close(fds[1]);
  std::FILE* pipeStream = fdopen(fds[0], "rb");
  AssetBundle bundle = AssetBundle::OverStream(pipeStream, bytes.size());
  EXPECT_EQ(ParseOutcome(bundle).message, "file read error");
  std::fclose(pipeStream);
}
#endif

}  // namespace
}  // namespace corvane
