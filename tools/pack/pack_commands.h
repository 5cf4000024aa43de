#pragma once
// The commands of corvane-pack. Each returns the process exit code; a failure is thrown as
// PackError whose text is one line naming the file and the problem.

#include <stdexcept>
#include <string>

namespace corvane::pack {

class PackError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

int CreateBundle(const std::string& folder, const std::string& output);
int ListBundle(const std::string& bundle, bool asJson);
int ExtractBundle(const std::string& bundle, const std::string& folder);
int VerifyBundle(const std::string& bundle);

// Reads `file` as the shell reads package.json; prints the name, title (the window title, else the
// name), icon, version (default 1.0.0) and whether the runtime is fixed as one JSON object.
int CheckConfig(const std::string& file);

}  // namespace corvane::pack
