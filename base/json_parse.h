#pragma once
// JSON text from sources the shell does not control (the browser's protocol messages, the page's
// messages), parsed so that a lone UTF-16 surrogate cannot cost the whole message and a large
// message costs its own size once more, not two or three times.

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace corvane {

// Rewrites every `\uXXXX` escape in `text` that names a lone surrogate (a high one not followed by
// a low one, or a low one on its own) as `\uFFFD`, in place: the text keeps its length. Such
// escapes come from JavaScript strings cut inside a character, which the JSON parser refuses.
// Returns whether anything was rewritten.
bool ReplaceLoneSurrogateEscapes(std::string& text);

// Parses `text` like nlohmann::json::parse without exceptions (a discarded value when the text is
// not JSON), but moves each string out of the parser instead of copying it, so a document's peak
// memory is the text plus the result.
nlohmann::json ParseJsonMovingStrings(std::string_view text);

// Parses `text` as ParseJsonMovingStrings does, consuming it, except that a lone surrogate escape
// anywhere in it reads as U+FFFD instead of costing the whole text. When it is at least `liftFrom`
// bytes long, its longest string literal is first decoded in place, inside `text` itself, and put
// back into the result afterwards, so a message made mostly of one string (a page's message inside
// a protocol event) is held once while it is parsed, not three times (the text, the parser's token
// and its copy of the token's characters).
// Below a megabyte the copies cost less than the extra scan for the longest string.
inline constexpr std::size_t kLiftStringsFrom = 1u << 20;
nlohmann::json ParseJsonLiftingLongestString(std::string& text,
                                             std::size_t liftFrom = kLiftStringsFrom);

}  // namespace corvane
