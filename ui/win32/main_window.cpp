// SPDX-License-Identifier: MIT
#include "main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <utility>
#include <vector>

#include "morvint/texts.h"
#include "window_owner.h"

namespace {

using morvint::Box;
using morvint::Button;
using morvint::Panel;
namespace texts = morvint::texts;

// The window's client area in twips, menu bar not included.
constexpr int clientWidth = 5535;
constexpr int clientHeight = 3540;
constexpr wchar_t className[] = L"Morvint";
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr wchar_t tagProperty[] = L"Tag";

// Control ids, none of them IDOK or IDCANCEL: Enter and Esc press nothing.
constexpr int boxIds = 100;
constexpr int buttonIds = 110;
constexpr int frameId = 130;
constexpr int labelId = 131;
constexpr int statId = 132;

constexpr int boxId(Box b) {
    return boxIds + static_cast<int>(b);
}
constexpr int buttonId(Button b) {
    return buttonIds + static_cast<int>(b);
}

// The controls in tab order.
struct ControlDef {
    int id;
    const wchar_t* windowClass;
    std::string_view caption;
    int left, top, width, height;  // twips, from the client area's corner
    DWORD style;
};

constexpr DWORD command = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD readOnly = WS_TABSTOP | ES_READONLY;
constexpr DWORD oneLine = readOnly | ES_AUTOHSCROLL;

constexpr ControlDef controlDefs[] = {
    {boxId(Box::mainTxt), L"EDIT", "", 0, 0, 5535, 1815, readOnly | ES_MULTILINE | WS_VSCROLL},
    {buttonId(Button::northCom), L"BUTTON", "N", 2640, 2040, 255, 255, command},
    {buttonId(Button::westCom), L"BUTTON", "W", 2400, 2280, 255, 255, command},
    {buttonId(Button::eastCom), L"BUTTON", "E", 2880, 2280, 255, 255, command},
    {buttonId(Button::southCom), L"BUTTON", "S", 2640, 2520, 255, 255, command},
    {buttonId(Button::attackCom), L"BUTTON", "Attack", 120, 1920, 855, 255, command},
    {frameId, L"BUTTON", "Items", 3480, 1920, 2055, 975, BS_GROUPBOX},
    {buttonId(Button::drinkCom), L"BUTTON", "Drink", 120, 2280, 855, 255, command},
    {buttonId(Button::crossCom), L"BUTTON", "Cross", 120, 2640, 855, 255, command},
    // 120 and 360 inside the frame; its sibling, so that Tab reaches it in its turn.
    {boxId(Box::itemTxt), L"EDIT", "", 3600, 2280, 1815, 375, oneLine},
    {buttonId(Button::pickupCom), L"BUTTON", "Pick Up", 1080, 1920, 855, 255, command},
    {buttonId(Button::unlockCom), L"BUTTON", "Unlock", 1080, 2280, 855, 255, command},
    {statId, STATUSCLASSNAMEW, "", 0, 3285, 5535, 255,
     SBARS_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER},
    {buttonId(Button::useCom), L"BUTTON", "Use", 1080, 2640, 855, 255, command},
    {boxId(Box::actionTxt), L"EDIT", texts::actionStart, 960, 3000, 4575, 285, oneLine},
    {labelId, L"STATIC", "Last Action:", 0, 3000, 855, 255, SS_OWNERDRAW},
};

// The status bar's panels' widths in twips, from the left.
constexpr int panelWidths[] = {1800, 1900, 1800};

// The menus, with each item's shortcut key; an item without an id is a separator.
struct MenuDef {
    const wchar_t* menu;
    WORD id;
    const wchar_t* caption;
    BYTE keyFlags;
    WORD key;
};

constexpr MenuDef menuDefs[] = {
    {L"&File", MainWindow::undoMnu, L"Undo\tAlt+Backspace", FALT, VK_BACK},
    {L"&File", MainWindow::newMnu, L"&New\tF2", 0, VK_F2},
    {L"&File", 0, nullptr, 0, 0},
    {L"&File", MainWindow::exitMnu, L"E&xit\tCtrl+Q", FCONTROL, 'Q'},
    {L"&Help", MainWindow::aboutMnu, L"&About...", 0, 0},
};

// The system's UiaRaiseNotificationEvent, where it has one (Windows 10 1709 and later).
MainWindow::Notify systemNotify() {
    using Raise = HRESULT(WINAPI*)(IRawElementProviderSimple*, int, int, BSTR, BSTR);
    HMODULE uia = LoadLibraryW(L"UIAutomationCore.dll");
    FARPROC raise = uia != nullptr ? GetProcAddress(uia, "UiaRaiseNotificationEvent") : nullptr;
    if (raise == nullptr) {
        return {};
    }
    return reinterpret_cast<Raise>(reinterpret_cast<void*>(raise));
}

// The provider UI Automation gives a plain window, or null.
IRawElementProviderSimple* hostProvider(HWND window) {
    using Host = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
    HMODULE uia = GetModuleHandleW(L"UIAutomationCore.dll");
    FARPROC host = uia != nullptr ? GetProcAddress(uia, "UiaHostProviderFromHwnd") : nullptr;
    IRawElementProviderSimple* provider = nullptr;
    if (host != nullptr) {
        reinterpret_cast<Host>(reinterpret_cast<void*>(host))(window, &provider);
    }
    return provider;
}

// The window's dots per inch: its monitor's where the system tells (Windows 10 and
// later), else the system's, which is also what a null window gives.
int windowDpi(HWND window) {
    using GetDpi = UINT(WINAPI*)(HWND);
    const FARPROC get = GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (get != nullptr && window != nullptr) {
        return static_cast<int>(reinterpret_cast<GetDpi>(reinterpret_cast<void*>(get))(window));
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The control drawn into a bitmap of its size, with or without its caption.
std::vector<COLORREF> drawn(HWND control, const RECT& size, bool caption) {
    const std::wstring text = windowText(control);
    if (!caption) {
        SetWindowTextW(control, L"");
    }
    HDC screen = GetDC(control);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.right, size.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT | PRF_ERASEBKGND);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size.bottom; ++y) {
        for (int x = 0; x < size.right; ++x) {
            pixels.push_back(GetPixel(dc, x, y));
        }
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(control, screen);
    if (!caption) {
        SetWindowTextW(control, text.c_str());
    }
    return pixels;
}

// Whether the caption's ink, as the control draws it, keeps `margin` pixels off
// every edge.
bool inkInside(HWND control, int margin) {
    RECT size;
    GetClientRect(control, &size);
    const std::vector<COLORREF> with = drawn(control, size, true);
    const std::vector<COLORREF> without = drawn(control, size, false);
    for (int y = 0; y < size.bottom; ++y) {
        for (int x = 0; x < size.right; ++x) {
            const bool inside =
                x >= margin && y >= margin && x < size.right - margin && y < size.bottom - margin;
            if (!inside && with[y * size.right + x] != without[y * size.right + x]) {
                return false;
            }
        }
    }
    return true;
}

// Gives a control whose caption's ink comes within `margin` pixels of its edge a
// font that keeps it off: narrower first, in steps of 5% down to three quarters of
// its width, then a pixel smaller at a time, down to 7 points. Returns that font, or
// null when the caption fits as it is.
HFONT fitCaption(HWND control, HFONT font, int margin, int dpi) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (inkInside(control, margin)) {
        return nullptr;
    }
    LOGFONTW base{};
    GetObjectW(font, sizeof base, &base);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    const int full = base.lfHeight != 0 ? std::abs(base.lfHeight) : metrics.tmHeight;
    const int floor = std::min(MulDiv(7, dpi, 72), full);
    HFONT fitted = nullptr;
    for (int step = 1; !fitted; ++step) {
        const int percent = std::max(100 - 5 * step, 75);
        const int height = std::max(full - std::max(step - 5, 0), floor);
        LOGFONTW fit = base;
        fit.lfHeight = base.lfHeight > 0 ? height : -height;
        fit.lfWidth = MulDiv(metrics.tmAveCharWidth, percent * height, 100 * full);
        HFONT candidate = CreateFontIndirectW(&fit);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(candidate), FALSE);
        if (inkInside(control, margin) || (percent == 75 && height == floor)) {
            fitted = candidate;
        } else {
            DeleteObject(candidate);
        }
    }
    return fitted;
}

