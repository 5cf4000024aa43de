#include "content/asset_bundle.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>

#include "content/bundle_writer.h"

namespace corvane {
namespace {

using namespace std::string_literals;
using Paths = std::vector<std::string>;

constexpr std::uint64_t kMax64 = ~std::uint64_t{0};
const std::string kBlob = "0123456789";
const std::string kReadError = "range: bundle read error";

struct TempFile {
  explicit TempFile(const std::string& bytes = "") {
    static int counter = 0;
    path = std::filesystem::temp_directory_path() /
           ("corvane-test-" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
            std::to_string(counter++));
    file = std::fopen(path.string().c_str(), "w+b");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
  }
  ~TempFile() {
    std::fclose(file);
    std::filesystem::remove(path);
  }
  std::filesystem::path path;
  std::FILE* file;
};

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::range_error& error) {
    return "range: "s + error.what();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "";
}

std::string Assemble(const std::vector<std::pair<std::uint32_t, std::string>>& chunks,
                     std::string header = EncodeHeader()) {
  for (const auto& [id, data] : chunks) header += EncodeChunkHeader(id, data.size()) + data;
  return header;
}
std::string BlobAnd(const std::string& directory) {
  return Assemble({{kBlobChunkId, kBlob}, {kDirectoryChunkId, directory}});
}
// The directory first, so that a read running past it would find the blob's bytes.
std::string DirectoryAnd(const std::string& directory, const std::string& blob = kBlob) {
  return Assemble({{kDirectoryChunkId, directory}, {kBlobChunkId, blob}});
}
std::string OneEntry(const BundleEntry& entry, std::uint8_t compression = 0) {
  return EncodeU32(1) + EncodeEntry(entry, compression);
}
std::string Patched(std::string bytes, std::size_t at, const std::string& with) {
  return bytes.replace(at, with.size(), with);
}

// Every case runs in both read modes; they must agree.
class BundleParse : public ::testing::TestWithParam<ReadMode> {
 protected:
  std::string Run(const std::string& bytes) {
    bytes_ = bytes;
    file_ = std::make_unique<TempFile>(bytes_);
    bundle_ = GetParam() == ReadMode::Memory ? AssetBundle::OverMemory(bytes_.data(), bytes_.size())
                                             : AssetBundle::OverStream(file_->file, bytes_.size());
    return ErrorOf([&] { bundle_.Parse(); });
  }
  std::string Contents(const FileEntry& entry) {
    return bytes_.substr(bundle_.blobOffset + entry.offset, entry.size);
  }

