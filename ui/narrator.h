// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QTimer;
class QWidget;

// Delivers to a screen reader what the game says after each command, while the
// focus stays where it is: a hidden notice, which Orca speaks whole each time it
// is shown.
class Narrator : public QObject {
public:
    // Speaks for `window`.
    explicit Narrator(QWidget* window);

    // Says the text (nothing when it is empty), or, after holdNext, once the window
    // is active and the screen reader has spoken the window and its focused control.
    void say(const QString& text);
    // The next text waits: the window is not shown yet, or a modal box is about to
    // open and the text will follow its answer.
    void holdNext() { holdNext_ = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void notify(const QString& text);
    void sayWhenActive();

    QWidget* window_;
    QLabel* notice_;
    QTimer* settle_;
    bool holdNext_ = false;
    QString waiting_;
};
