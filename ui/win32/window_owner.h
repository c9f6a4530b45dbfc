// SPDX-License-Identifier: MIT
// A window procedure's way to the object that made the window: the object comes in
// CreateWindowEx's last argument, learns its handle at WM_NCCREATE and stays in the
// window's user data.
#pragma once

#include <windows.h>

// The owner of `hwnd`, or nullptr for the few messages before WM_NCCREATE.
template <typename Owner>
Owner* windowOwner(HWND hwnd, UINT message, LPARAM lParam, HWND Owner::*handle) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        owner->*handle = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}