// F1 in the play-again box shows how to play on top of it; the question stays open.
void CALLBACK showHelp(LPHELPINFO) {
    MessageBoxW(GetActiveWindow(), widen(texts::helpText).c_str(), widen(texts::helpTitle).c_str(),
                MB_OK);
}

}  // namespace

std::wstring widen(std::string_view text) {
    const int size = static_cast<int>(text.size());
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string narrow(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    std::string utf8(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), static_cast<int>(utf8.size()),
                        nullptr, nullptr);
    return utf8;
}

std::wstring windowText(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

void drawLabel(const DRAWITEMSTRUCT& item, int dpi, bool wrap) {
    const std::wstring text = windowText(item.hwndItem);
    RECT place = item.rcItem;
    place.left += MulDiv(2, dpi, 96);
    SetBkMode(item.hDC, TRANSPARENT);
    HGDIOBJ old = SelectObject(
        item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    DrawTextW(item.hDC, text.c_str(), -1, &place,
              DT_LEFT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(item.hDC, old);
}

MainWindow::MainWindow(HINSTANCE instance)
    : MainWindow(std::make_unique<morvint::ClockRandom>(), nullptr, instance) {}

MainWindow::MainWindow(HINSTANCE instance, morvint::RandomSource& random)
    : MainWindow(nullptr, &random, instance) {}

MainWindow::MainWindow(std::unique_ptr<morvint::RandomSource> own, morvint::RandomSource* random,
                       HINSTANCE instance)
    : ownRandom_(std::move(own)), game_(*this, random != nullptr ? *random : *ownRandom_) {
    playAgain_ = [this] { return showPlayAgainBox(); };
    notify_ = systemNotify();
    ending_ = [this] {
        if (about_ != nullptr) {
            about_->close();
        }
        DestroyWindow(hwnd_);
    };
    create(instance);
    // The clock starts with the window.
    SetTimer(hwnd_, Timer1, 60000, nullptr);
    game_.Form_Load();
}

MainWindow::~MainWindow() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
    DestroyAcceleratorTable(accelerators_);
    DeleteObject(font_);
    DeleteObject(itemFont_);
    for (HFONT font : fitted_) {
        DeleteObject(font);
    }
}

void MainWindow::create(HINSTANCE instance) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);  // fails harmlessly for a second window

    // A fixed border: a title bar with minimize and close, but no resizing.
    CreateWindowExW(0, className, L"Morvint", windowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                    nullptr, CreateMenu(), instance, this);
    if (hwnd_ == nullptr) {
        throw std::runtime_error("the main window cannot be created");
    }
    dpi_ = windowDpi(hwnd_);
    buildMenus();
    buildControls(instance);
    buildStatusBar();
    layOut();
}

