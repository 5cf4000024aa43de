// The reader's file index: order, duplicates, lookups against a plain map, and how long the
// paths it hands out stay valid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "content/asset_bundle.h"
#include "content/bundle_writer.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const std::string kBlob = "0123456789";

// A bundle whose directory holds `entries` exactly in the order given.
std::string BundleWithDirectory(const std::vector<BundleEntry>& entries, std::string tail = "") {
  const std::string directory = EncodeDirectory(entries) + tail;
  return EncodeHeader() + EncodeChunkHeader(kBlobChunkId, kBlob.size()) + kBlob +
         EncodeChunkHeader(kDirectoryChunkId, directory.size()) + directory;
}

// Bytes on disk, opened for reading; the file goes when this does.
class DiskCopy {
 public:
  explicit DiskCopy(const std::string& bytes) {
    static int counter = 0;
    path_ =
        fs::temp_directory_path() /
        ("corvane-index-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + std::to_string(counter++) + ".dat");
    std::FILE* out = std::fopen(path_.string().c_str(), "wb");
    if (out == nullptr) throw std::runtime_error("cannot create " + path_.string());
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    file_ = std::fopen(path_.string().c_str(), "rb");
    if (file_ == nullptr) throw std::runtime_error("cannot open " + path_.string());
  }
  ~DiskCopy() {
    Close();
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
  std::FILE* get() const { return file_; }
  void Close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
  }

 private:
  fs::path path_;
  std::FILE* file_ = nullptr;
};

class IndexTest : public ::testing::TestWithParam<ReadMode> {
 protected:
  // Parses `bytes` in the mode under test; the error message, or empty when parsing succeeded.
  std::string Parse(const std::string& bytes) {
    bytes_ = bytes;
    if (GetParam() == ReadMode::Memory) {
      bundle_ = AssetBundle::OverMemory(bytes_.data(), bytes_.size());
    } else {
      disk_ = std::make_unique<DiskCopy>(bytes_);
      bundle_ = AssetBundle::OverStream(disk_->get(), bytes_.size());
    }
    try {
      bundle_.Parse();
    } catch (const std::exception& error) {
      return error.what();
    }
    return "";
  }

  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (const auto& [path, entry] : bundle_.files) paths.emplace_back(path);
    return paths;
  }

  std::string bytes_;
  std::unique_ptr<DiskCopy> disk_;
  AssetBundle bundle_;
};

INSTANTIATE_TEST_SUITE_P(Modes, IndexTest, ::testing::Values(ReadMode::Memory, ReadMode::Stream),
                         [](const auto& mode) {
                           return mode.param == ReadMode::Memory ? "Memory" : "Stream";
                         });

TEST_P(IndexTest, UnsortedDirectoryIsOrderedByBytesAndTheFirstOfAPathWins) {
  ASSERT_EQ(Parse(BundleWithDirectory({{"b", 1, 1, 10},
                                       {"\xC3\xA9", 2, 1, 20},
                                       {"a", 3, 1, 30},
                                       {"b", 4, 1, 40},
                                       {"Z", 5, 1, 50},
                                       {"a", 6, 1, 60},
                                       {"", 7, 1, 70},
                                       {"b", 8, 1, 80}})),
            "");
  EXPECT_EQ(Paths(), (std::vector<std::string>{"", "Z", "a", "b", "\xC3\xA9"}));
  for (const auto& [path, extra] : std::map<std::string, std::uint64_t>{
           {"", 70}, {"Z", 50}, {"a", 30}, {"b", 10}, {"\xC3\xA9", 20}}) {
    const FileEntry* entry = bundle_.Find(path);
    ASSERT_NE(entry, nullptr) << path;
    EXPECT_EQ(entry->extra, extra) << path;
    EXPECT_EQ(entry->offset, extra / 10) << path;
  }
  EXPECT_EQ(bundle_.Find("\xC3"), nullptr);
  EXPECT_EQ(bundle_.Find("A"), nullptr);
}

TEST_P(IndexTest, AFailureInAnUnsortedDirectoryKeepsTheEarlierEntriesFindable) {
  std::string directory = EncodeU32(5);
  for (const BundleEntry& entry : std::vector<BundleEntry>{{"z", 0, 1}, {"a", 1, 1}, {"z", 2, 1}}) {
    directory += EncodeEntry(entry);
  }
  directory += EncodeEntry({"m", 0, 1}, 1);  // compression is refused
  const std::string bytes = EncodeHeader() + EncodeChunkHeader(kBlobChunkId, kBlob.size()) + kBlob +
                            EncodeChunkHeader(kDirectoryChunkId, directory.size()) + directory;
  EXPECT_EQ(Parse(bytes), "bad file compression");
  EXPECT_EQ(Paths(), (std::vector<std::string>{"a", "z"}));
  ASSERT_NE(bundle_.Find("z"), nullptr);
  EXPECT_EQ(bundle_.Find("z")->offset, 0u);
  EXPECT_EQ(bundle_.Find("m"), nullptr);
}

// Thousands of paths of every length from 0 to 40, shuffled and partly repeated, so that the
// hash table's probing and the order's duplicate removal meet every case; a std::map built from
// the same directory, first entry winning, is the reference.
TEST_P(IndexTest, LookupsAgreeWithAPlainMap) {
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
  ASSERT_EQ(Parse(BundleWithDirectory(entries)), "");
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

TEST_P(IndexTest, ClearingForgetsEveryEntry) {
  ASSERT_EQ(Parse(BuildBundle({{"a", "1"}, {"b", "2"}})), "");
  bundle_.files.clear();
  EXPECT_TRUE(bundle_.files.empty());
  EXPECT_EQ(bundle_.Find("a"), nullptr);
}

TEST(IndexPaths, MemoryModePathsPointIntoTheBundleBytes) {
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

TEST(IndexPaths, StreamModePathsOutliveTheStreamAndTheBundleThatReadThem) {
  const std::string longPath(300, 'L');
  const std::string bytes = BuildBundle({{"s", "1"}, {longPath, "2"}, {"dir/file.txt", "3"}});
  DiskCopy disk(bytes);
  auto original = std::make_unique<AssetBundle>(AssetBundle::OverStream(disk.get(), bytes.size()));
  original->Parse();
  disk.Close();
  const AssetBundle copy = *original;
  // Parsing again (here: failing at once on the closed window) starts from fresh tables.
  original->end = 0;
  EXPECT_THROW(original->Parse(), std::range_error);
  EXPECT_TRUE(original->files.empty());
  original.reset();

  std::vector<std::string> paths;
  for (const auto& [path, entry] : copy.files) paths.emplace_back(path);
  EXPECT_EQ(paths, (std::vector<std::string>{longPath, "dir/file.txt", "s"}));
  ASSERT_NE(copy.Find(longPath), nullptr);
  EXPECT_EQ(copy.Find("s")->size, 1u);
}

}  // namespace
}  // namespace corvane
