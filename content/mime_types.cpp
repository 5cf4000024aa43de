#include "content/mime_types.h"

#include <functional>
#include <map>
#include <string>

#include "base/ascii.h"

namespace corvane {
namespace {

// Text types name their charset so the web view never has to guess an encoding.
const std::map<std::string, std::string, std::less<>>& MimeTable() {
  static const std::map<std::string, std::string, std::less<>> table = {
      {".html", "text/html; charset=utf-8"},
      {".htm", "text/html; charset=utf-8"},
      {".js", "application/javascript; charset=utf-8"},
      {".mjs", "application/javascript; charset=utf-8"},  // module scripts need a script type
      {".ts", "application/typescript; charset=utf-8"},
      {".css", "text/css; charset=utf-8"},
      {".json", "application/json; charset=utf-8"},
      {".xml", "text/xml; charset=utf-8"},
      {".csv", "text/csv; charset=utf-8"},
      {".tsv", "text/tab-separated-values; charset=utf-8"},
      {".txt", "text/plain; charset=utf-8"},
      {".md", "text/markdown; charset=utf-8"},
      {".ini", "text/plain; charset=utf-8"},
      {".wasm", "application/wasm"},
      {".wast", "application/wast"},
      {".png", "image/png"},
      {".apng", "image/apng"},
      {".jpg", "image/jpeg"},
      {".jpeg", "image/jpeg"},
      {".jxl", "image/jxl"},
      {".svg", "image/svg+xml"},
      {".webp", "image/webp"},
      {".gif", "image/gif"},
      {".tif", "image/tiff"},
      {".tiff", "image/tiff"},
      {".bmp", "image/bmp"},
      {".ico", "image/x-icon"},
      {".avif", "image/avif"},
      {".webm", "video/webm"},
      {".m4a", "audio/mp4"},
      {".mp3", "audio/mpeg"},
      {".mp4", "video/mp4"},
      {".mpg", "video/mpeg"},
      {".mpeg", "video/mpeg"},
      {".opus", "audio/ogg; codecs=opus"},
      {".ogg", "audio/ogg"},
      {".ogv", "video/ogg"},
      {".flac", "audio/flac"},
      {".wav", "audio/wav"},
      {".mid", "audio/midi"},
      {".midi", "audio/midi"},
      {".kar", "audio/midi"},
      {".woff", "application/font-woff"},
      {".woff2", "font/woff2"},
      {".ttf", "application/font-sfnt"},
      {".otf", "application/font-sfnt"},
      {".eot", "application/vnd.ms-fontobject"},
      {".zip", "application/zip"},
      {".pdf", "application/pdf"},
      {".scml", "text/xml"},
      {".scon", "application/json"},
  };
  return table;
}

}  // namespace

std::string MimeTypeFor(std::string_view path) {
  // The last dot anywhere counts, even inside a folder name when the file name has none.
  const std::size_t dot = path.rfind('.');
  const std::string extension =
      AsciiLowered(dot == std::string_view::npos ? std::string_view() : path.substr(dot));
  const auto& table = MimeTable();
  const auto it = table.find(extension);
  return it == table.end() ? "application/octet-stream" : it->second;
}

}  // namespace corvane
