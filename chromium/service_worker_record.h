#pragma once
// The app's service worker scripts as the shell last served them, kept as fingerprints in a file
// of the browser profile. The browser checks a registered worker for a newer script with a request
// of its own that request interception never sees, so the check always fails: a worker installed
// by an earlier version of the app would go on serving that version for good. At start the host
// compares each recorded script with what it would serve now; when one changed it has the
// browser drop the origin's registrations, and the page installs its worker afresh.

#include <map>
#include <string>
#include <string_view>

#include "content/resource_responder.h"

namespace corvane {

class ServiceWorkerRecord {
 public:
  // Reads the record at `filePath`; a missing or unreadable file records nothing. An empty path
  // keeps the record in memory only.
  explicit ServiceWorkerRecord(std::string filePath);

  // True when a recorded script is now answered with other bytes, or not at all.
  bool AnyChanged(ResourceResponder& responder) const;

  // Notes the body served for the script at `uriTail` (the request's address after the app's
  // origin, its query left out); the file is rewritten when that changes the record.
  void Served(std::string_view uriTail, std::string_view body);

  // Forgets every script, once the browser has dropped the registrations.
  void Forget();

 private:
  void Save() const;

  std::string filePath_;
  std::map<std::string, std::string> fingerprints_;  // URI tail without query -> hex
};

}  // namespace corvane