void MainWindow::layOut() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    // The message font as the system gives it is for the system's dots per inch.
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, dpi_, windowDpi(nullptr));
    LOGFONTW itemFont{};
    itemFont.lfHeight = -MulDiv(825, dpi_, 7200);  // 8.25 points
    itemFont.lfWeight = FW_NORMAL;
    itemFont.lfCharSet = ANSI_CHARSET;
    wcscpy(itemFont.lfFaceName, L"Times New Roman");
    const HFONT oldFonts[] = {std::exchange(font_, CreateFontIndirectW(&metrics.lfMessageFont)),
                              std::exchange(itemFont_, CreateFontIndirectW(&itemFont))};
    std::vector<HFONT> oldFitted = std::exchange(fitted_, {});
    for (const ControlDef& def : controlDefs) {
        HWND c = control(def.id);
        MoveWindow(c, px(def.left), px(def.top), px(def.width), px(def.height), TRUE);
        const bool items = def.id == boxId(Box::itemTxt);
        HFONT font = items ? itemFont_ : font_;
        // A caption keeps its ink 2 pixels (3 from 144 dots per inch) off a button's
        // edge, and off a label's edge.
        const bool pushButton = def.id >= buttonIds && def.id < frameId;
        if (pushButton || def.id == labelId) {
            const int margin = pushButton ? (dpi_ >= 120 ? 3 : 2) : 1;
            if (HFONT fitted = fitCaption(c, font, margin, dpi_)) {
                fitted_.push_back(font = fitted);
            }
        }
        if (def.id == statId) {
            // 7.5 points: the status bar puts its line low, and a descender at the
            // message font's size comes within 2 pixels of its bottom.
            LOGFONTW small = metrics.lfMessageFont;
            small.lfHeight = -MulDiv(750, dpi_, 7200);
            fitted_.push_back(font = CreateFontIndirectW(&small));
        }
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    for (HFONT font : oldFonts) {
        DeleteObject(font);
    }
    for (HFONT font : oldFitted) {
        DeleteObject(font);
    }
    int edges[std::size(panelWidths)];
    int right = 0;
    for (std::size_t i = 0; i < std::size(panelWidths); ++i) {
        right += px(panelWidths[i]);
        edges[i] = right;
    }
    SendMessageW(statusBar(), SB_SETPARTS, std::size(edges), reinterpret_cast<LPARAM>(edges));
    // The client area's size, below a menu bar that may take more than one line.
    RECT frame{0, 0, px(clientWidth), px(clientHeight)};
    AdjustWindowRectEx(&frame, windowStyle, TRUE, 0);
    const int width = frame.right - frame.left;
    SetWindowPos(hwnd_, nullptr, 0, 0, width, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(hwnd_, &client);
    SetWindowPos(hwnd_, nullptr, 0, 0, width,
                 frame.bottom - frame.top + px(clientHeight) - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int MainWindow::px(int twips) const {
    // To the nearest pixel, halves up: at 96 dots per inch, (twips + 7) / 15.
    return MulDiv(twips, dpi_, 1440);
}

void MainWindow::buildControls(HINSTANCE instance) {
    // Created in tab order: Tab follows the order of the window's children.
    for (const ControlDef& def : controlDefs) {
        const bool edit = def.windowClass == std::wstring_view(L"EDIT");
        // Each control a group of its own: the arrow keys never move the focus.
        // Placed by layOut.
        CreateWindowExW(edit ? WS_EX_CLIENTEDGE : 0, def.windowClass, widen(def.caption).c_str(),
                        WS_CHILD | WS_VISIBLE | WS_GROUP | def.style, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), instance, nullptr);
    }
    // The narrative grows for as long as the window lives.
    SendMessageW(box(Box::mainTxt), EM_SETLIMITTEXT, 0, 0);
    for (Button b : morvint::allButtons) {
        setTag(b, {});
        const texts::ControlTexts& names = texts::buttons[static_cast<int>(b)];
        names_.set(button(b), names.name, names.description);
    }
    for (Box b : {Box::mainTxt, Box::actionTxt, Box::itemTxt}) {
        const texts::ControlTexts& names = texts::boxes[static_cast<int>(b)];
        names_.set(box(b), names.name, names.description);
    }
}

void MainWindow::buildMenus() {
    HMENU bar = GetMenu(hwnd_);
    HMENU popup = nullptr;
    std::wstring_view current;
    ACCEL keys[std::size(menuDefs)];
    int count = 0;
    for (const MenuDef& def : menuDefs) {
        if (def.menu != current) {
            current = def.menu;
            popup = CreatePopupMenu();
            AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), def.menu);
        }
        AppendMenuW(popup, def.id != 0 ? MF_STRING : MF_SEPARATOR, def.id, def.caption);
        if (def.key != 0) {
            keys[count++] = {static_cast<BYTE>(FVIRTKEY | def.keyFlags), def.key, def.id};
        }
    }
    accelerators_ = CreateAcceleratorTableW(keys, count);
    DrawMenuBar(hwnd_);
}

