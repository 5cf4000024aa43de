#include "installer/bootstrapper_url_win.h"

#ifndef CORVANE_BOOTSTRAPPER_URL
#error "CORVANE_BOOTSTRAPPER_URL must be defined by the build"
#endif

namespace corvane {

const wchar_t bootstrapperUrl[] = CORVANE_BOOTSTRAPPER_URL;

}  // namespace corvane
