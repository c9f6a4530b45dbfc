// SPDX-License-Identifier: MIT
// morvint-window-replay: plays replay scripts through the real main window, on
// any Qt platform (offscreen in the tests), and prints what morvint-replay
// prints. Test-only: it is never installed.
//
// Besides the script table it takes commands that need a real window:
//   key KEY...   sends keys to the focused control ("Tab", "Space", "F2", "x")
//   focus        prints {"event":"focus","control":NAME}
//   tick [N]     N ticks of Timer1 (1 when left out)
//   dark         gives the application a dark palette
//   menu aboutMnu  opens the About box
//   windows      prints the open windows
//   layout       prints one line for each control and menu item of every open window
//                (its parent, place, caption, font, colour, focus, default, names and tool tip)
//   ask show     prints the state at every later play-again question, before its answer
//   append, select, reader: the reader's place in the narrative (reader.h)
//   boxes KEY... from now on presses each KEY in the message box then open, printing
//                the box first ({"event":"box","title":..,"text":..,"icon":..,"buttons":..});
//                the real play-again box asks, and its answer is printed
//
// `morvint-window-replay --serve SCRIPT` shows the window with the script's
// random values as its draws and the real play-again box, and waits to be
// played from outside (the accessibility tests).

#include <QAction>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <deque>
#include <fstream>
#include <sstream>

#include "frmMain.h"
#include "reader.h"
#include "script.h"
#include "state_json.h"

using namespace morvint;
using namespace morvint::replay;