void MainWindow::buildStatusBar() {
    // Three parts before layOut gives them their widths.
    const int edges[] = {1, 2, -1};
    SendMessageW(statusBar(), SB_SETPARTS, std::size(edges), reinterpret_cast<LPARAM>(edges));
    for (Panel p : morvint::allPanels) {
        const texts::PanelTexts& text = texts::panels[static_cast<int>(p) - 1];
        showPanel(p, {std::string(text.start), true});
        SendMessageW(statusBar(), SB_SETTIPTEXTW, static_cast<int>(p) - 1,
                     reinterpret_cast<LPARAM>(widen(text.meaning).c_str()));
    }
}

HWND MainWindow::box(Box b) const {
    return control(boxId(b));
}

HWND MainWindow::button(Button b) const {
    return control(buttonId(b));
}

HWND MainWindow::statusBar() const {
    return control(statId);
}

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = windowOwner(hwnd, message, lParam, &MainWindow::hwnd_);
    if (window == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        window->hwnd_ = nullptr;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return window->handle(message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // A menu item or shortcut key has no control; a button says it was clicked.
            if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
                command(LOWORD(wParam));
            }
            return 0;
        case WM_TIMER:
            if (wParam == Timer1) {
                game_.Timer1_Timer();
            }
            return 0;
        case WM_NEXTDLGCTL: {
            // Tab and Shift+Tab, from the message loop and from inside the narrative.
            HWND next = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                            : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
            SetFocus(next);
            return 0;
        }
        case WM_ACTIVATE:
            activate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_DPICHANGED: {
            // Moved to a monitor of other dots per inch: where the system suggests,
            // every place and font again.
            dpi_ = LOWORD(wParam);
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            layOut();
            return 0;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType == ODT_STATIC) {
                FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
                SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
                drawLabel(item, dpi_, false);
            } else {
                drawPanel(item);
            }
            return TRUE;
        }
        case WM_DESTROY:
            KillTimer(hwnd_, Timer1);
            for (Button b : morvint::allButtons) {
                RemovePropW(button(b), tagProperty);
            }
            names_.clear();
            // The program ends with its last window.
            if (aboutBox() == nullptr) {
                PostQuitMessage(0);
            }
            return 0;
        default:
            return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void MainWindow::command(WORD id) {
    if (game_.programEnded()) {
        return;
    }
    switch (id) {
        case undoMnu:
            undoMnu_Click();
            break;
        case newMnu:
            game_.newMnu_Click();
            break;
        case exitMnu:
            // Exactly what the title bar's close button does.
            SendMessageW(hwnd_, WM_CLOSE, 0, 0);
            break;
        case aboutMnu:
            aboutMnu_Click();
            break;
        default:
            if (id >= buttonIds && id < buttonIds + std::size(morvint::allButtons)) {
                game_.click(morvint::allButtons[id - buttonIds]);
            }
    }
}

