#include "chromium/xdg_folders.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(XdgFolders, UserDirsAndFallbacks) {
  const auto dirs = ParseUserDirs(
      "# comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\nXDG_DOCUMENTS_DIR=\"/srv/docs\"\n"
      "XDG_VIDEOS_DIR=\"relative\"\nbroken line\nXDG_MUSIC_DIR=$HOME/unquoted\n"
      "XDG_TEMPLATES_DIR=\"/srv/templates\" \t\r\n",
      "/home/u");
  EXPECT_EQ(dirs.at("XDG_DESKTOP_DIR"), "/home/u/Schreibtisch");
  EXPECT_EQ(dirs.at("XDG_DOCUMENTS_DIR"), "/srv/docs");
  EXPECT_EQ(dirs.count("XDG_VIDEOS_DIR"), 0u);
  EXPECT_EQ(dirs.count("XDG_MUSIC_DIR"), 0u);
  EXPECT_EQ(dirs.at("XDG_TEMPLATES_DIR"), "/srv/templates");  // trailing blanks of a line ignored

  const auto env = [](const char* name) -> std::string {
    if (std::string(name) == "HOME") return "/home/u";
    if (std::string(name) == "XDG_CONFIG_HOME") return "/cfg";
    return "";
  };
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::Desktop, env, dirs), "/home/u/Schreibtisch");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::Videos, env, dirs), "/home/u/Videos");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::LocalAppData, env, dirs), "/home/u/.local/share");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::RoamingAppData, env, dirs), "/cfg");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::Profile, env, dirs), "/home/u");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::Screenshots, env, dirs), "/home/u/Pictures/Screenshots");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::SavedGames, env, dirs), "");
  EXPECT_EQ(ResolveXdgFolder(KnownFolder::Documents, [](const char*) { return std::string(); }, {}),
            "");
}

}  // namespace
}  // namespace corvane
