// SPDX-License-Identifier: MIT
// morvint-win32-probe: reads the running game's main window from outside, as another
// program (a screen reader, say) can, and prints one JSON line for each control in
// the order of its children and for each part of its status bar. Test-only. (Wine 8
// keeps menus inside their program: another one cannot read them.)
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "main_window.h"
#include "state_json.h"

using morvint::replay::jsonString;

namespace {

std::string text(HWND window) {
    wchar_t text[512] = L"";
    SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return narrow(text);
}

std::string kind(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return narrow(name);
}

// The status bar keeps its parts in the game's memory: they are read through a buffer
// there. An owner-drawn part gives its drawing data, a pointer to its text there.
void printParts(HWND stat) {
    DWORD process = 0;
    GetWindowThreadProcessId(stat, &process);
    HANDLE game = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, process);
    auto* buffer = static_cast<wchar_t*>(
        VirtualAllocEx(game, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    const auto read = [game](const void* from, void* to, std::size_t size) {
        ReadProcessMemory(game, from, to, size, nullptr);
    };
    int edges[8] = {};
    const auto parts =
        SendMessageW(stat, SB_GETPARTS, std::size(edges), reinterpret_cast<LPARAM>(buffer));
    read(buffer, edges, sizeof edges);
    for (int i = 0; i < parts; ++i) {
        const bool drawn = HIWORD(SendMessageW(stat, SB_GETTEXTLENGTHW, i, 0)) & SBT_OWNERDRAW;
        const auto data = SendMessageW(stat, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(buffer));
        wchar_t words[256] = L"";
        read(drawn ? reinterpret_cast<const void*>(data) : buffer, words, sizeof words - 2);
        std::printf("{\"part\":%d,\"right\":%d,\"text\":%s}\n", i, edges[i],
                    jsonString(narrow(words)).c_str());
    }
    VirtualFreeEx(game, buffer, 0, MEM_RELEASE);
    CloseHandle(game);
}

// A top-level window: its title, place on the screen, client size and client corner
// on the screen, then each child.
void printWindow(HWND window) {
    RECT r;
    RECT client;
    POINT corner{};
    GetWindowRect(window, &r);
    GetClientRect(window, &client);
    ClientToScreen(window, &corner);
    std::printf(
        "{\"window\":%s,\"rect\":\"%ld %ld %ld %ld\",\"client\":\"%ld %ld\","
        "\"origin\":\"%ld %ld\"}\n",
        jsonString(text(window)).c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top,
        client.right, client.bottom, corner.x, corner.y);
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        const auto style = GetWindowLongW(c, GWL_STYLE);
        const auto yes = [](bool b) { return b ? "true" : "false"; };
        std::printf(
            "{\"class\":%s,\"text\":%s,\"rect\":\"%ld %ld %ld %ld\",\"tabstop\":%s,"
            "\"readOnly\":%s,\"default\":%s,\"enabled\":%s}\n",
            jsonString(kind(c)).c_str(), jsonString(text(c)).c_str(), r.left, r.top,
            r.right - r.left, r.bottom - r.top, yes(style & WS_TABSTOP), yes(style & ES_READONLY),
            yes(kind(c) == "Button" && (style & 0xF) == BS_DEFPUSHBUTTON), yes(IsWindowEnabled(c)));
        if (kind(c) == STATUSCLASSNAMEA) {
            printParts(c);
        }
    }
}

// Empties every caption of the window, the status bar's parts' too, and has it drawn
// again: the screenshot without captions.
void blank(HWND window) {
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (kind(c) != STATUSCLASSNAMEA) {
            SendMessageW(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
            continue;
        }
        // An empty text in the game's memory, left there for the drawing.
        DWORD process = 0;
        GetWindowThreadProcessId(c, &process);
        HANDLE game = OpenProcess(PROCESS_VM_OPERATION, FALSE, process);
        void* empty = VirtualAllocEx(game, nullptr, 16, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        CloseHandle(game);
        for (int i = 0; i < SendMessageW(c, SB_GETPARTS, 0, 0); ++i) {
            const int drawn = HIWORD(SendMessageW(c, SB_GETTEXTLENGTHW, i, 0)) & SBT_OWNERDRAW;
            SendMessageW(c, SB_SETTEXTW, i | drawn, reinterpret_cast<LPARAM>(empty));
        }
    }
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace

// `morvint-win32-probe --blank` empties the captions after printing.
int main(int argc, char** argv) {
    HWND main = FindWindowW(L"Morvint", L"Morvint");
    if (main == nullptr) {
        std::fprintf(stderr, "morvint-win32-probe: no game window\n");
        return 1;
    }
    DWORD game = 0;
    GetWindowThreadProcessId(main, &game);
    // The game's windows on the screen, from the front.
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        if (process == game && IsWindowVisible(w)) {
            printWindow(w);
            if (argc == 2 && std::string_view(argv[1]) == "--blank") {
                blank(w);
            }
        }
    }
    return 0;
}
