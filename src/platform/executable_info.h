// Where the running program lives and which version it is.
#pragma once

#include "startup/app_info.h"

namespace selvara {

// The running executable's base name and folder, and the build's version numbers.
ExecutableInfo currentExecutable();

}  // namespace selvara
