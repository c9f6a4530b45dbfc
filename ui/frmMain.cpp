// SPDX-License-Identifier: MIT
#include "frmMain.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <utility>

#include "captions.h"
#include "frmAbout.h"
#include "narrator.h"
#include "twips.h"

// The icon lives in the resource file of this library, which must be registered
// by hand because the library is static. Outside any namespace, as Qt requires.
static void initResources() {
    Q_INIT_RESOURCE(morvint);
}

namespace {

using morvint::Box;
using morvint::Button;
using morvint::Panel;

// The window's client area, menu bar not included, and the status bar's part of it.
constexpr int clientWidth = 5535;
constexpr int clientHeight = 3540;
constexpr int statTop = 3285;
constexpr int statHeight = 255;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int index(Button b) {
    return static_cast<int>(b);
}
int index(Panel p) {
    return static_cast<int>(p) - 1;
}

struct PanelDef {
    const char* name;
    const char* text;
    const char* toolTip;
    const char* accessiblePrefix;
    int widthTwips;
};

constexpr PanelDef panelDefs[] = {
    {"hpPanel", "HP: ", "Hit Points", "Hit Points: ", 1800},
    {"enemyPanel", "Enemy HP:", "Enemy's Hit Points", "Enemy's Hit Points: ", 1900},
    {"timePanel", "Time:", "Total Time", "Total Time: ", 1800},
};

// The play-again box. F1 shows a short help on how to play on top of the question,
// which stays open until it is answered.
class PlayAgainBox : public QMessageBox {
public:
    explicit PlayAgainBox(QWidget* parent)
        : QMessageBox(QMessageBox::NoIcon, QStringLiteral("New Game"),
                      QStringLiteral("Would you like to play again?"),
                      QMessageBox::Yes | QMessageBox::No, parent) {
        setDefaultButton(QMessageBox::Yes);
        plainButtons(*this);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
            QMessageBox help(QMessageBox::NoIcon, QStringLiteral("Morvint"), frmMain::helpText(),
                             QMessageBox::Ok, this);
            help.setObjectName(QStringLiteral("helpBox"));
            plainButtons(help);
            help.exec();
            return;
        }
        // There is no Cancel: Esc leaves the question open.
        if (event->key() == Qt::Key_Escape) {
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    // Nor does the title bar's close button answer it.
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

// Tab into a line edit selects all its text. In an empty box that selection and its
// caret reach a screen reader before the focus does, and Orca then takes the box
// for already focused and never names it. With nothing to select, the focus comes
// in as if the program had given it.
class EmptyBoxFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusIn) {
            return false;
        }
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if ((reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) ||
            !static_cast<QLineEdit*>(watched)->text().isEmpty()) {
            return false;
        }
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(watched, &plain);
        return true;
    }
};

}  // namespace

frmMain::frmMain(QWidget* parent)
    : frmMain(std::make_unique<morvint::ClockRandom>(), nullptr, parent) {}

frmMain::frmMain(morvint::RandomSource& random, QWidget* parent)
    : frmMain(nullptr, &random, parent) {}

