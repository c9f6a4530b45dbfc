// SPDX-License-Identifier: MIT
// morvint-win32-replay: plays replay scripts through the real Win32 main window and
// prints what morvint-replay prints, read back from the window's controls.
// Test-only: it is never installed.
#include <windows.h>

#include <commctrl.h>

#include "main_window.h"
#include "script.h"

using namespace morvint;
using namespace morvint::replay;

namespace {

std::string text(HWND control) {
    std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
    text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
    return narrow(text);
}

// A status bar part; the window draws a disabled one itself, from a pointer to its text.
View::PanelState part(HWND stat, int i) {
    const LRESULT length = SendMessageW(stat, SB_GETTEXTLENGTHW, i, 0);
    std::wstring text(LOWORD(length) + 1, L'\0');
    const LRESULT data = SendMessageW(stat, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(text.data()));
    const bool drawn = HIWORD(length) & SBT_OWNERDRAW;
    return {narrow(drawn ? reinterpret_cast<const wchar_t*>(data) : text.c_str()), !drawn};
}

class Win32Target : public Target {
public:
    explicit Win32Target(Session& session)
        : session_(session), w_(GetModuleHandleW(nullptr), session.random) {
        w_.setPlayAgainQuestion([this] { return session_.askPlayAgain(); });
        w_.setProgramEnd([this] { session_.endProgram(); });
        ShowWindow(w_.hwnd(), SW_SHOW);
    }

    // As a mouse click, which a disabled button does not take.
    bool click(Button b) override {
        if (!IsWindowEnabled(w_.button(b))) {
            return false;
        }
        SendMessageW(w_.button(b), BM_CLICK, 0, 0);
        return true;
    }
    void newGame() override { SendMessageW(w_.hwnd(), WM_COMMAND, MainWindow::newMnu, 0); }
    bool ended() const override { return w_.game().programEnded(); }

    // What the controls show.
    void show() override {
        View view;
        for (Box b : {Box::mainTxt, Box::actionTxt, Box::itemTxt}) {
            view.boxes[static_cast<std::size_t>(b)] = text(w_.box(b));
        }
        for (Button b : allButtons) {
            const auto* tag = static_cast<const wchar_t*>(GetPropW(w_.button(b), L"Tag"));
            view.buttons[static_cast<std::size_t>(b)] = {IsWindowEnabled(w_.button(b)) != 0,
                                                         narrow(tag)};
        }
        for (int i = 0; i < 3; ++i) {
            view.panels[static_cast<std::size_t>(i)] = part(w_.statusBar(), i);
        }
        session_.show(view, w_.game());
    }

    // The window's own command of the window scripts: `tick [N]`, N ticks of Timer1.
    bool extra(const std::vector<std::string>& words) {
        if (words[0] != "tick" || words.size() > 2) {
            return false;
        }
        for (int i = words.size() == 2 ? std::stoi(words[1]) : 1; i > 0; --i) {
            SendMessageW(w_.hwnd(), WM_TIMER, MainWindow::Timer1, 0);
        }
        return true;
    }

private:
    Session& session_;
    MainWindow w_;
};

}  // namespace

int main(int argc, char** argv) {
    Win32Target* current = nullptr;
    return replayMain(
        argc, argv, "morvint-win32-replay",
        [&current](Session& session) {
            auto target = std::make_unique<Win32Target>(session);
            current = target.get();
            return target;
        },
        [&current](const std::vector<std::string>& words) { return current->extra(words); });
}
