// The main window: its controls, their layout, focus order, fonts and states,
// the text boxes, the status bar, the play-again question and accessibility.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "frmMain.h"
#include "scripted_random.h"

using morvint::Box;
using morvint::Button;
using morvint::Panel;

namespace {

const QString opening = QStringLiteral(
    "You are in a small room at the entrance of a maze. You have to find the gold and get "
    "out without dying. You can go north or west. ");

template <typename T>
T* child(QWidget& w, const QString& name) {
    T* found = w.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no control named %s", qPrintable(name));
    }
    return found;
}

QString accessibleText(QObject* object, QAccessible::Text which) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface != nullptr ? iface->text(which) : QStringLiteral("<no interface>");
}

// Clicks a button of the modal box that is open at the next turn of the event loop.
void answerNextBox(QMessageBox::StandardButton answer, QString* title = nullptr,
                   QString* text = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            qWarning("no message box is open");
            return;
        }
        if (title != nullptr) {
            *title = box->windowTitle();
        }
        if (text != nullptr) {
            *text = box->text();
        }
        box->button(answer)->click();
    });
}

}  // namespace

class tst_frmMain : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void geometry_data();
    void geometry();
    void clientArea();
    void fixedSize();
    void captions_data();
    void captions();
    void fonts();
    void windowIcon();
    void tabOrder_data();
    void tabOrder();
    void initialFocus();
    void enterAndEscPressNothing_data();
    void enterAndEscPressNothing();
    void readOnlyBoxes_data();
    void readOnlyBoxes();
    void textCanBeCopied();
    void narrativeWraps();
    void statusPanels_data();
    void statusPanels();
    void openingState();
    void clicksReachTheGame_data();
    void clicksReachTheGame();
    void disabledButtonIgnoresClick();
    void tagsAndEnabledState();
    void appendKeepsCaretAndScroll_data();
    void appendKeepsCaretAndScroll();
    void appendToLineBoxes();
    void menus_data();
    void menus();
    void playAgain_data();
    void playAgain();
    void playAgainHelp();
    void noEndsTheRealProgram();
    void accessibleNames_data();
    void accessibleNames();
    void accessiblePanels();
    void accessibleStates();
    void accessibleMenus();

private:
    morvint::testing::ScriptedRandom* random_ = nullptr;
    frmMain* w_ = nullptr;
    int endings_ = 0;
};

void tst_frmMain::init() {
    random_ = new morvint::testing::ScriptedRandom;
    w_ = new frmMain(*random_);
    endings_ = 0;
    w_->setProgramEnd([this] { ++endings_; });
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
}

void tst_frmMain::cleanup() {
    delete w_;
    w_ = nullptr;
    delete random_;
    random_ = nullptr;
}

// Every control sits where the layout in twips puts it (15 twips to the pixel),
// measured from the client area, or from the frame for the items box.
void tst_frmMain::geometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("mainTxt") << "mainTxt" << QRect(0, 0, 369, 121);
    QTest::newRow("northCom") << "northCom" << QRect(176, 136, 17, 17);
    QTest::newRow("westCom") << "westCom" << QRect(160, 152, 17, 17);
    QTest::newRow("eastCom") << "eastCom" << QRect(192, 152, 17, 17);
    QTest::newRow("southCom") << "southCom" << QRect(176, 168, 17, 17);
    QTest::newRow("attackCom") << "attackCom" << QRect(8, 128, 57, 17);
    QTest::newRow("Frame1") << "Frame1" << QRect(232, 128, 137, 65);
    QTest::newRow("drinkCom") << "drinkCom" << QRect(8, 152, 57, 17);
    QTest::newRow("crossCom") << "crossCom" << QRect(8, 176, 57, 17);
    QTest::newRow("itemTxt in Frame1") << "itemTxt" << QRect(8, 24, 121, 25);
    QTest::newRow("pickupCom") << "pickupCom" << QRect(72, 128, 57, 17);
    QTest::newRow("unlockCom") << "unlockCom" << QRect(72, 152, 57, 17);
    QTest::newRow("stat") << "stat" << QRect(0, 219, 369, 17);
    QTest::newRow("useCom") << "useCom" << QRect(72, 176, 57, 17);
    QTest::newRow("actionTxt") << "actionTxt" << QRect(64, 200, 305, 19);
    QTest::newRow("actionLbl") << "actionLbl" << QRect(0, 200, 57, 17);
    QTest::newRow("HP panel") << "hpPanel" << QRect(0, 219, 120, 17);
    QTest::newRow("enemy panel") << "enemyPanel" << QRect(120, 219, 127, 17);
    QTest::newRow("time panel") << "timePanel" << QRect(247, 219, 120, 17);
}

