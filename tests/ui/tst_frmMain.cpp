// The main window: its controls, their layout, focus order, fonts and states,
// the text boxes, the status bar, the play-again question and accessibility.

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

namespace {

// What a control shows: a caption, a title or its text.
QString shownText(QWidget* control) {
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        return button->text();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        return frame->title();
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        return line->text();
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) {
        return edit->toPlainText();
    }
    return QString();
}

bool accessiblyDisabled(QObject* control) {
    return QAccessible::queryAccessibleInterface(control)->state().disabled;
}

}  // namespace

class tst_frmMain : public QObject {
    Q_OBJECT

private slots:
    void init() { f_.emplace(); }
    void cleanup() { f_.reset(); }

    void controls_data();
    void controls();
    void windowSize();
    void fonts();
    void windowIcon();
    void tabOrder_data();
    void tabOrder();
    void enterAndEscPressNothing_data();
    void enterAndEscPressNothing();
    void readOnlyButCopyable_data();
    void readOnlyButCopyable();
    void narrativeWraps();
    void panels();
    void clicksReachTheGame_data();
    void clicksReachTheGame();
    void appendKeepsCaretAndScroll_data();
    void appendKeepsCaretAndScroll();
    void appendToLineBoxes();
    void menus_data();
    void menus();
    void playAgain_data();
    void playAgain();
    void playAgainHelp();

private:
    frmMain& w() { return *f_->w; }
    std::optional<morvint::testing::ShownWindow> f_;
};

// Every control at the opening: its place in pixels (twips / 15) in the client
// area, or in the frame for the items box; what it shows; whether it is enabled;
// its accessible name and description (none to compare when null). A status
// panel's tool tip is its description.
void tst_frmMain::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("accessible");
    QTest::addColumn<QString>("description");
    const QString none;
    QTest::newRow("mainTxt") << "mainTxt" << QRect(0, 0, 369, 121) << opening << true << "Narrative"
                             << "What you see in the room and what happened after each command.";
    QTest::newRow("northCom") << "northCom" << QRect(176, 136, 17, 17) << "N" << true << "North"
                              << "Go north";
    QTest::newRow("westCom") << "westCom" << QRect(160, 152, 17, 17) << "W" << true << "West"
                             << "Go west";
    QTest::newRow("eastCom") << "eastCom" << QRect(192, 152, 17, 17) << "E" << true << "East"
                             << "Go east";
    QTest::newRow("southCom") << "southCom" << QRect(176, 168, 17, 17) << "S" << true << "South"
                              << "Go south";
    QTest::newRow("attackCom") << "attackCom" << QRect(8, 128, 57, 17) << "Attack" << true
                               << "Attack"
                               << "Strike the enemy in this room.";
    QTest::newRow("drinkCom") << "drinkCom" << QRect(8, 152, 57, 17) << "Drink" << true << "Drink"
                              << "Drink from the well or the potion in this room.";
    QTest::newRow("crossCom") << "crossCom" << QRect(8, 176, 57, 17) << "Cross" << true << "Cross"
                              << "Cross the bridge in this room.";
    QTest::newRow("pickupCom") << "pickupCom" << QRect(72, 128, 57, 17) << "Pick Up" << true
                               << "Pick Up"
                               << "Pick up the key in this room.";
    QTest::newRow("unlockCom") << "unlockCom" << QRect(72, 152, 57, 17) << "Unlock" << true
                               << "Unlock"
                               << "Unlock the door in this room with a key you carry.";
    QTest::newRow("useCom") << "useCom" << QRect(72, 176, 57, 17) << "Use" << true << "Use"
                            << "Use the stairs or the transporter in this room.";
    QTest::newRow("Frame1") << "Frame1" << QRect(232, 128, 137, 65) << "Items" << true << none
                            << none;
    QTest::newRow("itemTxt in Frame1")
        << "itemTxt" << QRect(8, 24, 121, 25) << "" << true << "Items"
        << "The keys and the gold you carry.";
    QTest::newRow("actionLbl") << "actionLbl" << QRect(0, 200, 57, 17) << "Last Action:" << true
                               << none << none;
    QTest::newRow("actionTxt") << "actionTxt" << QRect(64, 200, 305, 19) << "Entered a maze" << true
                               << "Last Action"
                               << "The last thing you did.";
    QTest::newRow("stat") << "stat" << QRect(0, 219, 369, 17) << "" << true << none << none;
    QTest::newRow("hpPanel") << "hpPanel" << QRect(0, 219, 120, 17) << "35" << true
                             << "Hit Points: 35"
                             << "Hit Points";
    QTest::newRow("enemyPanel, greyed")
        << "enemyPanel" << QRect(120, 219, 127, 17) << "Enemy HP:" << false << "Enemy's Hit Points"
        << "Enemy's Hit Points";
    QTest::newRow("timePanel") << "timePanel" << QRect(247, 219, 120, 17) << "0:00" << true
                               << "Total Time: 0:00"
                               << "Total Time";
}

