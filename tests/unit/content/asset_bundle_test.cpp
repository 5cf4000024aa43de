#include "content/asset_bundle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "content/bundle_writer.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace corvane {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr std::uint64_t kMax64 = ~std::uint64_t{0};

// A bundle laid out by hand: header, then the given chunks in order.
struct Chunk {
  std::uint32_t id;
  std::string data;
};

std::string Assemble(const std::vector<Chunk>& chunks, std::string header = EncodeHeader()) {
  for (const Chunk& chunk : chunks) header += EncodeChunkHeader(chunk.id, chunk.data.size()) + chunk.data;
  return header;
}

std::string Directory(const std::vector<BundleEntry>& entries) { return EncodeDirectory(entries); }

const std::string kBlob = "0123456789";

// The bytes of a bundle as a real file, read back through a stream.
class StreamFile {
 public:
  explicit StreamFile(const std::string& bytes) {
    static int counter = 0;
    path_ = fs::temp_directory_path() /
            ("corvane-bundle-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + std::to_string(counter++) + ".dat");
    std::FILE* out = std::fopen(path_.string().c_str(), "wb");
    if (out == nullptr) throw std::runtime_error("cannot create " + path_.string());
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    file_ = std::fopen(path_.string().c_str(), "rb");
    if (file_ == nullptr) throw std::runtime_error("cannot open " + path_.string());
  }
  ~StreamFile() {
    std::fclose(file_);
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
  std::FILE* get() const { return file_; }

 private:
  fs::path path_;
  std::FILE* file_ = nullptr;
};

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
  AssetBundle& Open(const std::string& bytes) {
    bytes_ = bytes;
    if (GetParam() == ReadMode::Memory) {
      bundle_ = AssetBundle::OverMemory(bytes_.data(), bytes_.size());
    } else {
      stream_ = std::make_unique<StreamFile>(bytes_);
      bundle_ = AssetBundle::OverStream(stream_->get(), bytes_.size());
    }
    return bundle_;
  }
  Outcome Run(const std::string& bytes) { return ParseOutcome(Open(bytes)); }
  std::string Error(const std::string& bytes) {
    const Outcome outcome = Run(bytes);
    EXPECT_FALSE(outcome.rangeError) << outcome.message;
    return outcome.message;
  }
  std::string RangeError(const std::string& bytes) {
    const Outcome outcome = Run(bytes);
    EXPECT_TRUE(outcome.rangeError) << outcome.message;
    return outcome.message;
  }
  std::string Contents(const FileEntry& entry) {
    if (GetParam() == ReadMode::Memory) {
      return std::string(reinterpret_cast<const char*>(bundle_.DataPointer(entry.offset)), entry.size);
    }
    return bytes_.substr(bundle_.blobOffset + entry.offset, entry.size);
  }

  std::string bytes_;
  std::unique_ptr<StreamFile> stream_;
  AssetBundle bundle_;
};

std::string ModeName(const ::testing::TestParamInfo<ReadMode>& mode) {
  return mode.param == ReadMode::Memory ? "Memory" : "Stream";
}

INSTANTIATE_TEST_SUITE_P(Modes, BundleParse, ::testing::Values(ReadMode::Memory, ReadMode::Stream),
                         ModeName);

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

TEST_P(BundleParse, HeaderFailures) {
  EXPECT_EQ(Error("z9aB" + BuildBundle({}).substr(4)), "bad format");
  EXPECT_EQ(Error(EncodeHeader(16, 1)), "unsupported version");
  EXPECT_EQ(Error(EncodeHeader(16, 0, 1)), "invalid flags");
  EXPECT_EQ(RangeError(""), "bundle read error");
  EXPECT_EQ(RangeError("z9ab"), "bundle read error");
  EXPECT_EQ(RangeError(EncodeHeader().substr(0, 15)), "bundle read error");
}

TEST_P(BundleParse, ChunkRegionFailures) {
  // No chunks at all: the blob is missing before anything else.
  EXPECT_EQ(Error(EncodeHeader()), "missing blob chunk");
  // The first chunk starting beyond the end of the file yields no chunks either.
  EXPECT_EQ(Error(EncodeHeader(1000)), "missing blob chunk");
  EXPECT_EQ(Error(Assemble({{kDirectoryChunkId, Directory({})}})), "missing blob chunk");
  EXPECT_EQ(Error(Assemble({{kBlobChunkId, kBlob}})), "missing fdir chunk");
  // A chunk header cut by the end of the file.
  const std::string good = Assemble({{kBlobChunkId, kBlob}, {kDirectoryChunkId, Directory({})}});
  EXPECT_EQ(RangeError(good + "junk"), "bundle read error");
  EXPECT_EQ(RangeError(good + std::string(11, 'x')), "bundle read error");
  EXPECT_EQ(Run(good + EncodeChunkHeader(FourCC("pad "), 0)).message, "");
}

TEST_P(BundleParse, ChunkSizesBeyondTheFileFailWithoutOverflow) {
  const std::string blob = Assemble({{kBlobChunkId, kBlob}});
  for (std::uint64_t size : {std::uint64_t{1}, std::uint64_t{1} << 32, kMax64 - 11, kMax64 - 27, kMax64}) {
    EXPECT_EQ(Error(blob + EncodeChunkHeader(kDirectoryChunkId, size)), "bad chunk") << size;
  }
  // A size that fills the rest of the file exactly is fine.
  EXPECT_EQ(Run(blob + EncodeChunkHeader(kDirectoryChunkId, 4) + EncodeU32(0)).message, "");
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
  std::string bytes = EncodeHeader(20) + "gap!";
  bytes += EncodeChunkHeader(kDirectoryChunkId, Directory({{"x", 0, 10}}).size()) + Directory({{"x", 0, 10}});
  bytes += EncodeChunkHeader(kBlobChunkId, kBlob.size()) + kBlob;
  ASSERT_EQ(Run(bytes).message, "");
  EXPECT_EQ(Contents(*bundle_.Find("x")), kBlob);
}

TEST_P(BundleParse, DirectoryEdgeCases) {
  EXPECT_EQ(Run(Assemble({{kBlobChunkId, kBlob}, {kDirectoryChunkId, Directory({})}})).message, "");
  EXPECT_TRUE(bundle_.files.empty());
  // Bytes behind the last entry are ignored.
  EXPECT_EQ(Run(Assemble({{kBlobChunkId, kBlob}, {kDirectoryChunkId, Directory({{"a", 0, 1}}) + "tail"}}))
                .message,
            "");
  EXPECT_EQ(bundle_.files.size(), 1u);
  // An empty range at the very end of the blob is valid; one byte more is not.
  EXPECT_EQ(Run(Assemble({{kBlobChunkId, kBlob}, {kDirectoryChunkId, Directory({{"e", 10, 0}})}})).message,
            "");
  EXPECT_EQ(Error(Assemble({{kBlobChunkId, kBlob}, {kDirectoryChunkId, Directory({{"e", 10, 1}})}})),
            "bad file entry");
  EXPECT_EQ(Run(Assemble({{kBlobChunkId, ""}, {kDirectoryChunkId, Directory({{"e", 0, 0}})}})).message, "");
}

TEST_P(BundleParse, EntryRangesThatWouldOverflowAreRejected) {
  const std::vector<BundleEntry> bad = {
      {"a", 0, 11}, {"b", 11, 0}, {"c", kMax64, 2}, {"d", 2, kMax64}, {"e", kMax64 - 5, 10}, {"f", 5, 6}};
  for (const BundleEntry& entry : bad) {
    EXPECT_EQ(Error(Assemble({{kBlobChunkId, kBlob}, {kDirectoryChunkId, Directory({entry})}})),
              "bad file entry")
        << entry.path;
  }
}

TEST_P(BundleParse, EntryFieldFailures) {
  std::string reserved = EncodeEntry({"a", 0, 1});
  reserved[7] = 1;  // second reserved word
  EXPECT_EQ(Error(Assemble({{kBlobChunkId, kBlob}, {kDirectoryChunkId, EncodeU32(1) + reserved}})),
            "bad file entry");
  reserved = EncodeEntry({"a", 0, 1});
  reserved[0] = '\x80';
  EXPECT_EQ(Error(Assemble({{kBlobChunkId, kBlob}, {kDirectoryChunkId, EncodeU32(1) + reserved}})),
            "bad file entry");
  EXPECT_EQ(Error(Assemble({{kBlobChunkId, kBlob},
                            {kDirectoryChunkId, EncodeU32(1) + EncodeEntry({"a", 0, 1}, 1)}})),
            "bad file compression");
  // The range is checked before the compression byte is read.
  EXPECT_EQ(Error(Assemble({{kBlobChunkId, kBlob},
                            {kDirectoryChunkId, EncodeU32(1) + EncodeEntry({"a", 0, 99}, 1)}})),
            "bad file entry");
}

TEST_P(BundleParse, DirectoryReadsStayInsideTheDirectoryChunk) {
  // The count promises two entries; the chunk holds one. The blob chunk behind it must not be
  // read as the missing entry.
  const std::string twoPromised = EncodeU32(2) + EncodeEntry({"a", 0, 1});
  EXPECT_EQ(RangeError(Assemble({{kDirectoryChunkId, twoPromised}, {kBlobChunkId, kBlob + kBlob}})),
            "bundle read error");
  // A path length that runs past the chunk.
  std::string longPath = EncodeU32(1) + EncodeEntry({"abc", 0, 1});
  longPath[4 + 36] = 4;  // the last byte of the path length: claims 4 bytes, 3 follow
  EXPECT_EQ(RangeError(Assemble({{kDirectoryChunkId, longPath}, {kBlobChunkId, kBlob}})),
            "bundle read error");
  std::string hugePath = EncodeU32(1) + EncodeEntry({"abc", 0, 1});
  hugePath.replace(4 + 33, 4, EncodeU32(0xFFFFFFFF));
  EXPECT_EQ(RangeError(Assemble({{kDirectoryChunkId, hugePath}, {kBlobChunkId, kBlob}})),
            "bundle read error");
  EXPECT_EQ(RangeError(Assemble({{kBlobChunkId, kBlob}, {kDirectoryChunkId, "\0\0\0"s}})),
            "bundle read error");
}

TEST_P(BundleParse, FirstEntryOfAPathWinsAndCaseMatters) {
  const std::string bytes = Assemble(
      {{kBlobChunkId, kBlob},
       {kDirectoryChunkId, Directory({{"a.txt", 0, 1, 7}, {"A.txt", 1, 1}, {"a.txt", 2, 1, 8}})}});
  ASSERT_EQ(Run(bytes).message, "");
  EXPECT_EQ(bundle_.files.size(), 2u);
  EXPECT_EQ(Contents(*bundle_.Find("a.txt")), "0");
  EXPECT_EQ(bundle_.Find("a.txt")->extra, 7u);
  EXPECT_EQ(Contents(*bundle_.Find("A.txt")), "1");
  // A later duplicate is still validated in full.
  EXPECT_EQ(Error(Assemble({{kBlobChunkId, kBlob},
                            {kDirectoryChunkId, Directory({{"a", 0, 1}, {"a", 0, 11}})}})),
            "bad file entry");
}

TEST_P(BundleParse, FailureKeepsWhatWasReadBefore) {
  std::vector<BundleEntry> entries;
  for (int i = 0; i < 6; ++i) entries.push_back({"f" + std::to_string(i), std::uint64_t(i), 1});
  std::string directory = EncodeU32(6);
  for (int i = 0; i < 6; ++i) directory += EncodeEntry(entries[i], i == 4 ? 2 : 0);
  EXPECT_EQ(Error(Assemble({{kBlobChunkId, kBlob}, {kDirectoryChunkId, directory}})),
            "bad file compression");
  EXPECT_EQ(bundle_.files.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Contents(*bundle_.Find("f" + std::to_string(i))), std::to_string(i));
  EXPECT_EQ(bundle_.Find("f4"), nullptr);

  // Blob fields are kept when only the directory is missing.
  EXPECT_EQ(Error(Assemble({{FourCC("xtra"), "x"}, {kBlobChunkId, kBlob}})), "missing fdir chunk");
  EXPECT_EQ(bundle_.blobSize, kBlob.size());
  EXPECT_EQ(bundle_.blobOffset, 16u + 13u + 12u);
  EXPECT_EQ(bundle_.chunks.size(), 2u);
}

TEST_P(BundleParse, ParseStartsFromEmptyTables) {
  ASSERT_EQ(Run(BuildBundle({{"a", "1"}})).message, "");
  bundle_.position = 0;
  bundle_.end = 0;
  EXPECT_EQ(ParseOutcome(bundle_).message, "bundle read error");
  EXPECT_TRUE(bundle_.files.empty());
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
  StreamFile file(bytes);
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
  EXPECT_EQ(memory.DataPointer(1), reinterpret_cast<const std::uint8_t*>(bytes.data()) + 16 + 12 + 1);
}

TEST(BundleModes, StreamShorterThanClaimedIsAFileReadError) {
  const std::string bytes = BuildBundle({{"a", "xyz"}});
  for (std::size_t cut : {std::size_t{2}, std::size_t{14}, bytes.size() - 1}) {
    StreamFile file(bytes.substr(0, cut));
    AssetBundle bundle = AssetBundle::OverStream(file.get(), bytes.size());
    const Outcome outcome = ParseOutcome(bundle);
    EXPECT_EQ(outcome.message, "file read error") << cut;
    EXPECT_FALSE(outcome.rangeError);
  }
}

TEST(BundleModes, StreamReadsLongPathsInPieces) {
  const std::string longPath(200000, 'p');
  const std::string bytes = BuildBundle({{longPath, "v"}});
  StreamFile file(bytes);
  AssetBundle bundle = AssetBundle::OverStream(file.get(), bytes.size());
  bundle.Parse();
  ASSERT_NE(bundle.Find(longPath), nullptr);
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
