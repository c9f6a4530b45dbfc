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
#include "morvint/texts.h"
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

// The status bar's panels, from the left; their texts are the game's.
struct PanelDef {
    const char* name;
    int widthTwips;
};

constexpr PanelDef panelDefs[] = {{"hpPanel", 1800}, {"enemyPanel", 1900}, {"timePanel", 1800}};

const morvint::texts::PanelTexts& panelTexts(Panel p) {
    return morvint::texts::panels[index(p)];
}

// What a screen reader calls the box and tells of it.
void setNames(QWidget* widget, Box b) {
    const morvint::texts::ControlTexts& names = morvint::texts::boxes[static_cast<int>(b)];
    widget->setAccessibleName(qs(names.name));
    widget->setAccessibleDescription(qs(names.description));
}

// The command buttons, in the order in which they are created.
struct ButtonDef {
    Button button;
    const char* caption;
    int left, top, width, height;  // twips
};

constexpr ButtonDef buttonDefs[] = {
    {Button::northCom, "N", 2640, 2040, 255, 255},
    {Button::westCom, "W", 2400, 2280, 255, 255},
    {Button::eastCom, "E", 2880, 2280, 255, 255},
    {Button::southCom, "S", 2640, 2520, 255, 255},
    {Button::attackCom, "Attack", 120, 1920, 855, 255},
    {Button::drinkCom, "Drink", 120, 2280, 855, 255},
    {Button::crossCom, "Cross", 120, 2640, 855, 255},
    {Button::pickupCom, "Pick Up", 1080, 1920, 855, 255},
    {Button::unlockCom, "Unlock", 1080, 2280, 855, 255},
    {Button::useCom, "Use", 1080, 2640, 855, 255},
};

