#pragma once
// Client side of the Chrome DevTools protocol: numbered commands, their replies and the events in
// between, with flat sessions (each attached target is addressed by a session id in the
// message). Transport-free: the owner writes the framed text this produces and feeds back every
// message it reads, so the same logic runs over a pipe or in a test.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace corvane {

struct DevToolsReply {
  bool ok = false;
  nlohmann::json result;  // the command's result object when ok
  std::string error;      // the browser's error message otherwise
};

struct DevToolsEvent {
  std::string method;
  std::string sessionId;  // empty for browser-level events
  nlohmann::json params;
};

class DevToolsClient {
 public:
  using Writer = std::function<void(std::string framedMessage)>;
  using ReplyHandler = std::function<void(const DevToolsReply&)>;
  using EventHandler = std::function<void(const DevToolsEvent&)>;

  // The browser stops reading a pipe that brings it a message longer than 100 MiB, its NUL
  // counted: nothing after it is ever answered.
  static constexpr std::size_t kMaxCommandSize = 100u << 20;

  explicit DevToolsClient(Writer writer, std::size_t maxCommandSize = kMaxCommandSize)
      : writer_(std::move(writer)), maxCommandSize_(maxCommandSize) {}

  // Sends a command; `onReply` (may be empty) runs when its reply arrives. An empty session id
  // addresses the browser itself. Returns the command's id, or 0 for a command whose frame is
  // longer than `maxCommandSize` (the browser's limit), which is neither sent nor answered.
  std::int64_t Send(std::string_view method, nlohmann::json params = nlohmann::json::object(),
                    std::string_view sessionId = {}, ReplyHandler onReply = {});

  // Sends a command as Send does, its `params` (an object) given one more string member: `name`
  // (text JSON writes as it is, without escapes) holding `bytes` in base64. The frame is the one
  // Send would write with that member among `params`, but the base64 is written straight into it,
  // never held as text of its own nor read again for escaping.
  std::int64_t SendWithBase64Member(std::string_view method, nlohmann::json params,
                                    std::string_view name, std::string_view bytes,
                                    std::string_view sessionId = {}, ReplyHandler onReply = {});

  void SetEventHandler(EventHandler handler) { onEvent_ = std::move(handler); }

  // Handles one message read from the browser. Returns false for text that is not a protocol
  // message (not JSON, or neither a reply nor an event); such text is otherwise ignored. A lone
  // surrogate escaped in a string reads as U+FFFD. The text is freed before handlers run. Once a
  // session has detached, its commands still awaited fail: the browser never answers them.
  bool Dispatch(std::string message);

  // Replies still awaited.
  std::size_t PendingCount() const { return pending_.size(); }

  // Fails every awaited reply with `reason` (the browser is gone and will not answer).
  void FailPending(const std::string& reason);

 private:
  struct Pending {
    ReplyHandler onReply;
    std::string sessionId;
  };

  // Awaits the reply to command `id` and writes its `frame`.
  std::int64_t Post(std::int64_t id, std::string frame, std::string_view sessionId,
                    ReplyHandler onReply);

  // Fails with `reason` every awaited command that `failing` picks. The handlers run once all
  // of them are out of the table, so one that sends a new command cannot meet a half-failed set.
  void Fail(const std::function<bool(const Pending&)>& failing, const std::string& reason);

  Writer writer_;
  std::size_t maxCommandSize_;
  EventHandler onEvent_;
  std::int64_t nextId_ = 1;
  std::map<std::int64_t, Pending> pending_;
};

}  // namespace corvane
