// SPDX-License-Identifier: MIT
// morvint-win32-replay: plays replay scripts through the real Win32 main window and
// prints what morvint-replay prints, read back from the window's controls.
// Test-only: it is never installed. It runs under Wine, on an X display.
// `morvint-win32-replay --spoken SCRIPT` checks the script's "#>" lines against
// what the window tells a screen reader.
//
// Besides the script table it takes the window scripts' commands
//   key KEY...   presses the keys on the X display ("Tab", "Shift+Tab", "Alt+Backspace")
//   focus        prints {"event":"focus","control":NAME}
//   tick [N]     N ticks of Timer1 (1 when left out)
//   windows      prints the open windows
//   menu aboutMnu  opens the About box
//   append, select, reader: the reader's place in the narrative (reader.h)
//   boxes KEY... from now on prints each message box that opens ({"event":"box",
//                "title":..,"text":..,"icon":..,"buttons":..}) and presses the next KEY
//                in it; the real play-again box asks, and its answer is printed.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <deque>
#include <fstream>

#include "main_window.h"
#include "reader.h"
#include "script.h"
#include "spoken_check.h"
#include "state_json.h"

using namespace morvint;
using namespace morvint::replay;

namespace {

std::string text(HWND control) {
    return narrow(windowText(control));
}

// A status bar part; the window draws a disabled one itself, from a pointer to its text.
View::PanelState part(HWND stat, int i) {
    const LRESULT length = SendMessageW(stat, SB_GETTEXTLENGTHW, i, 0);
    std::wstring text(LOWORD(length) + 1, L'\0');
    const LRESULT data = SendMessageW(stat, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(text.data()));
    const bool drawn = HIWORD(length) & SBT_OWNERDRAW;
    return {narrow(drawn ? reinterpret_cast<const wchar_t*>(data) : text.c_str()), !drawn};
}

// A key as xdotool names it, from its name in the scripts.
std::string xKey(const std::string& key) {
    std::string x;
    std::size_t start = 0;
    for (std::size_t plus = key.find('+'); plus != std::string::npos; plus = key.find('+', start)) {
        std::string modifier = key.substr(start, plus - start);
        std::transform(modifier.begin(), modifier.end(), modifier.begin(), ::tolower);
        x += modifier + "+";
        start = plus + 1;
    }
    const std::string name = key.substr(start);
    if (name.size() == 1) {
        return x + static_cast<char>(std::tolower(name[0]));
    }
    return x + (name == "Space"       ? "space"
                : name == "Enter"     ? "KP_Enter"
                : name == "Backspace" ? "BackSpace"
                                      : name);
}

// The virtual key of an xdotool key, modifiers left out.
WPARAM virtualKey(const std::string& xkey) {
    const std::string name = xkey.substr(xkey.rfind('+') + 1);
    const std::pair<const char*, WPARAM> named[] = {
        {"Tab", VK_TAB},         {"Escape", VK_ESCAPE}, {"Return", VK_RETURN},
        {"KP_Enter", VK_RETURN}, {"space", VK_SPACE},   {"BackSpace", VK_BACK},
        {"Delete", VK_DELETE},   {"F1", VK_F1},         {"F2", VK_F2}};
    for (const auto& [x, vk] : named) {
        if (name == x) {
            return vk;
        }
    }
    return LOBYTE(VkKeyScanW(static_cast<wchar_t>(name[0])));
}

// Presses keys with xdotool, a program of the X display started from inside Wine, in
// the X window that Wine made for a top-level window, once it is on the screen (for
// at most about 10 seconds). Wine gives no handle to a program of the host system to
// wait for: the window sees the keys come.
void xdotool(HWND window, const std::string& keys) {
    const std::string x =
        std::to_string(reinterpret_cast<UINT_PTR>(GetPropA(window, "__wine_x11_whole_window")));
    std::wstring command = widen("/bin/sh -c \"n=0; until timeout 5 xdotool windowfocus --sync " +
                                 x + " 2>/dev/null; do n=$((n+1)); [ $n -lt 100 ] || exit 1; " +
                                 "sleep 0.05; done; xdotool key --delay 0 " + keys + "\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "morvint-win32-replay: the shell cannot be started\n");
        std::exit(1);
    }
}

class Win32Target;
Win32Target* current = nullptr;

class Win32Target : public Target, public ReaderCommands {
public:
    // With `heard`, what the window tells a screen reader goes there instead.
    explicit Win32Target(Session& session, std::vector<std::string>* heard = nullptr)
        : session_(session), w_(GetModuleHandleW(nullptr), session.random) {
        current = this;
        w_.setPlayAgainQuestion([this] { return askPlayAgain(); });
        w_.setProgramEnd([this] { session_.endProgram(); });
        if (heard != nullptr) {
            w_.setNotify(
                [heard](IRawElementProviderSimple*, int kind, int processing, BSTR text, BSTR) {
                    // Each result said in turn: NotificationKind_ActionCompleted (2) and
                    // NotificationProcessing_ImportantAll (0).
                    const bool result = kind == 2 && processing == 0;
                    heard->push_back((result ? "" : "not as a result: ") + narrow(text));
                    return S_OK;
                });
        }
        hook_ = SetWindowsHookExW(WH_CBT, boxOpens, nullptr, GetCurrentThreadId());
        ShowWindow(w_.hwnd(), SW_SHOW);
        SetForegroundWindow(w_.hwnd());
    }
    ~Win32Target() override { UnhookWindowsHookEx(hook_); }

