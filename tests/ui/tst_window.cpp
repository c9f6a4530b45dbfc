// What the window scripts cannot show: the caret and scroll kept when text
// arrives, the real modal boxes (play again, Undo, System Info), the end of the
// program with its windows, the About box's keys and picture, and the icon.

#include <QAbstractButton>
#include <QAction>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <optional>

#include "frmAbout.h"
#include "window_test.h"

using morvint::Box;
using morvint::testing::child;
using morvint::testing::onNextBox;
using morvint::testing::runUntilTheEnd;

namespace {

// A modal box as seen, then closed with `answer`.
QStringList seenBox;
void answerNextBox(QMessageBox::StandardButton answer) {
    onNextBox([answer](QMessageBox& box) {
        int icons = 0;
        for (QAbstractButton* button : box.buttons()) {
            icons += button->icon().isNull() ? 0 : 1;
        }
        seenBox = QStringList{box.windowTitle(),
                              box.text(),
                              box.icon() == QMessageBox::NoIcon     ? "no icon"
                              : box.icon() == QMessageBox::Critical ? "stop icon"
                                                                    : "other icon",
                              QString::number(box.standardButtons()),
                              box.isModal() ? "modal" : "modeless",
                              icons == 0 ? "plain buttons" : "button icons"};
        box.button(answer)->click();
    });
}

// The style of a desktop that puts icons on dialog buttons, as GNOME's does.
class ButtonIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons
                   ? 1
                   : QProxyStyle::styleHint(hint, option, widget, answer);
    }
};

int openAboutBoxes() {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        count += w->inherits("frmAbout") && w->isVisible() ? 1 : 0;
    }
    return count;
}

}  // namespace

