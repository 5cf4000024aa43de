#pragma once
// Turning the responder's answers into the DevTools Fetch domain's terms. A single message to
// the browser must stay well under what its pipe accepts (a message of about 100 MiB closes it),
// so bodies are handed over inline only up to a limit; larger ones take another road.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "chromium/devtools_client.h"
#include "content/resource_responder.h"

namespace corvane {

// Largest body sent inside a Fetch.fulfillRequest message (before base64), and the piece an
// open range is cut to.
inline constexpr std::uint64_t kInlineBodyLimit = 4u << 20;

// Bodies larger than this go over the loopback endpoint while it runs. Base64 inside a protocol
// message costs the browser far more per byte: a 1 MiB asset arrives about five times slower that
// way, and a media seek waits a quarter of a second for its piece. Below it the extra connection
// costs more than the encoding saves.
inline constexpr std::uint64_t kLoopbackBodyFrom = 256u << 10;

// {"name","value"} objects from "Name: value" lines, in order; a line without ":" is skipped.
nlohmann::json ResponseHeadersFromLines(const std::vector<std::string>& lines);

// Parameters of Fetch.fulfillRequest for `answer`, all but its body.
nlohmann::json FulfillParams(std::string_view requestId, const ResourceAnswer& answer);

// Sends Fetch.fulfillRequest for `answer` with `body` (already loaded; none when empty) as its
// body, the body's base64 written straight into the frame. Returns what `client`'s Send does.
std::int64_t SendFulfillRequest(DevToolsClient& client, std::string_view requestId,
                                const ResourceAnswer& answer, std::string_view body);

// The same for an answer whose body is still to be loaded: bytes in memory are read where they
// lie, a whole file is read. A file that no longer gives the bytes its Content-Length announced
// turns the answer into 500 without a body, never into a success with fewer bytes.
std::int64_t SendFulfillRequest(DevToolsClient& client, std::string_view requestId,
                                ResourceAnswer answer);

// The answer's body: bytes in memory copied, a whole file read up to the length it announced;
// none when the file no longer gives that many bytes.
std::optional<std::string> LoadBody(const ResourceAnswer& answer);

// Media players ask for "bytes=N-" and take whatever part comes back. When such an open range
// was answered with more than `limit` bytes, this is the closed range of the first `limit` bytes
// to ask the responder for instead; none when the answer may stand.
std::optional<std::string> CappedRangeFor(std::optional<std::string_view> rangeValue,
                                          const ResourceAnswer& answer, std::uint64_t limit);

// Number of body bytes the answer announces and carries: its size, 0 without a body.
std::uint64_t BodyLength(const ResourceAnswer& answer);

// Value of a header in the Fetch domain's request header object, matched without regard to
// ASCII case; none when absent or not a string.
std::optional<std::string> RequestHeader(const nlohmann::json& headers, std::string_view name);

// The request id of a Fetch.requestPaused event read from the start of its text alone, as kept
// of a message too large to read whole (a large request body travels inside it twice); none when
// the start is of another message or ends before the id.
std::optional<std::string> PausedRequestIdIn(std::string_view messageHead);

// The answer to a CORS preflight: the app's origin grants nothing to other origins, as its
// ordinary answers carry no Access-Control headers either.
ResourceAnswer PreflightAnswer();

}  // namespace corvane