void tst_frmMain::controls() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QFETCH(QString, accessible);
    QFETCH(QString, description);
    QWidget* control = f_->get(name);
    QVERIFY(control->isVisible());
    QRect actual = control->geometry();
    if (name != QLatin1String("itemTxt")) {
        // The client area starts right below the menu bar.
        actual.translate(control->parentWidget()->mapTo(&w(), QPoint(0, 0)) -
                         QPoint(0, w().menuBar()->geometry().bottom() + 1));
    }
    QCOMPARE(actual, place);
    QCOMPARE(shownText(control), text);
    QCOMPARE(control->isEnabled(), enabled);
    QCOMPARE(accessiblyDisabled(control), !enabled);
    if (!accessible.isNull()) {
        QCOMPARE(accessibleText(control), accessible);
        QCOMPARE(accessibleText(control, QAccessible::Description), description);
    }
    if (control->parentWidget() == w().statusBar()) {
        QCOMPARE(control->toolTip(), description);
    }
}

// "Morvint", 369 by 236 pixels of client area below the menu bar, and a fixed border.
void tst_frmMain::windowSize() {
    QCOMPARE(w().windowTitle(), QStringLiteral("Morvint"));
    const int menuBottom = w().menuBar()->geometry().bottom() + 1;
    QCOMPARE(w().centralWidget()->geometry(), QRect(0, menuBottom, 369, 219));
    const QSize size(369, menuBottom + 236);
    QCOMPARE(w().size(), size);
    QCOMPARE(w().minimumSize(), size);
    QCOMPARE(w().maximumSize(), size);
    w().resize(size + QSize(100, 80));
    QCOMPARE(w().size(), size);
    QVERIFY(!w().statusBar()->isSizeGripEnabled());
}

// The items box asks for Times New Roman 8.25 pt; the other controls keep the
// standard font, the label only narrowed as far as needed to show its text whole.
void tst_frmMain::fonts() {
    const QFont items = f_->get("itemTxt")->font();
    QCOMPARE(items.family(), QStringLiteral("Times New Roman"));
    QCOMPARE(items.pointSizeF(), 8.25);
    QCOMPARE(items.weight(), QFont::Normal);
    QVERIFY(!items.italic());
    for (const char* name : {"mainTxt", "actionTxt", "northCom", "attackCom", "Frame1", "hpPanel",
                             "enemyPanel", "timePanel"}) {
        QVERIFY2(!f_->get(name)->testAttribute(Qt::WA_SetFont), name);
    }
    auto* label = f_->get<QLabel>("actionLbl");
    const QFont standard = QApplication::font(label);
    QCOMPARE(label->font().family(), standard.family());
    QCOMPARE(label->font().pointSizeF(), standard.pointSizeF());
    QVERIFY(label->font().stretch() >= 50);
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text()) <=
            label->contentsRect().width());
}

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

// The narrative has the focus at the opening; Tab visits the controls in their
// order, skipping disabled buttons, the frame, the label and the status bar.
void tst_frmMain::tabOrder_data() {
    QTest::addColumn<QStringList>("disabled");
    QTest::addColumn<QStringList>("visits");
    const QStringList all = {"northCom", "westCom",   "eastCom", "southCom",  "attackCom",
                             "drinkCom", "crossCom",  "itemTxt", "pickupCom", "unlockCom",
                             "useCom",   "actionTxt", "mainTxt"};
    QTest::newRow("all enabled") << QStringList() << all;
    QStringList some = all;
    some.removeAll("westCom");
    some.removeAll("useCom");
    QTest::newRow("west and use disabled") << QStringList{"westCom", "useCom"} << some;
}

