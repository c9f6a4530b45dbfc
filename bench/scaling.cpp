// SPDX-License-Identifier: MIT
// The cost of one press as the narrative grows: the player stands on the sound
// bridge of row 1, column 1 and presses Cross again and again; every crossing
// appends " You made it across. " to the one paragraph of the narrative.
//
//   morvint-scaling [PRESSES] [BUCKET]
//
// For each bucket of presses it prints the mean time of a press in the real
// main window (the click with everything it does at once, then the events it
// leaves behind, painting included), the click's part of it, and the time of
// the same press in the game core with a window that draws nothing, and the time of
// the same append made straight on a bare text widget set up like the
// narrative box. The core's figure stays flat; the window's grows with the text
// widget's own layout of its long paragraph, as the bare widget's does.
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "frmMain.h"
#include "morvint/game.h"

namespace {

using morvint::Box;
using morvint::Button;

constexpr std::string_view crossing = " You made it across. ";

// Crossing a sound bridge draws nothing; any value will do.
class FixedRandom : public morvint::RandomSource {
public:
    float next() override { return 0.5f; }
    void reseed() override {}
};

// Draws nothing.
class NoWindow : public morvint::Window {
public:
    void showView(const morvint::View&, const morvint::Changes&) override {}
    bool askPlayAgain() override { return true; }
    void programEnded() override {}
};

// Walks from the entrance to the room of the sound bridge, row 1, column 1, from
// the west: past the goblin (two blows of 5 at 0.5), round by the transporter's
// room to row 1, column 0, then east.
void enterBridgeRoom(const std::function<void(Button)>& click, const morvint::Game& game) {
    for (Button b :
         {Button::northCom, Button::northCom, Button::westCom, Button::westCom, Button::northCom,
          Button::westCom, Button::southCom, Button::southCom, Button::eastCom}) {
        click(b);
    }
    const morvint::GameState& s = game.state();
    if (s.vroom != 1 || s.hroom != 1 || s.side != "west") {
        std::fprintf(stderr, "the walk did not reach the bridge from the west\n");
        std::exit(1);
    }
}

void expectGrowth(const char* where, std::size_t before, std::size_t after, int presses) {
    const std::size_t expected = before + crossing.size() * static_cast<std::size_t>(presses);
    if (after != expected) {
        std::fprintf(stderr, "%s: the narrative holds %zu characters after %d crossings, not %zu\n",
                     where, after, presses, expected);
        std::exit(1);
    }
}

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int bucket = argc > 2 ? std::atoi(argv[2]) : 1000;
    if (presses < 1 || bucket < 1 || presses % bucket != 0) {
        std::fprintf(stderr,
                     "usage: morvint-scaling [PRESSES] [BUCKET], PRESSES a multiple of "
                     "BUCKET\n");
        return 2;
    }
    const int buckets = presses / bucket;
    using Clock = std::chrono::steady_clock;

    // The real window, shown and drawn before the first press.
    FixedRandom random;
    frmMain window(random);
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) &&
           waited.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    enterBridgeRoom([&window](Button b) { window.button(b)->click(); }, window.game());
    QApplication::processEvents();
    auto* narrative = window.findChild<QPlainTextEdit*>(QStringLiteral("mainTxt"));
    QPushButton* cross = window.button(Button::crossCom);
    if (narrative == nullptr || cross == nullptr) {
        std::fprintf(stderr, "the main window has no narrative box or Cross button\n");
        return 1;
    }
    const auto windowStart = static_cast<std::size_t>(narrative->document()->characterCount());
    const QString startText = narrative->toPlainText();  // for the bare widget below

    std::vector<double> pressTime(buckets);
    std::vector<double> clickTime(buckets);
    for (int b = 0; b < buckets; ++b) {
        Clock::duration press{};
        Clock::duration click{};
        for (int i = 0; i < bucket; ++i) {
            const auto t0 = Clock::now();
            cross->click();
            const auto t1 = Clock::now();
            QApplication::processEvents();
            const auto t2 = Clock::now();
            click += t1 - t0;
            press += t2 - t0;
        }
        pressTime[b] = seconds(press) / bucket;
        clickTime[b] = seconds(click) / bucket;
    }
    expectGrowth("main window", windowStart,
                 static_cast<std::size_t>(narrative->document()->characterCount()), presses);

    // The same presses in the core against the in-memory window.
    NoWindow none;
    morvint::Game game(none, random);
    game.Form_Load();
    enterBridgeRoom([&game](Button b) { game.click(b); }, game);
    const std::size_t coreStart = game.view().text(Box::mainTxt).size();
    std::vector<double> coreTime(buckets);
    for (int b = 0; b < buckets; ++b) {
        const auto t0 = Clock::now();
        for (int i = 0; i < bucket; ++i) {
            if (!game.click(Button::crossCom)) {
                std::fprintf(stderr, "the Cross button was left disabled\n");
                return 1;
            }
        }
        coreTime[b] = seconds(Clock::now() - t0) / bucket;
    }
    expectGrowth("core", coreStart, game.view().text(Box::mainTxt).size(), presses);

    // The same appends on a bare widget with the narrative box's size and wrapping.
    QPlainTextEdit bare;
    bare.setReadOnly(true);
    bare.setVerticalScrollBarPolicy(narrative->verticalScrollBarPolicy());
    bare.setHorizontalScrollBarPolicy(narrative->horizontalScrollBarPolicy());
    bare.setLineWrapMode(narrative->lineWrapMode());
    bare.setWordWrapMode(narrative->wordWrapMode());
    bare.setUndoRedoEnabled(false);
    bare.setFont(narrative->font());
    bare.resize(narrative->size());
    bare.setPlainText(startText);
    bare.show();
    QApplication::processEvents();
    const QString phrase = QString::fromLatin1(crossing.data(), crossing.size());
    std::vector<double> bareTime(buckets);
    for (int b = 0; b < buckets; ++b) {
        const auto t0 = Clock::now();
        for (int i = 0; i < bucket; ++i) {
            QTextCursor end(bare.document());
            end.movePosition(QTextCursor::End);
            end.insertText(phrase);
            QApplication::processEvents();
        }
        bareTime[b] = seconds(Clock::now() - t0) / bucket;
    }
    expectGrowth("bare widget", windowStart,
                 static_cast<std::size_t>(bare.document()->characterCount()), presses);

    std::printf("%9s %10s  %14s %14s  %14s  %14s\n", "presses", "narrative", "window us/press",
                "of it click us", "core ns/press", "bare widget us");
    for (int b = 0; b < buckets; ++b) {
        const int upTo = (b + 1) * bucket;
        std::printf("%4d-%-5d %10zu  %14.1f %14.1f  %14.0f  %14.1f\n", b * bucket + 1, upTo,
                    windowStart + crossing.size() * static_cast<std::size_t>(upTo),
                    pressTime[b] * 1e6, clickTime[b] * 1e6, coreTime[b] * 1e9, bareTime[b] * 1e6);
    }
    std::printf(
        "window: %.1f us per press in the first bucket, %.1f us in the last (x%.1f); "
        "core: %.0f ns and %.0f ns (x%.2f)\n",
        pressTime.front() * 1e6, pressTime.back() * 1e6, pressTime.back() / pressTime.front(),
        coreTime.front() * 1e9, coreTime.back() * 1e9, coreTime.back() / coreTime.front());
    return 0;
}
