#include "chromium/service_worker_record.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include <nlohmann/json.hpp>

#include "base/content_fingerprint.h"
#include "chromium/fetch_fulfill.h"

namespace corvane {

namespace {

std::string FingerprintOf(std::string_view body) {
  ContentFingerprint fingerprint;
  fingerprint.Update(body.data(), body.size());
  const ContentFingerprint::Value value = fingerprint.Digest();
  char hex[33];
  std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(value.first),
                static_cast<unsigned long long>(value.second));
  return hex;
}

}  // namespace

ServiceWorkerRecord::ServiceWorkerRecord(std::string filePath) : filePath_(std::move(filePath)) {
  if (filePath_.empty()) return;
  std::ifstream file(filePath_, std::ios::binary);
  const nlohmann::json saved = nlohmann::json::parse(std::istreambuf_iterator<char>(file),
                                                     std::istreambuf_iterator<char>(), nullptr,
                                                     /*allow_exceptions=*/false);
  if (!saved.is_object()) return;
  for (const auto& [tail, fingerprint] : saved.items()) {
    if (fingerprint.is_string()) fingerprints_[tail] = fingerprint.get<std::string>();
  }
}

bool ServiceWorkerRecord::AnyChanged(ResourceResponder& responder) const {
  for (const auto& [tail, fingerprint] : fingerprints_) {
    const ResourceAnswer answer = responder.AnswerUriTail(tail, std::nullopt);
    const std::optional<std::string> body = answer.status == 200 ? LoadBody(answer) : std::nullopt;
    if (!body || FingerprintOf(*body) != fingerprint) return true;
  }
  return false;
}

void ServiceWorkerRecord::Served(std::string_view uriTail, std::string_view body) {
  // The answer does not depend on the query, and a worker registered under a new query on every
  // run ("sw.js?t=...") must not grow the record without end.
  const std::string path(uriTail.substr(0, uriTail.find_first_of("?#")));
  std::string fingerprint = FingerprintOf(body);
  const auto known = fingerprints_.find(path);
  if (known != fingerprints_.end() && known->second == fingerprint) return;
  fingerprints_[path] = std::move(fingerprint);
  Save();
}

void ServiceWorkerRecord::Forget() {
  if (fingerprints_.empty()) return;
  fingerprints_.clear();
  Save();
}

void ServiceWorkerRecord::Save() const {
  // Written aside and renamed over the old record, so a crash leaves one or the other whole. A
  // record that cannot be written leaves the next start as blind as one without a record.
  if (filePath_.empty()) return;
  const std::string temporary = filePath_ + ".new";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << nlohmann::json(fingerprints_)
                .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    if (!file.flush()) return;
  }
  std::error_code error;
  std::filesystem::rename(temporary, filePath_, error);
}

}  // namespace corvane
