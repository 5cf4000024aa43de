#include "content/resource_responder.h"

#include <algorithm>
#include <utility>

#include "base/file_helpers.h"
#include "content/mime_types.h"
#include "content/url_decode.h"

namespace corvane {
namespace {

constexpr char kNotFoundBody[] = "File not found";
constexpr std::uint8_t kEmptyBody[1] = {0};

const std::uint8_t* AsBytes(const char* text) {
  return reinterpret_cast<const std::uint8_t*>(text);
}

void SetBytes(ResourceAnswer& answer, const std::uint8_t* data, std::uint64_t size,
              std::shared_ptr<const void> owner) {
  answer.body = ResourceAnswer::BodyKind::Bytes;
  answer.data = size == 0 ? kEmptyBody : data;
  answer.size = size;
  if (size != 0) answer.dataOwner = std::move(owner);
}

void SetWholeFile(ResourceAnswer& answer, const std::string& diskPath, std::uint64_t size) {
  answer.body = ResourceAnswer::BodyKind::WholeFile;
  answer.filePath = diskPath;
  answer.size = size;
}

// ".", "..", "...", ". ." and the like: the platform may strip trailing dots and spaces and treat
// what is left as the current or the parent folder.
bool IsDotSegment(std::string_view segment) {
  if (segment.empty()) return false;
  for (char c : segment) {
    if (c != '.' && c != ' ') return false;
  }
  return true;
}

}  // namespace

ResourceAnswer NotFoundAnswer() {
  ResourceAnswer answer;
  answer.headers.push_back("Cache-Control: no-store");
  answer.status = 404;
  answer.reason = "Not Found";
  answer.body = ResourceAnswer::BodyKind::Bytes;
  answer.data = AsBytes(kNotFoundBody);
  answer.size = sizeof(kNotFoundBody) - 1;
  return answer;
}

bool IsServableDiskPath(std::string_view relativePath) {
  // A backslash separates folders on Windows only, and an empty segment ("a//b") is a name error
  // there but not on Linux; refusing both lets the same URI name the same file on every host.
  if (relativePath.find_first_of(std::string_view(":\\\0", 3)) != std::string_view::npos) {
    return false;
  }
  std::size_t start = 0;
  while (start < relativePath.size()) {
    const std::size_t end = std::min(relativePath.find('/', start), relativePath.size());
    const std::string_view segment = relativePath.substr(start, end - start);
    if (segment.empty() || IsDotSegment(segment)) return false;
    start = end + 1;
  }
  return true;
}

ResourceResponder::ResourceResponder(const AssetBundle& bundle, std::string contentRoot,
                                     char separator, std::uint64_t maxCopiedBodySize,
                                     std::shared_ptr<const void> bundleOwner)
    : bundle_(bundle),
      contentRoot_(std::move(contentRoot)),
      separator_(separator),
      maxCopiedBodySize_(maxCopiedBodySize),
      bundleOwner_(std::move(bundleOwner)) {}

ResourceResponder::~ResourceResponder() { ReleaseMappedFiles(); }

std::string ResourceResponder::DiskPathFor(std::string_view relativePath) const {
  std::string path = contentRoot_;
  path.reserve(path.size() + relativePath.size());
  for (char c : relativePath) path.push_back(c == '/' ? separator_ : c);
  return path;
}

ResourceAnswer ResourceResponder::AnswerUriTail(std::string_view undecodedTail,
                                                std::optional<std::string_view> rangeValue) {
  // The query names no file: "app.js?v=2" is app.js. A "?" in a file name arrives as "%3F".
  return Answer(PercentDecodePath(undecodedTail.substr(0, undecodedTail.find('?'))), rangeValue);
}

ResourceAnswer ResourceResponder::Answer(std::string_view relativePath,
                                         std::optional<std::string_view> rangeValue) {
  ResourceAnswer answer;
  answer.headers.push_back("Cache-Control: no-store");

  const std::string path(relativePath);
  const FileEntry* entry = bundle_.Find(path);
  if (entry && bundle_.mode != ReadMode::Memory) {
    // Only a mapped bundle can hand out its bytes in place.
    answer.FailWithoutBody();
    return answer;
  }

  std::string diskPath;
  std::uint64_t total = 0;
  if (entry) {
    total = entry->size;
  } else {
    if (!IsServableDiskPath(path)) return NotFoundAnswer();
    diskPath = DiskPathFor(path);
    const std::int64_t size = FileSize(diskPath);
    if (size < 0) return NotFoundAnswer();  // missing or unreadable
    total = std::uint64_t(size);
  }
  const auto bundleBytes = [&](std::uint64_t first) {
    return entry->size == 0 ? nullptr : bundle_.DataPointer(entry->offset) + first;
  };

  answer.headers.push_back("Content-Type: " + MimeTypeFor(path));
  answer.headers.push_back("Accept-Ranges: bytes");

  if (!rangeValue) {
    answer.headers.push_back("Content-Length: " + std::to_string(total));
    answer.status = 200;
    answer.reason = "OK";
    if (entry) {
      if (total > maxCopiedBodySize_) {
        answer.FailWithoutBody();
      } else {
        SetBytes(answer, bundleBytes(0), total, bundleOwner_);
      }
    } else if (total > 0) {  // folders read as size 0 and have nothing to stream
      SetWholeFile(answer, diskPath, total);
    }
    return answer;
  }

  const std::optional<ByteRange> range = ParseRangeHeader(TrimWhitespace(*rangeValue), total);
  if (!range) {
    answer.status = 416;
    answer.reason = "Range Not Satisfiable";
    return answer;
  }
  const std::uint64_t length = range->Length();
  answer.headers.push_back("Content-Range: bytes " + std::to_string(range->first) + "-" +
                           std::to_string(range->last) + "/" + std::to_string(total));
  answer.headers.push_back("Content-Length: " + std::to_string(length));
  answer.status = 206;
  answer.reason = "Partial Content";

  if (entry) {
    if (length > maxCopiedBodySize_) {
      answer.FailWithoutBody();
    } else {
      SetBytes(answer, bundleBytes(range->first), length, bundleOwner_);
    }
    return answer;
  }
  if (length == total) {
    SetWholeFile(answer, diskPath, total);
    return answer;
  }
  // The file may still change between its size and its mapping: serve only what the view holds.
  const SharedMapping mapped = MapDiskFile(path, diskPath, total);
  if (!mapped || range->last >= mapped->length || length > maxCopiedBodySize_) {
    answer.FailWithoutBody();
    return answer;
  }
  SetBytes(answer, mapped->view + range->first, length, mapped);
  return answer;
}

SharedMapping ResourceResponder::MapDiskFile(const std::string& relativePath,
                                             const std::string& diskPath, std::uint64_t size) {
  const auto found = mappedFiles_.find(relativePath);
  // A view of another size, or of a file since replaced under the same name, holds older bytes:
  // they must not go out as this file's. Answers still reading it keep it alive.
  if (found != mappedFiles_.end() && found->second->length == size &&
      PathStillNamesMappedFile(*found->second, diskPath)) {
    return found->second;
  }
  if (found != mappedFiles_.end()) mappedFiles_.erase(found);
  SharedMapping mapped = MapWholeFileShared(diskPath);
  if (mapped) mappedFiles_.emplace(relativePath, mapped);
  return mapped;
}

void ResourceResponder::ReleaseMappedFiles() { mappedFiles_.clear(); }

}  // namespace corvane