class tst_window : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(new ButtonIconStyle(QStringLiteral("Fusion"))); }
    void init() { f_.emplace(); }
    void cleanup() { f_.reset(); }

    // Text arriving at the end of the narrative neither moves the caret nor scrolls.
    void appendKeepsCaretAndScroll_data() {
        QTest::addColumn<int>("anchor");  // -1: the end
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("scrolled");
        QTest::newRow("caret inside") << 17 << 17 << false;
        QTest::newRow("selection") << 5 << 40 << false;
        QTest::newRow("scrolled, caret at end") << -1 << -1 << true;
    }
    void appendKeepsCaretAndScroll() {
        QFETCH(int, anchor);
        QFETCH(int, position);
        QFETCH(bool, scrolled);
        auto* narrative = f_->get<QPlainTextEdit>("mainTxt");
        const QString text = QStringLiteral("You can go north, east, or south. ").repeated(30);
        w().setText(Box::mainTxt, text.toStdString());
        if (anchor < 0) {
            anchor = position = static_cast<int>(text.size());
        }
        QTextCursor caret = narrative->textCursor();
        caret.setPosition(anchor);
        caret.setPosition(position, QTextCursor::KeepAnchor);
        narrative->setTextCursor(caret);
        QScrollBar* bar = narrative->verticalScrollBar();
        bar->setValue(scrolled ? bar->maximum() / 2 : 0);
        const int scroll = bar->value();
        for (int i = 0; i < 20; ++i) {
            w().append(Box::mainTxt, "The snake bit you. ");
            w().append(Box::actionTxt, "!");
            QApplication::processEvents();
        }
        QCOMPARE(narrative->toPlainText(),
                 text + QStringLiteral("The snake bit you. ").repeated(20));
        QCOMPARE(narrative->textCursor().anchor(), anchor);
        QCOMPARE(narrative->textCursor().position(), position);
        QCOMPARE(bar->value(), scroll);
        QCOMPARE(f_->text("actionTxt"), QStringLiteral("Entered a maze") + QString(20, '!'));
    }

    // The real play-again box: modal, "New Game", no icon, Yes and No with Yes the
    // default, no icons on the buttons. F1 shows how to play; Esc and the close
    // button leave the question open. Yes starts a new game in the same window; No
    // ends the program, after which nothing runs: not a button, the clock or New.
    void playAgain_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void playAgain() {
        QFETCH(bool, yes);
        QString help;
        bool stillAsking = false;
        bool yesDefault = false;
        onNextBox([&](QMessageBox& box) {
            answerNextBox(QMessageBox::Ok);
            QTest::keyClick(&box, Qt::Key_F1);
            help = seenBox.join('|');
            QTest::keyClick(&box, Qt::Key_Escape);
            box.close();
            stillAsking = box.isVisible() && QApplication::activeModalWidget() == &box;
            yesDefault = box.defaultButton() == box.button(QMessageBox::Yes);
            answerNextBox(yes ? QMessageBox::Yes : QMessageBox::No);
        });
        QTest::mouseClick(f_->get("northCom"), Qt::LeftButton);
        w().game().endgame("from an enemy's attack. ");
        QCOMPARE(help, QStringLiteral("Morvint|") + frmMain::helpText() +
                           "|no icon|1024|modal|plain buttons");
        QVERIFY(stillAsking);
        QVERIFY(yesDefault);
        QCOMPARE(seenBox, (QStringList{"New Game", "Would you like to play again?", "no icon",
                                       QString::number(QMessageBox::Yes | QMessageBox::No), "modal",
                                       "plain buttons"}));
        QCOMPARE(f_->endings, yes ? 0 : 1);
        QCOMPARE(w().timer()->isActive(), yes);
        QTest::mouseClick(f_->get("attackCom"), Qt::LeftButton);
        w().Timer1_Timer();
        w().newMnu_Click();
        QCOMPARE(f_->text("mainTxt"), yes ? morvint::testing::opening
                                          : QStringLiteral("You died from an enemy's attack. "));
        QCOMPARE(f_->text("actionTxt"), yes ? "Entered a maze" : "Went north(1,3)");
    }

    // Undo, by Alt+Backspace on a button: the scolding with its stop icon, then
    // every window closes, the About box too, and the event loop is left.
    void undo() {
        frmMain window(f_->random);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QPointer<QWidget> about;
        QTimer::singleShot(0, [&] {
            window.aboutMnu_Click();
            about = window.aboutBox();
            window.activateWindow();
            answerNextBox(QMessageBox::Ok);
            QTest::keySequence(child(window, "northCom"),
                               QKeySequence(Qt::ALT | Qt::Key_Backspace));
        });
        QCOMPARE(runUntilTheEnd(), 0);
        QCOMPARE(seenBox,
                 (QStringList{"Cheater!", "Cheaters never prosper!", "stop icon",
                              QString::number(QMessageBox::Ok), "modal", "plain buttons"}));
        QVERIFY(window.game().programEnded());
        QVERIFY(!window.isVisible());
        QVERIFY(about.isNull());
    }

    // Exit (Ctrl+Q) closes the main window only: the About box stays usable, and
    // its OK then ends the program; nothing asked for the end.
    void exitWithAboutOpen() {
        bool aboutStayed = false;
        QTimer::singleShot(0, [&] {
            w().aboutMnu_Click();
            QVERIFY(f_->activate());
            QTest::keySequence(f_->get("mainTxt"), QKeySequence(Qt::CTRL | Qt::Key_Q));
            QTimer::singleShot(0, [&] {
                aboutStayed =
                    w().aboutBox() != nullptr && w().aboutBox()->isVisible() && !w().isVisible();
                child<QPushButton>(*w().aboutBox(), "cmdOK")->click();
            });
        });
        QCOMPARE(runUntilTheEnd(), 0);
        QVERIFY(aboutStayed);
        QCOMPARE(openAboutBoxes(), 0);
        QCOMPARE(f_->endings, 0);
    }

    // About twice: one modeless, ownerless box, brought to the front; after its OK
    // it is gone and the next About creates it anew. The game goes on meanwhile.
    void about() {
        f_->get<QAction>("aboutMnu")->trigger();
        QPointer<QWidget> first = w().aboutBox();
        QVERIFY(first && first->isVisible() && !first->isModal());
        QCOMPARE(first->parentWidget(), nullptr);
        QVERIFY(f_->activate());
        QTest::mouseClick(f_->get("northCom"), Qt::LeftButton);
        QCOMPARE(f_->text("actionTxt"), QStringLiteral("Went north(1,3)"));
        f_->get<QAction>("aboutMnu")->trigger();
        QCOMPARE(w().aboutBox(), first.data());
        QVERIFY(QTest::qWaitForWindowActive(first));
        QCOMPARE(openAboutBoxes(), 1);
        child<QPushButton>(*first, "cmdOK")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        w().aboutMnu_Click();
        QVERIFY(w().aboutBox() != nullptr && w().aboutBox()->isVisible());
    }

    // Escape and Enter press OK, which closes and deletes the box, Escape even
    // while System Info... has the focus; other keys leave it open.
    void aboutKeys_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Escape") << "cmdOK" << int(Qt::Key_Escape) << true;
        QTest::newRow("Enter") << "cmdOK" << int(Qt::Key_Enter) << true;
        QTest::newRow("Escape on System Info...") << "cmdSysInfo" << int(Qt::Key_Escape) << true;
        QTest::newRow("A") << "cmdOK" << int(Qt::Key_A) << false;
    }
    void aboutKeys() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, closes);
        QPointer<frmAbout> box = new frmAbout;
        box->show();
        QCOMPARE(box->focusWidget(), child(*box, "cmdOK"));
        auto* target = child<QPushButton>(*box, focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(box.isNull(), closes);
        delete box;
    }

    // Without a registry System Info... shows the one message: titled "Morvint",
    // OK only, no icon; the box stays open.
    void sysInfoUnavailable() {
        frmAbout box;
        box.show();
        answerNextBox(QMessageBox::Ok);
        child<QPushButton>(box, "cmdSysInfo")->click();
        QCOMPARE(seenBox, (QStringList{"Morvint", "System Information Is Unavailable At This Time",
                                       "no icon", QString::number(QMessageBox::Ok), "modal",
                                       "plain buttons"}));
        QVERIFY(box.isVisible());
    }

    // The sky: 400 by 300 pixels, 256 different colours in 8-bit indexes, mostly
    // blue with some white cloud, painted from the top-left corner.
    void aboutPicture() {
        frmAbout box;
        const QImage& picture = box.picture();
        QCOMPARE(picture.size(), QSize(400, 300));
        QCOMPARE(picture.format(), QImage::Format_Indexed8);
        const QList<QRgb> colours = picture.colorTable();
        QCOMPARE(QSet<QRgb>(colours.begin(), colours.end()).size(), 256);
        int sky = 0;
        int cloud = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                cloud += c.red() > 235 && c.green() > 235 && c.blue() > 235 ? 1 : 0;
                sky += c.blue() > c.red() + 40 && c.blue() > 200 ? 1 : 0;
            }
        }
        const int all = picture.width() * picture.height();
        QVERIFY(sky > all / 4 && cloud > all / 50 && cloud < all / 2);
        const QImage shown = box.grab().toImage();
        for (const QPoint p : {QPoint(0, 0), QPoint(399, 10), QPoint(10, 298)}) {
            QCOMPARE(shown.pixelColor(p).rgb(), picture.pixelColor(p).rgb());
        }
    }

    // Our own opaque 32 by 32 icon; Timer1 ticks once a minute.
    void iconAndTimer() {
        QVERIFY(!w().windowIcon().isNull());
        const QImage icon(QStringLiteral(":/morvint/morvint.xpm"));
        QCOMPARE(icon.size(), QSize(32, 32));
        for (int i = 0; i < 32 * 32; ++i) {
            QCOMPARE(qAlpha(icon.pixel(i % 32, i / 32)), 255);
        }
        QCOMPARE(w().timer()->interval(), 60000);
        QVERIFY(w().timer()->isActive());
    }

private:
    frmMain& w() { return *f_->w; }
    std::optional<morvint::testing::ShownWindow> f_;
};

QTEST_MAIN(tst_window)
#include "tst_window.moc"
