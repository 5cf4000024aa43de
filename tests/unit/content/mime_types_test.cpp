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

TEST(MimeTypeFor, KnowsTheTableRows) {
  EXPECT_EQ(MimeTypeFor("font.woff2"), "font/woff2");
  EXPECT_EQ(MimeTypeFor("font.woff"), "application/font-woff");
  EXPECT_EQ(MimeTypeFor("data.scml"), "text/xml");
  EXPECT_EQ(MimeTypeFor("data.scon"), "application/json");
  EXPECT_EQ(MimeTypeFor("data.xml"), "text/xml; charset=utf-8");
  EXPECT_EQ(MimeTypeFor("data.json"), "application/json; charset=utf-8");
  EXPECT_EQ(MimeTypeFor("a.tsv"), "text/tab-separated-values; charset=utf-8");
  EXPECT_EQ(MimeTypeFor("a.ini"), "text/plain; charset=utf-8");
  EXPECT_EQ(MimeTypeFor("a.wasm"), "application/wasm");
  EXPECT_EQ(MimeTypeFor("a.jpeg"), "image/jpeg");
  EXPECT_EQ(MimeTypeFor("a.ico"), "image/x-icon");
  EXPECT_EQ(MimeTypeFor("a.opus"), "audio/ogg; codecs=opus");
  EXPECT_EQ(MimeTypeFor("a.kar"), "audio/midi");
  EXPECT_EQ(MimeTypeFor("a.otf"), "application/font-sfnt");
  EXPECT_EQ(MimeTypeFor("a.eot"), "application/vnd.ms-fontobject");
  EXPECT_EQ(MimeTypeFor("a.pdf"), "application/pdf");
}

}  // namespace
}  // namespace corvane
