#pragma once
// The page side of the message bridge in Chromium: window.chrome.webview as a page written for
// the Windows shell expects it, built on a DevTools binding (page to shell) and a delivery
// function the shell evaluates (shell to page).

#include <string>
#include <string_view>

namespace corvane {

// Name of the Runtime binding the script takes over (and removes from the global object).
inline constexpr std::string_view kBridgeBindingName = "__corvaneHostMessage";

// Binding the script routes window.close() through, so the app's window closes whatever its
// history holds (Chromium refuses a script's close() once the window has navigated).
inline constexpr std::string_view kCloseBindingName = "__corvaneHostClose";

// Script added to every new document, run before the page's own scripts.
std::string PageBridgeScript();

// Expression that hands JSON text to the page's "message" listeners as a parsed value. The text
// travels as a string literal and is parsed in the page, so member order survives and nothing in
// it is ever evaluated as code.
std::string DeliveryExpression(std::string_view jsonText);

}  // namespace corvane
