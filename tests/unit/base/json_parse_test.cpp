#include "base/json_parse.h"

#include <gtest/gtest.h>

#include <tuple>

namespace corvane {
namespace {

using nlohmann::json;

TEST(JsonParseTest, LoneSurrogateEscapesBecomeReplacementCharacters) {
  const std::tuple<std::string, std::string, bool> cases[] = {
      {R"(["\ud83d"])", R"(["\uFFFD"])", true},  // a high one cut from its pair
      {R"(["\ud83d\ud83d\ude00"])", R"(["\uFFFD\ud83d\ude00"])", true},
      {R"(["\uDC00\uDFFF"])", R"(["\uFFFD\uFFFD"])", true},  // the ends of the low range
      {R"(["\ud800\udfff\udbff\udc00"])", R"(["\ud800\udfff\udbff\udc00"])", false},
      {R"(["\\ud83d", "\"\ud800"])", R"(["\\ud83d", "\"\uFFFD"])", true},  // escaped backslash
      {R"(["\ud83)", R"(["\ud83)", false},                                 // cut short
      {R"(["\uDBG0"])", R"(["\uDBG0"])", false},                           // not hexadecimal
      {R"(["\ud83dxude00"])", R"(["\uFFFDxude00"])", true},  // no backslash: not an escape
  };
  for (const auto& [in, out, rewritten] : cases) {
    std::string text = in;
    EXPECT_EQ(ReplaceLoneSurrogateEscapes(text), rewritten) << in;
    EXPECT_EQ(text, out) << in;
  }
}

TEST(JsonParseTest, MovingParserBuildsWhatTheLibraryParserBuilds) {
  const std::string text =
      R"({"a":[1,-2,3.5,"x",[],{},{"b":[true,false,null]}],"s":"\u00e9\n","a2":{"k":"v"},)"
      R"("dup":1,"dup":"last","big":18446744073709551615})";
  EXPECT_EQ(ParseJsonMovingStrings(text), json::parse(text));
  EXPECT_EQ(ParseJsonMovingStrings("\"top\""), "top");
  for (const char* bad : {"", "{", R"({"a":1} x)", R"({"a":})", "[1,]", "\"\xff\""}) {
    EXPECT_TRUE(ParseJsonMovingStrings(bad).is_discarded()) << bad;
  }
}

TEST(JsonParseTest, LiftingTheLongestStringGivesTheSameDocument) {
  const std::string payload =
      std::string(300, 'p') + R"( \"\\\/\b\f\n\r\t\u00e9\u0000\ud83d\ude00)";
  const std::string event =
      R"({"method":"Runtime.bindingCalled","params":{"name":"b","payload":")" + payload +
      R"(","executionContextId":3},"sessionId":"S"})";
  std::string text = event;
  EXPECT_EQ(ParseJsonLiftingLongestString(text, 100), json::parse(event));
  // Below the threshold, with the longest string a member name, overridden by a later member of
  // the same name, or as plain JSON text.
  for (const std::string& other :
       {event, R"({")" + std::string(200, 'k') + R"(" : "v", "a": [1, "x"]})",
        R"({"data":")" + std::string(200, 'x') + R"(","data":"short"})", std::string("[1,2]")}) {
    std::string copy = other;
    EXPECT_EQ(ParseJsonLiftingLongestString(copy, other == event ? 10000 : 10), json::parse(other));
  }
  // A lone surrogate, in the lifted string or elsewhere, reads as U+FFFD; a broken one fails the
  // whole text.
  std::string cut = R"({"text":"a\udc00","payload":")" + std::string(100, 'c') + R"(\ud83d"})";
  EXPECT_EQ(ParseJsonLiftingLongestString(cut, 10),
            json({{"text", "a\xEF\xBF\xBD"}, {"payload", std::string(100, 'c') + "\xEF\xBF\xBD"}}));
  const std::string open = R"({"p":")" + std::string(100, 'b');
  for (std::string bad : {open + R"(\x"})", open + "\x01\"}", open + R"("} trailing)", open}) {
    EXPECT_TRUE(ParseJsonLiftingLongestString(bad, 10).is_discarded());
  }
  // Nesting as deep as a page likes costs no stack.
  const std::size_t depth = 1'000'000;
  std::string deep =
      std::string(depth, '[') + '"' + std::string(100, 'd') + '"' + std::string(depth, ']');
  const json parsed = ParseJsonLiftingLongestString(deep, 10);
  const json* inner = &parsed;
  for (std::size_t level = 0; level < depth && inner->is_array(); ++level) inner = &inner->at(0);
  EXPECT_EQ(*inner, std::string(100, 'd'));
}

}  // namespace
}  // namespace corvane
