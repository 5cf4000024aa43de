#include "chromium/fetch_fulfill.h"

#include <charconv>
#include <fstream>

#include "base/ascii.h"
#include "content/range_header.h"

namespace corvane {

namespace {

// First byte position of a "Content-Range: bytes F-L/T" line among the answer's headers.
std::optional<std::uint64_t> ContentRangeFirst(const ResourceAnswer& answer) {
  static constexpr std::string_view kPrefix = "Content-Range: bytes ";
  for (const std::string& line : answer.headers) {
    if (!line.starts_with(kPrefix)) continue;
    std::uint64_t first = 0;
    const char* begin = line.data() + kPrefix.size();
    const char* end = line.data() + line.size();
    const auto [next, error] = std::from_chars(begin, end, first);
    if (error != std::errc() || next == begin || next == end || *next != '-') return std::nullopt;
    return first;
  }
  return std::nullopt;
}

}  // namespace

nlohmann::json ResponseHeadersFromLines(const std::vector<std::string>& lines) {
  nlohmann::json headers = nlohmann::json::array();
  for (const std::string& line : lines) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    headers.push_back({{"name", TrimWhitespace(std::string_view(line).substr(0, colon))},
                       {"value", TrimWhitespace(std::string_view(line).substr(colon + 1))}});
  }
  return headers;
}

nlohmann::json FulfillParams(std::string_view requestId, const ResourceAnswer& answer) {
  nlohmann::json params = nlohmann::json::object();
  params["requestId"] = requestId;
  params["responseCode"] = answer.status;
  params["responsePhrase"] = answer.reason;
  params["responseHeaders"] = ResponseHeadersFromLines(answer.headers);
  return params;
}

std::int64_t SendFulfillRequest(DevToolsClient& client, std::string_view requestId,
                                const ResourceAnswer& answer, std::string_view body) {
  if (body.empty()) return client.Send("Fetch.fulfillRequest", FulfillParams(requestId, answer));
  return client.SendWithBase64Member("Fetch.fulfillRequest", FulfillParams(requestId, answer),
                                     "body", body);
}

std::optional<std::string> LoadBody(const ResourceAnswer& answer) {
  std::string body;
  if (answer.body == ResourceAnswer::BodyKind::Bytes) {
    body.assign(reinterpret_cast<const char*>(answer.data), answer.size);
  } else if (answer.body == ResourceAnswer::BodyKind::WholeFile) {
    // No more than announced, should the file have grown since it was measured.
    body.resize(BodyLength(answer));
    std::ifstream file(answer.filePath, std::ios::binary);
    if (!file.read(body.data(), std::streamsize(body.size()))) return std::nullopt;
  }
  return body;
}

std::int64_t SendFulfillRequest(DevToolsClient& client, std::string_view requestId,
                                ResourceAnswer answer) {
  if (answer.body == ResourceAnswer::BodyKind::Bytes) {
    const std::string_view body(reinterpret_cast<const char*>(answer.data), answer.size);
    return SendFulfillRequest(client, requestId, answer, body);
  }
  const std::optional<std::string> body = LoadBody(answer);
  if (!body) answer.FailWithoutBody();
  return SendFulfillRequest(client, requestId, answer, body ? *body : std::string_view());
}

std::optional<std::string> CappedRangeFor(std::optional<std::string_view> rangeValue,
                                          const ResourceAnswer& answer, std::uint64_t limit) {
  if (!rangeValue || answer.status != 206 || BodyLength(answer) <= limit || limit == 0)
    return std::nullopt;
  const std::string range = TrimWhitespace(*rangeValue);
  // Only "bytes=N-": a closed range or a suffix asks for exactly those bytes.
  if (!range.starts_with("bytes=") || range.size() < 8 || range.back() != '-' ||
      range.find_first_of(",", 6) != std::string::npos || range[6] == '-') {
    return std::nullopt;
  }
  const std::optional<std::uint64_t> first = ContentRangeFirst(answer);
  if (!first) return std::nullopt;
  return "bytes=" + std::to_string(*first) + "-" + std::to_string(*first + limit - 1);
}

std::uint64_t BodyLength(const ResourceAnswer& answer) {
  return answer.body == ResourceAnswer::BodyKind::None ? 0 : answer.size;
}

std::optional<std::string> RequestHeader(const nlohmann::json& headers, std::string_view name) {
  if (!headers.is_object()) return std::nullopt;
  for (const auto& [key, value] : headers.items()) {
    if (EqualsIgnoringAsciiCase(key, name) && value.is_string()) return value.get<std::string>();
  }
  return std::nullopt;
}

ResourceAnswer PreflightAnswer() {
  ResourceAnswer answer;
  answer.status = 204;
  answer.reason = "No Content";
  answer.headers = {"Cache-Control: no-store"};
  return answer;
}

std::optional<std::string> PausedRequestIdIn(std::string_view messageHead) {
  // Read as far as the text goes: the parser reports each member before it meets the cut.
  // Depth 1 is the message, depth 2 its params.
  std::string keys[3];
  std::string method, requestId;
  using Event = nlohmann::json::parse_event_t;
  const nlohmann::json readSoFar = nlohmann::json::parse(
      messageHead,
      [&](int depth, Event event, nlohmann::json& parsed) {
        if (depth < 1 || depth > 2) return true;
        if (event == Event::key) {
          keys[depth] = parsed.get<std::string>();
        } else if (event == Event::value && parsed.is_string()) {
          if (depth == 1 && keys[1] == "method") method = parsed.get<std::string>();
          if (depth == 2 && keys[1] == "params" && keys[2] == "requestId")
            requestId = parsed.get<std::string>();
        }
        return true;
      },
      false);
  if (method != "Fetch.requestPaused" || requestId.empty()) return std::nullopt;
  return requestId;
}

}  // namespace corvane
