// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <uiautomationcore.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "about_box.h"
#include "morvint/game.h"
#include "morvint/random.h"
#include "morvint/window.h"

// UTF-8, as the game keeps its texts, to and from the UTF-16 of the Win32 API.
std::wstring widen(std::string_view text);
std::string narrow(std::wstring_view text);
// A window's or control's text.
std::wstring windowText(HWND window);

// Draws an owner-drawn label's caption in its font and the device context's colour,
// 2 pixels (at 96 dots per inch) in from its left edge, which a letter without side
// bearing ("L", "A") would touch; wrapped at words or on one line.
void drawLabel(const DRAWITEMSTRUCT& item, int dpi, bool wrap);

// The main window in plain Win32: every control of the game, its menus, status bar
// and clock. The game itself runs in morvint::Game; the window runs its commands and
// draws the view it is shown.
//
// Each direction button keeps its Tag, the exit flag, in the window property "Tag":
// a pointer to the text, owned by the window. A status bar part that is disabled is
// drawn by the window, greyed: its drawing data is a pointer to its text.
class MainWindow : public morvint::Window {
public:
    // UI Automation's UiaRaiseNotificationEvent(provider, kind, processing, text,
    // activity): how a screen reader is told what the game says.
    using Notify =
        std::function<HRESULT(IRawElementProviderSimple*, int kind, int processing, BSTR, BSTR)>;
    // Its kind and processing for a command's result: every one is said, in turn.
    static constexpr int actionCompleted = 2;  // NotificationKind_ActionCompleted
    static constexpr int importantAll = 0;     // NotificationProcessing_ImportantAll

    // The play-again question: true for Yes.
    using Question = std::function<bool()>;
    // The end of the whole program.
    using Ending = std::function<void()>;

    // The menu items' command ids.
    enum Command : WORD { undoMnu = 201, newMnu, exitMnu, aboutMnu };
    // The id of the clock's timer, which ticks once a minute.
    static constexpr UINT_PTR Timer1 = 1;

    // A window that plays with the time-seeded random source.
    explicit MainWindow(HINSTANCE instance);
    // A window that plays with the given source, which must outlive it.
    MainWindow(HINSTANCE instance, morvint::RandomSource& random);
    ~MainWindow() override;

    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // morvint::Window
    void showView(const morvint::View& view, const morvint::Changes& changes) override;
    bool askPlayAgain() override;
    void programEnded() override;

    // The real play-again box, asked until Yes or No answers it: true for Yes.
    bool showPlayAgainBox();

    // The pieces that ask the question and end the program. By default a real
    // message box asks, and the end destroys the window and leaves the message loop.
    void setPlayAgainQuestion(Question question);
    void setProgramEnd(Ending ending);
    // By default the system's own, looked up at run time; nothing is said without it.
    void setNotify(Notify notify);

    // Runs the window's keyboard handling on a message of the loop: the menus'
    // shortcut keys, then Tab and Space between the controls. True when the message
    // was handled and must not be dispatched again.
    bool preTranslate(MSG& msg);

    HWND hwnd() const { return hwnd_; }
    HWND box(morvint::Box b) const;
    HWND button(morvint::Button b) const;
    HWND statusBar() const;
    // The About box while it is open, or null.
    HWND aboutBox() const { return about_ != nullptr ? about_->hwnd() : nullptr; }
    const morvint::Game& game() const { return game_; }

private:
    MainWindow(std::unique_ptr<morvint::RandomSource> own, morvint::RandomSource* random,
               HINSTANCE instance);
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void create(HINSTANCE instance);
    void buildControls(HINSTANCE instance);
    void buildMenus();
    void buildStatusBar();
    // Places every control, its font and the window's size at the window's dots per inch.
    void layOut();
    int px(int twips) const;
    HWND control(int id) const { return GetDlgItem(hwnd_, id); }
    void command(WORD id);
    void appendNarrative(const std::wstring& text);
    void showPanel(morvint::Panel p, const morvint::View::PanelState& panel);
    void drawPanel(const DRAWITEMSTRUCT& item) const;
    void setTag(morvint::Button b, const std::string& tag);
    void activate(bool active);
    void undoMnu_Click();
    void say(const std::string& text);
    void announce(const std::wstring& text);
    void aboutMnu_Click();

    AccessibleNames names_;
    std::unique_ptr<morvint::RandomSource> ownRandom_;
    morvint::Game game_;

    HWND hwnd_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HFONT font_ = nullptr;
    HFONT itemFont_ = nullptr;
    // The narrower or smaller fonts of captions that do not fit.
    std::vector<HFONT> fitted_;
    int dpi_ = 96;
    // The control that gets the focus back when the window is active again.
    HWND focus_ = nullptr;
    std::array<std::wstring, std::size(morvint::allButtons)> tags_;
    std::array<std::wstring, 3> panelTexts_;

    std::unique_ptr<AboutBox> about_;
    Notify notify_;
    // The next text waits until the window is active: the opening, and the new
    // game after the play-again box.
    bool holdNext_ = true;
    std::wstring waiting_;
    Question playAgain_;
    Ending ending_;
};
