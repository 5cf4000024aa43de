#include "content/mime_types.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(MimeTypeFor, MatchesTheLastDotCaseInsensitively) {
  EXPECT_EQ(MimeTypeFor("INDEX.HTML"), "text/html; charset=utf-8");
  EXPECT_EQ(MimeTypeFor("index.Html"), "text/html; charset=utf-8");
  EXPECT_EQ(MimeTypeFor("js/app.min.JS"), "application/javascript; charset=utf-8");
  EXPECT_EQ(MimeTypeFor("archive.tar.gz"), "application/octet-stream");
  EXPECT_EQ(MimeTypeFor("lib.d/readme"), "application/octet-stream");
  EXPECT_EQ(MimeTypeFor("css.d/.css"), "text/css; charset=utf-8");
  EXPECT_EQ(MimeTypeFor("name."), "application/octet-stream");
  EXPECT_EQ(MimeTypeFor("README"), "application/octet-stream");
  EXPECT_EQ(MimeTypeFor(""), "application/octet-stream");
  EXPECT_EQ(MimeTypeFor("script.js?v=3"), "application/octet-stream");
  EXPECT_EQ(MimeTypeFor("photo.\xC3\x89PNG"), "application/octet-stream");  // only ASCII folds
}

}  // namespace
}  // namespace corvane