void tst_frmMain::geometry() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    auto* control = child<QWidget>(*w_, name);
    QCOMPARE(control->isVisible(), true);
    QRect actual = control->geometry();
    if (control->parentWidget()->objectName() != QLatin1String("Frame1")) {
        // Client coordinates: the client area starts right below the menu bar.
        const QPoint origin = control->parentWidget()->mapTo(w_, QPoint(0, 0)) -
                              QPoint(0, w_->menuBar()->geometry().bottom() + 1);
        actual.translate(origin);
    } else {
        QCOMPARE(name, QStringLiteral("itemTxt"));
    }
    QCOMPARE(actual, rect);
}

// The client area is 369 by 236 pixels below the menu bar, the status bar at its bottom.
void tst_frmMain::clientArea() {
    const int menuBottom = w_->menuBar()->geometry().bottom() + 1;
    QCOMPARE(w_->menuBar()->geometry().top(), 0);
    QCOMPARE(w_->centralWidget()->geometry(), QRect(0, menuBottom, 369, 219));
    QCOMPARE(w_->statusBar()->geometry(), QRect(0, menuBottom + 219, 369, 17));
    QCOMPARE(w_->size(), QSize(369, menuBottom + 236));
    QCOMPARE(w_->statusBar()->objectName(), QStringLiteral("stat"));
}

// The border is fixed: the window cannot be made larger or smaller.
void tst_frmMain::fixedSize() {
    const QSize size = w_->size();
    QCOMPARE(w_->minimumSize(), size);
    QCOMPARE(w_->maximumSize(), size);
    w_->resize(size + QSize(100, 80));
    QCOMPARE(w_->size(), size);
    w_->resize(size - QSize(100, 80));
    QCOMPARE(w_->size(), size);
    QVERIFY(!w_->statusBar()->isSizeGripEnabled());
}

void tst_frmMain::captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("northCom") << "northCom"
                              << "N";
    QTest::newRow("westCom") << "westCom"
                             << "W";
    QTest::newRow("eastCom") << "eastCom"
                             << "E";
    QTest::newRow("southCom") << "southCom"
                              << "S";
    QTest::newRow("attackCom") << "attackCom"
                               << "Attack";
    QTest::newRow("drinkCom") << "drinkCom"
                              << "Drink";
    QTest::newRow("crossCom") << "crossCom"
                              << "Cross";
    QTest::newRow("pickupCom") << "pickupCom"
                               << "Pick Up";
    QTest::newRow("unlockCom") << "unlockCom"
                               << "Unlock";
    QTest::newRow("useCom") << "useCom"
                            << "Use";
    QTest::newRow("Frame1") << "Frame1"
                            << "Items";
    QTest::newRow("actionLbl") << "actionLbl"
                               << "Last Action:";
}

void tst_frmMain::captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QWidget* control = child<QWidget>(*w_, name);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(button->text(), caption);
        // No button is a default button: Enter and Esc press nothing.
        QVERIFY(!button->autoDefault());
        QVERIFY(!button->isDefault());
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        QCOMPARE(frame->title(), caption);
    } else {
        QCOMPARE(qobject_cast<QLabel*>(control)->text(), caption);
    }
    QCOMPARE(w_->windowTitle(), QStringLiteral("Morvint"));
    QCOMPARE(w_->objectName(), QStringLiteral("frmMain"));
}

