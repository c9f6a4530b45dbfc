// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string_view>
#include <vector>

// What screen readers call a window, through the system's accessibility properties
// (MSAA and UI Automation both read them), where its caption says something else:
// "North" for N. Nothing happens where the system has no such service.
class AccessibleNames {
public:
    AccessibleNames();
    ~AccessibleNames();

    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    void set(HWND window, std::string_view name, std::string_view description = {});
    // Gives up every name set, as the windows close.
    void clear();

private:
    bool com_ = false;
    IAccPropServices* props_ = nullptr;
    std::vector<HWND> named_;
};
