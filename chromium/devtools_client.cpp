#include "chromium/devtools_client.h"

#include <vector>

#include "base/base64.h"
#include "base/json_parse.h"
#include "chromium/devtools_framing.h"

namespace corvane {

namespace {

nlohmann::json Message(std::int64_t id, std::string_view method, nlohmann::json params,
                       std::string_view sessionId) {
  nlohmann::json message = nlohmann::json::object();
  message["id"] = id;
  message["method"] = method;
  message["params"] = std::move(params);
  if (!sessionId.empty()) message["sessionId"] = sessionId;
  return message;
}

std::string Dump(const nlohmann::json& value) {
  // Replacement instead of an exception: a page or library may hand us text that is not UTF-8.
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

std::int64_t DevToolsClient::Send(std::string_view method, nlohmann::json params,
                                  std::string_view sessionId, ReplyHandler onReply) {
  const std::int64_t id = nextId_++;
  const std::string text = Dump(Message(id, method, std::move(params), sessionId));
  if (text.size() + 1 > maxCommandSize_) return 0;  // the frame's NUL counts too
  return Post(id, FrameMessage(text), sessionId, std::move(onReply));
}

std::int64_t DevToolsClient::SendWithBase64Member(std::string_view method, nlohmann::json params,
                                                  std::string_view name, std::string_view bytes,
                                                  std::string_view sessionId,
                                                  ReplyHandler onReply) {
  const std::int64_t id = nextId_++;
  // With empty params, `"params":{}` occurs once: every other quote in the text is a string's
  // own, escaped. The params' members go between those braces as the library writes an object,
  // in the order of its keys, so the new member takes its place among them.
  const std::string outer = Dump(Message(id, method, nlohmann::json::object(), sessionId));
  const std::size_t inside = outer.find(R"("params":{})") + 10;
  params.erase(std::string(name));
  std::string before, after;  // the members on either side of the new one, with their commas
  for (const auto& [key, value] : params.items()) {
    std::string member = Dump(key) + ':' + Dump(value);
    if (key < name) {
      before.append(member).push_back(',');
    } else {
      after.append(",").append(member);
    }
  }
  const std::size_t encodedSize = Base64Size(bytes.size());
  const std::size_t frameSize =
      outer.size() + before.size() + name.size() + encodedSize + after.size() + 6;
  if (frameSize > maxCommandSize_) return 0;

  std::string frame;
  frame.reserve(frameSize);
  frame.append(outer, 0, inside).append(before).append("\"").append(name).append("\":\"");
  const std::size_t encodedAt = frame.size();
  frame.resize(encodedAt + encodedSize);
  Base64EncodeTo(frame.data() + encodedAt, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                 bytes.size());
  frame.append("\"").append(after).append(outer, inside).push_back('\0');
  return Post(id, std::move(frame), sessionId, std::move(onReply));
}

std::int64_t DevToolsClient::Post(std::int64_t id, std::string frame, std::string_view sessionId,
                                  ReplyHandler onReply) {
  pending_.emplace(id, Pending{std::move(onReply), std::string(sessionId)});
  writer_(std::move(frame));
  return id;
}

bool DevToolsClient::Dispatch(std::string message) {
  // The browser writes a page's string as it is, so text cut inside a character reaches us as a
  // lone surrogate escape, which the parser reads as U+FFFD. A large message is mostly a page's
  // message or a request's body: its string is decoded where it lies, so it is held once.
  nlohmann::json parsed = ParseJsonLiftingLongestString(message);
  std::string().swap(message);
  if (!parsed.is_object()) return false;

  const auto id = parsed.find("id");
  if (id != parsed.end() && id->is_number_integer()) {
    const auto waiting = pending_.find(id->get<std::int64_t>());
    if (waiting == pending_.end()) return true;  // a reply nobody waits for any more
    ReplyHandler handler = std::move(waiting->second.onReply);
    pending_.erase(waiting);
    if (!handler) return true;
    DevToolsReply reply;
    const auto error = parsed.find("error");
    if (error != parsed.end()) {
      reply.error =
          error->is_object() && error->contains("message") && (*error)["message"].is_string()
              ? (*error)["message"].get<std::string>()
              : error->dump();
    } else {
      reply.ok = true;
      const auto result = parsed.find("result");
      reply.result = result != parsed.end() ? std::move(*result) : nlohmann::json::object();
    }
    handler(reply);
    return true;
  }

  const auto method = parsed.find("method");
  if (method == parsed.end() || !method->is_string()) return false;
  DevToolsEvent event;
  event.method = method->get<std::string>();
  const auto session = parsed.find("sessionId");
  if (session != parsed.end() && session->is_string())
    event.sessionId = session->get<std::string>();
  const auto params = parsed.find("params");
  event.params = params != parsed.end() ? std::move(*params) : nlohmann::json::object();
  if (onEvent_) onEvent_(event);
  if (event.method == "Target.detachedFromTarget") {
    const auto detached = event.params.find("sessionId");
    if (detached != event.params.end() && detached->is_string()) {
      const std::string sessionId = detached->get<std::string>();
      Fail([&](const Pending& command) { return command.sessionId == sessionId; },
           "session detached");
    }
  }
  return true;
}

void DevToolsClient::FailPending(const std::string& reason) {
  Fail([](const Pending&) { return true; }, reason);
}

void DevToolsClient::Fail(const std::function<bool(const Pending&)>& failing,
                          const std::string& reason) {
  std::vector<ReplyHandler> handlers;
  for (auto command = pending_.begin(); command != pending_.end();) {
    if (!failing(command->second)) {
      ++command;
      continue;
    }
    handlers.push_back(std::move(command->second.onReply));
    command = pending_.erase(command);
  }
  DevToolsReply reply;
  reply.error = reason;
  for (const ReplyHandler& handler : handlers) {
    if (handler) handler(reply);
  }
}

}  // namespace corvane