// The items box asks for Times New Roman 8.25 pt; everything else keeps the standard font.
void tst_frmMain::fonts() {
    const QFont items = child<QLineEdit>(*w_, "itemTxt")->font();
    QCOMPARE(items.family(), QStringLiteral("Times New Roman"));
    QCOMPARE(items.pointSizeF(), 8.25);
    QCOMPARE(items.weight(), QFont::Normal);
    QVERIFY(!items.italic());
    for (const char* name : {"mainTxt", "actionTxt", "northCom", "attackCom", "Frame1", "hpPanel",
                             "enemyPanel", "timePanel"}) {
        QWidget* control = child<QWidget>(*w_, name);
        QVERIFY2(!control->testAttribute(Qt::WA_SetFont), name);
        QCOMPARE(control->font(), QApplication::font(control));
    }
    // The label keeps the standard family and size; its letters are only narrowed
    // as far as needed to show "Last Action:" whole.
    auto* label = child<QLabel>(*w_, "actionLbl");
    const QFont standard = QApplication::font(label);
    QCOMPARE(label->font().family(), standard.family());
    QCOMPARE(label->font().pointSizeF(), standard.pointSizeF());
    QCOMPARE(label->font().weight(), standard.weight());
    QVERIFY(label->font().stretch() >= 50);
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text()) <=
            label->contentsRect().width());
}

// The icon is our own 32 by 32 picture with no transparent pixels.
void tst_frmMain::windowIcon() {
    const QIcon icon = w_->windowIcon();
    QVERIFY(!icon.isNull());
    const QImage image(QStringLiteral(":/morvint/morvint.xpm"));
    QCOMPARE(image.size(), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            QCOMPARE(qAlpha(pixel), 255);
            colours.insert(pixel);
        }
    }
    QVERIFY(colours.contains(qRgb(0x00, 0x80, 0x80)));  // dark cyan ground
    QVERIFY(colours.contains(qRgb(0x00, 0x00, 0x00)));  // black strokes
    QVERIFY(colours.contains(qRgb(0x80, 0x00, 0x00)));  // dark-red strokes
    QVERIFY(colours.size() <= 16);
    // The ground fills the upper left corner, the strokes reach the bottom edge.
    QCOMPARE(image.pixel(0, 0), qRgb(0x00, 0x80, 0x80));
}

// Tab visits the controls in their order, skipping disabled buttons; the frame,
// the label and the status bar never take the focus.
void tst_frmMain::tabOrder_data() {
    QTest::addColumn<QStringList>("disabled");
    QTest::addColumn<QStringList>("visits");
    const QStringList all = {"northCom", "westCom",   "eastCom", "southCom",  "attackCom",
                             "drinkCom", "crossCom",  "itemTxt", "pickupCom", "unlockCom",
                             "useCom",   "actionTxt", "mainTxt"};
    QTest::newRow("all enabled") << QStringList() << all;
    QStringList someDisabled = all;
    someDisabled.removeAll("westCom");
    someDisabled.removeAll("useCom");
    QTest::newRow("west and use disabled") << QStringList{"westCom", "useCom"} << someDisabled;
}

void tst_frmMain::tabOrder() {
    QFETCH(QStringList, disabled);
    QFETCH(QStringList, visits);
    for (const QString& name : disabled) {
        child<QPushButton>(*w_, name)->setEnabled(false);
    }
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_));
    child<QWidget>(*w_, "mainTxt")->setFocus();
    QStringList seen;
    for (int i = 0; i < visits.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, visits);
    for (const char* name : {"Frame1", "actionLbl", "stat", "hpPanel"}) {
        QCOMPARE(child<QWidget>(*w_, name)->focusPolicy(), Qt::NoFocus);
    }
}

// The narrative has the focus when the window opens.
void tst_frmMain::initialFocus() {
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_));
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(*w_, "mainTxt"));
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
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_));
    QWidget* target = child<QWidget>(*w_, focus);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(child<QPlainTextEdit>(*w_, "mainTxt")->toPlainText(), opening);
    QCOMPARE(child<QLineEdit>(*w_, "actionTxt")->text(), QStringLiteral("Entered a maze"));
    QVERIFY(w_->isVisible());
    QCOMPARE(endings_, 0);
}

