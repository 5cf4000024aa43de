#include "base/app_config.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

using Json = nlohmann::json;
using namespace std::string_literals;

AppConfig Load(std::string_view text) {
  AppConfig config;
  LoadAppConfig(text, config);
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

TEST(AppConfig, MinimalFileTakesEveryDefault) {
  const AppConfig config = Load(R"({"name":"demo"})");
  EXPECT_EQ(config.name, "demo");
  EXPECT_EQ(config.main, "index.html");
  EXPECT_EQ(config.title, "Windows Corvane");
  EXPECT_EQ(config.width, 1024);
  EXPECT_EQ(config.height, 768);
  EXPECT_EQ(config.icon, "");
  EXPECT_EQ(config.iconHandle, nullptr);
  EXPECT_TRUE(config.resizable);
  EXPECT_EQ(config.chromiumArgs, "");
  EXPECT_EQ(config.distributionMode, DistributionMode::Evergreen);
  EXPECT_EQ(config.hostingMode, HostingMode::Windowed);
  EXPECT_EQ(config.contentMode, ContentMode::Bundle);
  EXPECT_TRUE(config.enableDevtools);
  EXPECT_EQ(config.messages.installWebview2,
            "This app requires the Microsoft Edge WebView2 runtime. It will be downloaded and "
            "installed for you now.");
  EXPECT_EQ(config.messages.downloading, "Downloading...");
  EXPECT_EQ(config.messages.installWebview2Failed,
            "Failed to install the Microsoft Edge WebView2 runtime. Check that you have "
            "permission to install it, and that your Internet connection is working. Run the app "
            "again to try again.");
}

TEST(AppConfig, EveryKeyIsRead) {
  const AppConfig config = Load(R"({
    "name": "Écrit", "main": "https://example.test/start", "chromium-args": "--foo",
    "window": {"title": "T", "width": 800.7, "height": -2.9, "icon": "i.png", "resizable": false},
    "settings": {"distribution-mode": "fixed", "hosting-mode": "window-to-visual",
                 "content-mode": "remote", "enable-devtools": false},
    "messages": {"install-webview2": "a", "downloading": "b", "install-webview2-failed": "c"}
  })");
  EXPECT_EQ(config.name, "Écrit");
  EXPECT_EQ(config.main, "https://example.test/start");
  EXPECT_EQ(config.chromiumArgs, "--foo");
  EXPECT_EQ(config.title, "T");
  EXPECT_EQ(config.width, 800);
  EXPECT_EQ(config.height, -2);
  EXPECT_EQ(config.icon, "i.png");
  EXPECT_FALSE(config.resizable);
  EXPECT_EQ(config.distributionMode, DistributionMode::Fixed);
  EXPECT_EQ(config.hostingMode, HostingMode::WindowToVisual);
  EXPECT_EQ(config.contentMode, ContentMode::Remote);
  EXPECT_FALSE(config.enableDevtools);
  EXPECT_EQ(config.messages.installWebview2, "a");
  EXPECT_EQ(config.messages.downloading, "b");
  EXPECT_EQ(config.messages.installWebview2Failed, "c");
}

TEST(AppConfig, NameMustBeANonEmptyString) {
  for (const char* text : {"{}", "[]", R"("demo")", "42", "null", R"({"name":""})",
                           R"({"name":7})", R"({"name":null})", R"({"name":["x"]})"}) {
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
  EXPECT_EQ(ConfigErrorText(
                R"({"name":"a","settings":{"content-mode":"x","hosting-mode":"x","distribution-mode":"x"}})"),
            "invalid distribution mode");
  // A mode that is not a string is not read at all.
  const AppConfig config = Load(R"({"name":"a","settings":{"distribution-mode":1,
                                    "hosting-mode":true,"content-mode":{}}})");
  EXPECT_EQ(config.distributionMode, DistributionMode::Evergreen);
  EXPECT_EQ(config.hostingMode, HostingMode::Windowed);
  EXPECT_EQ(config.contentMode, ContentMode::Bundle);
}

TEST(AppConfig, FieldsBeforeAFailureAreAlreadyAssigned) {
  AppConfig config;
  EXPECT_THROW(LoadAppConfig(R"({"name":"a","window":{"width":5},"settings":{"hosting-mode":"?"}})",
                             config),
               ConfigError);
  EXPECT_EQ(config.name, "a");
  EXPECT_EQ(config.width, 5);
  EXPECT_EQ(config.distributionMode, DistributionMode::Evergreen);
}

