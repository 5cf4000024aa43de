#include "base/folder_name.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

using namespace std::string_view_literals;

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

}  // namespace
}  // namespace corvane