frmMain::frmMain(std::unique_ptr<morvint::RandomSource> own, morvint::RandomSource* random,
                 QWidget* parent)
    : QMainWindow(parent),
      ownRandom_(std::move(own)),
      game_(*this, random != nullptr ? *random : *ownRandom_) {
    initResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Morvint"));
    setWindowIcon(QIcon(QStringLiteral(":/morvint/morvint.xpm")));
    // A fixed border: a title bar with minimize and close, but no resizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    playAgain_ = [this] { return showPlayAgainBox(); };
    ending_ = [this] {
        QPointer<QWidget> about = about_;
        closeProgram();
        if (about) {
            about->deleteLater();
        }
    };

    buildControls();
    buildMenus();
    buildStatusBar();

    narrator_ = new Narrator(this, panel(Panel::hp), panel(Panel::enemy));

    const int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(px(clientWidth), menuHeight + px(clientHeight));

    // The clock starts with the window.
    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(60000);
    connect(Timer1_, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    Timer1_->start();

    command([this] { game_.Form_Load(); }, true);
    mainTxt_->setFocus(Qt::OtherFocusReason);
}

frmMain::~frmMain() = default;

QPushButton* frmMain::makeButton(Button b, const char* name, const QString& caption,
                                 const QRect& geometry, const QString& accessibleName,
                                 const QString& description) {
    auto* button = new QPushButton(caption, centralWidget());
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    // Enter and Esc press nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    fitCaption(button);
    button->setAccessibleName(accessibleName);
    button->setAccessibleDescription(description);
    button->setProperty("Tag", QString());
    connect(button, &QPushButton::clicked, this,
            [this, b] { command([this, b] { game_.click(b); }); });
    buttons_[index(b)] = button;
    return button;
}

void frmMain::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(px(clientWidth), px(statTop));
    setCentralWidget(client);

    mainTxt_ = new QPlainTextEdit(client);
    mainTxt_->setObjectName(QStringLiteral("mainTxt"));
    mainTxt_->setGeometry(twipsRect(0, 0, 5535, 1815));
    mainTxt_->setReadOnly(true);
    mainTxt_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    mainTxt_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mainTxt_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mainTxt_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mainTxt_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    mainTxt_->setTabChangesFocus(true);
    mainTxt_->setUndoRedoEnabled(false);
    mainTxt_->setAccessibleName(QStringLiteral("Narrative"));
    mainTxt_->setAccessibleDescription(
        QStringLiteral("What you see in the room and what happened after each command."));

    const QString compass = QStringLiteral("Go %1");
    auto* north = makeButton(Button::northCom, "northCom", QStringLiteral("N"),
                             twipsRect(2640, 2040, 255, 255), QStringLiteral("North"),
                             compass.arg(QStringLiteral("north")));
    auto* west =
        makeButton(Button::westCom, "westCom", QStringLiteral("W"), twipsRect(2400, 2280, 255, 255),
                   QStringLiteral("West"), compass.arg(QStringLiteral("west")));
    auto* east =
        makeButton(Button::eastCom, "eastCom", QStringLiteral("E"), twipsRect(2880, 2280, 255, 255),
                   QStringLiteral("East"), compass.arg(QStringLiteral("east")));
    auto* south = makeButton(Button::southCom, "southCom", QStringLiteral("S"),
                             twipsRect(2640, 2520, 255, 255), QStringLiteral("South"),
                             compass.arg(QStringLiteral("south")));
    auto* attack = makeButton(Button::attackCom, "attackCom", QStringLiteral("Attack"),
                              twipsRect(120, 1920, 855, 255), QStringLiteral("Attack"),
                              QStringLiteral("Strike the enemy in this room."));

    Frame1_ = new QGroupBox(QStringLiteral("Items"), client);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setGeometry(twipsRect(3480, 1920, 2055, 975));
    Frame1_->setFocusPolicy(Qt::NoFocus);

    auto* drink = makeButton(Button::drinkCom, "drinkCom", QStringLiteral("Drink"),
                             twipsRect(120, 2280, 855, 255), QStringLiteral("Drink"),
                             QStringLiteral("Drink from the well or the potion in this room."));
    auto* cross = makeButton(Button::crossCom, "crossCom", QStringLiteral("Cross"),
                             twipsRect(120, 2640, 855, 255), QStringLiteral("Cross"),
                             QStringLiteral("Cross the bridge in this room."));

    itemTxt_ = new QLineEdit(Frame1_);
    itemTxt_->setObjectName(QStringLiteral("itemTxt"));
    itemTxt_->setGeometry(twipsRect(120, 360, 1815, 375));
    itemTxt_->setReadOnly(true);
    QFont itemFont(QStringLiteral("Times New Roman"));
    itemFont.setPointSizeF(8.25);
    itemFont.setWeight(QFont::Normal);
    itemFont.setItalic(false);
    itemTxt_->setFont(itemFont);
    itemTxt_->setAccessibleName(QStringLiteral("Items"));
    itemTxt_->setAccessibleDescription(QStringLiteral("The keys and the gold you carry."));
    itemTxt_->installEventFilter(new EmptyBoxFocus(itemTxt_));

    auto* pickup = makeButton(Button::pickupCom, "pickupCom", QStringLiteral("Pick Up"),
                              twipsRect(1080, 1920, 855, 255), QStringLiteral("Pick Up"),
                              QStringLiteral("Pick up the key in this room."));
    auto* unlock = makeButton(Button::unlockCom, "unlockCom", QStringLiteral("Unlock"),
                              twipsRect(1080, 2280, 855, 255), QStringLiteral("Unlock"),
                              QStringLiteral("Unlock the door in this room with a key you carry."));
    auto* use = makeButton(Button::useCom, "useCom", QStringLiteral("Use"),
                           twipsRect(1080, 2640, 855, 255), QStringLiteral("Use"),
                           QStringLiteral("Use the stairs or the transporter in this room."));

    actionTxt_ = new QLineEdit(QStringLiteral("Action"), client);
    actionTxt_->setObjectName(QStringLiteral("actionTxt"));
    actionTxt_->setGeometry(twipsRect(960, 3000, 4575, 285));
    actionTxt_->setReadOnly(true);
    actionTxt_->setAccessibleName(QStringLiteral("Last Action"));
    actionTxt_->setAccessibleDescription(QStringLiteral("The last thing you did."));

    actionLbl_ = new QLabel(QStringLiteral("Last Action:"), client);
    actionLbl_->setObjectName(QStringLiteral("actionLbl"));
    actionLbl_->setGeometry(twipsRect(0, 3000, 855, 255));
    actionLbl_->setTextFormat(Qt::PlainText);
    actionLbl_->setFocusPolicy(Qt::NoFocus);
    actionLbl_->setAutoFillBackground(false);
    actionLbl_->setMargin(1);
    fitCaption(actionLbl_);

    // Tab visits the controls in this order; the frame, label and status bar take no focus.
    QWidget* order[] = {mainTxt_, north,    west,   east,   south, attack,    drink,
                        cross,    itemTxt_, pickup, unlock, use,   actionTxt_};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void frmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setNativeMenuBar(false);

    // Every shortcut works while any control of the window has the focus.
    auto item = [this](QMenu* menu, const char* caption, const char* name,
                       const QKeySequence& shortcut, void (frmMain::*handler)()) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };

    QMenu* fileMnu = bar->addMenu(QStringLiteral("&File"));
    fileMnu->setObjectName(QStringLiteral("fileMnu"));
    item(fileMnu, "Undo", "undoMnu", QKeySequence(Qt::ALT | Qt::Key_Backspace),
         &frmMain::undoMnu_Click);
    item(fileMnu, "&New", "newMnu", QKeySequence(Qt::Key_F2), &frmMain::newMnu_Click);
    fileMnu->addSeparator()->setObjectName(QStringLiteral("sepMnu"));
    item(fileMnu, "E&xit", "exitMnu", QKeySequence(Qt::CTRL | Qt::Key_Q), &frmMain::exitMnu_Click);

    QMenu* helpMnu = bar->addMenu(QStringLiteral("&Help"));
    helpMnu->setObjectName(QStringLiteral("helpMnu"));
    item(helpMnu, "&About...", "aboutMnu", QKeySequence(), &frmMain::aboutMnu_Click);
}

