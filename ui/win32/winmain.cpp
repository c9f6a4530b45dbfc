// SPDX-License-Identifier: MIT
// Morvint.exe: the main window and its message loop, until the window is gone or
// the program is ended.
#include <windows.h>

#include "main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    MainWindow window(instance);
    ShowWindow(window.hwnd(), show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!window.preTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