    // What the button tells the window when it is clicked; a disabled one cannot be.
    // The focus stays where it is, as in the other front ends' scripts.
    bool click(Button b) override {
        const HWND button = w_.button(b);
        if (!IsWindowEnabled(button)) {
            return false;
        }
        SendMessageW(w_.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        return true;
    }
    void newGame() override { SendMessageW(w_.hwnd(), WM_COMMAND, MainWindow::newMnu, 0); }
    bool ended() const override { return w_.game().programEnded(); }

    void show() override { session_.show(drawn(), w_.game()); }

    // What the controls show.
    View drawn() const override {
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
        return view;
    }

    // The window's own commands; false for a line that is none of them.
    bool extra(const std::vector<std::string>& words) {
        if (runReader(words, session_.out)) {
            return true;
        }
        const std::string& command = words[0];
        if (command == "key" && words.size() > 1) {
            press({words.begin() + 1, words.end()});
        } else if (command == "focus" && words.size() == 1) {
            session_.out.line(R"({"event":"focus","control":)" + jsonString(focusName()) + "}");
        } else if (command == "tick" && words.size() <= 2) {
            for (int i = words.size() == 2 ? std::stoi(words[1]) : 1; i > 0; --i) {
                SendMessageW(w_.hwnd(), WM_TIMER, MainWindow::Timer1, 0);
            }
        } else if (command == "windows" && words.size() == 1) {
            std::string open = w_.aboutBox() != nullptr ? "frmAbout " : "";
            open += w_.hwnd() != nullptr && IsWindowVisible(w_.hwnd()) ? "frmMain" : "";
            if (open.ends_with(' ')) {
                open.pop_back();
            }
            session_.out.line(R"({"event":"windows","open":)" + jsonString(open) + "}");
        } else if (words == std::vector<std::string>{"menu", "aboutMnu"}) {
            SendMessageW(w_.hwnd(), WM_COMMAND, MainWindow::aboutMnu, 0);
        } else if (command == "boxes") {
            realBoxes_ = true;
            boxKeys_.assign(words.begin() + 1, words.end());
        } else {
            return false;
        }
        return true;
    }

private:
    void showView(const View& view, const Changes& changes) override { w_.showView(view, changes); }
    void select(int from, int to) override {
        const HWND narrative = w_.box(Box::mainTxt);
        SendMessageW(narrative, EM_SETSEL, from, to);
        const auto half = SendMessageW(narrative, EM_GETLINECOUNT, 0, 0) / 2;
        SendMessageW(narrative, EM_LINESCROLL, 0, half - firstLine());
    }
    std::pair<int, int> selection() const override {
        DWORD from = 0;
        DWORD to = 0;
        SendMessageW(w_.box(Box::mainTxt), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        return {static_cast<int>(from), static_cast<int>(to)};
    }
    int firstLine() const override {
        return static_cast<int>(SendMessageW(w_.box(Box::mainTxt), EM_GETFIRSTVISIBLELINE, 0, 0));
    }

    // One key at a time, each to the window then active: the window's message loop
    // runs until the key is released (not another, such as one pressed in a message
    // box that has closed), or the window or the program has ended.
    void press(const std::vector<std::string>& keys) {
        const UINT_PTR timeout = SetTimer(nullptr, 0, 20000, nullptr);
        for (const std::string& key : keys) {
            const std::string x = xKey(key);
            const HWND target = GetActiveWindow();
            xdotool(target, x);
            MSG msg;
            bool released = false;
            while (!released && w_.hwnd() != nullptr && !w_.game().programEnded() &&
                   GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (msg.message == WM_TIMER && msg.wParam == timeout) {
                    std::fprintf(stderr, "morvint-win32-replay: the keys never came\n");
                    std::exit(1);
                }
                const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
                released = (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) &&
                           msg.wParam == virtualKey(x);
                if (!w_.preTranslate(msg)) {
                    TranslateMessage(&msg);
                    DispatchMessageW(&msg);
                }
                // A key that closes its window is released where no window hears it.
                released = released ||
                           (down && msg.wParam == virtualKey(x) && GetActiveWindow() != target);
            }
        }
        KillTimer(nullptr, timeout);
    }

    std::string focusName() const {
        const HWND focus = GetFocus();
        const char* boxes[] = {"mainTxt", "actionTxt", "itemTxt"};
        for (Box b : {Box::mainTxt, Box::actionTxt, Box::itemTxt}) {
            if (focus == w_.box(b)) {
                return boxes[static_cast<int>(b)];
            }
        }
        for (Button b : allButtons) {
            if (focus == w_.button(b)) {
                return std::string(buttonName(b));
            }
        }
        if (GetParent(focus) == w_.aboutBox() && focus != nullptr) {
            return GetDlgCtrlID(focus) == IDOK ? "cmdOK" : "cmdSysInfo";
        }
        return "";
    }

    bool askPlayAgain() {
        if (!realBoxes_) {
            return session_.askPlayAgain();
        }
        const bool yes = w_.showPlayAgainBox();
        session_.out.line(msgboxEvent(yes));
        return yes;
    }

    // A message box comes to the front: once its own message loop runs, with its
    // default button chosen, it is printed the first time and its key pressed.
    static LRESULT CALLBACK boxOpens(int code, WPARAM wParam, LPARAM lParam) {
        const auto box = reinterpret_cast<HWND>(wParam);
        wchar_t kind[16] = L"";
        GetClassNameW(box, kind, 16);
        if (code == HCBT_ACTIVATE && current->realBoxes_ && box != current->lastBox_ &&
            std::wstring_view(kind) == L"#32770") {
            current->lastBox_ = box;
            SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
                KillTimer(nullptr, timer);
                current->printBox(current->lastBox_);
                if (!current->boxKeys_.empty()) {
                    xdotool(current->lastBox_, xKey(current->boxKeys_.front()));
                    current->boxKeys_.pop_front();
                }
            });
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // Its title, text, icon and buttons, in order of their captions, the default one
    // marked.
    void printBox(HWND box) {
        struct Seen {
            std::string text, icon;
            std::vector<std::string> buttons;
        } seen;
        EnumChildWindows(
            box,
            [](HWND child, LPARAM found) {
                Seen& seen = *reinterpret_cast<Seen*>(found);
                wchar_t kind[16] = L"";
                GetClassNameW(child, kind, 16);
                const auto style = GetWindowLongW(child, GWL_STYLE);
                const std::pair<LPCWSTR, const char*> icons[] = {{IDI_ASTERISK, "information"},
                                                                 {IDI_EXCLAMATION, "warning"},
                                                                 {IDI_HAND, "stop"},
                                                                 {IDI_QUESTION, "question"}};
                if (_wcsicmp(kind, L"Button") == 0) {
                    std::string caption = text(child);
                    std::erase(caption, '&');
                    const bool byDefault = (style & 0xF) == BS_DEFPUSHBUTTON;
                    seen.buttons.push_back(caption + (byDefault ? " (default)" : ""));
                } else if ((style & SS_TYPEMASK) == SS_ICON) {
                    const auto shown = SendMessageW(child, STM_GETICON, 0, 0);
                    for (const auto& [id, name] : icons) {
                        if (shown == reinterpret_cast<LRESULT>(LoadIconW(nullptr, id))) {
                            seen.icon = name;
                        }
                    }
                } else if (GetWindowTextLengthW(child) > 0) {
                    seen.text = text(child);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&seen));
        std::sort(seen.buttons.begin(), seen.buttons.end());
        std::string buttons;
        for (const std::string& b : seen.buttons) {
            buttons += (buttons.empty() ? "" : ", ") + b;
        }
        session_.out.line(R"({"event":"box","title":)" + jsonString(text(box)) + R"(,"text":)" +
                          jsonString(seen.text) + R"(,"icon":)" + jsonString(seen.icon) +
                          R"(,"buttons":)" + jsonString(buttons) + "}");
    }

    Session& session_;
    MainWindow w_;
    HHOOK hook_ = nullptr;
    bool realBoxes_ = false;
    std::deque<std::string> boxKeys_;
    HWND lastBox_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--spoken") {
        std::ifstream script(argv[2]);
        Session session;
        session.out = Output(std::tmpfile());  // the state lines are not checked here
        std::vector<std::string> heard;
        Win32Target game(session, &heard);
        return checkSpoken(script, game, session, heard, "morvint-win32-replay");
    }
    return replayMain(
        argc, argv, "morvint-win32-replay",
        [](Session& session) { return std::make_unique<Win32Target>(session); },
        [](const std::vector<std::string>& words) { return current->extra(words); });
}