void frmMain::buildStatusBar() {
    stat_ = new QStatusBar(this);
    stat_->setObjectName(QStringLiteral("stat"));
    stat_->setSizeGripEnabled(false);
    stat_->setFixedHeight(px(statHeight));
    stat_->setFocusPolicy(Qt::NoFocus);
    setStatusBar(stat_);

    // The panels sit side by side from the left edge, each as wide as its minimum.
    int left = 0;
    for (std::size_t i = 0; i < std::size(panelDefs); ++i) {
        const PanelDef& def = panelDefs[i];
        auto* label = new QLabel(stat_);
        label->setObjectName(QString::fromLatin1(def.name));
        label->setTextFormat(Qt::PlainText);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setIndent(2);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setFocusPolicy(Qt::NoFocus);
        label->setToolTip(QString::fromLatin1(def.toolTip));
        label->setAccessibleDescription(QString::fromLatin1(def.toolTip));
        const int width = px(def.widthTwips);
        label->setMinimumWidth(width);
        label->setGeometry(left, 0, width, px(statHeight));
        left += width;
        panels_[i] = label;
        showPanelText(static_cast<Panel>(i + 1), QString::fromLatin1(def.text));
    }
}

QPushButton* frmMain::button(Button b) const {
    return buttons_[index(b)];
}

QLabel* frmMain::panel(Panel p) const {
    return panels_[index(p)];
}

QWidget* frmMain::box(Box b) const {
    switch (b) {
        case Box::mainTxt:
            return mainTxt_;
        case Box::actionTxt:
            return actionTxt_;
        case Box::itemTxt:
            return itemTxt_;
    }
    return mainTxt_;
}

template <typename Run>
void frmMain::command(Run run, bool holdBack) {
    narrator_->begin(holdBack);
    run();
    narrator_->end();
}

void frmMain::setText(Box b, std::string_view text) {
    if (b == Box::mainTxt) {
        narrator_->narrativeSet(qs(text));
        mainTxt_->setPlainText(qs(text));
    } else {
        static_cast<QLineEdit*>(box(b))->setText(qs(text));
    }
}