void tst_frmMain::tabOrder() {
    QFETCH(QStringList, disabled);
    QFETCH(QStringList, visits);
    for (const QString& name : disabled) {
        f_->get(name)->setEnabled(false);
    }
    QVERIFY(f_->activate());
    QCOMPARE(QApplication::focusWidget(), f_->get("mainTxt"));
    QStringList seen;
    for (int i = 0; i < visits.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, visits);
}

void tst_frmMain::enterAndEscPressNothing_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    for (const char* name : {"mainTxt", "northCom", "attackCom", "actionTxt"}) {
        QTest::addRow("%s Enter", name) << name << int(Qt::Key_Return);
        QTest::addRow("%s keypad Enter", name) << name << int(Qt::Key_Enter);
        QTest::addRow("%s Esc", name) << name << int(Qt::Key_Escape);
    }
}

void tst_frmMain::enterAndEscPressNothing() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QVERIFY(f_->activate());
    QWidget* target = f_->get(focus);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(f_->text("mainTxt"), opening);
    QCOMPARE(f_->text("actionTxt"), QStringLiteral("Entered a maze"));
    QVERIFY(w().isVisible());
    QCOMPARE(f_->endings, 0);
}

// Typing, deleting, cutting and pasting change nothing; the text can still be
// selected and copied, and a screen reader hears that the box is read-only.
void tst_frmMain::readOnlyButCopyable_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("mainTxt") << "mainTxt";
    QTest::newRow("actionTxt") << "actionTxt";
    QTest::newRow("itemTxt") << "itemTxt";
}

void tst_frmMain::readOnlyButCopyable() {
    QFETCH(QString, name);
    QVERIFY(f_->activate());
    w().setText(Box::itemTxt, "key1");
    QWidget* box = f_->get(name);
    const QString before = f_->text(name);
    box->setFocus();
    QTest::keyClicks(box, "xyz ");
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home, Qt::Key_Delete}) {
        QTest::keyClick(box, key);
    }
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f_->text(name), before);
    QVERIFY(QAccessible::queryAccessibleInterface(box)->state().readOnly);

    QApplication::clipboard()->clear();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), before);
}

