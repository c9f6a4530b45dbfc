// SPDX-License-Identifier: MIT
#include "about_box.h"

#include <string>
#include <utility>

#include "main_window.h"
#include "morvint/sky.h"
#include "morvint/texts.h"
#include "window_owner.h"

namespace {

namespace texts = morvint::texts;

constexpr wchar_t className[] = L"MorvintAbout";
constexpr int sysInfoId = 102;
constexpr int descriptionId = 103;

// The box's controls in tab order, the buttons first; twips from its corner.
struct ControlDef {
    int id;
    const wchar_t* windowClass;
    std::string caption;
    int left, top, width, height;
    DWORD style;
    int points100;  // the label's MS Sans Serif size in hundredths of a point; 0: message font
};

const ControlDef controlDefs[] = {
    {IDOK, L"BUTTON", std::string(texts::aboutOk), 3120, 3960, 1260, 345,
     WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {sysInfoId, L"BUTTON", std::string(texts::aboutSysInfo), 4560, 3960, 1245, 345,
     WS_TABSTOP | BS_PUSHBUTTON, 0},
    {descriptionId, L"STATIC", std::string(texts::aboutDescription), 480, 1920, 5085, 1770,
     SS_OWNERDRAW, 1350},
    {-1, L"STATIC", std::string(texts::aboutTitle), 1050, 240, 3885, 480, SS_OWNERDRAW, 2400},
    {-1, L"STATIC", texts::aboutVersionLine(), 1050, 960, 3885, 225, SS_OWNERDRAW, 975},
};

}  // namespace

AboutBox::AboutBox(HINSTANCE instance, int dpi, std::function<void()> closed)
    : dpi_(dpi), closed_(std::move(closed)), platform_(morvint::makeSystemPlatform()) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);  // fails harmlessly for a second box
    // The caption is never seen, as the box has no title bar.
    CreateWindowExW(WS_EX_CONTROLPARENT, className, widen(texts::aboutCaption).c_str(), WS_POPUP,
                    px(2295), px(1605), px(6000), px(4485), nullptr, nullptr, instance, this);
    buildControls(instance);
    // Named after the game, not after its unseen caption.
    names_.set(hwnd_, texts::aboutName);
    ShowWindow(hwnd_, SW_SHOW);
    SetFocus(GetDlgItem(hwnd_, IDOK));
}

AboutBox::~AboutBox() {
    closed_ = nullptr;
    close();
    for (HFONT font : fonts_) {
        DeleteObject(font);
    }
}

void AboutBox::buildControls(HINSTANCE instance) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    fonts_[0] = CreateFontIndirectW(&metrics.lfMessageFont);
    int made = 1;
    for (const ControlDef& def : controlDefs) {
        HFONT font = fonts_[0];
        if (def.points100 != 0) {
            LOGFONTW sans{};
            sans.lfHeight = -MulDiv(def.points100, dpi_, 7200);
            sans.lfWeight = FW_NORMAL;
            wcscpy(sans.lfFaceName, L"MS Sans Serif");
            font = fonts_[made++] = CreateFontIndirectW(&sans);
        }
        const std::wstring caption = widen(def.caption);
        HWND control = CreateWindowExW(
            0, def.windowClass, caption.c_str(), WS_CHILD | WS_VISIBLE | def.style, px(def.left),
            px(def.top), px(def.width), px(def.height), hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

void AboutBox::setSysInfoPlatform(std::unique_ptr<morvint::SysInfoPlatform> platform) {
    platform_ = std::move(platform);
}

void AboutBox::close() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

bool AboutBox::preTranslate(MSG& msg) {
    return hwnd_ != nullptr && (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd)) &&
           IsDialogMessageW(hwnd_, &msg);
}

void AboutBox::showUnavailable() {
    MessageBoxW(hwnd_, widen(morvint::sysInfoUnavailable).c_str(),
                widen(morvint::sysInfoUnavailableTitle).c_str(), MB_OK);
}

LRESULT CALLBACK AboutBox::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = windowOwner(hwnd, message, lParam, &AboutBox::hwnd_);
    return box != nullptr ? box->handle(message, wParam, lParam)
                          : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT AboutBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // Enter and Esc come as IDOK and IDCANCEL: both close the box.
            if (LOWORD(wParam) == sysInfoId) {
                morvint::StartSysInfo(*platform_, *this);
            } else if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                close();
            }
            return 0;
        case WM_ERASEBKGND:
            return TRUE;  // the sky covers it all
        case WM_PAINT:
            paint();
            return 0;
        case WM_DRAWITEM: {
            // Dark letters straight on the sky.
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            SetTextColor(item.hDC, RGB(0, 0, 0));
            drawLabel(item, dpi_, item.CtlID == descriptionId);
            return TRUE;
        }
        case WM_DESTROY:
            names_.clear();
            return 0;
        case WM_NCDESTROY: {
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            if (closed_) {
                closed_();
            }
            return 0;
        }
        default:
            return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void AboutBox::paint() {
    static const morvint::SkyPicture sky = morvint::drawSky();
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } bitmap{};
    bitmap.header = {sizeof(BITMAPINFOHEADER), sky.width, -sky.height, 1, 8, BI_RGB, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < sky.palette.size(); ++i) {
        const std::uint32_t c = sky.palette[i];
        bitmap.colours[i] = {BYTE(c & 0xFF), BYTE((c >> 8) & 0xFF), BYTE((c >> 16) & 0xFF), 0};
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    // The picture grows with the dots per inch, as the box does.
    StretchDIBits(dc, 0, 0, MulDiv(sky.width, dpi_, 96), MulDiv(sky.height, dpi_, 96), 0, 0,
                  sky.width, sky.height, sky.indices.data(),
                  reinterpret_cast<const BITMAPINFO*>(&bitmap), DIB_RGB_COLORS, SRCCOPY);
    EndPaint(hwnd_, &paint);
}
