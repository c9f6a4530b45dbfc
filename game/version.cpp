// SPDX-License-Identifier: MIT
// The About box's version line, from the build's version.
#include <string>

#include "morvint/texts.h"

#if !defined(MORVINT_VERSION_MAJOR) || !defined(MORVINT_VERSION_MINOR) || \
    !defined(MORVINT_VERSION_PATCH)
#error "MORVINT_VERSION_MAJOR, _MINOR and _PATCH must come from the build"
#endif

namespace morvint::texts {

std::string aboutVersionLine() {
    return std::string(aboutVersion) + " " + std::to_string(MORVINT_VERSION_MAJOR) + "." +
           std::to_string(MORVINT_VERSION_MINOR) + "." + std::to_string(MORVINT_VERSION_PATCH);
}

}  // namespace morvint::texts