void frmMain::append(Box b, std::string_view text) {
    if (b != Box::mainTxt) {
        auto* line = static_cast<QLineEdit*>(box(b));
        const int caret = line->cursorPosition();
        line->setText(line->text() + qs(text));
        line->setCursorPosition(caret);
        return;
    }
    // Insert at the end of the document through a cursor of our own, so that the
    // reader's caret and the scroll position stay where they are.
    QScrollBar* vertical = mainTxt_->verticalScrollBar();
    QScrollBar* horizontal = mainTxt_->horizontalScrollBar();
    const int top = vertical->value();
    const int leftEdge = horizontal->value();
    const QTextCursor caret = mainTxt_->textCursor();
    const int anchor = caret.anchor();
    const int position = caret.position();

    narrator_->narrativeAppended(qs(text));
    QTextCursor end(mainTxt_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(qs(text));

    // A caret at the very end (an empty narrative) is carried along by the insertion.
    QTextCursor now = mainTxt_->textCursor();
    if (now.anchor() != anchor || now.position() != position) {
        now.setPosition(anchor);
        now.setPosition(position, QTextCursor::KeepAnchor);
        mainTxt_->setTextCursor(now);
    }
    vertical->setValue(top);
    horizontal->setValue(leftEdge);
}

bool frmMain::isEnabled(Button b) const {
    return button(b)->isEnabled();
}

void frmMain::setEnabled(Button b, bool enabled) {
    // A disabled button loses the focus, and Qt would hand it to the next command,
    // which the next Space would then run: the narrative takes it instead.
    if (!enabled && focusWidget() == button(b)) {
        mainTxt_->setFocus(Qt::OtherFocusReason);
    }
    button(b)->setEnabled(enabled);
}

std::string frmMain::tag(Button b) const {
    return button(b)->property("Tag").toString().toStdString();
}

void frmMain::setTag(Button b, std::string_view tag) {
    button(b)->setProperty("Tag", qs(tag));
}

void frmMain::setPanelText(Panel p, std::string_view text) {
    showPanelText(p, qs(text));
    if (p == Panel::enemy) {
        narrator_->enemyPanelWritten();
    }
}

void frmMain::showPanelText(Panel p, const QString& value) {
    QLabel* label = panel(p);
    label->setText(value);
    // The standard font again, narrowed only if the new text needs it.
    label->setFont(QFont());
    fitCaption(label);
    // A screen reader reads the name: it carries the value, the description its meaning.
    // The panel's first text is no value, and is not read as one.
    const PanelDef& def = panelDefs[index(p)];
    label->setAccessibleName(value == QLatin1String(def.text)
                                 ? QString::fromLatin1(def.toolTip)
                                 : QString::fromLatin1(def.accessiblePrefix) + value);
}

void frmMain::setPanelEnabled(Panel p, bool enabled) {
    panel(p)->setEnabled(enabled);
}

bool frmMain::askPlayAgain() {
    // The box is modal: the cause of death is said before it opens. What follows
    // (a new game) waits until the window has the focus again.
    narrator_->sayBeforeBox();
    return playAgain_();
}

void frmMain::endProgram() {
    Timer1_->stop();
    ending_();
}

void frmMain::setPlayAgainQuestion(Question question) {
    playAgain_ = std::move(question);
}

void frmMain::setProgramEnd(Ending ending) {
    ending_ = std::move(ending);
}

bool frmMain::showPlayAgainBox() {
    PlayAgainBox box(this);
    box.setObjectName(QStringLiteral("playAgainBox"));
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

void frmMain::closeProgram() {
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

QString frmMain::helpText() {
    return QStringLiteral(
        "Find the gold and get out of the maze without dying.\n\n"
        "N, S, E and W take you to the next room. Attack fights the enemy in the room, "
        "Drink drinks from a well or a potion, Cross crosses a bridge, Pick Up takes a key, "
        "Unlock opens a door with a key you carry, and Use takes stairs or a transporter.\n\n"
        "The status bar shows your hit points, the enemy's hit points and the time played.");
}

void frmMain::Timer1_Timer() {
    if (game_.programEnded()) {
        return;
    }
    setPanelText(Panel::time, clock_.tick());
}

void frmMain::undoMnu_Click() {
    if (game_.programEnded()) {
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Cheater!"),
                    QStringLiteral("Cheaters never prosper!"), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("cheaterBox"));
    plainButtons(box);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    game_.endProgram();
}

void frmMain::newMnu_Click() {
    if (game_.programEnded()) {
        return;
    }
    command([this] { game_.newMnu_Click(); });
}

void frmMain::exitMnu_Click() {
    if (game_.programEnded()) {
        return;
    }
    close();
}

void frmMain::aboutMnu_Click() {
    if (game_.programEnded()) {
        return;
    }
    if (about_.isNull()) {
        about_ = new frmAbout();
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}
