// SPDX-License-Identifier: MIT
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "morvint/sysinfo.h"

namespace morvint {

using RegOpenKeyFunction = decltype(&RegOpenKeyExA);

// The Windows layer, opening keys through openKey (RegOpenKeyExA in the
// program), so that a test sees the access rights asked for.
std::unique_ptr<SysInfoPlatform> makeWindowsPlatform(RegOpenKeyFunction openKey);

}  // namespace morvint
