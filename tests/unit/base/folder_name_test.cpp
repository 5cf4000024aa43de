#include "base/folder_name.h"

#include <gtest/gtest.h>

#include <string>

#include "base/app_config.h"

namespace corvane {
namespace {

TEST(FolderName, AcceptsOrdinaryNames) {
  for (const std::string& name : std::initializer_list<std::string>{
           "my-app", "Game 2", ".hidden", "a.b.c", "CONSOLE", "COM0", "LPT10", "naïve",
           "  leading spaces", std::string(255, 'x')}) {
    EXPECT_TRUE(IsUsableFolderName(name)) << name;
  }
  // 255 UTF-16 units of a two-unit character would be 510; 127 of them fit.
  std::string emoji;
  for (int i = 0; i < 127; ++i) emoji += "\xF0\x9F\x8E\xAE";
  EXPECT_TRUE(IsUsableFolderName(emoji));
  EXPECT_FALSE(IsUsableFolderName(emoji + "\xF0\x9F\x8E\xAE"));
}

TEST(FolderName, RefusesNamesThatAreNotOneFolder) {
  for (const std::string& name : std::initializer_list<std::string>{
           "",      "   ",       ".",         "..",
           "../x",  "a/b",       "a\\b",      "x:y",
           "C:",    "a*",        "a?",        "a\"b",
           "a<b",   "a>b",       "a|b",       std::string("a\x01", 2),
           "a\x7F", "tab\there", "trailing.", "trailing ",
           "CON",   "con",       "Con.txt",   "NUL.tar.gz",
           "aux",   "PRN",       "COM1",      "com9.log",
           "LPT1",  "lpt9",      "CON .x",    std::string(256, 'x')}) {
    EXPECT_FALSE(IsUsableFolderName(name)) << name;
  }
  EXPECT_FALSE(IsUsableFolderName(std::string("a\0b", 3)));
}

std::string ConfigErrorLine(const std::string& json) {
  AppConfig config;
  try {
    LoadAppConfig(json, config);
  } catch (const ConfigError& error) {
    return error.userLine();
  }
  return "accepted";
}

TEST(FolderName, AnUnusableNameStopsStartUpNamingTheKey) {
  EXPECT_EQ(ConfigErrorLine(R"({"name":"../escape"})"),
            "\"name\" must be usable as a folder name.");
  EXPECT_EQ(ConfigErrorLine(R"({"name":"CON"})"), "\"name\" must be usable as a folder name.");
  EXPECT_EQ(ConfigErrorLine(R"({"name":""})"), "");  // the old message alone
  EXPECT_EQ(ConfigErrorLine(R"({"name":"ok"})"), "accepted");
  EXPECT_EQ(PackageJsonParseMessage("\"name\" must be usable as a folder name."),
            "Failed to parse package.json. Check the file has valid JSON and that all parameters "
            "are correct.\n\"name\" must be usable as a folder name.");
  EXPECT_EQ(PackageJsonParseMessage(""),
            "Failed to parse package.json. Check the file has valid JSON and that all parameters "
            "are correct.");
}

TEST(FolderName, RemoteModeNeedsAnAbsoluteWebAddress) {
  const std::string remoteLine =
      "\"main\" must be an absolute http: or https: address in remote mode.";
  for (const std::string& main : std::initializer_list<std::string>{
           "index.html", "", "file:///c:/x.html", "https://", "https:///x", "ftp://example.com/",
           "//example.com/", "example.com"}) {
    EXPECT_EQ(ConfigErrorLine(R"({"name":"a","main":")" + main +
                              R"(","settings":{"content-mode":"remote"}})"),
              remoteLine)
        << main;
  }
  for (const std::string& main : std::initializer_list<std::string>{
           "https://example.com", "HTTP://example.com:8080/game/", "https://example.com?x=1"}) {
    EXPECT_EQ(ConfigErrorLine(R"({"name":"a","main":")" + main +
                              R"(","settings":{"content-mode":"remote"}})"),
              "accepted")
        << main;
  }
  // Bundle mode keeps a relative start page.
  EXPECT_EQ(ConfigErrorLine(R"({"name":"a","main":"index.html"})"), "accepted");
}

}  // namespace
}  // namespace corvane
