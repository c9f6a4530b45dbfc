// The menu commands of the main window: Undo (a scolding, then the end of the
// program), New, Exit (closes the main window only) and About (one modeless box).

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "frmMain.h"
#include "scripted_random.h"

namespace {

const QString opening = QStringLiteral(
    "You are in a small room at the entrance of a maze. You have to find the gold and get "
    "out without dying. You can go north or west. ");

// What the Undo box showed.
struct Scolding {
    bool shown = false;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Reads and closes with OK the message box open at the next turn of the event loop.
void closeNextBox(Scolding& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
}

// Runs the application's event loop until the program ends; 99 if it never does.
int runUntilTheEnd() {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(20000);
    const int result = QApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}

QAbstractButton* okOf(QWidget* about) {
    return about != nullptr ? about->findChild<QAbstractButton*>(QStringLiteral("cmdOK")) : nullptr;
}

int openAboutBoxes() {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("frmAbout") && w->isVisible()) {
            ++count;
        }
    }
    return count;
}

}  // namespace

class tst_menucommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void undo_data();
    void undo();
    void undoEndsTheRealProgram();
    void newGame_data();
    void newGame();
    void exit_data();
    void exit();
    void exitWithAboutOpen();
    void aboutTwice();
    void aboutAfterOk();

private:
    void activate() {
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_));
    }

    morvint::testing::ScriptedRandom* random_ = nullptr;
    frmMain* w_ = nullptr;
    int endings_ = 0;
};

void tst_menucommands::init() {
    random_ = new morvint::testing::ScriptedRandom;
    w_ = new frmMain(*random_);
    endings_ = 0;
    w_->setProgramEnd([this] { ++endings_; });
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
}

void tst_menucommands::cleanup() {
    delete w_->aboutBox();
    delete w_;
    w_ = nullptr;
    delete random_;
    random_ = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Undo, by its handler, the menu item or Alt+Backspace: "Cheaters never prosper!"
// titled "Cheater!" with the stop icon and OK, then the end of the program.
void tst_menucommands::undo_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("handler") << "handler";
    QTest::newRow("menu item") << "menu";
    QTest::newRow("Alt+Backspace in the narrative") << "mainTxt";
    QTest::newRow("Alt+Backspace in the last action") << "actionTxt";
    QTest::newRow("Alt+Backspace on a button") << "northCom";
}

void tst_menucommands::undo() {
    QFETCH(QString, how);
    QTest::mouseClick(w_->findChild<QPushButton*>("northCom"), Qt::LeftButton);
    Scolding seen;
    closeNextBox(seen);
    if (how == QLatin1String("handler")) {
        w_->undoMnu_Click();
    } else if (how == QLatin1String("menu")) {
        w_->findChild<QAction*>("undoMnu")->trigger();
    } else {
        activate();
        QWidget* focus = w_->findChild<QWidget*>(how);
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Backspace, Qt::AltModifier);
    }
    QVERIFY(seen.shown);
    QCOMPARE(seen.title, QStringLiteral("Cheater!"));
    QCOMPARE(seen.text, QStringLiteral("Cheaters never prosper!"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(endings_, 1);
    QVERIFY(w_->hasEnded());
    // Nothing is undone, and nothing runs after the end.
    QCOMPARE(w_->findChild<QLineEdit*>("actionTxt")->text(), QStringLiteral("Went north(1,3)"));
    w_->newMnu_Click();
    QCOMPARE(w_->findChild<QLineEdit*>("actionTxt")->text(), QStringLiteral("Went north(1,3)"));
}

// With the real end, Undo closes every window, the About box too, and leaves the loop.
void tst_menucommands::undoEndsTheRealProgram() {
    frmMain window(*random_);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Scolding seen;
    QPointer<QWidget> about;
    QTimer::singleShot(0, [&] {
        window.aboutMnu_Click();
        about = window.aboutBox();
        closeNextBox(seen);
        window.undoMnu_Click();
    });
    QCOMPARE(runUntilTheEnd(), 0);
    QVERIFY(seen.shown);
    QVERIFY(window.hasEnded());
    QVERIFY(!window.isVisible());
    QVERIFY(!w_->isVisible());
    // The About box was closed and is gone.
    QVERIFY(about.isNull());
    QCOMPARE(openAboutBoxes(), 0);
}

// New, by its handler, the menu item or F2: the opening of a new game.
void tst_menucommands::newGame_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("handler") << "handler";
    QTest::newRow("menu item") << "menu";
    QTest::newRow("F2") << "F2";
}

