#include "bridge/message_bridge.h"

#include <nlohmann/json.hpp>

#include "base/json_members.h"
#include "base/json_parse.h"
#include "bridge/extension_manager.h"

namespace corvane {

namespace {

// Compact, members in name order (the default object), non-ASCII written as UTF-8. Bytes that are
// not UTF-8 become U+FFFD instead of throwing: one bad component id must not cost the page its
// reply and the library every queued message.
std::string SerializeCompact(const nlohmann::json& value) {
  return value.dump(-1, ' ', /*ensure_ascii=*/false, nlohmann::json::error_handler_t::replace);
}

// The message as a JSON value, discarded when it is not JSON. A lone surrogate escape (text cut
// inside a character) reads as U+FFFD instead of costing the message. The library still gets the
// page's own text.
nlohmann::json ParseMessage(std::string_view text) {
  const auto zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  // Parsed from a copy, which the parser may rewrite. A large message is mostly one string:
  // decoded where it lies in the copy, it costs its size twice (text and copy), not four times.
  std::string copy(text);
  return ParseJsonLiftingLongestString(copy);
}

}  // namespace

MessageBridge::MessageBridge(BridgeHost& host, ExtensionManager* extensions)
    : host_(host), extensions_(extensions) {}

void MessageBridge::HandleWebMessage(std::string_view text) { Handle(text, nullptr); }

void MessageBridge::HandleWebMessageString(const std::string& text) { Handle(text, &text); }

void MessageBridge::Handle(std::string_view text, const std::string* whole) {
  // The page is untrusted input and this runs inside a web view event: whatever goes wrong, the
  // message is dropped and the UI thread carries on.
  try {
    bool forExtension = false;
    {
      const nlohmann::json message = ParseMessage(text);
      const std::string type = GetString(message, "type");
      if (type == "wrapper-init") {
        HandleWrapperInit();
      } else if (type == "set-fullscreen") {
        host_.SetFullscreen(GetBool(message, "fullscreen", false));
      } else if (type == "set-window-size") {
        const std::int32_t height = GetInt(message, "windowHeight", 0);
        const std::int32_t width = GetInt(message, "windowWidth", 0);
        host_.SetClientSize(width, height);
      } else if (type == "set-window-position") {
        const std::int32_t y = GetInt(message, "windowY", 0);
        const std::int32_t x = GetInt(message, "windowX", 0);
        host_.SetWindowPosition(x, y);
      } else if (type == "extension-message") {
        forExtension = true;
      }
    }
    // The parsed copy is gone before the text is copied for the library: a large message costs
    // its size once more, not twice.
    if (forExtension && extensions_ != nullptr) {
      if (whole != nullptr) {
        extensions_->DeliverExtensionMessage(*whole);
      } else {
        extensions_->DeliverExtensionMessage(std::string(text));
      }
    }
  } catch (...) {
  }
}

void MessageBridge::HandleWrapperInit() {
  host_.SendDirectoryHandles();

  nlohmann::json ids = nlohmann::json::array();
  if (extensions_ != nullptr) {
    for (const std::string& id : extensions_->componentIds) ids.push_back(id);
  }
  nlohmann::json reply = nlohmann::json::object();
  reply["type"] = "wrapper-init-response";
  reply["registeredComponentIds"] = std::move(ids);
  host_.PostHandshakeReply(SerializeCompact(reply));

  if (extensions_ == nullptr) return;
  for (const std::string& queued : extensions_->pendingMessages) host_.PostJson(queued);
  extensions_->pageReady = true;
  extensions_->pendingMessages.clear();
}

}  // namespace corvane
