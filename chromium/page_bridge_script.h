#pragma once
// The page side of the message bridge in Chromium: window.chrome.webview as a page written for
// the Windows shell expects it, built on a DevTools binding (page to shell) and a delivery
// function the shell evaluates (shell to page).

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// Name of the Runtime binding the script takes over (and removes from the global object).
inline constexpr std::string_view kBridgeBindingName = "__corvaneHostMessage";

// The script's second binding: window.close() goes through it with an empty payload, so the
// app's window closes whatever its history holds (Chromium refuses a script's close() once the
// window has navigated), and receipts of delivered messages with the payload "ack:<id>".
inline constexpr std::string_view kControlBindingName = "__corvaneHostControl";

// Script added to every new document, run before the page's own scripts.
std::string PageBridgeScript();

// Expression that has the script take the bindings the shell has just added to its document, and
// send what the page posted before they came.
std::string AttachExpression();

// Expression that hands JSON text to the page's "message" listeners as a parsed value. The text
// travels as a string literal and is parsed in the page, so member order survives and nothing in
// it is ever evaluated as code. The page acknowledges message `id` through the control binding with
// the payload "ack:<id>" as soon as it has it. Ids grow within a `run` of the shell; the page
// drops an id it already took in this tab (its last one is kept in sessionStorage), since a
// navigation can lose both the answer to a delivery and the acknowledgement.
std::string DeliveryExpression(std::string_view jsonText, std::uint64_t id, std::string_view run);

}  // namespace corvane