// Typing and pasting into the text boxes change nothing.
void tst_frmMain::readOnlyBoxes_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("mainTxt") << "mainTxt";
    QTest::newRow("actionTxt") << "actionTxt";
    QTest::newRow("itemTxt") << "itemTxt";
}

void tst_frmMain::readOnlyBoxes() {
    QFETCH(QString, name);
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_));
    w_->setText(Box::itemTxt, "key1");
    QWidget* box = child<QWidget>(*w_, name);
    auto text = [box] {
        if (auto* edit = qobject_cast<QPlainTextEdit*>(box)) {
            return edit->toPlainText();
        }
        return qobject_cast<QLineEdit*>(box)->text();
    };
    const QString before = text();
    box->setFocus();
    QTest::keyClicks(box, "xyz ");
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text(), before);
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        QVERIFY(line->isReadOnly());
    } else {
        QVERIFY(qobject_cast<QPlainTextEdit*>(box)->isReadOnly());
    }
}

// The narrative can still be selected and copied.
void tst_frmMain::textCanBeCopied() {
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_));
    auto* narrative = child<QPlainTextEdit>(*w_, "mainTxt");
    narrative->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(narrative, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(narrative, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), opening);

    auto* action = child<QLineEdit>(*w_, "actionTxt");
    action->setFocus();
    QTest::keyClick(action, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(action, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Entered a maze"));
}

// Long lines wrap at the box's width, with a vertical scroll bar and no horizontal one.
void tst_frmMain::narrativeWraps() {
    auto* narrative = child<QPlainTextEdit>(*w_, "mainTxt");
    QCOMPARE(narrative->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(narrative->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(narrative->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(narrative->document()->blockCount(), 1);
    QVERIFY(narrative->document()->firstBlock().layout()->lineCount() > 1);
}

void tst_frmMain::statusPanels_data() {
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<int>("minimumWidth");
    QTest::newRow("HP") << 1 << "hpPanel"
                        << "Hit Points" << 120;
    QTest::newRow("enemy") << 2 << "enemyPanel"
                           << "Enemy's Hit Points" << 127;
    QTest::newRow("time") << 3 << "timePanel"
                          << "Total Time" << 120;
}

void tst_frmMain::statusPanels() {
    QFETCH(int, panel);
    QFETCH(QString, name);
    QFETCH(QString, toolTip);
    QFETCH(int, minimumWidth);
    QLabel* label = w_->panel(static_cast<Panel>(panel));
    QCOMPARE(label->objectName(), name);
    QCOMPARE(label->parentWidget(), w_->statusBar());
    QCOMPARE(label->toolTip(), toolTip);
    QCOMPARE(label->minimumWidth(), minimumWidth);
    QCOMPARE(label->width(), minimumWidth);
    // A disabled panel shows its text greyed.
    w_->setPanelEnabled(static_cast<Panel>(panel), false);
    QVERIFY(!label->isEnabled());
    QVERIFY(label->palette().color(QPalette::Disabled, QPalette::WindowText) !=
            label->palette().color(QPalette::Active, QPalette::WindowText));
    w_->setPanelEnabled(static_cast<Panel>(panel), true);
    QVERIFY(label->isEnabled());
    w_->setPanelText(static_cast<Panel>(panel), "7 ");
    QCOMPARE(label->text(), QStringLiteral("7 "));
}

// After start-up: the opening narrative, "Entered a maze", 35 hit points, the
// greyed "Enemy HP:", the clock at "0:00", all ten buttons enabled, north and west open.
void tst_frmMain::openingState() {
    QCOMPARE(child<QPlainTextEdit>(*w_, "mainTxt")->toPlainText(), opening);
    QCOMPARE(child<QLineEdit>(*w_, "actionTxt")->text(), QStringLiteral("Entered a maze"));
    QCOMPARE(child<QLineEdit>(*w_, "itemTxt")->text(), QString());
    QCOMPARE(w_->panel(Panel::hp)->text(), QStringLiteral("35"));
    QVERIFY(w_->panel(Panel::hp)->isEnabled());
    QCOMPARE(w_->panel(Panel::enemy)->text(), QStringLiteral("Enemy HP:"));
    QVERIFY(!w_->panel(Panel::enemy)->isEnabled());
    QCOMPARE(w_->panel(Panel::time)->text(), QStringLiteral("0:00"));
    for (Button b : morvint::allButtons) {
        QVERIFY2(w_->button(b)->isEnabled(), morvint::buttonName(b).data());
    }
    QCOMPARE(w_->tag(Button::northCom), std::string("True"));
    QCOMPARE(w_->tag(Button::westCom), std::string("True"));
    QCOMPARE(w_->tag(Button::eastCom), std::string("False"));
    QCOMPARE(w_->tag(Button::southCom), std::string("False"));
    QCOMPARE(random_->reseeds, 1);
}

// A click on a button runs its command in the game.
void tst_frmMain::clicksReachTheGame_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("narrative");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("enabledAfter");
    QTest::newRow("north")
        << "northCom"
        << "You can go north or south. There is a potion in the middle of the room but drink "
           "it at your own risk. "
        << "Went north(1,3)" << true;
    QTest::newRow("east is closed") << "eastCom" << opening + "You cannot go east from this room. "
                                    << "Entered a maze" << false;
    QTest::newRow("south is closed")
        << "southCom" << opening + "You cannot go south from this room. "
        << "Entered a maze" << false;
    QTest::newRow("nothing to attack") << "attackCom" << opening + "There is nothing to attack. "
                                       << "Entered a maze" << false;
    QTest::newRow("nothing to drink") << "drinkCom" << opening + "There is nothing to drink. "
                                      << "Entered a maze" << false;
    QTest::newRow("nothing to cross") << "crossCom" << opening + "There is nothing to cross. "
                                      << "Entered a maze" << false;
    QTest::newRow("nothing to pick up") << "pickupCom" << opening + "There is nothing to pick up. "
                                        << "Entered a maze" << false;
    QTest::newRow("no door") << "unlockCom" << opening + "There is no door to unlock here. "
                             << "Entered a maze" << false;
    QTest::newRow("nothing to use") << "useCom" << opening + "There is nothing to use here. "
                                    << "Entered a maze" << false;
}

void tst_frmMain::clicksReachTheGame() {
    QFETCH(QString, button);
    QFETCH(QString, narrative);
    QFETCH(QString, action);
    QFETCH(bool, enabledAfter);
    auto* pressed = child<QPushButton>(*w_, button);
    QTest::mouseClick(pressed, Qt::LeftButton);
    QCOMPARE(child<QPlainTextEdit>(*w_, "mainTxt")->toPlainText(), narrative);
    QCOMPARE(child<QLineEdit>(*w_, "actionTxt")->text(), action);
    QCOMPARE(pressed->isEnabled(), enabledAfter);
}

// A disabled button cannot be pressed: its command does not run again.
void tst_frmMain::disabledButtonIgnoresClick() {
    auto* east = child<QPushButton>(*w_, "eastCom");
    QTest::mouseClick(east, Qt::LeftButton);
    QVERIFY(!east->isEnabled());
    QTest::mouseClick(east, Qt::LeftButton);
    east->click();
    QCOMPARE(child<QPlainTextEdit>(*w_, "mainTxt")->toPlainText(),
             opening + "You cannot go east from this room. ");
}

// The Tag and the enabled state of each button are kept by the window.
void tst_frmMain::tagsAndEnabledState() {
    for (Button b : morvint::allButtons) {
        const std::string tag = std::string(morvint::buttonName(b)) + " tag";
        w_->setTag(b, tag);
        QCOMPARE(w_->tag(b), tag);
        QCOMPARE(w_->button(b)->property("Tag").toString(), QString::fromStdString(tag));
        w_->setEnabled(b, false);
        QVERIFY(!w_->isEnabled(b));
        QVERIFY(!w_->button(b)->isEnabled());
        w_->setEnabled(b, true);
        QVERIFY(w_->isEnabled(b));
        QCOMPARE(w_->button(b)->objectName(), QString::fromLatin1(morvint::buttonName(b).data()));
    }
    w_->setTag(Button::northCom, "");
    QCOMPARE(w_->tag(Button::northCom), std::string());
}

// Text arriving at the end of the narrative neither moves the caret nor scrolls.
void tst_frmMain::appendKeepsCaretAndScroll_data() {
    QTest::addColumn<int>("sentences");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("scrollToMiddle");
    QTest::newRow("empty narrative") << 0 << 0 << 0 << false;
    QTest::newRow("caret at start") << 30 << 0 << 0 << false;
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
    auto* narrative = child<QPlainTextEdit>(*w_, "mainTxt");
    std::string text;
    for (int i = 0; i < sentences; ++i) {
        text += "You can go north, east, or south. ";
    }
    w_->setText(Box::mainTxt, text);
    const int length = static_cast<int>(text.size());
    if (anchor < 0) {
        anchor = position = length;
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
        w_->append(Box::mainTxt, "The snake bit you. ");
        QApplication::processEvents();
    }

    std::string expected = text;
    for (int i = 0; i < 20; ++i) {
        expected += "The snake bit you. ";
    }
    QCOMPARE(narrative->toPlainText(), QString::fromStdString(expected));
    QCOMPARE(narrative->textCursor().anchor(), anchor);
    QCOMPARE(narrative->textCursor().position(), position);
    QCOMPARE(bar->value(), scroll);
}

// The one-line boxes also take text at their end.
void tst_frmMain::appendToLineBoxes() {
    w_->setText(Box::actionTxt, "Went ");
    w_->append(Box::actionTxt, "north(1,3)");
    QCOMPARE(child<QLineEdit>(*w_, "actionTxt")->text(), QStringLiteral("Went north(1,3)"));
    w_->setText(Box::itemTxt, "");
    w_->append(Box::itemTxt, "key1 ");
    w_->append(Box::itemTxt, "gold ");
    QCOMPARE(child<QLineEdit>(*w_, "itemTxt")->text(), QStringLiteral("key1 gold "));
}

// The menus, their items in order, captions and shortcut keys.
void tst_frmMain::menus_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("shortcuts");
    QTest::newRow("File") << "fileMnu"
                          << "&File" << QStringList{"undoMnu", "newMnu", "sepMnu", "exitMnu"}
                          << QStringList{"Undo", "&New", "", "E&xit"}
                          << QStringList{"Alt+Backspace", "F2", "", "Ctrl+Q"};
    QTest::newRow("Help") << "helpMnu"
                          << "&Help" << QStringList{"aboutMnu"} << QStringList{"&About..."}
                          << QStringList{""};
}

void tst_frmMain::menus() {
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, names);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, shortcuts);
    auto* m = child<QMenu>(*w_, menu);
    QCOMPARE(m->title(), title);
    const QList<QAction*> actions = m->actions();
    QCOMPARE(actions.size(), names.size());
    for (int i = 0; i < actions.size(); ++i) {
        QAction* action = actions.at(i);
        QCOMPARE(action->objectName(), names.at(i));
        QCOMPARE(action->isSeparator(), names.at(i) == QLatin1String("sepMnu"));
        QCOMPARE(action->text(), captions.at(i));
        QCOMPARE(action->shortcut(), QKeySequence(shortcuts.at(i)));
        QVERIFY(action->isEnabled());
        QVERIFY(!action->isChecked());
    }
    QList<QAction*> bar = w_->menuBar()->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar.at(0)->text(), QStringLiteral("&File"));
    QCOMPARE(bar.at(1)->text(), QStringLiteral("&Help"));
}