void MainWindow::activate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (IsChild(hwnd_, focus)) {
            focus_ = focus;
        }
        return;
    }
    // The window opens with the focus on the narrative.
    SetFocus(IsWindowEnabled(focus_) ? focus_ : box(Box::mainTxt));
    if (!waiting_.empty()) {
        announce(std::exchange(waiting_, {}));
    }
}

void MainWindow::say(const std::string& text) {
    // A later result replaces one still waiting.
    waiting_.clear();
    if (std::exchange(holdNext_, false) && GetActiveWindow() != hwnd_) {
        waiting_ = widen(text);
    } else {
        announce(widen(text));
    }
}

void MainWindow::announce(const std::wstring& text) {
    if (!notify_) {
        return;
    }
    IRawElementProviderSimple* provider = hostProvider(hwnd_);
    BSTR words = SysAllocString(text.c_str());
    BSTR activity = SysAllocString(L"Morvint");
    notify_(provider, actionCompleted, importantAll, words, activity);
    SysFreeString(activity);
    SysFreeString(words);
    if (provider != nullptr) {
        provider->Release();
    }
}

void MainWindow::showView(const morvint::View& view, const morvint::Changes& changes) {
    if (changes.narrativeReplaced) {
        SetWindowTextW(box(Box::mainTxt), widen(view.text(Box::mainTxt)).c_str());
    } else if (!changes.appended.empty()) {
        appendNarrative(widen(changes.appended));
    }
    for (Box b : {Box::actionTxt, Box::itemTxt}) {
        if (changes.box(b)) {
            SetWindowTextW(box(b), widen(view.text(b)).c_str());
        }
    }
    for (Button b : morvint::allButtons) {
        // A disabled button loses the focus, and the keys would go nowhere: the
        // narrative takes it, so that the next Space runs no other command.
        if (changes.wasDisabled(b)) {
            if (GetFocus() == button(b)) {
                SetFocus(box(Box::mainTxt));
            }
            if (focus_ == button(b)) {
                focus_ = box(Box::mainTxt);
            }
        }
        if (changes.button(b)) {
            EnableWindow(button(b), view.button(b).enabled);
            setTag(b, view.button(b).tag);
        }
    }
    for (Panel p : morvint::allPanels) {
        if (changes.panel(p)) {
            showPanel(p, view.panel(p));
        }
    }
    if (!changes.spoken.empty()) {
        say(changes.spoken);
    }
}

