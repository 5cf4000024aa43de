// What the Linux shell sets up around the browser: its command line, the per-user folders and
// the recovery of a crashed page or browser.

#include "chromium/chromium_launch.h"
#include "chromium/shell_recovery.h"
#include "chromium/xdg_folders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace corvane {
namespace {

using nlohmann::json;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

TEST(SplitCommandLine, WhiteSpaceQuotesAndEscapes) {
  EXPECT_THAT(SplitCommandLine(""), ElementsAre());
  EXPECT_THAT(SplitCommandLine("  --a   --b\t--c\n"), ElementsAre("--a", "--b", "--c"));
  EXPECT_THAT(SplitCommandLine(R"(--rules="MAP a b" "x y"z)"),
              ElementsAre("--rules=MAP a b", "x yz"));
  EXPECT_THAT(SplitCommandLine(R"("say \"hi\" \\ \n" "")"), ElementsAre(R"(say "hi" \ \n)", ""));
}

// The app's arguments come first, so the shell's profile is the one the browser keeps.
TEST(ChromiumArguments, AppArgumentsFirstThenTheShellsOwn) {
  AppConfig config{.name = "demo",
                   .width = 640,
                   .height = 480,
                   .chromiumArgs = "--lang=de --user-data-dir=/elsewhere"};
  ChromiumLaunchOptions options{.profileFolder = "/home/u/.local/share/demo", .headless = true};
  EXPECT_THAT(ChromiumArguments(config, options),
              ElementsAre("--lang=de", "--user-data-dir=/elsewhere", "--headless",
                          "--remote-debugging-pipe", "--user-data-dir=/home/u/.local/share/demo",
                          "--no-first-run", "--no-default-browser-check", "--test-type",
                          "--host-resolver-rules=MAP corvane.localhost ~NOTFOUND, "
                          "MAP *.large.corvane-loopback.localhost 127.0.0.1",
                          "--class=demo", "--window-size=640,480", "--app=data:text/html,"));
  // Only the loopback endpoint's own port is declared public, and only when there is one.
  options.headless = false;
  options.largeAnswerPort = 41234;
  config.width = 0;
  EXPECT_THAT(ChromiumArguments(config, options),
              AllOf(Not(Contains("--headless")),
                    Contains("--ip-address-space-overrides=127.0.0.1:41234=public").Times(1),
                    Contains("--window-size=1024,480").Times(1)));
}

TEST(XdgFolders, TheAppsDataFolderUserDirsAndFallbacks) {
  EXPECT_EQ(UserDataFolderFor("demo", "/data", "/home/u"), "/data/demo");
  EXPECT_EQ(UserDataFolderFor("demo", "/data/", "/home/u"), "/data/demo");
  EXPECT_EQ(UserDataFolderFor("demo", nullptr, "/home/u"), "/home/u/.local/share/demo");
  // A relative XDG_DATA_HOME is invalid and ignored.
  EXPECT_EQ(UserDataFolderFor("demo", "relative", "/home/u/"), "/home/u/.local/share/demo");
  EXPECT_EQ(UserDataFolderFor("demo", "", nullptr), std::nullopt);
  EXPECT_EQ(UserDataFolderFor("demo", nullptr, "nowhere"), std::nullopt);

  const auto dirs = ParseUserDirs(
      "# comment\n\n#XDG_SOUND_DIR=\"/srv/old\"\n"
      "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\nXDG_DOCUMENTS_DIR=\"/srv/docs\"\n"
      "XDG_VIDEOS_DIR=\"relative\"\nbroken line\nXDG_MUSIC_DIR=$HOME/unquoted\n"
      " \tXDG_TEMPLATES_DIR=\"/srv/templates\" \t\r\n"
      // Shell text: escapes undone, a comment after the value, "$HOMEX" not "$HOME" then "X".
      "XDG_DOWNLOAD_DIR=\"$HOME/Cash\\$ \\\"x\\\"\" # mine\nXDG_PICTURES_DIR=\"$HOMEX/p\"\n"
      "XDG_DOC_DIR=\"$HOME\"\nXDG_OPEN_DIR=\"/srv/open\nXDG_TAIL_DIR=\"/srv/t\" tail\n",
      "/home/u");
  // Nothing from the commented-out, relative, unquoted or unterminated lines; blanks around a
  // line ignored.
  EXPECT_EQ(dirs, (std::map<std::string, std::string>{{"XDG_DESKTOP_DIR", "/home/u/Schreibtisch"},
                                                      {"XDG_DOCUMENTS_DIR", "/srv/docs"},
                                                      {"XDG_DOC_DIR", "/home/u"},
                                                      {"XDG_DOWNLOAD_DIR", "/home/u/Cash$ \"x\""},
                                                      {"XDG_TEMPLATES_DIR", "/srv/templates"}}));

  // An environment with only HOME and XDG_CONFIG_HOME set.
  const auto environment = [](std::string home, std::string configHome) {
    return [=](const std::string& name) {
      return name == "HOME" ? home : name == "XDG_CONFIG_HOME" ? configHome : "";
    };
  };
  const auto env = environment("/home/u", "/cfg");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::Desktop, env, dirs), "/home/u/Schreibtisch");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::Videos, env, dirs), "/home/u/Videos");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::LocalAppData, env, dirs), "/home/u/.local/share");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::RoamingAppData, env, dirs), "/cfg");
  // A relative XDG_CONFIG_HOME is ignored.
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::RoamingAppData, environment("/home/u", "relative"), {}),
            "/home/u/.config");
  EXPECT_EQ(UserDirsPath(env), "/cfg/user-dirs.dirs");
  const auto relativeHome = environment("home/u", "");
  EXPECT_EQ(UserDirsPath(relativeHome), "");  // not a file below the working folder
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::Profile, env, dirs), "/home/u");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::Screenshots, env, dirs), "/home/u/Pictures/Screenshots");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::SavedGames, env, dirs), "");
}

TEST(ShellRecovery, GivesTheWindowsLastNormalBoundsOnlyToARestartedBrowser) {
  ShellRecovery recovery;
  const json placed = {{"left", 40}, {"top", 30}, {"width", 700}, {"height", 500}};
  json reported = placed;
  reported["windowState"] = "normal";
  recovery.RememberWindowBounds(reported);
  EXPECT_EQ(recovery.WindowBoundsToRestore(), std::nullopt);  // the first browser's own size
  // Fullscreen and minimized bounds are not the window's place.
  recovery.RememberWindowBounds(
      {{"left", 0}, {"top", 0}, {"width", 1}, {"height", 1}, {"windowState", "fullscreen"}});
  EXPECT_TRUE(recovery.RestartAfterExit());
  EXPECT_EQ(recovery.WindowBoundsToRestore(), placed);
  // Maximized, it is maximized again over its last place, until it is seen normal again.
  json maximized = placed;
  maximized["windowState"] = "maximized";
  recovery.RememberWindowBounds({{"left", -8}, {"windowState", "maximized"}});
  EXPECT_EQ(recovery.WindowBoundsToRestore(), maximized);
  recovery.RememberWindowBounds(reported);
  EXPECT_EQ(recovery.WindowBoundsToRestore(), placed);
}

}  // namespace
}  // namespace corvane