// The real play-again box: titled "New Game", no icon, Yes (the default) and No.
// Yes starts a new game in the same window; No asks for the end of the program.
void tst_frmMain::playAgain_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("ends");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << false;
    QTest::newRow("No") << int(QMessageBox::No) << true;
}

void tst_frmMain::playAgain() {
    QFETCH(int, answer);
    QFETCH(bool, ends);
    QTest::mouseClick(child<QPushButton>(*w_, "northCom"), Qt::LeftButton);

    struct Seen {
        bool modal = false;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::Warning;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QString narrative;
    } seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen.modal = box->isModal();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->standardButton(box->defaultButton());
        seen.narrative = child<QPlainTextEdit>(*w_, "mainTxt")->toPlainText();
        box->button(static_cast<QMessageBox::StandardButton>(answer))->click();
    });
    w_->game().endgame("from an enemy's attack. ");

    QVERIFY(seen.modal);
    QCOMPARE(seen.title, QStringLiteral("New Game"));
    QCOMPARE(seen.text, QStringLiteral("Would you like to play again?"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(seen.defaultButton, QMessageBox::Yes);
    QCOMPARE(seen.narrative, QStringLiteral("You died from an enemy's attack. "));
    QCOMPARE(endings_, ends ? 1 : 0);
    QCOMPARE(w_->hasEnded(), ends);
    QCOMPARE(w_->game().programEnded(), ends);
    if (ends) {
        // Nothing runs any more: not a button, not the clock, not a menu command.
        QTest::mouseClick(child<QPushButton>(*w_, "attackCom"), Qt::LeftButton);
        w_->Timer1_Timer();
        w_->newMnu_Click();
        QCOMPARE(child<QPlainTextEdit>(*w_, "mainTxt")->toPlainText(),
                 QStringLiteral("You died from an enemy's attack. "));
        QCOMPARE(w_->panel(Panel::time)->text(), QStringLiteral("0:00"));
        QVERIFY(!w_->timer()->isActive());
    } else {
        QCOMPARE(child<QPlainTextEdit>(*w_, "mainTxt")->toPlainText(), opening);
        QCOMPARE(child<QLineEdit>(*w_, "actionTxt")->text(), QStringLiteral("Entered a maze"));
        QVERIFY(w_->timer()->isActive());
    }
}

// F1 in the play-again box shows how to play; the question stays until it is answered.
void tst_frmMain::playAgainHelp() {
    QString helpTitle, helpText;
    bool stillAsking = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        answerNextBox(QMessageBox::Ok, &helpTitle, &helpText);
        QTest::keyClick(box, Qt::Key_F1);
        stillAsking = box->isVisible() && QApplication::activeModalWidget() == box;
        box->button(QMessageBox::Yes)->click();
    });
    QVERIFY(w_->askPlayAgain());
    QVERIFY(stillAsking);
    QCOMPARE(helpTitle, QStringLiteral("Morvint"));
    QCOMPARE(helpText, frmMain::helpText());
    QVERIFY(helpText.contains(QStringLiteral("Find the gold")));
    QCOMPARE(endings_, 0);
}