  std::string bytes_;
  std::unique_ptr<TempFile> file_;
  AssetBundle bundle_;
};

INSTANTIATE_TEST_SUITE_P(Modes, BundleParse, ::testing::Values(ReadMode::Memory, ReadMode::Stream));

TEST_P(BundleParse, ReadsWhatTheWriterWrote) {
  const std::string longPath(200000, 'p');  // longer than one piece of a stream read
  const std::string bytes = BuildBundle({{"index.html", "<p>hi</p>"},
                                         {"img/a.png", "\x89PNG\0\1"s},
                                         {"copy.html", "<p>hi</p>"},
                                         {"", "root"},
                                         {"empty.txt", ""},
                                         {longPath, "L"}});
  ASSERT_EQ(Run(bytes), "");
  EXPECT_EQ(bundle_.blobSize, 4u + 9u + 6u + 1u);  // identical contents are stored once
  EXPECT_EQ(Contents(*bundle_.Find("index.html")), "<p>hi</p>");
  EXPECT_EQ(Contents(*bundle_.Find("img/a.png")), "\x89PNG\0\1"s);
  EXPECT_EQ(Contents(*bundle_.Find("")), "root");
  EXPECT_EQ(Contents(*bundle_.Find(longPath)), "L");
  EXPECT_EQ(bundle_.Find("empty.txt")->size, 0u);
  EXPECT_EQ(bundle_.Find("Index.html"), nullptr);
  // Stream mode keeps copies of the paths, shared by the bundle's copies, that outlive the stream
  // and the bundle that read them.
  file_.reset();
  AssetBundle copy = bundle_;
  bundle_ = AssetBundle();
  Paths paths;
  for (const auto& [path, entry] : copy.files) paths.emplace_back(path);
  EXPECT_EQ(paths, (Paths{"", "copy.html", "empty.txt", "img/a.png", "index.html", longPath}));
}

TEST_P(BundleParse, MalformedBundlesFailWithTheirOwnMessage) {
  const std::string blobOnly = Assemble({{kBlobChunkId, kBlob}});
  const std::string good = BlobAnd(EncodeDirectory({}));
  std::vector<std::pair<std::string, std::string>> cases = {
      {"z9aB" + BuildBundle({}).substr(4), "bad format"},
      {EncodeHeader(16, 1), "unsupported version"},
      {EncodeHeader(16, 0, 1), "invalid flags"},
      {EncodeHeader().substr(0, 15), kReadError},
      // The chunk region: none at all (or the first beyond the end), one missing, a header cut.
      {EncodeHeader(), "missing blob chunk"},
      {EncodeHeader(1000), "missing blob chunk"},
      {Assemble({{kDirectoryChunkId, EncodeDirectory({})}}), "missing blob chunk"},
      {blobOnly, "missing fdir chunk"},
      {good + "junk", kReadError},
      // A later duplicate path is still validated in full.
      {BlobAnd(EncodeDirectory({{"a", 0, 1}, {"a", 0, 11}})), "bad file entry"},
      // Entry fields: the reserved words, then the range before the compression byte.
      {BlobAnd(Patched(OneEntry({"a", 0, 1}), 4 + 7, "\1")), "bad file entry"},
      {BlobAnd(Patched(OneEntry({"a", 0, 1}), 4, "\x80")), "bad file entry"},
      {BlobAnd(OneEntry({"a", 0, 1}, 1)), "bad file compression"},
      {BlobAnd(OneEntry({"a", 0, 99}, 1)), "bad file entry"},
      // Directory reads stay inside the directory chunk: a count promising two entries where one
      // follows, path lengths running past the chunk, a count cut short.
      {DirectoryAnd(EncodeU32(2) + EncodeEntry({"a", 0, 1}), kBlob + kBlob), kReadError},
      {DirectoryAnd(Patched(OneEntry({"abc", 0, 1}), 4 + 36, "\4")), kReadError},
      {DirectoryAnd(Patched(OneEntry({"abc", 0, 1}), 4 + 33, EncodeU32(0xFFFFFFFF))), kReadError},
      {BlobAnd("\0\0\0"s), kReadError},
  };
  // Chunk sizes beyond the file, without overflow.
  for (std::uint64_t size :
       {std::uint64_t{1}, std::uint64_t{1} << 32, kMax64 - 11, kMax64 - 27, kMax64}) {
    cases.push_back({blobOnly + EncodeChunkHeader(kDirectoryChunkId, size), "bad chunk"});
  }
  // Entry ranges outside the blob, including ones whose end would overflow.
  const BundleEntry outside[] = {{"a", 0, 11},     {"b", 11, 0},          {"c", kMax64, 2},
                                 {"d", 2, kMax64}, {"e", kMax64 - 5, 10}, {"f", 5, 6}};
  for (const BundleEntry& entry : outside)
    cases.push_back({BlobAnd(EncodeDirectory({entry})), "bad file entry"});
  for (std::size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(Run(cases[i].first), cases[i].second) << "case " << i;
}

// A gap behind the header is never read; the first chunk of an id wins, others are only recorded.
// Each case gives the number of chunks and the contents of "a" ("-" for none).
TEST_P(BundleParse, OddButValidLayoutsParse) {
  const std::string none = EncodeDirectory({}), one = EncodeDirectory({{"a", 2, 3}});
  const std::tuple<std::string, std::size_t, std::string> cases[] = {
      {BlobAnd(none) + EncodeChunkHeader(FourCC("pad "), 0), 3, "-"},
      {BlobAnd(one + "tail"), 2, "234"},
      {BlobAnd(EncodeDirectory({{"a", 10, 0}})), 2, ""},
      {Assemble({{kBlobChunkId, ""}, {kDirectoryChunkId, EncodeDirectory({{"a", 0, 0}})}}), 2, ""},
      {Assemble({{FourCC("meta"), "m"},
                 {kDirectoryChunkId, one},
                 {kBlobChunkId, kBlob},
                 {kBlobChunkId, "second"},
                 {kDirectoryChunkId, "never read"}},
                EncodeHeader(20) + "gap!"),
       3, "234"},
  };
  for (const auto& [bytes, chunks, contents] : cases) {
    ASSERT_EQ(Run(bytes), "");
    EXPECT_EQ(bundle_.chunks.size(), chunks);
    const FileEntry* a = bundle_.Find("a");
    EXPECT_EQ(a ? Contents(*a) : "-", contents);
  }
}

// Thousands of paths of every length from 0 to 40, shuffled and partly repeated, so that the
// hash table's probing and the order's duplicate removal meet every case; a std::map built from
// the same directory, first entry winning, is the reference. A bad last entry fails the parse,
// which keeps what it read before.
TEST_P(BundleParse, LookupsAgreeWithAPlainMapAlsoAfterAFailure) {
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
  const std::string directory = EncodeDirectory(entries).replace(0, 4, EncodeU32(6002)) +
                                EncodeEntry({"bad", 0, 1}, 2) + EncodeEntry({"later", 0, 1});
  ASSERT_EQ(Run(BlobAnd(directory)), "bad file compression");
  EXPECT_EQ(bundle_.Find("bad"), nullptr);
  EXPECT_EQ(bundle_.Find("later"), nullptr);
  ASSERT_EQ(bundle_.files.size(), expected.size());
  auto model = expected.begin();
  for (const auto& [path, entry] : bundle_.files) {
    ASSERT_EQ(path, model->first);
    EXPECT_EQ(entry.extra, model->second);
    EXPECT_EQ(bundle_.Find(path), &entry);
    ++model;
  }
}

// A stream shorter than claimed fails as a file read error.
TEST(BundleModes, StreamErrorsAreFileReadErrors) {
  const std::string bytes = BuildBundle({{"a", "xyz"}});
  for (std::size_t cut : {std::size_t{2}, std::size_t{14}, bytes.size() - 1}) {
    TempFile file(bytes.substr(0, cut));
    AssetBundle bundle = AssetBundle::OverStream(file.file, bytes.size());
    EXPECT_EQ(ErrorOf([&] { bundle.Parse(); }), "file read error") << cut;
  }
}

TEST(BundleWriter, StreamWriterRefusesOtherBlobSizes) {
  TempFile file;
  BundleStreamWriter shortBlob(file.file, 4);
  EXPECT_THROW(shortBlob.AppendBlob("12345", 5), std::runtime_error);
  shortBlob.AppendBlob("123", 3);
  EXPECT_THROW(shortBlob.Finish({}), std::runtime_error);
}

}  // namespace
}  // namespace corvane