// Long lines wrap at the box's width, with a vertical scroll bar and no horizontal one.
void tst_frmMain::narrativeWraps() {
    auto* narrative = f_->get<QPlainTextEdit>("mainTxt");
    QCOMPARE(narrative->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(narrative->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(narrative->document()->blockCount(), 1);
    QVERIFY(narrative->document()->firstBlock().layout()->lineCount() > 1);
}

// The panels' names follow their texts; a disabled panel is greyed and says so.
void tst_frmMain::panels() {
    w().setPanelText(Panel::hp, "-2");
    w().setPanelText(Panel::enemy, "snake 2");
    w().Timer1_Timer();
    QCOMPARE(accessibleText(w().panel(Panel::hp)), QStringLiteral("Hit Points: -2"));
    QCOMPARE(accessibleText(w().panel(Panel::enemy)),
             QStringLiteral("Enemy's Hit Points: snake 2"));
    QCOMPARE(accessibleText(w().panel(Panel::time)), QStringLiteral("Total Time: 0:01"));

    QLabel* hp = w().panel(Panel::hp);
    w().setPanelEnabled(Panel::hp, false);
    QVERIFY(accessiblyDisabled(hp));
    QVERIFY(hp->palette().color(QPalette::Disabled, QPalette::WindowText) !=
            hp->palette().color(QPalette::Active, QPalette::WindowText));
    w().setPanelEnabled(Panel::enemy, true);
    QVERIFY(!accessiblyDisabled(w().panel(Panel::enemy)));
}

// A click runs the button's command: a move, or a refusal that disables the
// button, after which further clicks run nothing.
void tst_frmMain::clicksReachTheGame_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("narrative");
    QTest::addColumn<QString>("action");
    QTest::newRow("north") << "northCom"
                           << "You can go north or south. There is a potion in the middle of the "
                              "room but drink it at your own risk. "
                           << "Went north(1,3)";
    const QString stays = QStringLiteral("Entered a maze");
    QTest::newRow("east") << "eastCom" << opening + "You cannot go east from this room. " << stays;
    QTest::newRow("south") << "southCom" << opening + "You cannot go south from this room. "
                           << stays;
    QTest::newRow("attack") << "attackCom" << opening + "There is nothing to attack. " << stays;
    QTest::newRow("drink") << "drinkCom" << opening + "There is nothing to drink. " << stays;
    QTest::newRow("cross") << "crossCom" << opening + "There is nothing to cross. " << stays;
    QTest::newRow("pick up") << "pickupCom" << opening + "There is nothing to pick up. " << stays;
    QTest::newRow("unlock") << "unlockCom" << opening + "There is no door to unlock here. "
                            << stays;
    QTest::newRow("use") << "useCom" << opening + "There is nothing to use here. " << stays;
}

void tst_frmMain::clicksReachTheGame() {
    QFETCH(QString, button);
    QFETCH(QString, narrative);
    QFETCH(QString, action);
    auto* pressed = f_->get<QPushButton>(button);
    QVERIFY(f_->activate());
    pressed->setFocus();
    QTest::keyClick(pressed, Qt::Key_Space);
    QCOMPARE(f_->text("mainTxt"), narrative);
    QCOMPARE(f_->text("actionTxt"), action);
    const bool refused = action == QLatin1String("Entered a maze");
    QCOMPARE(pressed->isEnabled(), !refused);
    QCOMPARE(accessiblyDisabled(pressed), refused);
    // A command that disables its own button hands the focus to the narrative,
    // never to the next command, which the next Space would run.
    QCOMPARE(QApplication::focusWidget(), refused ? f_->get("mainTxt") : pressed);
    if (refused) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::mouseClick(pressed, Qt::LeftButton);
        pressed->click();
        QCOMPARE(f_->text("mainTxt"), narrative);
    }
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

// The menu bar's menus, their items in order, captions and shortcut keys; a
// screen reader reads each without its access-key mark.
void tst_frmMain::menus_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("shortcuts");
    QTest::newRow("File") << 0 << "&File" << QStringList{"undoMnu", "newMnu", "sepMnu", "exitMnu"}
                          << QStringList{"Undo", "&New", "", "E&xit"}
                          << QStringList{"Alt+Backspace", "F2", "", "Ctrl+Q"};
    QTest::newRow("Help") << 1 << "&Help" << QStringList{"aboutMnu"} << QStringList{"&About..."}
                          << QStringList{""};
}

void tst_frmMain::menus() {
    QFETCH(int, index);
    QFETCH(QString, title);
    QFETCH(QStringList, names);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, shortcuts);
    auto readNames = [](QObject* menu) {
        QStringList read;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(menu);
        for (int i = 0; i < iface->childCount(); ++i) {
            read << iface->child(i)->text(QAccessible::Name);
        }
        read.removeAll(QString());
        return read;
    };
    QCOMPARE(readNames(w().menuBar()), (QStringList{"File", "Help"}));
    QAction* menu = w().menuBar()->actions().at(index);
    QCOMPARE(menu->text(), title);
    const QList<QAction*> actions = menu->menu()->actions();
    QCOMPARE(actions.size(), names.size());
    for (int i = 0; i < actions.size(); ++i) {
        QCOMPARE(actions.at(i)->objectName(), names.at(i));
        QCOMPARE(actions.at(i)->isSeparator(), names.at(i) == QLatin1String("sepMnu"));
        QCOMPARE(actions.at(i)->text(), captions.at(i));
        QCOMPARE(actions.at(i)->shortcut(), QKeySequence(shortcuts.at(i)));
        QVERIFY(actions.at(i)->isEnabled());
    }
    captions.replaceInStrings(QStringLiteral("&"), QString()).removeAll(QString());
    QCOMPARE(readNames(menu->menu()), captions);
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
    QCOMPARE(w().hasEnded(), ends);
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