void MainWindow::appendNarrative(const std::wstring& text) {
    // Added at the end; the reader's selection and the first line shown stay where they are.
    HWND edit = box(Box::mainTxt);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const LRESULT top = SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    const int length = GetWindowTextLengthW(edit);
    SendMessageW(edit, EM_SETSEL, length, length);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(edit, EM_SETSEL, start, end);
    SendMessageW(edit, EM_LINESCROLL, 0, top - SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
}

void MainWindow::showPanel(Panel p, const morvint::View::PanelState& panel) {
    const int i = static_cast<int>(p) - 1;
    panelTexts_[i] = widen(panel.text);
    // A disabled panel is drawn by the window, greyed, from its text.
    SendMessageW(statusBar(), SB_SETTEXTW, i | (panel.enabled ? 0 : SBT_OWNERDRAW),
                 reinterpret_cast<LPARAM>(panelTexts_[i].c_str()));
}

void MainWindow::drawPanel(const DRAWITEMSTRUCT& item) const {
    RECT place = item.rcItem;
    place.left += 3;  // where the status bar puts its own texts
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(item.hDC, reinterpret_cast<const wchar_t*>(item.itemData), -1, &place,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void MainWindow::setTag(Button b, const std::string& tag) {
    std::wstring& text = tags_[static_cast<std::size_t>(b)];
    text = widen(tag);
    SetPropW(button(b), tagProperty, const_cast<wchar_t*>(text.c_str()));
}

bool MainWindow::askPlayAgain() {
    // The box is modal: what follows (a new game) is said once the window is active again.
    holdNext_ = true;
    return playAgain_();
}

void MainWindow::programEnded() {
    KillTimer(hwnd_, Timer1);
    ending_();
}

void MainWindow::setPlayAgainQuestion(Question question) {
    playAgain_ = std::move(question);
}

void MainWindow::setProgramEnd(Ending ending) {
    ending_ = std::move(ending);
}

void MainWindow::setNotify(Notify notify) {
    notify_ = std::move(notify);
}

bool MainWindow::preTranslate(MSG& msg) {
    if (about_ != nullptr && about_->preTranslate(msg)) {
        return true;
    }
    if (hwnd_ == nullptr || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) {
        return false;
    }
    if (msg.message == WM_KEYDOWN) {
        switch (msg.wParam) {
            case VK_RETURN:
            case VK_ESCAPE:
                // Enter and Esc press nothing; in the narrative, a multi-line box, Esc
                // would close the window.
                return true;
            case VK_TAB:
                // Tab goes round the controls as the narrative sends it on. The dialog
                // manager would also make the button it reaches the default one.
                SendMessageW(hwnd_, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0, 0);
                return true;
            default:
                break;
        }
    }
    return TranslateAcceleratorW(hwnd_, accelerators_, &msg) || IsDialogMessageW(hwnd_, &msg);
}

bool MainWindow::showPlayAgainBox() {
    const std::wstring title = widen(texts::playAgainTitle);
    const std::wstring question = widen(texts::playAgainQuestion);
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    box.hwndOwner = hwnd_;
    box.lpszText = question.c_str();
    box.lpszCaption = title.c_str();
    box.dwStyle = MB_YESNO;  // style 4: Yes and No, no icon, Yes the default
    box.lpfnMsgBoxCallback = showHelp;
    // Only Yes or No answers: Esc and Alt+F4 give Cancel, which asks again.
    int answer = IDCANCEL;
    while (answer == IDCANCEL) {
        answer = MessageBoxIndirectW(&box);
    }
    return answer == IDYES;
}

void MainWindow::undoMnu_Click() {
    // Style 16: OK only, with the stop icon.
    MessageBoxW(hwnd_, widen(texts::cheaterMessage).c_str(), widen(texts::cheaterTitle).c_str(),
                MB_OK | MB_ICONSTOP);
    game_.endProgram();
}

void MainWindow::aboutMnu_Click() {
    // One box: a second click brings it to the front.
    if (aboutBox() == nullptr) {
        about_ = std::make_unique<AboutBox>(GetModuleHandleW(nullptr), dpi_, [this] {
            // The program ends with its last window, which may be this box after Exit.
            if (hwnd_ == nullptr) {
                PostQuitMessage(0);
            }
        });
    }
    SetForegroundWindow(about_->hwnd());
}
