// What the window tests share: the opening narrative, finding controls by name,
// answering the modal box of the next turn of the event loop, and a shown main
// window whose end of the program is only counted.
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "frmMain.h"
#include "scripted_random.h"

namespace morvint::testing {

inline const QString opening = QStringLiteral(
    "You are in a small room at the entrance of a maze. You have to find the gold and get "
    "out without dying. You can go north or west. ");

template <typename T = QWidget>
T* child(QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no control named %s", qPrintable(name));
    }
    return found;
}

inline QString accessibleText(QObject* object, QAccessible::Text which = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(object)->text(which);
}

// At the next turn of the event loop, hands the open modal message box to `act`,
// which must close it.
inline void onNextBox(std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            act(*box);
        }
    });
}

// Runs the event loop until the program ends: 0, or 99 if it never does.
inline int runUntilTheEnd() {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(20000);
    const int result = QApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}

// A shown main window over a scripted random source; `endings` counts the ends
// of the program it asked for.
struct ShownWindow {
    replay::ScriptedRandom random;
    std::unique_ptr<frmMain> w = std::make_unique<frmMain>(random);
    int endings = 0;

    ShownWindow() {
        w->setProgramEnd([this] { ++endings; });
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get())) {
            qFatal("the main window was never shown");
        }
    }
    ~ShownWindow() {
        delete w->aboutBox();
        w.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ShownWindow(const ShownWindow&) = delete;
    ShownWindow& operator=(const ShownWindow&) = delete;

    template <typename T = QWidget>
    T* get(const QString& name) const {
        return child<T>(*w, name);
    }
    QString text(const QString& box) const {
        QWidget* control = child(*w, box);
        if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) {
            return edit->toPlainText();
        }
        return qobject_cast<QLineEdit*>(control)->text();
    }
    // Activated, so that keys reach it.
    bool activate() const {
        w->activateWindow();
        return QTest::qWaitForWindowActive(w.get());
    }
};

}  // namespace morvint::testing