TEST(AppConfig, SectionsOfTheWrongTypeGiveDefaults) {
  for (const char* window : {R"("big")", "null", "[1,2]", "3"}) {
    const AppConfig config =
        Load(R"({"name":"a","window":)"s + window + R"(,"settings":"x","messages":false})");
    EXPECT_EQ(config.title, "Windows Corvane") << window;
    EXPECT_EQ(config.width, 1024) << window;
    EXPECT_EQ(config.height, 768) << window;
    EXPECT_TRUE(config.resizable) << window;
    EXPECT_EQ(config.messages.downloading, "Downloading...") << window;
  }
}

TEST(AppConfig, KeysAreExactAndOnlyInTheirPlace) {
  const AppConfig config = Load(R"({"name":"a","Main":"x.html","title":"top",
      "window":{"chromium-args":"--w","Title":"t","width":"640","resizable":0},
      "settings":{"chromium-args":"--s","Enable-Devtools":false,"unknown":1}})");
  EXPECT_EQ(config.main, "index.html");
  EXPECT_EQ(config.title, "Windows Corvane");
  EXPECT_EQ(config.chromiumArgs, "");
  EXPECT_EQ(config.width, 1024);
  EXPECT_TRUE(config.resizable);
  EXPECT_TRUE(config.enableDevtools);
}

TEST(AppConfig, InvalidJsonRaisesTheLibraryParseError) {
  for (std::string text : {""s, "   "s, "{\"name\":\"a\" // note\n}"s, "/* c */ {\"name\":\"a\"}"s,
                           "{\"name\":\"a\"} trailing"s, "{\"name\":\"a\"\0}"s, "\0{\"name\":\"a\"}"s,
                           "{\"name\":\"a\",}"s}) {
    AppConfig config;
    EXPECT_THROW(LoadAppConfig(text, config), Json::parse_error) << text;
  }
}

TEST(AppConfig, TextEndsAtTheFirstZeroByte) {
  const std::string text = "{\"name\":\"a\"}\0garbage"s;
  EXPECT_EQ(Load(text).name, "a");
  EXPECT_EQ(ParseJsonDocument("[1]\0]"s), Json::array({1}));
}

TEST(LenientReaders, GetIntKeepsLow32BitsAndSaturatesFloats) {
  const Json object = Json::parse(R"({
    "big": 4294967297, "neg": -1, "wrapNeg": -4294967297, "u64": 18446744073709551615,
    "half": 2147483648, "f": 2.9, "nf": -2.9, "huge": 1e12, "tiny": -1e12,
    "edge": 2147483647.9, "nedge": -2147483648.9, "t": true, "s": "5", "n": null, "a": [1]
  })");
  EXPECT_EQ(GetInt(object, "big", 9), 1);
  EXPECT_EQ(GetInt(object, "neg", 9), -1);
  EXPECT_EQ(GetInt(object, "wrapNeg", 9), -1);
  EXPECT_EQ(GetInt(object, "u64", 9), -1);
  EXPECT_EQ(GetInt(object, "half", 9), INT32_MIN);
  EXPECT_EQ(GetInt(object, "f", 9), 2);
  EXPECT_EQ(GetInt(object, "nf", 9), -2);
  EXPECT_EQ(GetInt(object, "huge", 9), INT32_MAX);
  EXPECT_EQ(GetInt(object, "tiny", 9), INT32_MIN);
  EXPECT_EQ(GetInt(object, "edge", 9), INT32_MAX);
  EXPECT_EQ(GetInt(object, "nedge", 9), INT32_MIN);
  for (const char* key : {"t", "s", "n", "a", "missing"}) EXPECT_EQ(GetInt(object, key, 9), 9) << key;
  EXPECT_EQ(GetInt(Json::array({1}), "0", 9), 9);
  EXPECT_EQ(GetInt(Json(5), "x", 9), 9);
}

TEST(LenientReaders, GetStringAndGetBoolAcceptOnlyTheirType) {
  const Json object = Json::parse(R"({"s":"text","b":false,"n":1,"z":null,"o":{}})");
  EXPECT_EQ(GetString(object, "s", "d"), "text");
  for (const char* key : {"b", "n", "z", "o", "missing"}) EXPECT_EQ(GetString(object, key, "d"), "d");
  EXPECT_FALSE(GetBool(object, "b", true));
  for (const char* key : {"s", "n", "z", "o", "missing"}) EXPECT_TRUE(GetBool(object, key, true));
  EXPECT_EQ(GetString(Json("s"), "s", "d"), "d");
  EXPECT_TRUE(GetBool(Json(nullptr), "b", true));
}

}  // namespace
}  // namespace corvane
