// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QTimer;
class QWidget;

// What a screen reader hears by itself while the focus stays where it is: the
// result of each command, gathered while the command runs and said once at its
// end through a hidden notice, which Orca speaks whole each time it is shown.
class Narrator : public QObject {
public:
    // Speaks for `window`, reading the hit points and enemy panels when a command ends.
    Narrator(QWidget* window, QLabel* hpPanel, QLabel* enemyPanel);

    // Around one command. A held-back result (the opening of a game) waits until
    // the window has the focus and the screen reader has spoken it.
    void begin(bool holdBack);
    void end();

    // What the command writes.
    void narrativeSet(const QString& text);
    void narrativeAppended(const QString& text);
    void enemyPanelWritten() { enemyWritten_ = true; }

    // A modal box is about to open: what was heard so far is said now, and what
    // follows (a new game) is held back.
    void sayBeforeBox();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString heard() const;
    void say(const QString& text);
    void sayWhenActive();

    QWidget* window_;
    QLabel* hpPanel_;
    QLabel* enemyPanel_;
    QLabel* notice_;
    QTimer* settle_;
    // What the running command wrote: the narrative, the hit points it started
    // with, and whether it wrote the enemy panel.
    QString narrative_;
    QString hpBefore_;
    bool enemyWritten_ = false;
    bool holdBack_ = false;
    QString waiting_;
};
