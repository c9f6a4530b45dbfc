// The game clock and the menu commands of the main window. The clock's tick
// handler counts the minutes and hours since the window opened and is driven
// directly: no test waits for a real minute. Undo scolds, then ends the program;
// New starts a new game but keeps the clock's count; Exit closes the main window
// only; About opens one modeless box.

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <optional>

#include "window_test.h"

using morvint::testing::onNextBox;
using morvint::testing::runUntilTheEnd;

namespace {

// What the Undo box showed, read as it closes with OK.
QStringList scolding;
void closeScoldingWithOk() {
    scolding.clear();
    onNextBox([](QMessageBox& box) {
        scolding = QStringList{box.windowTitle(), box.text(),
                               box.icon() == QMessageBox::Critical ? "stop icon" : "other icon",
                               box.standardButtons() == QMessageBox::Ok ? "OK" : "other buttons"};
        box.button(QMessageBox::Ok)->click();
    });
}
const QStringList expectedScolding = {"Cheater!", "Cheaters never prosper!", "stop icon", "OK"};

QAbstractButton* okOf(QWidget* about) {
    return about != nullptr ? about->findChild<QAbstractButton*>(QStringLiteral("cmdOK")) : nullptr;
}

int openAboutBoxes() {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        count += w->inherits("frmAbout") && w->isVisible() ? 1 : 0;
    }
    return count;
}

}  // namespace

class tst_menucommands : public QObject {
    Q_OBJECT

private slots:
    void init() { f_.emplace(); }
    void cleanup() { f_.reset(); }

    void timer();
    void undo_data();
    void undo();
    void undoEndsTheRealProgram();
    void exit_data();
    void exit();
    void exitWithAboutOpen();
    void aboutTwice();
    void aboutAfterOk();

private:
    frmMain& w() { return *f_->w; }
    QString timeText() { return w().panel(morvint::Panel::time)->text(); }
    void tick(int times) {
        for (int i = 0; i < times; ++i) {
            w().Timer1_Timer();
        }
    }
    // Runs the menu item by its action, or types its key into the control named `how`.
    void run(const QString& how, const char* action, QKeySequence key) {
        if (how == QLatin1String("menu")) {
            f_->get<QAction>(action)->trigger();
        } else {
            QVERIFY(f_->activate());
            QWidget* focus = f_->get(how);
            focus->setFocus();
            QTest::keySequence(focus, key);
        }
    }
    std::optional<morvint::testing::ShownWindow> f_;
};

// Timer1 ticks once a minute from the window's creation, and drives the handler.
void tst_menucommands::timer() {
    QTimer* timer = w().timer();
    QCOMPARE(timer->interval(), 60000);
    QVERIFY(timer->isActive());
    QVERIFY(!timer->isSingleShot());
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    QCOMPARE(timeText(), QStringLiteral("0:01"));
}

// Undo, by the menu item or Alt+Backspace wherever the focus is: the scolding,
// then the end of the program; nothing is undone, and nothing runs after the end.
void tst_menucommands::undo_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("menu item") << "menu";
    QTest::newRow("Alt+Backspace in the narrative") << "mainTxt";
    QTest::newRow("Alt+Backspace on a button") << "northCom";
}

void tst_menucommands::undo() {
    QFETCH(QString, how);
    QTest::mouseClick(f_->get("northCom"), Qt::LeftButton);
    closeScoldingWithOk();
    run(how, "undoMnu", QKeySequence(Qt::ALT | Qt::Key_Backspace));
    QCOMPARE(scolding, expectedScolding);
    QCOMPARE(f_->endings, 1);
    QVERIFY(w().game().programEnded());
    QCOMPARE(f_->text("actionTxt"), QStringLiteral("Went north(1,3)"));
    w().newMnu_Click();
    QCOMPARE(f_->text("actionTxt"), QStringLiteral("Went north(1,3)"));
}

// With the real end, Undo closes every window, the About box too, and leaves the loop.
void tst_menucommands::undoEndsTheRealProgram() {
    frmMain window(f_->random);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QPointer<QWidget> about;
    QTimer::singleShot(0, [&] {
        window.aboutMnu_Click();
        about = window.aboutBox();
        closeScoldingWithOk();
        window.undoMnu_Click();
    });
    QCOMPARE(runUntilTheEnd(), 0);
    QCOMPARE(scolding, expectedScolding);
    QVERIFY(window.game().programEnded());
    QVERIFY(!window.isVisible());
    QVERIFY(!w().isVisible());
    QVERIFY(about.isNull());
    QCOMPARE(openAboutBoxes(), 0);
}

// Exit with no About box: the main window closes and, being the last, ends the
// program; not as Undo does, since nothing asked for the end.
void tst_menucommands::exit_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("menu item") << "menu";
    QTest::newRow("Ctrl+Q") << "mainTxt";
}

void tst_menucommands::exit() {
    QFETCH(QString, how);
    QTimer::singleShot(0, [&] { run(how, "exitMnu", QKeySequence(Qt::CTRL | Qt::Key_Q)); });
    QCOMPARE(runUntilTheEnd(), 0);
    QVERIFY(!w().isVisible());
    QCOMPARE(f_->endings, 0);
    QVERIFY(!w().game().programEnded());
}

// Exit while the About box is open: the main window closes, the About box stays
// usable, and its OK then ends the program.
void tst_menucommands::exitWithAboutOpen() {
    bool aboutStayed = false;
    bool mainClosed = false;
    QTimer::singleShot(0, [&] {
        w().aboutMnu_Click();
        w().exitMnu_Click();
        QTimer::singleShot(0, [&] {
            QWidget* about = w().aboutBox();
            aboutStayed = about != nullptr && about->isVisible();
            mainClosed = !w().isVisible();
            if (QAbstractButton* ok = okOf(about)) {
                ok->click();
            }
        });
    });
    QCOMPARE(runUntilTheEnd(), 0);
    QVERIFY(aboutStayed);
    QVERIFY(mainClosed);
    QCOMPARE(openAboutBoxes(), 0);
    QCOMPARE(f_->endings, 0);
}

// About twice: one modeless, ownerless box, brought to the front the second
// time; the main window stays usable meanwhile.
void tst_menucommands::aboutTwice() {
    f_->get<QAction>("aboutMnu")->trigger();
    QPointer<QWidget> first = w().aboutBox();
    QVERIFY(first && first->isVisible());
    QCOMPARE(first->parentWidget(), nullptr);
    QVERIFY(!first->isModal());
    QVERIFY(QTest::qWaitForWindowActive(first));

    QVERIFY(f_->activate());
    QTest::mouseClick(f_->get("northCom"), Qt::LeftButton);
    QCOMPARE(f_->text("actionTxt"), QStringLiteral("Went north(1,3)"));

    f_->get<QAction>("aboutMnu")->trigger();
    QCOMPARE(w().aboutBox(), first.data());
    QCOMPARE(openAboutBoxes(), 1);
    QVERIFY(QTest::qWaitForWindowActive(first));
}

// After OK the box is gone; the next About creates it anew.
void tst_menucommands::aboutAfterOk() {
    w().aboutMnu_Click();
    QPointer<QWidget> first = w().aboutBox();
    QAbstractButton* ok = okOf(first);
    QVERIFY(ok != nullptr);
    ok->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QCOMPARE(w().aboutBox(), nullptr);

    w().aboutMnu_Click();
    QVERIFY(w().aboutBox() != nullptr && w().aboutBox()->isVisible());
    QCOMPARE(openAboutBoxes(), 1);
}

QTEST_MAIN(tst_menucommands)
#include "tst_menucommands.moc"
