// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "morvint/sysinfo.h"
#include "names.h"

// The About box in plain Win32: borderless and modeless at its fixed place, the sky
// behind transparent labels, OK and System Info... Enter presses the default button
// OK, or a focused System Info...; Esc presses OK.
class AboutBox : public morvint::SysInfoMessages {
public:
    // Opens the box at the given dots per inch; `closed` runs when it has closed.
    AboutBox(HINSTANCE instance, int dpi, std::function<void()> closed);
    ~AboutBox() override;

    AboutBox(const AboutBox&) = delete;
    AboutBox& operator=(const AboutBox&) = delete;

    // Null once the box has closed.
    HWND hwnd() const { return hwnd_; }
    // Where System Info... looks for the tool: the registry unless set.
    void setSysInfoPlatform(std::unique_ptr<morvint::SysInfoPlatform> platform);
    // Runs the box's keyboard handling on a message of the loop; true when handled.
    bool preTranslate(MSG& msg);
    void close();

    // morvint::SysInfoMessages
    void showUnavailable() override;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void buildControls(HINSTANCE instance);
    void paint();
    int px(int twips) const { return MulDiv(twips, dpi_, 1440); }

    HWND hwnd_ = nullptr;
    int dpi_;
    std::function<void()> closed_;
    std::unique_ptr<morvint::SysInfoPlatform> platform_;
    HFONT fonts_[4] = {};
    AccessibleNames names_;
};
