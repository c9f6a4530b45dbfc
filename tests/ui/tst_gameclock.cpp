// The game clock: Timer1 and its tick handler, which count the minutes and hours
// since the main window opened and show them in the time panel. The tick handler
// is driven directly; no test waits for a real minute.

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "frmMain.h"
#include "scripted_random.h"

using morvint::Panel;

class tst_gameclock : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void timer();
    void ticks_data();
    void ticks();
    void newGameKeepsCounting_data();
    void newGameKeepsCounting();
    void clockText_data();
    void clockText();
    void stopsAtTheEnd();

private:
    QString timeText() const { return w_->panel(Panel::time)->text(); }
    void tick(int times) {
        for (int i = 0; i < times; ++i) {
            w_->Timer1_Timer();
        }
    }

    morvint::testing::ScriptedRandom* random_ = nullptr;
    frmMain* w_ = nullptr;
    int endings_ = 0;
};

void tst_gameclock::init() {
    random_ = new morvint::testing::ScriptedRandom;
    w_ = new frmMain(*random_);
    endings_ = 0;
    w_->setProgramEnd([this] { ++endings_; });
}

void tst_gameclock::cleanup() {
    delete w_;
    w_ = nullptr;
    delete random_;
    random_ = nullptr;
}

// Timer1 ticks once a minute from the window's creation, and drives the handler.
void tst_gameclock::timer() {
    QTimer* timer = w_->timer();
    QCOMPARE(timer->objectName(), QStringLiteral("Timer1"));
    QCOMPARE(timer->interval(), 60000);
    QVERIFY(timer->isActive());
    QVERIFY(!timer->isSingleShot());
    QCOMPARE(timeText(), QStringLiteral("0:00"));
    // A timeout runs the tick handler.
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    QCOMPARE(timeText(), QStringLiteral("0:01"));
}

// The minutes always have two digits; the hours none to spare.
void tst_gameclock::ticks_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("text");
    QTest::newRow("first minute") << 1 << "0:01";
    QTest::newRow("ninth") << 9 << "0:09";
    QTest::newRow("tenth") << 10 << "0:10";
    QTest::newRow("59th") << 59 << "0:59";
    QTest::newRow("60th: never 0:60") << 60 << "1:00";
    QTest::newRow("61st") << 61 << "1:01";
    QTest::newRow("65th") << 65 << "1:05";
    QTest::newRow("119th") << 119 << "1:59";
    QTest::newRow("120th") << 120 << "2:00";
    QTest::newRow("599th") << 599 << "9:59";
    QTest::newRow("600th") << 600 << "10:00";
    QTest::newRow("609th") << 609 << "10:09";
    QTest::newRow("a day") << 1440 << "24:00";
}

void tst_gameclock::ticks() {
    QFETCH(int, ticks);
    QFETCH(QString, text);
    tick(ticks);
    QCOMPARE(timeText(), text);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w_->panel(Panel::time));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Total Time: ") + text);
}

// A new game writes "0:00" but keeps the count: at the next tick the clock shows
// again the time since the window opened.
void tst_gameclock::newGameKeepsCounting_data() {
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("75 minutes, New") << 75 << "1:16" << true;
    QTest::newRow("75 minutes, Yes to play again") << 75 << "1:16" << false;
    QTest::newRow("59 minutes, New") << 59 << "1:00" << true;
    QTest::newRow("at once, New") << 0 << "0:01" << true;
}

void tst_gameclock::newGameKeepsCounting() {
    QFETCH(int, before);
    QFETCH(QString, after);
    QFETCH(bool, byMenu);
    tick(before);
    if (byMenu) {
        w_->newMnu_Click();
    } else {
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box->button(QMessageBox::Yes)->click();
            }
        });
        w_->game().endgame("from a curse on the gold. ");
        QCOMPARE(w_->game().state().hp, std::int16_t{35});
    }
    QCOMPARE(timeText(), QStringLiteral("0:00"));
    tick(1);
    QCOMPARE(timeText(), after);
    QCOMPARE(endings_, 0);
}

// The text for any count, up to and beyond 32767 hours (the count is 32 bits wide).
void tst_gameclock::clockText_data() {
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("text");
    QTest::newRow("0:00") << 0 << 0 << "0:00";
    QTest::newRow("0:09") << 0 << 9 << "0:09";
    QTest::newRow("0:10") << 0 << 10 << "0:10";
    QTest::newRow("1:05, no leading zero") << 1 << 5 << "1:05";
    QTest::newRow("32767:59") << 32767 << 59 << "32767:59";
    QTest::newRow("32768:00") << 32768 << 0 << "32768:00";
    QTest::newRow("32 bits") << 2147483647 << 59 << "2147483647:59";
}

void tst_gameclock::clockText() {
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(QString, text);
    QCOMPARE(frmMain::clockText(hours, static_cast<std::int16_t>(minutes)), text);
}

// Once the program has ended the clock stops.
void tst_gameclock::stopsAtTheEnd() {
    tick(3);
    w_->endProgram();
    QCOMPARE(endings_, 1);
    QVERIFY(!w_->timer()->isActive());
    tick(5);
    QCOMPARE(timeText(), QStringLiteral("0:03"));
}

QTEST_MAIN(tst_gameclock)
#include "tst_gameclock.moc"
