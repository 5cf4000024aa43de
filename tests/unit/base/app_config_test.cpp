#include "base/app_config.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace corvane {
namespace {

using Json = nlohmann::json;
using namespace std::string_literals;

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

const AppConfig& Minimal() {
  static const AppConfig config = Load(R"({"name":"a"})");
  return config;
}

std::string ConfigErrorText(std::string_view text) {
  AppConfig config;
  try {
    LoadAppConfig(text, config);
  } catch (const ConfigError& error) {
    return error.what();
  }
  return "(no error)";
}

TEST(AppConfig, EveryKeyIsRead) {
  const AppConfig config = Load(R"({
    "name": "Écrit", "main": "https://example.test/start", "chromium-args": "--foo",
    "window": {"title": "T", "width": 800.7, "height": -2.9, "icon": "i.png", "resizable": false},
    "settings": {"distribution-mode": "fixed", "hosting-mode": "window-to-visual",
                 "content-mode": "remote", "enable-devtools": false},
    "messages": {"install-webview2": "a", "downloading": "b", "install-webview2-failed": "c"}
  })");
  EXPECT_EQ(Fields(config),
            std::make_tuple("Écrit"s, "https://example.test/start"s, "T"s, 800, -2, "i.png"s, false,
                            "--foo"s, DistributionMode::Fixed, HostingMode::WindowToVisual,
                            ContentMode::Remote, false, "a"s, "b"s, "c"s));
}

// Sections or keys of the wrong type, in the wrong place or in another case read as missing.
TEST(AppConfig, KeysAreExactTypedAndOnlyInTheirPlace) {
  for (const char* window : {R"("big")", "null", "[1,2]", "3"}) {
    EXPECT_EQ(
        Fields(Load(R"({"name":"a","window":)"s + window + R"(,"settings":"x","messages":false})")),
        Fields(Minimal()))
        << window;
  }
  EXPECT_EQ(Fields(Load(R"({"name":"a","Main":"x.html","title":"top",
      "window":{"chromium-args":"--w","Title":"t","width":"640","resizable":0},
      "settings":{"chromium-args":"--s","Enable-Devtools":false,"unknown":1,
                  "distribution-mode":1,"hosting-mode":true,"content-mode":{}}})")),
            Fields(Minimal()));
}

TEST(AppConfig, NameMustBeANonEmptyString) {
  for (const char* text : {"{}", "[]", R"("demo")", "42", "null", R"({"name":""})", R"({"name":7})",
                           R"({"name":null})", R"({"name":["x"]})"}) {
    EXPECT_EQ(ConfigErrorText(text), "invalid name") << text;
  }
}

TEST(AppConfig, ModesMustBeKnownAndExact) {
  EXPECT_EQ(ConfigErrorText(R"({"name":"a","settings":{"distribution-mode":"Fixed"}})"),
            "invalid distribution mode");
  EXPECT_EQ(ConfigErrorText(R"({"name":"a","settings":{"hosting-mode":"visual"}})"),
            "invalid hosting mode");
  EXPECT_EQ(ConfigErrorText(R"({"name":"a","settings":{"content-mode":""}})"),
            "invalid content mode");
  // Checked in order: distribution before hosting before content.
  EXPECT_EQ(
      ConfigErrorText(
          R"({"name":"a","settings":{"content-mode":"x","hosting-mode":"x","distribution-mode":"x"}})"),
      "invalid distribution mode");
  // Fields before the failure are already assigned.
  AppConfig config;
  EXPECT_THROW(
      LoadAppConfig(R"({"name":"a","window":{"width":5},"settings":{"hosting-mode":"?"}})", config),
      ConfigError);
  EXPECT_EQ(config.name, "a");
  EXPECT_EQ(config.width, 5);
  EXPECT_EQ(config.distributionMode, DistributionMode::Evergreen);
}

TEST(AppConfig, InvalidJsonRaisesTheLibraryParseErrorAndTextEndsAtTheFirstZeroByte) {
  for (std::string text : {""s, "   "s, "{\"name\":\"a\" // note\n}"s, "/* c */ {\"name\":\"a\"}"s,
                           "{\"name\":\"a\"} trailing"s, "{\"name\":\"a\"\0}"s,
                           "\0{\"name\":\"a\"}"s, "{\"name\":\"a\",}"s}) {
    AppConfig config;
    EXPECT_THROW(LoadAppConfig(text, config), Json::parse_error) << text;
  }
  EXPECT_EQ(Load("{\"name\":\"a\"}\0garbage"s).name, "a");
  EXPECT_EQ(ParseJsonDocument("[1]\0]"s), Json::array({1}));
}

TEST(LenientReaders, GetIntKeepsLow32BitsAndSaturatesFloats) {
  const std::pair<const char*, std::int32_t> cases[] = {{"4294967297", 1},
                                                        {"-1", -1},
                                                        {"-4294967297", -1},
                                                        {"18446744073709551615", -1},
                                                        {"2147483648", INT32_MIN},
                                                        {"2.9", 2},
                                                        {"-2.9", -2},
                                                        {"1e12", INT32_MAX},
                                                        {"-1e12", INT32_MIN},
                                                        {"2147483647.9", INT32_MAX},
                                                        {"-2147483648.9", INT32_MIN},
                                                        {"true", 9},
                                                        {R"("5")", 9},
                                                        {"null", 9},
                                                        {"[1]", 9}};
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(GetInt(Json{{"k", Json::parse(value)}}, "k", 9), expected) << value;
  }
  EXPECT_EQ(GetInt(Json::object(), "k", 9), 9);
  EXPECT_EQ(GetInt(Json::array({1}), "0", 9), 9);
  EXPECT_EQ(GetInt(Json(5), "x", 9), 9);
}

TEST(LenientReaders, GetStringAndGetBoolAcceptOnlyTheirType) {
  const Json object = Json::parse(R"({"s":"text","b":false,"n":1,"z":null,"o":{}})");
  EXPECT_EQ(GetString(object, "s", "d"), "text");
  for (const char* key : {"b", "n", "z", "o", "missing"})
    EXPECT_EQ(GetString(object, key, "d"), "d");
  EXPECT_FALSE(GetBool(object, "b", true));
  for (const char* key : {"s", "n", "z", "o", "missing"}) EXPECT_TRUE(GetBool(object, key, true));
  EXPECT_EQ(GetString(Json("s"), "s", "d"), "d");
  EXPECT_TRUE(GetBool(Json(nullptr), "b", true));
}

}  // namespace
}  // namespace corvane
