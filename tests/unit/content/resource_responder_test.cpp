#include "content/resource_responder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include "content/bundle_writer.h"
#include "content/mime_types.h"
#include "content/range_header.h"
#include "content/url_decode.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using Body = ResourceAnswer::BodyKind;

constexpr char kSeparator = char(fs::path::preferred_separator);
const std::string kOctets = "application/octet-stream", kText = "text/plain; charset=utf-8";
const std::string kNotFound = "404 Not Found\nCache-Control: no-store\nFile not found";

const std::string kBad = "\xEF\xBF\xBD";  // U+FFFD

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string BodyOf(const ResourceAnswer& answer) {
  if (answer.body == Body::Bytes) {
    return std::string(reinterpret_cast<const char*>(answer.data), std::size_t(answer.size));
  }
  std::ifstream in(fs::path(std::u8string(answer.filePath.begin(), answer.filePath.end())),
                   std::ios::binary);
  return answer.body == Body::None ? "" : std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Summary(const ResourceAnswer& answer) {
  return std::to_string(answer.status) + " " + answer.reason + "\n" + answer.HeaderBlock() + "\n" +
         BodyOf(answer);
}

// A failed answer's lines; a whole one adds its length, a partial one its range and length.
Lines Headers(const std::string& type, Lines more = {}) {
  Lines lines = {"Cache-Control: no-store", "Content-Type: " + type, "Accept-Ranges: bytes"};
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}
Lines RangeHeaders(const std::string& type, std::uint64_t first, std::uint64_t last,
                   std::uint64_t total) {
  return Headers(type, {"Content-Range: bytes " + std::to_string(first) + "-" +
                            std::to_string(last) + "/" + std::to_string(total),
                        "Content-Length: " + std::to_string(last - first + 1)});
}

// An app folder with a content folder inside and secrets beside and above it:
//   <root>/secret.txt, <root>/app/secret.txt, <root>/app/www/...
class ResponderTest : public ::testing::Test {
 protected:
  ResponderTest() {
    fs::create_directories(www_ / "sub");
    WriteFile(root_ / "secret.txt", "ROOT SECRET");
    WriteFile(root_ / "app" / "secret.txt", "APP SECRET");
    WriteFile(www_ / "a.txt", "0123456789");
    WriteFile(www_ / "empty.txt", "");
    WriteFile(www_ / "shadow.txt", "from disk");
    WriteFile(www_ / "sub" / "b.png", "PNGDATA");
    WriteFile(www_ / "movie.mp4", std::string(4096, 'm') + "tail");
    bundle_.Parse();
  }
  ~ResponderTest() override {
    responder_.ReleaseMappedFiles();  // Windows removes no mapped file
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  std::string ContentRoot() const { return Utf8(www_) + kSeparator; }

  fs::path root_ = fs::temp_directory_path() /
                   ("corvane-responder-test-" +
                    std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::path www_ = root_ / "app" / "www";
  const std::string bundleBytes_ = BuildBundle({{"index.html", "<html>"},
                                                {"data.bin", "abcdefghij"},
                                                {"empty.bin", ""},
                                                {"shadow.txt", "from bundle"},
                                                {"caf\xC3\xA9.css", "body{}"}});
  AssetBundle bundle_ = AssetBundle::OverMemory(bundleBytes_.data(), bundleBytes_.size());
  ResourceResponder responder_{bundle_, ContentRoot(), kSeparator};
};

// Without a range: the bundle first (its bytes in place), then the content folder (streamed);
// folders and the empty path answer empty content.
TEST_F(ResponderTest, WholeAnswersComeFromTheBundleThenTheContentFolder) {
  const std::uint8_t* bundleBytes = reinterpret_cast<const std::uint8_t*>(bundleBytes_.data());
  const std::tuple<const char*, std::string, std::string, Body> cases[] = {
      {"index.html", "text/html; charset=utf-8", "<html>", Body::Bytes},
      {"empty.bin", kOctets, "", Body::Bytes},
      {"shadow.txt", kText, "from bundle", Body::Bytes},
      {"caf%C3%A9.css", "text/css; charset=utf-8", "body{}", Body::Bytes},       // decoded first
      {"index.html?v=2%3F", "text/html; charset=utf-8", "<html>", Body::Bytes},  // query cut
      {"sub/b.png", "image/png", "PNGDATA", Body::WholeFile},
      {"empty.txt", kText, "", Body::None},
      {"", kOctets, "", Body::None},
  };
  for (const auto& [tail, type, body, kind] : cases) {
    SCOPED_TRACE(tail);
    const ResourceAnswer answer = responder_.AnswerUriTail(tail, std::nullopt);
    const Lines headers = Headers(type, {"Content-Length: " + std::to_string(body.size())});
    EXPECT_EQ(Summary(answer), "200 OK\n" + headers[0] + "\n" + headers[1] + "\n" + headers[2] +
                                   "\n" + headers[3] + "\n" + body);
    EXPECT_EQ(answer.body, kind);
    EXPECT_EQ(answer.size, body.size());  // a whole file's stream must match it
    EXPECT_EQ(answer.data >= bundleBytes && answer.data < bundleBytes + bundleBytes_.size(),
              kind == Body::Bytes && !body.empty());
  }
  EXPECT_TRUE(responder_.mappedFiles().empty());
}

TEST_F(ResponderTest, RangesAreAnsweredAlikeFromTheBundleAndFromDisk) {
  const std::tuple<const char*, std::uint64_t, std::uint64_t> cases[] = {
      {"bytes=0-0", 0, 0},  {"bytes=2-5", 2, 5}, {"bytes=-3", 7, 9}, {" bytes=2-4\t", 2, 4},
      {"bytes=0-10", 0, 9}, {"bytes=3-2", 1, 0}, {"bytes=10-", 1, 0}};
  for (const auto& [path, type, bytes] :
       {std::tuple("data.bin", kOctets, "abcdefghij"), std::tuple("a.txt", kText, "0123456789")}) {
    for (const auto& [range, first, last] : cases) {
      SCOPED_TRACE(std::string(path) + " " + range);
      const ResourceAnswer answer = responder_.Answer(path, std::string_view(range));
      const bool refused = first > last;
      EXPECT_EQ(answer.status, refused ? 416 : 206);
      EXPECT_EQ(answer.reason, refused ? "Range Not Satisfiable" : "Partial Content");
      EXPECT_EQ(answer.headers, refused ? Headers(type) : RangeHeaders(type, first, last, 10));
      EXPECT_EQ(BodyOf(answer), refused ? "" : std::string(bytes).substr(first, last - first + 1));
    }
  }
  EXPECT_EQ(responder_.Answer("sub", "bytes=0-").status, 416);  // nothing to take a range of
}

TEST_F(ResponderTest, PartialDiskRangesShareOneMapping) {
  const ResourceAnswer first = responder_.Answer("movie.mp4", "bytes=4090-4095");
  const ResourceAnswer second = responder_.Answer("movie.mp4", "bytes=4096-");
  EXPECT_EQ(BodyOf(first), "mmmmmm");
  EXPECT_EQ(BodyOf(second), "tail");
  const MappedFile& mapped = *responder_.mappedFiles().at("movie.mp4");
  EXPECT_EQ(first.data, mapped.view + 4090);
  EXPECT_EQ(second.data, mapped.view + 4096);
  EXPECT_EQ(first.dataOwner, responder_.mappedFiles().at("movie.mp4"));
}

#ifndef _WIN32
// An app may read ranges of thousands of loose files in one run.
TEST_F(ResponderTest, AMappedViewHoldsNoDescriptorOpenAndNoticesItsFileIsGone) {
  const auto descriptors = [] {
    return std::distance(fs::directory_iterator("/proc/self/fd"), {});
  };
  const std::string file = Utf8(www_ / "a.txt");
  const auto before = descriptors();
  const SharedMapping view = MapWholeFileShared(file);
  EXPECT_EQ(descriptors(), before);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(view->view), 10), "0123456789");
  EXPECT_TRUE(PathStillNamesMappedFile(*view, file));
  fs::remove(file);
  EXPECT_FALSE(PathStillNamesMappedFile(*view, file));
}
#endif

// Disk files streamed whole are not copied, so the limit does not apply to them.
TEST_F(ResponderTest, BundleAnswersShareTheOwnerAndCopiesStayWithinTheLimit) {
  const auto owner = std::make_shared<int>(0);
  ResourceResponder responder(bundle_, ContentRoot(), kSeparator, 6, owner);
  EXPECT_EQ(responder.Answer("index.html", std::nullopt).dataOwner, owner);
  EXPECT_EQ(responder.Answer("index.html", "bytes=1-2").dataOwner, owner);
  EXPECT_EQ(responder.Answer("movie.mp4", std::nullopt).dataOwner, nullptr);
  const ResourceAnswer refused = responder.Answer("data.bin", std::nullopt);
  EXPECT_EQ(refused.status, 500);
  EXPECT_EQ(refused.headers, Headers(kOctets));
  EXPECT_EQ(refused.body, Body::None);
  EXPECT_EQ(BodyOf(responder.Answer("data.bin", "bytes=0-5")), "abcdef");
  EXPECT_EQ(responder.Answer("data.bin", "bytes=0-6").status, 500);
  EXPECT_EQ(responder.Answer("a.txt", "bytes=0-6").status, 500);
  EXPECT_EQ(BodyOf(responder.Answer("a.txt", "bytes=1-6")), "123456");  // the limit itself
  EXPECT_EQ(responder.Answer("a.txt", std::nullopt).status, 200);
  EXPECT_EQ(responder.Answer("a.txt", "bytes=0-").status, 206);
}

TEST_F(ResponderTest, AFileThatChangedOrWasReplacedSinceItWasMappedIsMappedAgain) {
  const fs::path file = www_ / "growing.bin";
  WriteFile(file, "0123456789");
  EXPECT_EQ(BodyOf(responder_.Answer("growing.bin", "bytes=0-1")), "01");
  ASSERT_EQ(responder_.mappedFiles().at("growing.bin")->length, 10u);
  std::ofstream(file, std::ios::binary | std::ios::app) << "ABCDEFGHIJ";
  if (fs::file_size(file) == 10) {
    // Windows shares a mapped file for reading only, so the file cannot have changed.
    EXPECT_EQ(BodyOf(responder_.Answer("growing.bin", "bytes=8-15")), "89");
    return;
  }
  const ResourceAnswer grown = responder_.Answer("growing.bin", "bytes=8-15");
  EXPECT_EQ(grown.headers, RangeHeaders(kOctets, 8, 15, 20));
  EXPECT_EQ(BodyOf(grown), "89ABCDEF");
  // Replaced under its name by one of the same size: the new bytes, never the old ones.
  WriteFile(www_ / "next.bin", "abcdefghijklmnopqrst");
  fs::rename(www_ / "next.bin", file);
  EXPECT_EQ(BodyOf(responder_.Answer("growing.bin", "bytes=2-4")), "cde");
  fs::resize_file(file, 5);
  const ResourceAnswer shrunk = responder_.Answer("growing.bin", "bytes=2-99");
  EXPECT_EQ(shrunk.headers, RangeHeaders(kOctets, 2, 4, 5));
  EXPECT_EQ(BodyOf(shrunk), "cde");
}

constexpr std::uint64_t kBig = 6ull << 30;
constexpr std::uint64_t kLargest = 9223372036854775807u;  // 2^63 - 1, the largest position

// The first range, read like the C library and clamped to the content: a list's first range
// counts ("2" then ",5-7" is a closed range without last digits); blanks, signs, zeros and text
// behind are allowed; negative positions are no positions.
TEST(ParseRangeHeader, FirstRangeReadLikeTheCLibraryAndClampedToTheContent) {
  const std::tuple<const char*, std::uint64_t, std::uint64_t> ofTen[] = {
      {"bytes=0-0", 0, 0},     {"bytes=9-9", 9, 9},     {"bytes=5-", 5, 9},
      {"bytes=-3", 7, 9},      {"bytes=0-10", 0, 9},    {"bytes=-11", 0, 9},
      {"bytes=0-3,5-7", 0, 3}, {"bytes= 2 - 4", 2, 4},  {"bytes=+2-+4", 2, 4},
      {"bytes=007-08", 7, 8},  {"bytes=2-4junk", 2, 4}, {"bytes=-5-", 5, 9}};
  for (const auto& [text, first, last] : ofTen) {
    EXPECT_EQ(ParseRangeHeader(text, 10), (ByteRange{first, last})) << text;
  }
  const std::tuple<const char*, std::uint64_t, std::uint64_t, std::uint64_t> beyond32Bits[] = {
      {"bytes=2147483646-", 2147483648u, 2147483646, 2147483647},
      {"bytes=4294967296-4294967305", kBig, 4294967296, 4294967305},
      {"bytes=-4294967297", kBig, kBig - 4294967297, kBig - 1},
      {"bytes=9223372036854775806-9223372036854775807", kLargest, kLargest - 1, kLargest - 1}};
  for (const auto& [text, total, first, last] : beyond32Bits) {
    EXPECT_EQ(ParseRangeHeader(text, total), (ByteRange{first, last})) << text;
  }
  const char* const unsatisfiable[] = {
      "bytes=10-", "bytes=10-12", "bytes=-0",   "bytes=3-2",    "Bytes=0-5",
      "items=0-5", "bytes",       "bytes=",     "bytes=5",      "",
      "bytes 0-5", "bytes=abc-5", "bytes=-",    "bytes=0-x",    "bytes=-x",
      "bytes=+-5", "bytes=--5",   "bytes=0--5", "bytes=2-,5-7", "bytes=99999999999-"};
  for (const char* text : unsatisfiable) {
    EXPECT_EQ(ParseRangeHeader(text, 10), std::nullopt) << text;
  }
  // Numbers that do not fit in 63 bits, and empty content.
  for (const char* text : {"bytes=0-9223372036854775808", "bytes=-99999999999999999999"}) {
    EXPECT_EQ(ParseRangeHeader(text, 10), std::nullopt) << text;
  }
  for (const char* empty : {"bytes=0-0", "bytes=0-", "bytes=-5"})
    EXPECT_EQ(ParseRangeHeader(empty, 0), std::nullopt);
  EXPECT_EQ(ParseRangeHeader("bytes=9223372036854775808-", kBig), std::nullopt);
}

// Percent signs that start no escape stay; an escape is decoded once only. Each run of escapes is
// read as UTF-8, on its own: ill-formed sequences become U+FFFD (a truncated one counts once), an
// overlong slash never turns into a separator, and an escaped byte never completes a literal one.
TEST(PercentDecodePath, DecodesEscapesOnceAsUtf8AndEndsAtTheFirstNul) {
  const std::pair<std::string, std::string> cases[] = {
      {"my%20file.txt", "my file.txt"},
      {"a+b.txt", "a+b.txt"},
      {"a%2Fb%2fc", "a/b/c"},
      {"..%5C..%5Csecret.txt", "..\\..\\secret.txt"},
      {"caf\xC3\xA9.png", "caf\xC3\xA9.png"},
      {"100%", "100%"},
      {"%G1%1G", "%G1%1G"},
      {"%%41", "%A"},
      {"%2541", "%41"},
      {"%F0%9F%98%80", "\xF0\x9F\x98\x80"},
      {"%C3", kBad},
      {"%C3x", kBad + "x"},
      {"%ED%A0%80", Repeat(kBad, 3)},
      {"..%C0%AF..%C0%AFx", ".." + kBad + kBad + ".." + kBad + kBad + "x"},
      {"\xC3%A9", kBad + kBad},
      {"a\xFF", "a" + kBad},
      {"a.txt%00.png", "a.txt"}};
  for (const auto& [input, expected] : cases)
    EXPECT_EQ(PercentDecodePath(input), expected) << input;
  // An escape cut by the end of the view is text, whatever follows in memory.
  EXPECT_EQ(PercentDecodePath(std::string_view("a%4F").substr(0, 3)), "a%4");
}

// 2047 UTF-16 units plus the terminator fit; characters past U+FFFF take two units each,
// three-byte characters one.
TEST(PercentDecodePath, ReturnsTextUndecodedWhenResultExceedsCapacity) {
  EXPECT_EQ(PercentDecodePath(Repeat("%41", 2047)), std::string(2047, 'A'));
  EXPECT_EQ(PercentDecodePath(Repeat("%41", 2048)), Repeat("%41", 2048));
  const std::string grin = "%F0%9F%98%80";
  EXPECT_EQ(PercentDecodePath(Repeat(grin, 1023) + "a"), Repeat("\xF0\x9F\x98\x80", 1023) + "a");
  EXPECT_EQ(PercentDecodePath(Repeat(grin, 1024)), Repeat(grin, 1024));
  EXPECT_EQ(PercentDecodePath(Repeat("%E2%82%AC", 2047)), Repeat("\xE2\x82\xAC", 2047));
}

TEST(MimeTypeFor, MatchesTheLastDotCaseInsensitively) {
  EXPECT_EQ(MimeTypeFor("js/app.min.JS"), "application/javascript; charset=utf-8");
  EXPECT_EQ(MimeTypeFor("module.mjs"), "application/javascript; charset=utf-8");
  EXPECT_EQ(MimeTypeFor("css.d/.css"), "text/css; charset=utf-8");
  // Rows easily confused: the two font types.
  EXPECT_EQ(MimeTypeFor("font.woff2"), "font/woff2");
  EXPECT_EQ(MimeTypeFor("font.woff"), "application/font-woff");
  EXPECT_EQ(MimeTypeFor("data.xml"), "text/xml; charset=utf-8");
  EXPECT_EQ(MimeTypeFor("data.json"), "application/json; charset=utf-8");
  for (const char* other : {"archive.tar.gz", "lib.d/readme", "name.", "README", "",
                            "script.js?v=3", "photo.\xC3\x89PNG"}) {
    EXPECT_EQ(MimeTypeFor(other), kOctets) << other;  // only ASCII folds
  }
}

TEST(IsServableDiskPath, RefusesWhatCouldLeaveTheFolderOrReadDifferentlyPerPlatform) {
  for (const char* path : {"", "a.txt", "sub/", "a..b", ".hidden", "..a", "a..", "a b/c d"}) {
    EXPECT_TRUE(IsServableDiskPath(path)) << path;
  }
  for (const char* path : {".", "..", "a/..", "a\\..\\x", "./a", "a/./b", "...", ". ", ".. /x",
                           "/etc/passwd", "\\x", "C:x", "a.txt::$DATA", "a//b", "sub\\b.png"}) {
    EXPECT_FALSE(IsServableDiskPath(path)) << path;
  }
  EXPECT_FALSE(IsServableDiskPath(std::string("a.txt\0../x", 10)));
}

TEST_F(ResponderTest, MissingPathsAndTraversalAttemptsAreNotFound) {
  // The check is what keeps these out: unchecked, they name real files outside the folder.
  ASSERT_TRUE(fs::exists(fs::path(responder_.DiskPathFor("../secret.txt"))));
  const std::string outside = Utf8(root_ / "app" / "secret.txt");
  for (const std::string tail :
       {"missing.js", "INDEX.html", "index.html%3Fv=2", "missing.js?a.txt", "..%2Fsecret.txt",
        "..%5Csecret.txt", "sub/../../secret.txt", "%2E%2E/secret.txt", ".../secret.txt",
        "..%20/secret.txt", "./a.txt", "C:/x", "a.txt::$DATA", "/etc/passwd", "\\\\server\\x",
        "..%2Fsecret.txt%00.png", "%C0%AE%C0%AE/secret.txt", outside.c_str(),
        // Real files, but named in forms that only one platform would resolve.
        "sub//b.png", "sub%5Cb.png", "sub%2F%2Fb.png"}) {
    EXPECT_EQ(Summary(responder_.AnswerUriTail(tail, std::nullopt)), kNotFound) << tail;
    EXPECT_EQ(Summary(responder_.AnswerUriTail(tail, "bytes=0-1")), kNotFound) << tail;
  }
  EXPECT_TRUE(responder_.mappedFiles().empty());
  // The body lives in static storage, not in the answer.
  EXPECT_EQ(responder_.Answer("other", std::nullopt).data,
            responder_.Answer("x", std::nullopt).data);
  ResourceResponder noFolder(bundle_, Utf8(root_ / "nowhere") + kSeparator, kSeparator);
  EXPECT_EQ(Summary(noFolder.Answer("", std::nullopt)), kNotFound);
}

}  // namespace
}  // namespace corvane
