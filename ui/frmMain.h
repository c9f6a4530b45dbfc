// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

#include "morvint/game.h"
#include "morvint/random.h"
#include "morvint/window.h"

class QGroupBox;
class Narrator;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTimer;

// The main window: every control of the game, its menus, status bar and clock.
// The game itself runs in morvint::Game; the window runs its commands and draws
// the view it is shown.
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
    void showView(const morvint::View& view, const morvint::Changes& changes) override;
    bool askPlayAgain() override;
    void programEnded() override;

    // The pieces that ask the question and end the program. By default the real
    // modal box asks, and the end closes every window and leaves the event loop.
    void setPlayAgainQuestion(Question question);
    void setProgramEnd(Ending ending);

    const morvint::Game& game() const { return game_; }
    QPushButton* button(morvint::Button b) const;
    QLabel* panel(morvint::Panel p) const;
    QTimer* timer() const { return Timer1_; }
    // The About box, while it exists.
    QWidget* aboutBox() const { return about_; }
    // The real play-again box, the question's default: true for Yes.
    bool showPlayAgainBox();

private slots:
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
    QPushButton* makeButton(morvint::Button b);
    // The Items frame with its box.
    void buildItems();
    // Adds text at the end of the narrative, leaving caret and scroll where they are.
    void appendNarrative(const QString& text);
    // A panel's text, its fit and the name a screen reader reads.
    void showPanelText(morvint::Panel p, const QString& value);
    static void closeProgram();

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

    Question playAgain_;
    Ending ending_;
    QPointer<QWidget> about_;

    // Says each command's result to a screen reader.
    Narrator* narrator_ = nullptr;
};
