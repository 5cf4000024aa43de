#pragma once
// Answers every request under the app's origin: from the asset bundle, else from the loose files
// of the content folder, with a MIME type, no caching and single byte ranges. Platform adapters
// turn the answer into the web view's response (resource_stream_win.cpp on Windows; the
// DevTools Fetch domain on Linux).

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/asset_bundle.h"
#include "content/mapped_file.h"
#include "content/range_header.h"

namespace corvane {

struct ResourceAnswer {
  enum class BodyKind {
    None,       // no body at all
    Bytes,      // `size` bytes at `data`, valid while `dataOwner` or else the bundle lives
    WholeFile,  // stream the whole disk file at `filePath`, `size` bytes as measured
  };

  int status = 0;
  std::string reason;
  std::vector<std::string> headers;  // complete lines without line ends, in order
  BodyKind body = BodyKind::None;
  const std::uint8_t* data = nullptr;
  std::uint64_t size = 0;
  // Keeps the bytes at `data` readable while held, past the responder and its cache; null when
  // they are static or belong to a bundle the responder was given no owner for.
  std::shared_ptr<const void> dataOwner;
  std::string filePath;

  // Header lines joined with "\n", none after the last.
  std::string HeaderBlock() const;

  // Turns the answer into 500 "Internal Server Error" without a body. Its other header lines
  // stay, but not Content-Length or Content-Range: no length may be promised for bytes that will
  // never come.
  void FailWithoutBody();
};

// Longest body handed over by default. A host that reads bodies in place passes no limit.
inline constexpr std::uint64_t kMaxCopiedBodySize = 0xFFFFFFFFu;

// Whether a decoded relative path may be looked up on disk: no segment between "/" is empty (a
// trailing "/" aside) or made of dots and spaces only (".", "..", "..." and the like, which the
// platform may resolve to a parent); no "\\" (a separator on Windows alone), no ":" (drives,
// alternate streams), no NUL.
bool IsServableDiskPath(std::string_view relativePath);

// 404 "Not Found" with the body "File not found" and only the Cache-Control line.
ResourceAnswer NotFoundAnswer();

// Serves the bundle first, then the loose files under the content root. Single-threaded: the web
// view raises every request on the UI thread.
class ResourceResponder {
 public:
  // `contentRoot` is the content folder ending in the platform separator; relative paths are
  // joined to it with every "/" turned into `separator`. Bodies longer than `maxCopiedBodySize`
  // are refused with 500. `bundleOwner`, when given, keeps the bundle's memory valid and is
  // shared with every answer that points into it.
  ResourceResponder(const AssetBundle& bundle, std::string contentRoot, char separator,
                    std::uint64_t maxCopiedBodySize = kMaxCopiedBodySize,
                    std::shared_ptr<const void> bundleOwner = nullptr);
  ~ResourceResponder();
  ResourceResponder(const ResourceResponder&) = delete;
  ResourceResponder& operator=(const ResourceResponder&) = delete;

  // `relativePath` is already percent-decoded; `rangeValue` is the raw Range header value when
  // the request has one. Never throws for any input.
  ResourceAnswer Answer(std::string_view relativePath, std::optional<std::string_view> rangeValue);

  // Decodes the URI text after the base URL, up to its query, then answers it.
  ResourceAnswer AnswerUriTail(std::string_view undecodedTail,
                               std::optional<std::string_view> rangeValue);

  // The cached view of a disk file now `size` bytes long, mapping it on first use and again when
  // the cached view has another length or the path names another file; null when it cannot be
  // mapped. Entries stay until
  // ReleaseMappedFiles or a new mapping; each answer into one holds the mapping as well.
  SharedMapping MapDiskFile(const std::string& relativePath, const std::string& diskPath,
                            std::uint64_t size);

  // Empties the cache; a mapping is unmapped once no answer holds it either.
  void ReleaseMappedFiles();

  const std::map<std::string, SharedMapping>& mappedFiles() const { return mappedFiles_; }

  // contentRoot + relative path, "/" turned into the separator.
  std::string DiskPathFor(std::string_view relativePath) const;

 private:
  const AssetBundle& bundle_;
  std::string contentRoot_;
  char separator_;
  std::uint64_t maxCopiedBodySize_;
  std::shared_ptr<const void> bundleOwner_;           // null when none was given
  std::map<std::string, SharedMapping> mappedFiles_;  // keyed by decoded relative path
};

}  // namespace corvane
