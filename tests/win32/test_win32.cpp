// SPDX-License-Identifier: MIT
// What the scripts cannot show of the Win32 window: the reader's place in the
// narrative kept when text arrives.
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

#include "main_window.h"

using namespace morvint;

namespace {

// Text added at the end of the narrative moves neither the selection nor the first
// line shown, also when the caret is at the very end.
TEST(Win32Window, AppendKeepsSelectionAndFirstLine) {
    MainWindow w(GetModuleHandleW(nullptr));
    HWND narrative = w.box(Box::mainTxt);
    std::string text;
    for (int i = 0; i < 30; ++i) {
        text += "You can go north, east, or south. ";
    }
    const int end = static_cast<int>(text.size());
    for (auto [start, stop, lines] : {std::tuple{5, 40, 0}, {end, end, 4}}) {
        View view = w.game().view();
        view.boxes[0] = text;
        Changes replaced;
        replaced.narrativeReplaced = true;
        w.showView(view, replaced);
        SendMessageW(narrative, EM_SETSEL, start, stop);
        SendMessageW(narrative, EM_LINESCROLL, 0,
                     lines - SendMessageW(narrative, EM_GETFIRSTVISIBLELINE, 0, 0));
        ASSERT_EQ(SendMessageW(narrative, EM_GETFIRSTVISIBLELINE, 0, 0), lines);
        Changes bite;
        bite.appended = "The snake bit you. ";
        for (int i = 0; i < 20; ++i) {
            view.boxes[0] += bite.appended;
            w.showView(view, bite);
        }
        DWORD from = 0;
        DWORD to = 0;
        SendMessageW(narrative, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(std::tuple(from, to), std::tuple(DWORD(start), DWORD(stop)));
        EXPECT_EQ(SendMessageW(narrative, EM_GETFIRSTVISIBLELINE, 0, 0), lines);
        EXPECT_EQ(narrow(windowText(narrative)), view.boxes[0]);
    }
}

}  // namespace