// With the real end, No closes every window and leaves the event loop.
void tst_frmMain::noEndsTheRealProgram() {
    frmMain window(*random_);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bool asked = false;
    QTimer::singleShot(0, [&] {
        answerNextBox(QMessageBox::No);
        window.game().endgame("crossing a bad bridge. ");
        asked = true;
    });
    // Leaves the loop in case the end never comes.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(20000);
    const int result = QApplication::exec();
    QCOMPARE(result, 0);
    QVERIFY(asked);
    QVERIFY(window.hasEnded());
    QVERIFY(!window.isVisible());
    QVERIFY(!w_->isVisible());
}

// Names and descriptions that a screen reader reads.
void tst_frmMain::accessibleNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QString>("description");
    QTest::newRow("northCom") << "northCom"
                              << "North"
                              << "Go north";
    QTest::newRow("southCom") << "southCom"
                              << "South"
                              << "Go south";
    QTest::newRow("eastCom") << "eastCom"
                             << "East"
                             << "Go east";
    QTest::newRow("westCom") << "westCom"
                             << "West"
                             << "Go west";
    QTest::newRow("attackCom") << "attackCom"
                               << "Attack"
                               << "Strike the enemy in this room.";
    QTest::newRow("drinkCom") << "drinkCom"
                              << "Drink"
                              << "Drink from the well or the potion in this room.";
    QTest::newRow("crossCom") << "crossCom"
                              << "Cross"
                              << "Cross the bridge in this room.";
    QTest::newRow("pickupCom") << "pickupCom"
                               << "Pick Up"
                               << "Pick up the key in this room.";
    QTest::newRow("unlockCom") << "unlockCom"
                               << "Unlock"
                               << "Unlock the door in this room with a key you carry.";
    QTest::newRow("useCom") << "useCom"
                            << "Use"
                            << "Use the stairs or the transporter in this room.";
    QTest::newRow("mainTxt") << "mainTxt"
                             << "Narrative"
                             << "What you see in the room and what happened after each command.";
    QTest::newRow("actionTxt") << "actionTxt"
                               << "Last Action"
                               << "The last thing you did.";
    QTest::newRow("itemTxt") << "itemTxt"
                             << "Items"
                             << "The keys and the gold you carry.";
}

