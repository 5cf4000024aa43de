// The browser's command line and the per-user folder of the Linux shell.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "chromium/chromium_launch.h"

namespace corvane {
namespace {

using ::testing::ElementsAre;

TEST(SplitCommandLine, WhiteSpaceQuotesAndEscapes) {
  EXPECT_THAT(SplitCommandLine(""), ElementsAre());
  EXPECT_THAT(SplitCommandLine("  --a   --b\t--c\n"), ElementsAre("--a", "--b", "--c"));
  EXPECT_THAT(SplitCommandLine(R"(--rules="MAP a b" "x y"z)"),
              ElementsAre("--rules=MAP a b", "x yz"));
  EXPECT_THAT(SplitCommandLine(R"("say \"hi\" \\ \n" "")"), ElementsAre(R"(say "hi" \ \n)", ""));
  EXPECT_THAT(SplitCommandLine(R"("unterminated quote)"), ElementsAre("unterminated quote"));
}

TEST(UserDataFolderFor, FollowsTheBaseDirectoryRules) {
  EXPECT_EQ(UserDataFolderFor("demo", "/data", "/home/u"), "/data/demo");
  EXPECT_EQ(UserDataFolderFor("demo", "/data/", "/home/u"), "/data/demo");
  EXPECT_EQ(UserDataFolderFor("demo", nullptr, "/home/u"), "/home/u/.local/share/demo");
  // A relative XDG_DATA_HOME is invalid and ignored.
  EXPECT_EQ(UserDataFolderFor("demo", "relative", "/home/u/"), "/home/u/.local/share/demo");
  EXPECT_EQ(UserDataFolderFor("demo", "", nullptr), std::nullopt);
  EXPECT_EQ(UserDataFolderFor("demo", nullptr, "nowhere"), std::nullopt);
}

TEST(ChromiumArguments, AppArgumentsFirstThenTheShellsOwn) {
  AppConfig config;
  config.width = 640;
  config.height = 480;
  config.chromiumArgs = "--lang=de --user-data-dir=/elsewhere";
  ChromiumLaunchOptions options;
  options.profileFolder = "/home/u/.local/share/demo";
  options.headless = true;
  const std::vector<std::string> args = ChromiumArguments(config, options);
  ASSERT_GE(args.size(), 4u);
  EXPECT_EQ(args[0], "--lang=de");
  EXPECT_EQ(args[1], "--user-data-dir=/elsewhere");
  const auto has = [&](const std::string& a) {
    return std::find(args.begin(), args.end(), a) != args.end();
  };
  EXPECT_TRUE(has("--headless"));
  EXPECT_TRUE(has("--remote-debugging-pipe"));
  EXPECT_TRUE(
      has("--host-resolver-rules=MAP corvane.localhost ~NOTFOUND, "
          "MAP *.large.corvane-loopback.localhost 127.0.0.1"));
  EXPECT_TRUE(has("--window-size=640,480"));
  EXPECT_TRUE(has("--test-type"));  // no warning bar over the app
  // The shell's profile comes after the app's, so it is the one the browser keeps.
  const auto ours =
      std::find(args.begin(), args.end(), "--user-data-dir=/home/u/.local/share/demo");
  EXPECT_GT(ours - args.begin(), 1);
  EXPECT_EQ(args.back(), "--app=data:text/html,");

  // Only the loopback endpoint's own port is declared public, and only when there is one.
  EXPECT_EQ(std::count_if(args.begin(), args.end(),
                          [](const std::string& a) { return a.find("address-space") != a.npos; }),
            0);
  options.headless = false;
  options.largeAnswerPort = 41234;
  const std::vector<std::string> windowed = ChromiumArguments(config, options);
  EXPECT_EQ(std::count(windowed.begin(), windowed.end(), std::string("--headless")), 0);
  EXPECT_EQ(std::count(windowed.begin(), windowed.end(),
                       std::string("--ip-address-space-overrides=127.0.0.1:41234=public")),
            1);
}

}  // namespace
}  // namespace corvane
