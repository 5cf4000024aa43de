#include "content/bundle_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "content/asset_bundle.h"
#include "temp_file.h"

namespace corvane {
namespace {

using namespace std::string_literals;

AssetBundle ParsedOver(const std::string& bytes) {
  AssetBundle bundle = AssetBundle::OverMemory(bytes.data(), bytes.size());
  bundle.Parse();
  return bundle;
}

std::string ReadAll(std::FILE* file) {
  std::string bytes;
  std::rewind(file);
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  return bytes;
}

TEST(BundleEncoding, IntegersAreBigEndian) {
  EXPECT_EQ(EncodeU32(0x01020304), "\x01\x02\x03\x04");
  EXPECT_EQ(EncodeU64(0x0102030405060708), "\x01\x02\x03\x04\x05\x06\x07\x08");
  EXPECT_EQ(EncodeHeader(), "z9ab\0\0\0\0\0\0\0\x10\0\0\0\0"s);
  EXPECT_EQ(EncodeChunkHeader(kBlobChunkId, 258), "blob\0\0\0\0\0\0\x01\x02"s);
  EXPECT_EQ(EncodeEntry({"ab", 1, 2, 3}), std::string(8, '\0') + EncodeU64(1) + EncodeU64(2) +
                                              EncodeU64(3) + '\0' + EncodeU32(2) + "ab");
}

TEST(BuildBundle, SameFilesInAnyOrderGiveTheSameBytes) {
  const std::string one = BuildBundle({{"b", "2"}, {"a/x", "1"}, {"a", "0"}});
  const std::string two = BuildBundle({{"a", "0"}, {"b", "2"}, {"a/x", "1"}});
  EXPECT_EQ(one, two);
  const std::string expectedBlob = "012";  // contents follow the sorted paths
  EXPECT_EQ(one.substr(16, 12 + 3), EncodeChunkHeader(kBlobChunkId, 3) + expectedBlob);
  const std::string directory = EncodeDirectory({{"a", 0, 1}, {"a/x", 1, 1}, {"b", 2, 1}});
  EXPECT_EQ(one.substr(31), EncodeChunkHeader(kDirectoryChunkId, directory.size()) + directory);
}

TEST(BuildBundle, SortsByUnsignedBytes) {
  // The reader's paths point into these bytes, so they must outlive it.
  const std::string bytes = BuildBundle({{"\xC3\xA9", "e"}, {"z", "z"}, {"Z", "Z"}, {"", "-"}});
  const AssetBundle bundle = ParsedOver(bytes);
  std::string order;
  for (const auto& [path, entry] : bundle.files) order.append(path).append("|");
  EXPECT_EQ(order, "|Z|z|\xC3\xA9|");
}

TEST(BuildBundle, StoresIdenticalContentsOnce) {
  const std::string big(1000, 'q');
  const std::string bytes =
      BuildBundle({{"a", big}, {"b", big}, {"c", "other"}, {"d", big}, {"e", ""}, {"f", ""}});
  const AssetBundle bundle = ParsedOver(bytes);
  EXPECT_EQ(bundle.blobSize, big.size() + 5);
  EXPECT_EQ(bundle.Find("a")->offset, bundle.Find("b")->offset);
  EXPECT_EQ(bundle.Find("a")->offset, bundle.Find("d")->offset);
  EXPECT_EQ(
      std::string(reinterpret_cast<const char*>(bundle.DataPointer(bundle.Find("c")->offset)), 5),
      "other");
}

TEST(BundleStreamWriter, WritesWhatBuildBundleBuilds) {
  TempFile file;
  BundleStreamWriter writer(file.get(), 6);
  writer.AppendBlob("abc", 3);
  writer.AppendBlob("def", 3);
  EXPECT_EQ(writer.BlobWritten(), 6u);
  writer.Finish({{"z", 3, 3}, {"m", 0, 3}, {"a", 0, 3}});
  EXPECT_EQ(ReadAll(file.get()), BuildBundle({{"m", "abc"}, {"z", "def"}, {"a", "abc"}}));
}

TEST(BundleStreamWriter, RefusesABlobOfAnotherSizeOrEntriesOutsideIt) {
  TempFile file;
  BundleStreamWriter shortBlob(file.get(), 4);
  EXPECT_THROW(shortBlob.AppendBlob("12345", 5), std::runtime_error);
  shortBlob.AppendBlob("123", 3);
  EXPECT_THROW(shortBlob.Finish({}), std::runtime_error);
  BundleStreamWriter outside(file.get(), 4);
  outside.AppendBlob("1234", 4);
  EXPECT_THROW(outside.Finish({{"a", 2, 3}}), std::runtime_error);
}

}  // namespace
}  // namespace corvane
