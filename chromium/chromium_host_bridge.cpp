// The Linux host's half of the message bridge: bindings handed to each new app document, page
// messages checked and passed on, messages for the page delivered into the document they were
// meant for.
//
// The Runtime domain is on only while a new document takes its bindings. With it on, the browser
// wraps, serialises and sends us every console call of the page, which doubles what logging costs
// the page. Bindings stay usable after the domain is turned off, but a document created while it
// is off gets none, so each app document is given them once it exists.

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "base/json_members.h"
#include "base/json_parse.h"
#include "base/text_path.h"
#include "chromium/chromium_host.h"
#include "chromium/page_bridge_script.h"

namespace corvane {

using nlohmann::json;

void ChromiumHost::AttachBridge() {
  const std::uint64_t attempt = ++attachAttempt_;
  bridgeAttached_ = false;
  attachSent_ = false;
  bindingsAdded_ = false;
  // Enabling the domain reports every context that exists, but only when it was off: it is turned
  // off first in case an earlier document's attempt left it on.
  client_.Send("Runtime.disable", json::object(), mainSessionId_);
  contexts_.clear();
  mainContextUniqueId_.clear();
  client_.Send("Runtime.enable", json::object(), mainSessionId_);
  auto remaining = std::make_shared<int>(2);
  for (const std::string_view name : {kBridgeBindingName, kControlBindingName}) {
    client_.Send("Runtime.addBinding", {{"name", std::string(name)}}, mainSessionId_,
                 [this, attempt, remaining](const DevToolsReply&) {
                   if (--*remaining != 0 || attempt != attachAttempt_) return;
                   bindingsAdded_ = true;
                   OfferBindings();
                 });
  }
}

void ChromiumHost::OfferBindings() {
  if (!bindingsAdded_ || attachSent_ || bridgeAttached_ || mainContextUniqueId_.empty()) return;
  attachSent_ = true;
  const std::uint64_t attempt = attachAttempt_;
  client_.Send("Runtime.evaluate",
               {{"expression", AttachExpression()}, {"uniqueContextId", mainContextUniqueId_}},
               mainSessionId_, [this, attempt](const DevToolsReply& reply) {
                 if (attempt != attachAttempt_) return;
                 if (!reply.ok) {
                   // The context went first; its successor, when one comes, is offered them.
                   attachSent_ = false;
                   return;
                 }
                 bridgeAttached_ = true;
                 client_.Send("Runtime.disable", json::object(), mainSessionId_);
                 FlushOutbox();
               });
}

void ChromiumHost::OnBindingCalled(const json& params) {
  const std::string name = GetString(params, "name");
  if (name != kBridgeBindingName && name != kControlBindingName) return;
  // Frames of the page can hold the bindings too; only the main frame's own document, at an
  // address of the app, speaks for the app, receipts included: a frame's forged one would make
  // the shell drop a message the page never had.
  const auto context = contexts_.find(params.value("executionContextId", std::int64_t{-1}));
  if (context == contexts_.end() || !context->second.isDefault ||
      context->second.frameId != mainTargetId_ || !MainDocumentIsApp()) {
    return;
  }
  // A document's receipt of a message: the answer to its evaluation may still be an error, when
  // a navigation overtook it. Only the shell's own delivery function sends one.
  if (name == kControlBindingName) {
    const std::string payload = GetString(params, "payload");
    if (payload.starts_with("ack:")) {
      outbox_.Delivered(std::strtoull(payload.c_str() + 4, nullptr, 10));
    } else {
      CloseAppWindow();  // the page asked for it
    }
    return;
  }
  const auto payload = params.find("payload");
  if (payload == params.end() || !payload->is_string()) return;
  bridge_.HandleWebMessageString(payload->get_ref<const std::string&>());
}

void ChromiumHost::ReturnWaitingMessages() {
  std::vector<std::string> waiting = outbox_.TakeAll();
  if (extensions_ == nullptr) return;
  std::vector<std::string>& pending = extensions_->pendingMessages;
  pending.insert(pending.begin(), std::make_move_iterator(waiting.begin()),
                 std::make_move_iterator(waiting.end()));
}

void ChromiumHost::PostJson(const std::string& jsonText) {
  // Text the page could not parse is lost, as the Windows web view refuses it. Two things are no
  // reason: bytes that are not UTF-8, which read as U+FFFD as they do in the Windows host's
  // conversion to UTF-16, and a lone surrogate escape, which the page's JSON.parse takes (our
  // parser does not).
  if (json::accept(jsonText)) {
    outbox_.Push(jsonText);
  } else {
    std::string sanitized = SanitizeUtf8(jsonText);
    std::string repaired = sanitized;
    ReplaceLoneSurrogateEscapes(repaired);
    if (!json::accept(repaired)) return;
    outbox_.Push(std::move(sanitized));
  }
  FlushOutbox();
}

void ChromiumHost::PostHandshakeReply(const std::string& jsonText) {
  // Only the main document's handshake reaches the bridge, so that is the one that asked.
  outbox_.Push(jsonText, mainContextUniqueId_);
  FlushOutbox();
}

bool ChromiumHost::Deliver(std::uint64_t id, const std::string& jsonText) {
  // The context is named by its unique id, so a message can only land in the document it was
  // meant for; when that document is gone first, the evaluation fails and the message waits for
  // the next one.
  const std::string context = mainContextUniqueId_;
  const auto answered = [this, id, context](const DevToolsReply& reply) {
    if (reply.ok) {
      outbox_.Delivered(id);
    } else {
      // No more tries in that context: the failure came before its end was reported.
      if (context == mainContextUniqueId_) staleContext_ = context;
      if (outbox_.NotDelivered(id)) {
        std::fprintf(stderr,
                     "corvane: dropped a message for the page after %d documents "
                     "went away before taking it\n",
                     PageOutbox::kMaxAttempts);
      }
    }
    FlushOutbox();
  };
  // REPL mode keeps each delivery's text out of V8's compilation cache: as a plain script it
  // stayed in the renderer's heap until a memory-reducing collection, which a busy page never gets.
  const std::int64_t command = client_.Send("Runtime.evaluate",
                                            {{"expression", DeliveryExpression(jsonText, id, run_)},
                                             {"replMode", true},
                                             {"uniqueContextId", context}},
                                            mainSessionId_, answered);
  if (command == 0) {
    std::fprintf(stderr, "corvane: dropped a message for the page longer than Chromium takes\n");
  }
  return command != 0;
}

void ChromiumHost::FlushOutbox() {
  if (finished_ || !bridgeAttached_ || mainContextUniqueId_.empty() ||
      mainContextUniqueId_ == staleContext_ || !MainDocumentIsApp()) {
    return;
  }
  outbox_.SendWaiting(mainContextUniqueId_, [this](std::uint64_t id, const std::string& text) {
    return Deliver(id, text);
  });
}

}  // namespace corvane
