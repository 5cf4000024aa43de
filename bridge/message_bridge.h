#pragma once
// The page <-> shell message protocol. The page posts JSON text; "wrapper-init" is answered with
// the directory handles (where the web view supports them), "wrapper-init-response" and the
// queued extension messages; window commands go to the window; "extension-message" goes to the
// extension library. The same logic serves every host through BridgeHost.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

class ExtensionManager;

// The one message the page receives with the directory handles as its additional objects.
inline constexpr char kDirectoryHandlesMessage[] = "{\"type\":\"directory-handles\"}";

// What the bridge needs from the host that shows the page. Implemented by the Windows web view
// host and by the Linux Chromium host.
class BridgeHost {
 public:
  virtual void SetFullscreen(bool fullscreen) = 0;
  virtual void SetClientSize(std::int32_t width, std::int32_t height) = 0;
  virtual void SetWindowPosition(std::int32_t x, std::int32_t y) = 0;
  // Posts JSON text to the page, which receives it as a parsed value.
  virtual void PostJson(const std::string& json) = 0;
  // Posts the answer to the handshake of the document now shown. It is that document's alone: a
  // host that keeps messages for the next document drops this one when it goes unread.
  virtual void PostHandshakeReply(const std::string& json) = 0;
  // Walks the folder placeholders and posts "directory-handles" when the web view supports
  // directory handles; does nothing otherwise.
  virtual void SendDirectoryHandles() = 0;

 protected:
  ~BridgeHost() = default;
};

class MessageBridge {
 public:
  // `extensions` may be null (no extension manager).
  MessageBridge(BridgeHost& host, ExtensionManager* extensions);

  // One message as received from an accepted page, UTF-8. Never throws.
  void HandleWebMessage(std::string_view text);
  // The same for text the caller holds as a string, which reaches the library without a copy.
  void HandleWebMessageString(const std::string& text);
  void HandleWrapperInit();

 private:
  void Handle(std::string_view text, const std::string* whole);

  BridgeHost& host_;
  ExtensionManager* extensions_;
};

}  // namespace corvane