void tst_frmMain::accessibleNames() {
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);
    QFETCH(QString, description);
    QWidget* control = child<QWidget>(*w_, name);
    QCOMPARE(accessibleText(control, QAccessible::Name), accessibleName);
    QCOMPARE(accessibleText(control, QAccessible::Description), description);
}

// Each panel's name carries its value and stays up to date; the description is its tool tip.
void tst_frmMain::accessiblePanels() {
    QLabel* hp = w_->panel(Panel::hp);
    QLabel* enemy = w_->panel(Panel::enemy);
    QLabel* time = w_->panel(Panel::time);
    QCOMPARE(accessibleText(hp, QAccessible::Name), QStringLiteral("Hit Points: 35"));
    QCOMPARE(accessibleText(enemy, QAccessible::Name),
             QStringLiteral("Enemy's Hit Points: Enemy HP:"));
    QCOMPARE(accessibleText(time, QAccessible::Name), QStringLiteral("Total Time: 0:00"));
    QCOMPARE(accessibleText(hp, QAccessible::Description), QStringLiteral("Hit Points"));
    QCOMPARE(accessibleText(enemy, QAccessible::Description), QStringLiteral("Enemy's Hit Points"));
    QCOMPARE(accessibleText(time, QAccessible::Description), QStringLiteral("Total Time"));

    w_->setPanelText(Panel::hp, "-2");
    w_->setPanelText(Panel::enemy, "snake 2");
    w_->Timer1_Timer();
    QCOMPARE(accessibleText(hp, QAccessible::Name), QStringLiteral("Hit Points: -2"));
    QCOMPARE(accessibleText(enemy, QAccessible::Name),
             QStringLiteral("Enemy's Hit Points: snake 2"));
    QCOMPARE(accessibleText(time, QAccessible::Name), QStringLiteral("Total Time: 0:01"));
}