namespace {

std::string str(const QString& text) {
    return text.toStdString();
}

// "key":value in JSON, then `end`.
std::string field(const char* key, const QString& value, const char* end = ",") {
    return "\"" + std::string(key) + "\":" + jsonString(str(value)) + end;
}

// The style of GNOME's dialogs: icons on their buttons, and the affirmative one last.
class GnomeDialogStyle : public QProxyStyle {
public:
    GnomeDialogStyle() : QProxyStyle(QStringLiteral("Fusion")) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override {
        if (hint == SH_DialogButtonLayout) {
            return QDialogButtonBox::GnomeLayout;
        }
        return hint == SH_DialogButtonBox_ButtonsHaveIcons
                   ? 1
                   : QProxyStyle::styleHint(hint, option, widget, answer);
    }
};

// A message box as the player sees it: its buttons in order of their captions, the
// default one marked, and one that shows an icon too.
std::string boxEvent(const QMessageBox& box) {
    const char* icons[] = {"", "information", "warning", "stop", "question"};
    QStringList buttons;
    for (QAbstractButton* b : box.buttons()) {
        const auto* push = qobject_cast<QPushButton*>(b);
        buttons << b->text().remove('&') + (push && push->isDefault() ? " (default)" : "") +
                       (b->icon().isNull() ? "" : " (icon)");
    }
    buttons.sort();
    return R"({"event":"box",)" + field("title", box.windowTitle()) + field("text", box.text()) +
           field("icon", icons[box.icon()]) + field("buttons", buttons.join(", "), "}");
}

class WindowTarget : public Target, public ReaderCommands {
public:
    explicit WindowTarget(Session& session) : session_(session), w_(session.random) {
        w_.setPlayAgainQuestion([this] {
            if (showAtQuestion_ && session_.random.dry.empty()) {
                show();
            }
            if (!realBoxes_) {
                return session_.askPlayAgain();
            }
            const bool yes = w_.showPlayAgainBox();
            session_.out.line(msgboxEvent(yes));
            return yes;
        });
        // The next key goes to the message box open, once its own event loop runs; a
        // key that opens a box on top returns only when that one is closed.
        QObject::connect(&boxTimer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible() || boxKeys_.empty() || pressing_) {
                return;
            }
            session_.out.line(boxEvent(*box));
            pressing_ = true;
            QTimer::singleShot(0, box, [this, box, key = boxKeys_.front()] {
                pressing_ = false;
                QTest::keySequence(box, QString::fromStdString(key));
            });
            boxKeys_.pop_front();
        });
        w_.setProgramEnd([this] { session_.endProgram(); });
        w_.show();
        w_.activateWindow();
        if (!QTest::qWaitForWindowActive(&w_)) {
            qFatal("the main window never became active");
        }
    }

    bool click(Button b) override {
        QPushButton* button = w_.button(b);
        if (!button->isEnabled()) {
            return false;
        }
        button->click();
        return true;
    }
    void newGame() override { w_.findChild<QAction*>(QStringLiteral("newMnu"))->trigger(); }
    void show() override { session_.show(drawn(), w_.game()); }
    bool ended() const override { return w_.game().programEnded(); }

    // What the widgets show, read back from them.
    View drawn() const override {
        View view;
        const char* names[] = {"mainTxt", "actionTxt", "itemTxt"};
        for (std::size_t i = 0; i < std::size(names); ++i) {
            QWidget* widget = w_.findChild<QWidget*>(QLatin1String(names[i]));
            auto* text = qobject_cast<QPlainTextEdit*>(widget);
            view.boxes[i] =
                str(text ? text->toPlainText() : static_cast<QLineEdit*>(widget)->text());
        }
        for (Button b : allButtons) {
            view.buttons[static_cast<std::size_t>(b)] = {
                w_.button(b)->isEnabled(), str(w_.button(b)->property("Tag").toString())};
        }
        for (Panel p : allPanels) {
            view.panels[static_cast<std::size_t>(p) - 1] = {str(w_.panel(p)->text()),
                                                            w_.panel(p)->isEnabled()};
        }
        return view;
    }

    // The window's own commands; false for a line that is none of them.
    bool extra(const std::vector<std::string>& words) {
        if (runReader(words, session_.out)) {
            return true;
        }
        const std::string& command = words[0];
        if (command == "key" && words.size() > 1) {
            // As a window manager does, the main window is active again once a box
            // in front of it has closed.
            if (QApplication::activeWindow() == nullptr) {
                w_.activateWindow();
                (void)QTest::qWaitForWindowActive(&w_);
            }
            for (std::size_t i = 1; i < words.size(); ++i) {
                QWidget* focus = QApplication::focusWidget();
                QTest::keySequence(focus ? focus : &w_, QString::fromStdString(words[i]));
            }
        } else if (command == "focus" && words.size() == 1) {
            QWidget* focus = QApplication::focusWidget();
            session_.out.line(R"({"event":"focus",)" +
                              field("control", focus ? focus->objectName() : "", "}"));
        } else if (command == "tick" && words.size() <= 2) {
            const int ticks = words.size() == 2 ? std::stoi(words[1]) : 1;
            for (int i = 0; i < ticks; ++i) {
                w_.timer()->timeout({});
            }
        } else if (command == "dark" && words.size() == 1) {
            QApplication::setPalette(QPalette(QColor(0x35, 0x35, 0x35), QColor(0x20, 0x20, 0x20)));
            QApplication::processEvents();
        } else if (command == "windows" && words.size() == 1) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QStringList open;
            for (QWidget* window : QApplication::topLevelWidgets()) {
                open << (window->isVisible() ? window->objectName() : QString());
            }
            open.removeAll({});
            open.sort();
            session_.out.line(R"({"event":"windows",)" + field("open", open.join(' '), "}"));
        } else if (words == std::vector<std::string>{"menu", "aboutMnu"}) {
            w_.findChild<QAction*>(QStringLiteral("aboutMnu"))->trigger();
            (void)QTest::qWaitForWindowActive(w_.aboutBox());
        } else if (command == "boxes") {
            realBoxes_ = true;
            boxKeys_.assign(words.begin() + 1, words.end());
            QApplication::setStyle(new GnomeDialogStyle);
            boxTimer_.start(10);
        } else if (words == std::vector<std::string>{"ask", "show"}) {
            showAtQuestion_ = true;
        } else if (command == "layout" && words.size() == 1) {
            printLayout(&w_);
            if (w_.aboutBox() != nullptr) {
                printLayout(w_.aboutBox());
            }
        } else {
            return false;
        }
        return true;
    }