void tst_menucommands::newGame() {
    QFETCH(QString, how);
    QTest::mouseClick(w_->findChild<QPushButton*>("northCom"), Qt::LeftButton);
    QTest::mouseClick(w_->findChild<QPushButton*>("eastCom"), Qt::LeftButton);
    QVERIFY(!w_->findChild<QPushButton*>("eastCom")->isEnabled());
    if (how == QLatin1String("handler")) {
        w_->newMnu_Click();
    } else if (how == QLatin1String("menu")) {
        w_->findChild<QAction*>("newMnu")->trigger();
    } else {
        activate();
        QTest::keyClick(w_->findChild<QWidget*>("mainTxt"), Qt::Key_F2);
    }
    QCOMPARE(w_->findChild<QPlainTextEdit*>("mainTxt")->toPlainText(), opening);
    QCOMPARE(w_->findChild<QLineEdit*>("actionTxt")->text(), QStringLiteral("Entered a maze"));
    QVERIFY(w_->findChild<QPushButton*>("eastCom")->isEnabled());
    QCOMPARE(random_->reseeds, 2);
    QCOMPARE(endings_, 0);
}

// Exit with no About box: the main window closes and, being the last, ends the program.
void tst_menucommands::exit_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("handler") << "handler";
    QTest::newRow("menu item") << "menu";
    QTest::newRow("Ctrl+Q") << "Ctrl+Q";
}

void tst_menucommands::exit() {
    QFETCH(QString, how);
    if (how == QLatin1String("Ctrl+Q")) {
        activate();
    }
    QTimer::singleShot(0, [&] {
        if (how == QLatin1String("handler")) {
            w_->exitMnu_Click();
        } else if (how == QLatin1String("menu")) {
            w_->findChild<QAction*>("exitMnu")->trigger();
        } else {
            QTest::keyClick(w_->findChild<QWidget*>("mainTxt"), Qt::Key_Q, Qt::ControlModifier);
        }
    });
    QCOMPARE(runUntilTheEnd(), 0);
    QVERIFY(!w_->isVisible());
    // Exit is not the end of Undo: nothing asked for it.
    QCOMPARE(endings_, 0);
    QVERIFY(!w_->hasEnded());
}

// Exit while the About box is open: the main window closes, the About box stays
// usable, and its OK then ends the program.
void tst_menucommands::exitWithAboutOpen() {
    bool aboutStayed = false;
    bool mainClosed = false;
    QTimer::singleShot(0, [&] {
        w_->aboutMnu_Click();
        w_->exitMnu_Click();
        QTimer::singleShot(0, [&] {
            QWidget* about = w_->aboutBox();
            aboutStayed = about != nullptr && about->isVisible();
            mainClosed = !w_->isVisible();
            if (QAbstractButton* ok = okOf(about)) {
                ok->click();
            }
        });
    });
    QCOMPARE(runUntilTheEnd(), 0);
    QVERIFY(aboutStayed);
    QVERIFY(mainClosed);
    QCOMPARE(openAboutBoxes(), 0);
    QCOMPARE(endings_, 0);
}

// About twice: one modeless, ownerless box, brought to the front the second time.
void tst_menucommands::aboutTwice() {
    w_->findChild<QAction*>("aboutMnu")->trigger();
    QPointer<QWidget> first = w_->aboutBox();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->parentWidget(), nullptr);
    QVERIFY(!first->isModal());
    QVERIFY(QTest::qWaitForWindowActive(first));

    // The main window stays usable while the box is open.
    activate();
    QTest::mouseClick(w_->findChild<QPushButton*>("northCom"), Qt::LeftButton);
    QCOMPARE(w_->findChild<QLineEdit*>("actionTxt")->text(), QStringLiteral("Went north(1,3)"));

    w_->findChild<QAction*>("aboutMnu")->trigger();
    QCOMPARE(w_->aboutBox(), first.data());
    QCOMPARE(openAboutBoxes(), 1);
    QVERIFY(QTest::qWaitForWindowActive(first));
    QCOMPARE(QApplication::activeWindow(), first.data());
}

// After OK the box is gone; the next About creates it anew.
void tst_menucommands::aboutAfterOk() {
    w_->aboutMnu_Click();
    QPointer<QWidget> first = w_->aboutBox();
    QAbstractButton* ok = okOf(first);
    QVERIFY(ok != nullptr);
    ok->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QCOMPARE(w_->aboutBox(), nullptr);
    QCOMPARE(openAboutBoxes(), 0);

    w_->aboutMnu_Click();
    QPointer<QWidget> second = w_->aboutBox();
    QVERIFY(second);
    QVERIFY(second->isVisible());
    QCOMPARE(openAboutBoxes(), 1);
}

QTEST_MAIN(tst_menucommands)
#include "tst_menucommands.moc"
