// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "morvint/clock.h"
#include "morvint/game.h"
#include "morvint/random.h"
#include "morvint/window.h"

class QAction;
class QGroupBox;
class Narrator;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTimer;

// The main window: every control of the game, its menus, status bar and clock.
// The game itself runs in morvint::Game, which reaches the controls through the
// morvint::Window interface that this window implements.
class frmMain : public QMainWindow, public morvint::Window {
    Q_OBJECT

public:
    // The play-again question: true for Yes.
    using Question = std::function<bool()>;
    // The end of the whole program.
    using Ending = std::function<void()>;

    // A window that plays with the time-seeded random source.
    explicit frmMain(QWidget* parent = nullptr);
    // A window that plays with the given source, which must outlive it.
    explicit frmMain(morvint::RandomSource& random, QWidget* parent = nullptr);
    ~frmMain() override;

    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // morvint::Window
    void setText(morvint::Box box, std::string_view text) override;
    void append(morvint::Box box, std::string_view text) override;
    bool isEnabled(morvint::Button b) const override;
    void setEnabled(morvint::Button b, bool enabled) override;
    std::string tag(morvint::Button b) const override;
    void setTag(morvint::Button b, std::string_view tag) override;
    void setPanelText(morvint::Panel p, std::string_view text) override;
    void setPanelEnabled(morvint::Panel p, bool enabled) override;
    bool askPlayAgain() override;
    void endProgram() override;

    // The pieces that ask the question and end the program. By default the real
    // modal box asks, and the end closes every window and leaves the event loop.
    void setPlayAgainQuestion(Question question);
    void setProgramEnd(Ending ending);
    // The real play-again box and the real end of the program.
    bool showPlayAgainBox();
    static void closeProgram();

    morvint::Game& game() { return game_; }
    QPushButton* button(morvint::Button b) const;
    QLabel* panel(morvint::Panel p) const;
    QTimer* timer() const { return Timer1_; }
    // The About box, while it exists.
    QWidget* aboutBox() const { return about_; }

    // The short help that F1 shows in the play-again box.
    static QString helpText();

public slots:
    void Timer1_Timer();
    void undoMnu_Click();
    void newMnu_Click();
    void exitMnu_Click();
    void aboutMnu_Click();

private:
    frmMain(std::unique_ptr<morvint::RandomSource> own, morvint::RandomSource* random,
            QWidget* parent);
    void buildControls();
    void buildMenus();
    void buildStatusBar();
    QPushButton* makeButton(morvint::Button b, const char* name, const QString& caption,
                            const QRect& twips, const QString& accessibleName,
                            const QString& description);
    QWidget* box(morvint::Box b) const;
    // A panel's text, its fit and the name a screen reader reads.
    void showPanelText(morvint::Panel p, const QString& value);

    // One command of the player: what it writes is gathered and said once at its end.
    template <typename Run>
    void command(Run run, bool holdBack = false);

    std::unique_ptr<morvint::RandomSource> ownRandom_;
    morvint::Game game_;

    QPlainTextEdit* mainTxt_ = nullptr;
    QLineEdit* actionTxt_ = nullptr;
    QLineEdit* itemTxt_ = nullptr;
    QGroupBox* Frame1_ = nullptr;
    QLabel* actionLbl_ = nullptr;
    QPushButton* buttons_[std::size(morvint::allButtons)] = {};
    QStatusBar* stat_ = nullptr;
    QLabel* panels_[3] = {};
    QTimer* Timer1_ = nullptr;

    // Counts the ticks of Timer1 since the window opened.
    morvint::GameClock clock_;

    Question playAgain_;
    Ending ending_;
    QPointer<QWidget> about_;

    // Says each command's result to a screen reader.
    Narrator* narrator_ = nullptr;
};
