// SPDX-License-Identifier: MIT
// Plays a golden script through a window and checks what a screen reader would
// hear: after the commands above one or more "#>" lines, and at the end, all that
// was said must be the script's "#>" lines so far, in order ("#>~" takes what was
// said so far as said).
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "script.h"

namespace morvint::replay {

// `heard` is what the window said so far, filled as the script plays. Returns 0
// when all was heard as the script says, else 1 or the script's exit status.
int checkSpoken(std::istream& script, Target& game, Session& session,
                const std::vector<std::string>& heard, const char* name);

}  // namespace morvint::replay
