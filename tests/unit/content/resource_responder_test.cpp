#include "content/resource_responder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "content/bundle_writer.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

using Lines = std::vector<std::string>;
using Body = ResourceAnswer::BodyKind;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadFile(const std::string& utf8Path) {
  std::ifstream in(fs::path(std::u8string(utf8Path.begin(), utf8Path.end())), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The bytes the platform adapter would send.
std::string BodyOf(const ResourceAnswer& answer) {
  switch (answer.body) {
    case Body::None:
      return "";
    case Body::Bytes:
      return std::string(reinterpret_cast<const char*>(answer.data), std::size_t(answer.size));
    case Body::WholeFile:
      return ReadFile(answer.filePath);
  }
  return "";
}

// An app folder with a content folder inside and secrets beside and above it:
//   <root>/secret.txt, <root>/app/package.json, <root>/app/secret.txt, <root>/app/www/...
class ResponderTest : public ::testing::Test {
 protected:
  ResponderTest() {
    static int counter = 0;
    root_ = fs::temp_directory_path() /
            ("corvane-responder-test-" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
             std::to_string(counter++));
    www_ = root_ / "app" / "www";
    fs::create_directories(www_ / "sub");
    WriteFile(root_ / "secret.txt", "ROOT SECRET");
    WriteFile(root_ / "app" / "secret.txt", "APP SECRET");
    WriteFile(root_ / "app" / "package.json", "{\"name\":\"secret\"}");
    WriteFile(www_ / "a.txt", "0123456789");
    WriteFile(www_ / "empty.txt", "");
    WriteFile(www_ / "shadow.txt", "from disk");
    WriteFile(www_ / "sub" / "b.png", "PNGDATA");
    WriteFile(www_ / "movie.mp4", std::string(4096, 'm') + "tail");

    bundleBytes_ = BuildBundle({
        {"index.html", "<html>"},
        {"data.bin", "abcdefghij"},
        {"empty.bin", ""},
        {"shadow.txt", "from bundle"},
        {"my file.txt", "spaced"},
        {"caf\xC3\xA9.css", "body{}"},
    });
    bundle_ = AssetBundle::OverMemory(bundleBytes_.data(), bundleBytes_.size());
    bundle_.Parse();
  }

  ~ResponderTest() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  std::string ContentRoot() const { return Utf8(www_) + kSeparator; }

  bool InsideBundle(const ResourceAnswer& answer) const {
    const auto* begin = reinterpret_cast<const std::uint8_t*>(bundleBytes_.data());
    return answer.data >= begin && answer.data + answer.size <= begin + bundleBytes_.size();
  }

  fs::path root_;
  fs::path www_;
  std::string bundleBytes_;
  AssetBundle bundle_;
};

void ExpectNotFound(const ResourceAnswer& answer, const std::string& context) {
  SCOPED_TRACE(context);
  EXPECT_EQ(answer.status, 404);
  EXPECT_EQ(answer.reason, "Not Found");
  EXPECT_EQ(answer.headers, Lines{"Cache-Control: no-store"});
  ASSERT_EQ(answer.body, Body::Bytes);
  EXPECT_EQ(answer.size, 14u);
  EXPECT_EQ(BodyOf(answer), "File not found");
}

Lines WholeHeaders(const std::string& type, std::uint64_t total) {
  return {"Cache-Control: no-store", "Content-Type: " + type, "Accept-Ranges: bytes",
          "Content-Length: " + std::to_string(total)};
}

Lines RangeHeaders(const std::string& type, std::uint64_t first, std::uint64_t last,
                   std::uint64_t total) {
  return {"Cache-Control: no-store", "Content-Type: " + type, "Accept-Ranges: bytes",
          "Content-Range: bytes " + std::to_string(first) + "-" + std::to_string(last) + "/" +
              std::to_string(total),
          "Content-Length: " + std::to_string(last - first + 1)};
}

// What a failed answer keeps of its headers: everything but the promised length and range.
std::vector<std::string> WithoutLengths(std::vector<std::string> headers) {
  std::erase_if(headers, [](const std::string& line) {
    return line.rfind("Content-Length:", 0) == 0 || line.rfind("Content-Range:", 0) == 0;
  });
  return headers;
}

// Without a range: the bundle first (its bytes in place), then the content folder (streamed);
// folders and the empty path answer empty content.
TEST_F(ResponderTest, WholeAnswersComeFromTheBundleThenTheContentFolder) {
  ResourceResponder responder(bundle_, ContentRoot(), kSeparator);
  const std::string octets = "application/octet-stream", text = "text/plain; charset=utf-8";
  struct Case {
    const char* tail;
    std::string type;
    std::string body;
    Body kind;
  };
  const Case cases[] = {
      {"index.html", "text/html; charset=utf-8", "<html>", Body::Bytes},
      {"empty.bin", octets, "", Body::Bytes},
      {"shadow.txt", text, "from bundle", Body::Bytes},
      {"my%20file.txt", text, "spaced", Body::Bytes},  // decoded before the look-up
      {"caf%C3%A9.css", "text/css; charset=utf-8", "body{}", Body::Bytes},
      {"sub/b.png", "image/png", "PNGDATA", Body::WholeFile},
      {"sub%2Fb.png", "image/png", "PNGDATA", Body::WholeFile},
      {"empty.txt", text, "", Body::None},
      {"", octets, "", Body::None},
      {"sub", octets, "", Body::None},
      {"sub/", octets, "", Body::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail);
    const ResourceAnswer answer = responder.AnswerUriTail(c.tail, std::nullopt);
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(answer.reason, "OK");
    EXPECT_EQ(answer.headers, WholeHeaders(c.type, c.body.size()));
    EXPECT_EQ(answer.body, c.kind);
    EXPECT_EQ(BodyOf(answer), c.body);
    EXPECT_TRUE(c.kind != Body::Bytes || c.body.empty() || InsideBundle(answer));
  }
  EXPECT_EQ(responder.Answer("sub/b.png", std::nullopt).filePath,
            ContentRoot() + "sub" + kSeparator + "b.png");
  EXPECT_TRUE(responder.mappedFiles().empty());
  EXPECT_EQ(responder.Answer("index.html", std::nullopt).HeaderBlock(),
            "Cache-Control: no-store\nContent-Type: text/html; charset=utf-8\n"
            "Accept-Ranges: bytes\nContent-Length: 6");
  EXPECT_EQ(ResourceAnswer().HeaderBlock(), "");

  const std::string bundleWithRoot = BuildBundle({{"", "root page"}});
  AssetBundle rootBundle = AssetBundle::OverMemory(bundleWithRoot.data(), bundleWithRoot.size());
  rootBundle.Parse();
  EXPECT_EQ(
      BodyOf(ResourceResponder(rootBundle, ContentRoot(), kSeparator).Answer("", std::nullopt)),
      "root page");
}

TEST_F(ResponderTest, AnswersNotFoundWithFixedBody) {
  ResourceResponder responder(bundle_, ContentRoot(), kSeparator);
  const ResourceAnswer first = responder.Answer("missing.js", std::nullopt);
  ExpectNotFound(first, "missing.js");
  ExpectNotFound(responder.Answer("missing.js", "bytes=0-1"), "missing.js with a range");
  // Case must match the bundle entry exactly, and no such file lies on disk.
  ExpectNotFound(responder.Answer("INDEX.html", std::nullopt), "INDEX.html");
  // A query string stays part of the path.
  ExpectNotFound(responder.AnswerUriTail("index.html?v=2", std::nullopt), "index.html?v=2");
  ExpectNotFound(responder.AnswerUriTail("a.txt?v=2", std::nullopt), "a.txt?v=2");
  // The body lives in static storage, not in the answer.
  EXPECT_EQ(responder.Answer("other", std::nullopt).data, first.data);
  ResourceResponder noFolder(bundle_, Utf8(root_ / "nowhere") + kSeparator, kSeparator);
  ExpectNotFound(noFolder.Answer("", std::nullopt), "missing content folder");
}

struct RangeCase {
  const char* value;
  int status;
  std::uint64_t first, last;  // for 206
};

// Ten bytes, from the bundle and from disk: both must give the same answers.
TEST_F(ResponderTest, AnswersRangeTableForBundleAndDisk) {
  const RangeCase cases[] = {
      {"bytes=0-0", 206, 0, 0},
      {"bytes=0-9", 206, 0, 9},
      {"bytes=2-5", 206, 2, 5},
      {"bytes=5-", 206, 5, 9},
      {"bytes=-3", 206, 7, 9},
      {"bytes=-10", 206, 0, 9},
      {"bytes=0-", 206, 0, 9},
      {"bytes=-11", 206, 0, 9},
      {"bytes=0-10", 206, 0, 9},
      {"bytes=8-99", 206, 8, 9},
      {" bytes=2-4\t", 206, 2, 4},
      {"bytes=0-3,5-7", 206, 0, 3},
      {"bytes=-0", 416, 0, 0},
      {"bytes=10-", 416, 0, 0},
      {"bytes=3-2", 416, 0, 0},
      {"Bytes=0-5", 416, 0, 0},
      {"items=0-5", 416, 0, 0},
      {"bytes=abc-5", 416, 0, 0},
      {"bytes=-", 416, 0, 0},
      {"", 416, 0, 0},
      {"bytes=99999999999-", 416, 0, 0},
  };
  struct Source {
    const char* path;
    std::string type;
    std::string bytes;
  };
  const Source sources[] = {{"data.bin", "application/octet-stream", "abcdefghij"},
                            {"a.txt", "text/plain; charset=utf-8", "0123456789"}};
  for (const Source& source : sources) {
    ResourceResponder responder(bundle_, ContentRoot(), kSeparator);
    for (const RangeCase& c : cases) {
      SCOPED_TRACE(std::string(source.path) + " " + c.value);
      const ResourceAnswer answer = responder.Answer(source.path, std::string_view(c.value));
      ASSERT_EQ(answer.status, c.status);
      if (c.status == 416) {
        EXPECT_EQ(answer.reason, "Range Not Satisfiable");
        EXPECT_EQ(answer.headers, (Lines{"Cache-Control: no-store", "Content-Type: " + source.type,
                                         "Accept-Ranges: bytes"}));
        EXPECT_EQ(answer.body, Body::None);
      } else {
        EXPECT_EQ(answer.reason, "Partial Content");
        EXPECT_EQ(answer.headers, RangeHeaders(source.type, c.first, c.last, 10));
        EXPECT_EQ(BodyOf(answer), source.bytes.substr(c.first, c.last - c.first + 1));
      }
    }
  }
}

TEST_F(ResponderTest, RangesOfEmptyContentAreUnsatisfiable) {
  ResourceResponder responder(bundle_, ContentRoot(), kSeparator);
  for (const char* path : {"empty.bin", "empty.txt", "sub"}) {
    SCOPED_TRACE(path);
    const ResourceAnswer answer = responder.Answer(path, "bytes=0-");
    EXPECT_EQ(answer.status, 416);
    EXPECT_EQ(answer.headers.size(), 3u);
    EXPECT_EQ(answer.body, Body::None);
  }
}

TEST_F(ResponderTest, WholeDiskRangeStreamsAndPartialRangeMapsOnce) {
  ResourceResponder responder(bundle_, ContentRoot(), kSeparator);
  const ResourceAnswer whole = responder.Answer("movie.mp4", "bytes=0-");
  EXPECT_EQ(whole.status, 206);
  EXPECT_EQ(whole.body, Body::WholeFile);
  EXPECT_TRUE(responder.mappedFiles().empty());

  const ResourceAnswer first = responder.Answer("movie.mp4", "bytes=4090-4095");
  const ResourceAnswer second = responder.Answer("movie.mp4", "bytes=4096-");
  EXPECT_EQ(BodyOf(first), "mmmmmm");
  EXPECT_EQ(BodyOf(second), "tail");
  EXPECT_EQ(second.headers.back(), "Content-Length: 4");
  ASSERT_EQ(responder.mappedFiles().size(), 1u);
  const MappedFile& mapped = *responder.mappedFiles().at("movie.mp4");
  EXPECT_EQ(mapped.length, 4100u);
  EXPECT_EQ(first.data, mapped.view + 4090);
  EXPECT_EQ(second.data, mapped.view + 4096);
  EXPECT_EQ(first.dataOwner, responder.mappedFiles().at("movie.mp4"));

  // Answers hold the mapping: their bytes stay readable after the cache lets go of it.
  responder.ReleaseMappedFiles();
  EXPECT_TRUE(responder.mappedFiles().empty());
  EXPECT_EQ(BodyOf(first), "mmmmmm");
  EXPECT_EQ(BodyOf(responder.Answer("movie.mp4", "bytes=-4")), "tail");
  EXPECT_EQ(responder.mappedFiles().size(), 1u);
}

TEST_F(ResponderTest, BundleAnswersShareTheBundleOwner) {
  const auto owner = std::make_shared<int>(0);
  ResourceResponder responder(bundle_, ContentRoot(), kSeparator, kMaxCopiedBodySize, owner);
  EXPECT_EQ(responder.Answer("index.html", std::nullopt).dataOwner, owner);
  EXPECT_EQ(responder.Answer("index.html", "bytes=1-2").dataOwner, owner);
  // Static bodies and files streamed whole need no owner.
  EXPECT_EQ(responder.Answer("missing.js", std::nullopt).dataOwner, nullptr);
  EXPECT_EQ(responder.Answer("movie.mp4", std::nullopt).dataOwner, nullptr);
}

TEST_F(ResponderTest, NeverCopiesPastTheViewOfAFileThatChangedSize) {
  const fs::path file = www_ / "growing.bin";
  WriteFile(file, "0123456789");
  ResourceResponder responder(bundle_, ContentRoot(), kSeparator);
  EXPECT_EQ(BodyOf(responder.Answer("growing.bin", "bytes=0-1")), "01");
  ASSERT_EQ(responder.mappedFiles().at("growing.bin")->length, 10u);

  {
    std::ofstream grow(file, std::ios::binary | std::ios::app);
    grow << "ABCDEFGHIJ";
  }
  if (fs::file_size(file) == 10) {
    // Windows shares a mapped file for reading only, so the file cannot have changed.
    EXPECT_EQ(BodyOf(responder.Answer("growing.bin", "bytes=8-15")), "89");
    return;
  }
  // Inside the view: served from it. Past the view: 500 with no body and no promised length.
  const ResourceAnswer inside = responder.Answer("growing.bin", "bytes=8-9");
  EXPECT_EQ(inside.status, 206);
  EXPECT_EQ(inside.headers, RangeHeaders("application/octet-stream", 8, 9, 20));
  EXPECT_EQ(BodyOf(inside), "89");
  const ResourceAnswer past = responder.Answer("growing.bin", "bytes=8-15");
  EXPECT_EQ(past.status, 500);
  EXPECT_EQ(past.reason, "Internal Server Error");
  EXPECT_EQ(past.headers, WithoutLengths(RangeHeaders("application/octet-stream", 8, 15, 20)));
  EXPECT_EQ(past.body, Body::None);
  EXPECT_EQ(past.data, nullptr);

  // Shrunk: the range follows the new size and stays inside both the file and the view.
  fs::resize_file(file, 5);
  const ResourceAnswer shrunk = responder.Answer("growing.bin", "bytes=2-99");
  EXPECT_EQ(shrunk.status, 206);
  EXPECT_EQ(shrunk.headers, RangeHeaders("application/octet-stream", 2, 4, 5));
  EXPECT_EQ(BodyOf(shrunk), "234");
}

TEST_F(ResponderTest, RefusesCopiesLongerThanThePlatformTakes) {
  ResourceResponder responder(bundle_, ContentRoot(), kSeparator, /*maxCopiedBodySize=*/4);
  const ResourceAnswer whole = responder.Answer("data.bin", std::nullopt);
  EXPECT_EQ(whole.status, 500);
  EXPECT_EQ(whole.headers, WithoutLengths(WholeHeaders("application/octet-stream", 10)));
  EXPECT_EQ(whole.body, Body::None);
  EXPECT_EQ(BodyOf(responder.Answer("data.bin", "bytes=0-3")), "abcd");
  EXPECT_EQ(responder.Answer("data.bin", "bytes=0-4").status, 500);
  EXPECT_EQ(responder.Answer("a.txt", "bytes=0-4").status, 500);
  // Disk files streamed whole are not copied, so their size does not matter.
  EXPECT_EQ(responder.Answer("a.txt", std::nullopt).status, 200);
  EXPECT_EQ(responder.Answer("a.txt", "bytes=0-").status, 206);
}

TEST(IsServableDiskPath, AcceptsPlainRelativePaths) {
  for (const char* path : {"", "a.txt", "sub/b.png", "sub/", "a//b", "a..b", ".hidden", "a/.b/c",
                           "..a", "a..", "caf\xC3\xA9.css", "a b/c d"}) {
    EXPECT_TRUE(IsServableDiskPath(path)) << path;
  }
}

TEST(IsServableDiskPath, RefusesAnythingThatCanLeaveTheFolder) {
  for (const char* path : {".",
                           "..",
                           "../x",
                           "a/..",
                           "a/../../x",
                           "a\\..\\..\\x",
                           "./a",
                           "a/./b",
                           "...",
                           "a/.../b",
                           ". ",
                           ".. /x",
                           "/etc/passwd",
                           "\\x",
                           "\\\\server\\x",
                           "//server/x",
                           "C:/x",
                           "C:x",
                           "a.txt::$DATA",
                           "a:b"}) {
    EXPECT_FALSE(IsServableDiskPath(path)) << path;
  }
  EXPECT_FALSE(IsServableDiskPath(std::string("a.txt\0../x", 10)));
}

TEST_F(ResponderTest, TraversalAttemptsAreAllNotFound) {
  ResourceResponder responder(bundle_, ContentRoot(), kSeparator);
  // The check is what keeps these out: unchecked, they name real files outside the folder.
  ASSERT_TRUE(fs::exists(fs::path(responder.DiskPathFor("../secret.txt"))));
  ASSERT_TRUE(fs::exists(fs::path(responder.DiskPathFor("sub/../../../secret.txt"))));

  const std::string absoluteSecret = Utf8(root_ / "app" / "secret.txt");
  const std::vector<std::string> tails = {
      "..%2Fsecret.txt",
      "..%2Fpackage.json",
      "..%2F..%2Fsecret.txt",
      "..%2F..%2Fpackage.json",
      "..%5Csecret.txt",
      "..%5C..%5Csecret.txt",
      "sub/../../secret.txt",
      "sub%2F..%2F..%2F..%2Fsecret.txt",
      "a/../../x",
      "%2E%2E/secret.txt",
      "%2e%2e%5cpackage.json",
      ".../secret.txt",
      "..%20/secret.txt",
      "./a.txt",
      "C:/x",
      "C:secret.txt",
      "a.txt::$DATA",
      "/etc/passwd",
      "%2Fetc%2Fpasswd",
      "\\\\server\\x",
      "%5C%5Cserver%5Cx",
      "\\secret.txt",
      "..%2Fsecret.txt%00.png",
      "%C0%AE%C0%AE/secret.txt",
      absoluteSecret,
  };
  for (const std::string& tail : tails) {
    ExpectNotFound(responder.AnswerUriTail(tail, std::nullopt), tail);
    ExpectNotFound(responder.AnswerUriTail(tail, "bytes=0-1"), tail + " with a range");
  }
  ExpectNotFound(responder.Answer(std::string("a.txt\0../secret.txt", 20), std::nullopt), "NUL");
  EXPECT_TRUE(responder.mappedFiles().empty());
}

}  // namespace
}  // namespace corvane
