#pragma once
// A file in the temporary folder holding the given bytes, open for reading and writing from its
// start, and removed when the object goes.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace corvane {

class TempFile {
 public:
  explicit TempFile(const std::string& bytes = "") {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("corvane-test-" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
             std::to_string(counter++) + ".dat");
    file_ = std::fopen(path_.string().c_str(), "w+b");
    if (file_ == nullptr) throw std::runtime_error("cannot create " + path_.string());
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    std::rewind(file_);
  }
  ~TempFile() {
    std::fclose(file_);
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  std::FILE* get() const { return file_; }

 private:
  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
};

}  // namespace corvane