private:
    void showView(const View& view, const Changes& changes) override {
        w_.showView(view, changes);
        QApplication::processEvents();
    }
    QPlainTextEdit* narrative() const { return w_.findChild<QPlainTextEdit*>("mainTxt"); }
    void select(int from, int to) override {
        QTextCursor caret = narrative()->textCursor();
        caret.setPosition(from);
        caret.setPosition(to, QTextCursor::KeepAnchor);
        narrative()->setTextCursor(caret);
        narrative()->verticalScrollBar()->setValue(narrative()->verticalScrollBar()->maximum() / 2);
    }
    std::pair<int, int> selection() const override {
        return {narrative()->textCursor().anchor(), narrative()->textCursor().position()};
    }
    int firstLine() const override { return narrative()->verticalScrollBar()->value(); }

    // The window itself, then its named controls in the order of creation.
    void printLayout(QWidget* window) {
        printControl(window);
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (!control->objectName().isEmpty() && !control->objectName().startsWith("qt_")) {
                printControl(control);
            }
        }
        for (QAction* action : window->findChildren<QAction*>()) {
            if (!action->objectName().isEmpty()) {
                session_.out.line("{" + field("action", action->objectName()) +
                                  field("text", action->text()) +
                                  field("shortcut", action->shortcut().toString(), "}"));
            }
        }
    }

    void printControl(QWidget* c) {
        QString text = c->isWindow() ? c->windowTitle() : c->property("text").toString();
        if (auto* g = qobject_cast<QGroupBox*>(c)) {
            text = g->title();
        }
        // A window placed by the system has no place of its own to compare.
        const bool placed = c->isWindow() && !(c->windowFlags() & Qt::FramelessWindowHint);
        const QRect r(placed ? QPoint() : c->pos(), c->size());
        session_.out.line(
            "{" + field("control", c->objectName()) + field("kind", c->metaObject()->className()) +
            field("parent", c->isWindow() ? "" : c->parentWidget()->objectName()) +
            field("rect", QString::asprintf("%d %d %d %d", r.x(), r.y(), r.width(), r.height())) +
            field("text", c->inherits("QLineEdit") || c->inherits("QPlainTextEdit") ? "" : text) +
            field("font", c->font().family() + " " + QString::number(c->font().pointSizeF())) +
            field("color", c->palette().color(QPalette::WindowText).name()) +
            field("focus", c->focusPolicy() == Qt::NoFocus ? "no" : "yes") +
            field("default", c->property("default").toBool() ? "yes" : "no") +
            field("name", c->accessibleName()) + field("description", c->accessibleDescription()) +
            field("toolTip", c->toolTip(), "}"));
    }

    Session& session_;
    frmMain w_;
    bool showAtQuestion_ = false;
    bool realBoxes_ = false;
    QTimer boxTimer_;
    std::deque<std::string> boxKeys_;
    bool pressing_ = false;
};

// The window with the script's draws, played from outside until it ends.
int serve(const char* path) {
    Session session;
    std::ifstream script(path);
    for (std::string line, word; std::getline(script, line);) {
        std::istringstream in(line);
        for (in >> word; word == "rand" && in >> line;) {
            float value = 0;
            parseValue(line, value);
            session.random.push(value);
        }
    }
    frmMain window(session.random);
    window.timer()->stop();  // a script's time is 0:00, however long it plays
    window.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && std::string_view(argv[1]) == "--serve") {
        return serve(argv[2]);
    }
    WindowTarget* current = nullptr;
    return replayMain(
        argc, argv, "morvint-window-replay",
        [&current](Session& session) {
            auto target = std::make_unique<WindowTarget>(session);
            current = target.get();
            return target;
        },
        [&current](const std::vector<std::string>& words) { return current->extra(words); });
}
