#include "base/app_config.h"

#include <gtest/gtest.h>

#include <tuple>

#include "base/folder_name.h"
#include "base/json_members.h"

namespace corvane {
namespace {

using Json = nlohmann::json;
using namespace std::string_literals;
using namespace std::string_view_literals;

AppConfig Load(std::string_view text) {
  AppConfig config;
  LoadAppConfig(text, config);
  return config;
}

// Every field the loader writes, so two loads compare as a whole.
auto Fields(const AppConfig& c) {
  return std::make_tuple(c.name, c.main, c.title, c.width, c.height, c.icon, c.resizable,
                         c.chromiumArgs, c.distributionMode, c.hostingMode, c.contentMode,
                         c.enableDevtools, c.messages.installWebview2, c.messages.downloading,
                         c.messages.installWebview2Failed);
}

std::string ConfigErrorText(std::string_view text) {
  AppConfig config;
  try {
    LoadAppConfig(text, config);
  } catch (const ConfigError& error) {
    return error.what() + " | "s + error.userLine();
  }
  return "accepted";
}

TEST(AppConfig, KeysAreExactTypedAndOnlyInTheirPlace) {
  const auto minimal = Fields(Load(R"({"name":"a"})"));
  for (const char* window : {R"("big")", "null", "[1,2]", "3"}) {
    EXPECT_EQ(
        Fields(Load(R"({"name":"a","window":)"s + window + R"(,"settings":"x","messages":false})")),
        minimal)
        << window;
  }
  EXPECT_EQ(Fields(Load(R"({"name":"a","Main":"x.html","title":"top",
      "window":{"chromium-args":"--w","Title":"t","width":"640","resizable":0},
      "settings":{"chromium-args":"--s","Enable-Devtools":false,"unknown":1,
                  "distribution-mode":1,"hosting-mode":true,"content-mode":{}}})")),
            minimal);
}

TEST(AppConfig, RefusesValuesThatCannotWorkNamingTheKeyWhereItCan) {
  for (const char* text : {"{}", "[]", R"("demo")", "42", "null", R"({"name":""})", R"({"name":7})",
                           R"({"name":null})", R"({"name":["x"]})"}) {
    EXPECT_EQ(ConfigErrorText(text), "invalid name | ") << text;
  }
  EXPECT_EQ(ConfigErrorText(R"({"name":"../escape"})"),
            "invalid name | \"name\" must be usable as a folder name.");
  const std::pair<const char*, const char*> modes[] = {
      {R"("distribution-mode":"Fixed")", "invalid distribution mode | "},
      {R"("hosting-mode":"visual")", "invalid hosting mode | "},
      {R"("content-mode":"")", "invalid content mode | "}};
  for (const auto& [settings, error] : modes) {
    EXPECT_EQ(ConfigErrorText(R"({"name":"a","settings":{)"s + settings + "}}"), error);
  }
  const std::string remote = R"(","settings":{"content-mode":"remote"}})";
  for (const std::string main : {"index.html", "ftp://example.com/", "https://", "https:///x"}) {
    EXPECT_EQ(ConfigErrorText(R"({"name":"a","main":")" + main + remote),
              "invalid main | \"main\" must be an absolute http: or https: address in remote mode.")
        << main;
  }
  for (const std::string main :
       {"https://example.com", "HTTP://example.com:8080/game/", "https://example.com?x=1"}) {
    EXPECT_EQ(ConfigErrorText(R"({"name":"a","main":")" + main + remote), "accepted") << main;
  }
}

TEST(FolderName, AcceptsExactlyOneUsableFolderName) {
  const std::string_view accepted[] = {"my-app", "Game 2", ".hidden", "a.b.c",           "CONSOLE",
                                       "COM0",   "LPT10",  "naïve",   "  leading spaces"};
  for (std::string_view name : accepted) EXPECT_TRUE(IsUsableFolderName(name)) << name;
  const std::string_view refused[] = {
      "",       "   ",       ".",         "..",   "a/b",   "a\\b",    "x:y",        "a*",
      "a?",     "a\"b",      "a<b",       "a>b",  "a|b",   "a\x01",   "a\x7F",      "tab\there",
      "a\0b"sv, "trailing.", "trailing ", "CON",  "con",   "Con.txt", "NUL.tar.gz", "aux",
      "PRN",    "COM1",      "com9.log",  "lpt9", "CON .x"};
  for (std::string_view name : refused) EXPECT_FALSE(IsUsableFolderName(name)) << name;
  // Superscript 1, 2 and 3 number ports as well; other superscripts and two digits do not.
  for (std::string_view name : {"COM\xC2\xB9"sv, "lpt\xC2\xB3.txt"sv, "LPT\xC2\xB2"sv}) {
    EXPECT_FALSE(IsUsableFolderName(name)) << name;
  }
  EXPECT_TRUE(IsUsableFolderName("COM\xC2\xB4"));
  EXPECT_TRUE(IsUsableFolderName("LPT\xC2\xB9\xC2\xB9"));
  // At most 255 UTF-16 units: 127 characters of two units each fit, 128 do not.
  EXPECT_TRUE(IsUsableFolderName(std::string(255, 'x')));
  EXPECT_FALSE(IsUsableFolderName(std::string(256, 'x')));
  std::string emoji;
  for (int i = 0; i < 127; ++i) emoji += "\xF0\x9F\x8E\xAE";
  EXPECT_TRUE(IsUsableFolderName(emoji));
  EXPECT_FALSE(IsUsableFolderName(emoji + "\xF0\x9F\x8E\xAE"));
}

TEST(AppConfig, InvalidJsonRaisesTheLibraryParseErrorAndTextEndsAtTheFirstZeroByte) {
  for (std::string text : {""s, "{\"name\":\"a\" // note\n}"s, "{\"name\":\"a\"} trailing"s,
                           "{\"name\":\"a\"\0}"s, "\0{\"name\":\"a\"}"s, "{\"name\":\"a\",}"s}) {
    AppConfig config;
    EXPECT_THROW(LoadAppConfig(text, config), Json::parse_error) << text;
  }
  EXPECT_EQ(Load("{\"name\":\"a\"}\0garbage"s).name, "a");
}

TEST(LenientReaders, GetIntKeepsLow32BitsAndSaturatesFloats) {
  const Json values = Json::parse(R"([4294967297, -1, -4294967297, 18446744073709551615, 2147483648,
      2.9, -2.9, 1e12, -1e12, 2147483647.9, -2147483648.9, true, "5", null, [1]])");
  const std::int32_t expected[] = {1,         -1,        -1,        -1, INT32_MIN, 2, -2, INT32_MAX,
                                   INT32_MIN, INT32_MAX, INT32_MIN, 9,  9,         9, 9};
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(GetInt(Json{{"k", values[i]}}, "k", 9), expected[i]) << values[i];
  }
}

}  // namespace
}  // namespace corvane
