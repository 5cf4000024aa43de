#include "installer/download_check.h"

namespace corvane {

bool IsRunnableDownload(bool transferSucceeded, std::int32_t httpStatus,
                        std::string_view fileStart) {
  return transferSucceeded && httpStatus < 400 && fileStart.substr(0, 2) == "MZ";
}

}  // namespace corvane