// Disabled controls say so; the text boxes are read-only.
void tst_frmMain::accessibleStates() {
    auto state = [](QObject* o) { return QAccessible::queryAccessibleInterface(o)->state(); };
    QVERIFY(state(w_->panel(Panel::enemy)).disabled);
    QVERIFY(!state(w_->panel(Panel::hp)).disabled);
    for (const char* name : {"mainTxt", "actionTxt", "itemTxt"}) {
        QVERIFY2(state(child<QWidget>(*w_, name)).readOnly, name);
    }
    auto* east = child<QPushButton>(*w_, "eastCom");
    QVERIFY(!state(east).disabled);
    QTest::mouseClick(east, Qt::LeftButton);
    QVERIFY(state(east).disabled);
    QCOMPARE(QAccessible::queryAccessibleInterface(east)->role(), QAccessible::Button);
}

// Menu items are read without their access-key marks.
void tst_frmMain::accessibleMenus() {
    auto names = [](QObject* menu) {
        QStringList result;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(menu);
        for (int i = 0; i < iface->childCount(); ++i) {
            result << iface->child(i)->text(QAccessible::Name);
        }
        return result;
    };
    QCOMPARE(names(w_->menuBar()), (QStringList{"File", "Help"}));
    QStringList file = names(child<QMenu>(*w_, "fileMnu"));
    file.removeAll(QString());
    QCOMPARE(file, (QStringList{"Undo", "New", "Exit"}));
    QCOMPARE(names(child<QMenu>(*w_, "helpMnu")), (QStringList{"About..."}));
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