// The play-again box. F1 shows a short help on how to play on top of the question,
// which stays open until it is answered.
class PlayAgainBox : public QMessageBox {
public:
    explicit PlayAgainBox(QWidget* parent)
        : QMessageBox(QMessageBox::NoIcon, qs(morvint::texts::playAgainTitle),
                      qs(morvint::texts::playAgainQuestion), QMessageBox::Yes | QMessageBox::No,
                      parent) {
        setDefaultButton(QMessageBox::Yes);
        plainButtons(*this);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
            QMessageBox help(QMessageBox::NoIcon, qs(morvint::texts::helpTitle),
                             qs(morvint::texts::helpText), QMessageBox::Ok, this);
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

    narrator_ = new Narrator(this);

    const int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(px(clientWidth), menuHeight + px(clientHeight));

    // The clock starts with the window.
    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(60000);
    connect(Timer1_, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    Timer1_->start();

    // The opening is said once the window is there to be heard.
    narrator_->holdNext();
    game_.Form_Load();
    mainTxt_->setFocus(Qt::OtherFocusReason);
}

frmMain::~frmMain() = default;

QPushButton* frmMain::makeButton(Button b) {
    const ButtonDef& def = *std::find_if(std::begin(buttonDefs), std::end(buttonDefs),
                                         [b](const ButtonDef& d) { return d.button == b; });
    auto* button = new QPushButton(QString::fromLatin1(def.caption), centralWidget());
    button->setObjectName(qs(morvint::buttonName(b)));
    button->setGeometry(twipsRect(def.left, def.top, def.width, def.height));
    // Enter and Esc press nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    fitCaption(button);
    const morvint::texts::ControlTexts& names = morvint::texts::buttons[index(def.button)];
    button->setAccessibleName(qs(names.name));
    button->setAccessibleDescription(qs(names.description));
    button->setProperty("Tag", QString());
    connect(button, &QPushButton::clicked, this, [this, b] { game_.click(b); });
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
    setNames(mainTxt_, Box::mainTxt);

    // The Items frame comes between Attack and Drink, as it always has.
    for (const ButtonDef& def : buttonDefs) {
        if (def.button == Button::drinkCom) {
            buildItems();
        }
        makeButton(def.button);
    }

    actionTxt_ = new QLineEdit(qs(morvint::texts::actionStart), client);
    actionTxt_->setObjectName(QStringLiteral("actionTxt"));
    actionTxt_->setGeometry(twipsRect(960, 3000, 4575, 285));
    actionTxt_->setReadOnly(true);
    setNames(actionTxt_, Box::actionTxt);

    actionLbl_ = new QLabel(QStringLiteral("Last Action:"), client);
    actionLbl_->setObjectName(QStringLiteral("actionLbl"));
    actionLbl_->setGeometry(twipsRect(0, 3000, 855, 255));
    actionLbl_->setTextFormat(Qt::PlainText);
    actionLbl_->setFocusPolicy(Qt::NoFocus);
    actionLbl_->setAutoFillBackground(false);
    actionLbl_->setMargin(1);
    fitCaption(actionLbl_);

    // Tab visits the controls in this order; the frame, label and status bar take no focus.
    QWidget* order[] = {mainTxt_,
                        button(Button::northCom),
                        button(Button::westCom),
                        button(Button::eastCom),
                        button(Button::southCom),
                        button(Button::attackCom),
                        button(Button::drinkCom),
                        button(Button::crossCom),
                        itemTxt_,
                        button(Button::pickupCom),
                        button(Button::unlockCom),
                        button(Button::useCom),
                        actionTxt_};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void frmMain::buildItems() {
    Frame1_ = new QGroupBox(QStringLiteral("Items"), centralWidget());
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setGeometry(twipsRect(3480, 1920, 2055, 975));
    Frame1_->setFocusPolicy(Qt::NoFocus);

    itemTxt_ = new QLineEdit(Frame1_);
    itemTxt_->setObjectName(QStringLiteral("itemTxt"));
    itemTxt_->setGeometry(twipsRect(120, 360, 1815, 375));
    itemTxt_->setReadOnly(true);
    QFont itemFont(QStringLiteral("Times New Roman"));
    itemFont.setPointSizeF(8.25);
    itemFont.setWeight(QFont::Normal);
    itemFont.setItalic(false);
    itemTxt_->setFont(itemFont);
    setNames(itemTxt_, Box::itemTxt);
    itemTxt_->installEventFilter(new EmptyBoxFocus(itemTxt_));
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
        const auto p = static_cast<Panel>(i + 1);
        label->setToolTip(qs(panelTexts(p).meaning));
        label->setAccessibleDescription(qs(panelTexts(p).meaning));
        const int width = px(def.widthTwips);
        label->setMinimumWidth(width);
        label->setGeometry(left, 0, width, px(statHeight));
        left += width;
        panels_[i] = label;
        showPanelText(p, qs(panelTexts(p).start));
    }
}

QPushButton* frmMain::button(Button b) const {
    return buttons_[index(b)];
}

QLabel* frmMain::panel(Panel p) const {
    return panels_[index(p)];
}

void frmMain::showView(const morvint::View& view, const morvint::Changes& changes) {
    if (changes.narrativeReplaced) {
        mainTxt_->setPlainText(qs(view.text(Box::mainTxt)));
    } else if (!changes.appended.empty()) {
        appendNarrative(qs(changes.appended));
    }
    for (auto [b, line] : {std::pair{Box::actionTxt, actionTxt_}, {Box::itemTxt, itemTxt_}}) {
        if (changes.box(b)) {
            line->setText(qs(view.text(b)));
        }
    }
    for (Button b : morvint::allButtons) {
        // A disabled button loses the focus, and Qt would hand it to the next command,
        // which the next Space would then run: the narrative takes it instead.
        if (changes.wasDisabled(b) && focusWidget() == button(b)) {
            mainTxt_->setFocus(Qt::OtherFocusReason);
        }
        if (changes.button(b)) {
            button(b)->setEnabled(view.button(b).enabled);
            button(b)->setProperty("Tag", qs(view.button(b).tag));
        }
    }
    for (Panel p : morvint::allPanels) {
        if (changes.panel(p)) {
            showPanelText(p, qs(view.panel(p).text));
            panel(p)->setEnabled(view.panel(p).enabled);
        }
    }
    narrator_->say(qs(changes.spoken));
}

void frmMain::appendNarrative(const QString& text) {
    // Insert at the end of the document through a cursor of our own, so that the
    // reader's caret and the scroll position stay where they are.
    QScrollBar* vertical = mainTxt_->verticalScrollBar();
    QScrollBar* horizontal = mainTxt_->horizontalScrollBar();
    const int top = vertical->value();
    const int leftEdge = horizontal->value();
    const QTextCursor caret = mainTxt_->textCursor();
    const int anchor = caret.anchor();
    const int position = caret.position();

    QTextCursor end(mainTxt_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);

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

void frmMain::showPanelText(Panel p, const QString& value) {
    QLabel* label = panel(p);
    label->setText(value);
    // The standard font again, narrowed only if the new text needs it.
    label->setFont(QFont());
    fitCaption(label);
    // A screen reader reads the name: it carries the value, the description its meaning.
    // The panel's first text is no value, and is not read as one.
    const morvint::texts::PanelTexts& texts = panelTexts(p);
    label->setAccessibleName(value == qs(texts.start) ? qs(texts.meaning)
                                                      : qs(texts.spoken) + value);
}

bool frmMain::askPlayAgain() {
    // The box is modal: what follows (a new game) is said once the window has the
    // focus again.
    narrator_->holdNext();
    return playAgain_();
}

void frmMain::programEnded() {
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

void frmMain::Timer1_Timer() {
    game_.Timer1_Timer();
}

void frmMain::undoMnu_Click() {
    if (game_.programEnded()) {
        return;
    }
    QMessageBox box(QMessageBox::Critical, qs(morvint::texts::cheaterTitle),
                    qs(morvint::texts::cheaterMessage), QMessageBox::Ok, this);
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
    game_.newMnu_Click();
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
