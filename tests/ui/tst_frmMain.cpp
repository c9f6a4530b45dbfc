// What the main window's scripts cannot show: its icon, how the narrative wraps
// and keeps the reader's place when text arrives, and the real play-again box.

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextLayout>
#include <optional>

#include "window_test.h"

using morvint::Box;
using morvint::Panel;
using morvint::testing::accessibleText;
using morvint::testing::onNextBox;
using morvint::testing::opening;

class tst_frmMain : public QObject {
    Q_OBJECT

private slots:
    void init() { f_.emplace(); }
    void cleanup() { f_.reset(); }

    void windowIcon();
    void narrativeWraps();
    void appendKeepsCaretAndScroll_data();
    void appendKeepsCaretAndScroll();
    void appendToLineBoxes();
    void playAgain_data();
    void playAgain();
    void playAgainHelp();

private:
    frmMain& w() { return *f_->w; }
    std::optional<morvint::testing::ShownWindow> f_;
};

// The icon is our own opaque 32 by 32 picture.
void tst_frmMain::windowIcon() {
    QVERIFY(!w().windowIcon().isNull());
    const QImage image(QStringLiteral(":/morvint/morvint.xpm"));
    QCOMPARE(image.size(), QSize(32, 32));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QCOMPARE(qAlpha(image.pixel(x, y)), 255);
        }
    }
}

// Long lines wrap at the box's width, with a vertical scroll bar and no horizontal one.
void tst_frmMain::narrativeWraps() {
    auto* narrative = f_->get<QPlainTextEdit>("mainTxt");
    QCOMPARE(narrative->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(narrative->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(narrative->document()->blockCount(), 1);
    QVERIFY(narrative->document()->firstBlock().layout()->lineCount() > 1);
}

// Text arriving at the end of the narrative neither moves the caret nor scrolls.
void tst_frmMain::appendKeepsCaretAndScroll_data() {
    QTest::addColumn<int>("sentences");
    QTest::addColumn<int>("anchor");  // -1: the end
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("scrollToMiddle");
    QTest::newRow("empty narrative") << 0 << 0 << 0 << false;
    QTest::newRow("caret inside") << 30 << 17 << 17 << false;
    QTest::newRow("selection") << 30 << 5 << 40 << false;
    QTest::newRow("caret at end") << 30 << -1 << -1 << false;
    QTest::newRow("scrolled to the middle") << 30 << 3 << 3 << true;
    QTest::newRow("scrolled, caret at end") << 30 << -1 << -1 << true;
}

void tst_frmMain::appendKeepsCaretAndScroll() {
    QFETCH(int, sentences);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(bool, scrollToMiddle);
    auto* narrative = f_->get<QPlainTextEdit>("mainTxt");
    const QString text = QStringLiteral("You can go north, east, or south. ").repeated(sentences);
    w().setText(Box::mainTxt, text.toStdString());
    if (anchor < 0) {
        anchor = position = static_cast<int>(text.size());
    }
    QTextCursor caret = narrative->textCursor();
    caret.setPosition(anchor);
    caret.setPosition(position, QTextCursor::KeepAnchor);
    narrative->setTextCursor(caret);
    QScrollBar* bar = narrative->verticalScrollBar();
    if (scrollToMiddle) {
        QVERIFY(bar->maximum() > 2);
        bar->setValue(bar->maximum() / 2);
    }
    const int scroll = bar->value();

    for (int i = 0; i < 20; ++i) {
        w().append(Box::mainTxt, "The snake bit you. ");
        QApplication::processEvents();
    }
    QCOMPARE(narrative->toPlainText(), text + QStringLiteral("The snake bit you. ").repeated(20));
    QCOMPARE(narrative->textCursor().anchor(), anchor);
    QCOMPARE(narrative->textCursor().position(), position);
    QCOMPARE(bar->value(), scroll);
}

// The one-line boxes also take text at their end.
void tst_frmMain::appendToLineBoxes() {
    w().setText(Box::actionTxt, "Went ");
    w().append(Box::actionTxt, "north(1,3)");
    QCOMPARE(f_->text("actionTxt"), QStringLiteral("Went north(1,3)"));
    w().append(Box::itemTxt, "key1 ");
    w().append(Box::itemTxt, "gold ");
    QCOMPARE(f_->text("itemTxt"), QStringLiteral("key1 gold "));
}

// The real play-again box: modal, titled "New Game", no icon, Yes (the default)
// and No. Yes starts a new game in the same window; No asks for the end of the
// program, after which nothing runs: not a button, the clock or a menu command.
void tst_frmMain::playAgain_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(QMessageBox::Yes);
    QTest::newRow("No") << int(QMessageBox::No);
}

void tst_frmMain::playAgain() {
    QFETCH(int, answer);
    const bool ends = answer == QMessageBox::No;
    QTest::mouseClick(f_->get("northCom"), Qt::LeftButton);
    QStringList seen;
    QString narrative;
    onNextBox([&](QMessageBox& box) {
        seen = QStringList{
            box.windowTitle(),
            box.text(),
            box.isModal() ? "modal" : "modeless",
            box.icon() == QMessageBox::NoIcon ? "no icon" : "an icon",
            box.standardButtons() == (QMessageBox::Yes | QMessageBox::No) ? "Yes No"
                                                                          : "other buttons",
            box.defaultButton() == box.button(QMessageBox::Yes) ? "Yes default" : "other default"};
        narrative = f_->text("mainTxt");
        box.button(static_cast<QMessageBox::StandardButton>(answer))->click();
    });
    w().game().endgame("from an enemy's attack. ");

    QCOMPARE(seen, (QStringList{"New Game", "Would you like to play again?", "modal", "no icon",
                                "Yes No", "Yes default"}));
    const QString died = QStringLiteral("You died from an enemy's attack. ");
    QCOMPARE(narrative, died);
    QCOMPARE(f_->endings, ends ? 1 : 0);
    QCOMPARE(w().game().programEnded(), ends);
    QCOMPARE(w().timer()->isActive(), !ends);
    if (ends) {
        QTest::mouseClick(f_->get("attackCom"), Qt::LeftButton);
        w().Timer1_Timer();
        w().newMnu_Click();
        QCOMPARE(f_->text("mainTxt"), died);
        QCOMPARE(w().panel(Panel::time)->text(), QStringLiteral("0:00"));
    } else {
        QCOMPARE(f_->text("mainTxt"), opening);
        QCOMPARE(f_->text("actionTxt"), QStringLiteral("Entered a maze"));
    }
}

// F1 in the play-again box shows how to play; the question stays until it is answered.
void tst_frmMain::playAgainHelp() {
    QString helpTitle, helpText;
    bool stillAsking = false;
    onNextBox([&](QMessageBox& box) {
        onNextBox([&](QMessageBox& help) {
            helpTitle = help.windowTitle();
            helpText = help.text();
            help.button(QMessageBox::Ok)->click();
        });
        QTest::keyClick(&box, Qt::Key_F1);
        stillAsking = box.isVisible() && QApplication::activeModalWidget() == &box;
        box.button(QMessageBox::Yes)->click();
    });
    QVERIFY(w().askPlayAgain());
    QVERIFY(stillAsking);
    QCOMPARE(helpTitle, QStringLiteral("Morvint"));
    QCOMPARE(helpText, frmMain::helpText());
    QVERIFY(helpText.contains(QStringLiteral("Find the gold")));
    QCOMPARE(f_->endings, 0);
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
