#include "chromium/page_bridge_script.h"

#include <nlohmann/json.hpp>

namespace corvane {

namespace {

constexpr std::string_view kDeliveryFunction = "__corvaneDeliver";
constexpr std::string_view kAttachFunction = "__corvaneAttach";

}  // namespace

std::string PageBridgeScript() {
  const std::string binding(kBridgeBindingName);
  const std::string control(kControlBindingName);
  const std::string deliver(kDeliveryFunction);
  const std::string attach(kAttachFunction);
  // The bindings are taken into the closure and removed from the global object, so the page
  // talks to the shell only through postMessage; the shell puts them into each new document after
  // its scripts have begun, so what the page posts before is held until they come. Only strings
  // are posted: the shell reads messages as text and drops anything else. The delivery and
  // attach functions can be neither replaced nor removed. Messages that arrive before the page
  // listens are held until its first listener, so a message delivered just after a reload is not
  // lost to a page whose scripts have not run yet. In the top frame, a navigation the page starts
  // to an address without a network request (about:, blob:, data:) is cancelled here; network
  // addresses are judged by the shell. A download (a link with a download attribute) leaves the
  // document where it is, so it goes ahead: that is how a page saves a file it made.
  return R"JS((() => {
  let post = null;
  let control = null;
  let closing = false;
  const waiting = [];
  const take = () => {
    const p = globalThis[")JS" +
         binding + R"JS("];
    if (typeof p === "function") {
      post = p;
      try { delete globalThis[")JS" +
         binding + R"JS("]; } catch (e) {}
    }
    const c = globalThis[")JS" +
         control + R"JS("];
    if (typeof c === "function") {
      control = c;
      try { delete globalThis[")JS" +
         control + R"JS("]; } catch (e) {}
    }
  };
  take();
  globalThis.close = function close() { if (control) control(""); else closing = true; };
  const events = new EventTarget();
  let early = [];
  const webview = Object.freeze({
    postMessage(message) {
      if (typeof message !== "string") return;
      if (post) post(message); else waiting.push(message);
    },
    addEventListener(type, listener, options) {
      events.addEventListener(type, listener, options);
      if (type === "message" && listener && early) {
        const held = early;
        early = null;
        queueMicrotask(() => held.forEach((event) => events.dispatchEvent(event)));
      }
    },
    removeEventListener(type, listener, options) { events.removeEventListener(type, listener, options); },
  });
  if (globalThis === globalThis.top && typeof navigation === "object" && navigation) {
    navigation.addEventListener("navigate", (event) => {
      if (event.cancelable && !event.destination.sameDocument && event.downloadRequest == null &&
          !/^https?:/i.test(event.destination.url)) {
        event.preventDefault();
      }
    });
  }
  if (typeof globalThis.chrome !== "object" || globalThis.chrome === null) {
    Object.defineProperty(globalThis, "chrome", { value: {}, writable: true, configurable: true });
  }
  Object.defineProperty(globalThis.chrome, "webview", { value: webview, enumerable: true });
  Object.defineProperty(globalThis, ")JS" +
         attach + R"JS(", {
    value: () => {
      take();
      if (post) waiting.splice(0).forEach((message) => post(message));
      if (control && closing) control("");
    },
  });
  Object.defineProperty(globalThis, ")JS" +
         deliver + R"JS(", {
    value: (text, id, run) => {
      if (control) control("ack:" + id);
      try {
        const last = (sessionStorage.getItem("__corvaneDelivered") || "").split(" ");
        if (last[0] === run && id <= Number(last[1])) return;
        sessionStorage.setItem("__corvaneDelivered", run + " " + id);
      } catch (e) {}
      let data;
      try { data = JSON.parse(text); } catch (e) { return; }
      const event = new MessageEvent("message", { data });
      Object.defineProperty(event, "additionalObjects", { value: [] });
      if (early) early.push(event); else events.dispatchEvent(event);
    },
  });
})();)JS";
}

std::string AttachExpression() { return "globalThis." + std::string(kAttachFunction) + "()"; }

std::string DeliveryExpression(std::string_view jsonText, std::uint64_t id, std::string_view run) {
  // ASCII-only literal: no line terminators or invalid bytes can end up in the source text.
  const std::string literal = nlohmann::json(std::string(jsonText))
                                  .dump(-1, ' ', true, nlohmann::json::error_handler_t::replace);
  return "globalThis." + std::string(kDeliveryFunction) + "(" + literal + "," + std::to_string(id) +
         "," + nlohmann::json(std::string(run)).dump() + ")";
}

}  // namespace corvane
