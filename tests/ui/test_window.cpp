// SPDX-License-Identifier: MIT
// What the window scripts cannot show: the caret and scroll kept when text
// arrives, the real modal boxes (play again, Undo, System Info), the end of the
// program with its windows, the About box's picture, the icon, and
// captions that fit at the fonts and scales of common desktops.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "frmAbout.h"
#include "frmMain.h"
#include "ink.h"
#include "scripted_random.h"

namespace {

template <typename T = QWidget>
T* child(QObject* parent, const char* name) {
    return parent->findChild<T*>(QLatin1String(name));
}

// At the next turn of the event loop, hands the open modal box to `act`.
void onNextBox(std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            act(*box);
        }
    });
}

// The next modal box as seen: title, text, icon, buttons, and whether any
// button carries an icon; then it is closed with `answer`.
QString seenBox;
void answerNextBox(QMessageBox::StandardButton answer) {
    onNextBox([answer](QMessageBox& box) {
        const QList<QAbstractButton*> buttons = box.buttons();
        const bool icons = std::any_of(buttons.begin(), buttons.end(),
                                       [](QAbstractButton* b) { return !b->icon().isNull(); });
        seenBox = QStringLiteral("%1 | %2 | %3 %4 %5 %6")
                      .arg(box.windowTitle(), box.text())
                      .arg(int(box.icon()))
                      .arg(int(box.standardButtons()))
                      .arg(box.isModal() ? "true" : "false", icons ? "true" : "false");
        box.button(answer)->click();
    });
}

// Runs the event loop until the program ends: 0, or 99 if it never does.
int runUntilTheEnd() {
    QTimer::singleShot(20000, [] { QCoreApplication::exit(99); });
    const int result = QApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
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

}  // namespace

class test_window : public QObject {
    Q_OBJECT

private slots:
    void init() {
        random_.emplace();
        w_ = std::make_unique<frmMain>(*random_);
        endings_ = 0;
        w_->setProgramEnd([this] { ++endings_; });
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }
    void cleanup() {
        delete w_->aboutBox();
        w_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Text arriving at the end of the narrative neither moves the caret or the
    // selection nor scrolls, also when the caret is at the very end.
    void appendKeepsCaretAndScroll() {
        auto* narrative = child<QPlainTextEdit>(w_.get(), "mainTxt");
        QScrollBar* bar = narrative->verticalScrollBar();
        const QString text = QStringLiteral("You can go north, east, or south. ").repeated(30);
        const int end = int(text.size());
        for (auto [anchor, position, scrolled] : {std::tuple{5, 40, false}, {end, end, true}}) {
            morvint::View view = w_->game().view();
            view.boxes[0] = text.toStdString();
            morvint::Changes replaced;
            replaced.narrativeReplaced = true;
            w_->showView(view, replaced);
            QTextCursor caret = narrative->textCursor();
            caret.setPosition(anchor);
            caret.setPosition(position, QTextCursor::KeepAnchor);
            narrative->setTextCursor(caret);
            bar->setValue(scrolled ? bar->maximum() / 2 : 0);
            const int scroll = bar->value();
            morvint::Changes bite;
            bite.appended = "The snake bit you. ";
            for (int i = 0; i < 20; ++i) {
                view.boxes[0] += bite.appended;
                w_->showView(view, bite);
                QApplication::processEvents();
            }
            QCOMPARE(narrative->toPlainText(), text + QString("The snake bit you. ").repeated(20));
            QCOMPARE(narrative->textCursor().anchor(), anchor);
            QCOMPARE(narrative->textCursor().position(), position);
            QCOMPARE(bar->value(), scroll);
        }
    }

    // The real play-again box: modal, "New Game", no icon, Yes and No with Yes the
    // default, no icons on buttons even where the desktop's style puts them. F1
    // shows how to play; Esc and the close button leave the question open. Yes
    // starts a new game in the same window; No ends the program, after which
    // nothing runs: not a button, the clock or New.
    void playAgain_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void playAgain() {
        QFETCH(bool, yes);
        QApplication::setStyle(new ButtonIconStyle(QStringLiteral("Fusion")));
        QString help;
        bool stillAskingYesFirst = false;
        onNextBox([&](QMessageBox& box) {
            answerNextBox(QMessageBox::Ok);
            QTest::keyClick(&box, Qt::Key_F1);
            help = seenBox;
            seenBox.clear();
            QTest::keyClick(&box, Qt::Key_Escape);
            box.close();
            stillAskingYesFirst = box.isVisible() && QApplication::activeModalWidget() == &box &&
                                  box.defaultButton() == box.button(QMessageBox::Yes);
            answerNextBox(yes ? QMessageBox::Yes : QMessageBox::No);
        });
        // West past the snake, which lets the player move first and strikes the leaver,
        // onto the rickety bridge, and across.
        random_->push(0.1f);
        random_->push(0.1f);
        for (const char* name : {"westCom", "westCom", "crossCom"}) {
            child<QPushButton>(w_.get(), name)->click();
        }
        QCOMPARE(help,
                 "Morvint | Find the gold and get out of the maze without dying.\n\nN, S, E and W "
                 "take you to the next room. Attack fights the enemy in the room, Drink drinks "
                 "from a well or a potion, Cross crosses a bridge, Pick Up takes a key, Unlock "
                 "opens a door with a key you carry, and Use takes stairs or a transporter.\n\n"
                 "The status bar shows your hit points, the enemy's hit points and the time "
                 "played. | 0 1024 true false");
        QVERIFY(stillAskingYesFirst);
        QCOMPARE(seenBox, QStringLiteral("New Game | Would you like to play again? | 0 81920 true "
                                         "false"));
        QCOMPARE(endings_, yes ? 0 : 1);
        QCOMPARE(w_->timer()->isActive(), yes);
        child<QPushButton>(w_.get(), "attackCom")->click();
        w_->timer()->timeout({});
        QCOMPARE(w_->panel(morvint::Panel::time)->text(), yes ? "0:01" : "0:00");
        child<QAction>(w_.get(), "newMnu")->trigger();
        QCOMPARE(child<QPlainTextEdit>(w_.get(), "mainTxt")->toPlainText(),
                 yes ? "You are in a small room at the entrance of a maze. You have to find the "
                       "gold and get out without dying. You can go north or west. "
                     : "You died crossing a bad bridge. ");
        QCOMPARE(child<QLineEdit>(w_.get(), "actionTxt")->text(),
                 yes ? "Entered a maze" : "Crossed a bridge");
    }

    // Undo, by Alt+Backspace on a button: the scolding with its stop icon, then
    // every window closes, the About box too, and the event loop is left.
    void undo() {
        frmMain window(*random_);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QPointer<QWidget> about;
        QTimer::singleShot(0, [&] {
            child<QAction>(&window, "aboutMnu")->trigger();
            about = window.aboutBox();
            window.activateWindow();
            answerNextBox(QMessageBox::Ok);
            QTest::keySequence(child(&window, "northCom"),
                               QKeySequence(Qt::ALT | Qt::Key_Backspace));
        });
        QCOMPARE(runUntilTheEnd(), 0);
        QCOMPARE(seenBox, QStringLiteral("Cheater! | Cheaters never prosper! | 3 1024 true false"));
        QVERIFY(window.game().programEnded() && !window.isVisible() && about.isNull());
    }

    // Exit (Ctrl+Q) closes the main window only: the About box stays usable, and
    // its OK then ends the program; nothing asked for the end.
    void exitWithAboutOpen() {
        bool aboutStayed = false;
        QTimer::singleShot(0, [&] {
            child<QAction>(w_.get(), "aboutMnu")->trigger();
            w_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w_.get()));
            QTest::keySequence(child(w_.get(), "mainTxt"), QKeySequence(Qt::CTRL | Qt::Key_Q));
            QTimer::singleShot(0, [&] {
                aboutStayed = w_->aboutBox()->isVisible() && !w_->isVisible();
                child<QPushButton>(w_->aboutBox(), "cmdOK")->click();
            });
        });
        QCOMPARE(runUntilTheEnd(), 0);
        QVERIFY(aboutStayed);
        QCOMPARE(endings_, 0);
    }

    // The About box's sky: 400 by 300 pixels, 256 different colours in 8-bit
    // indexes from sky blue to near white, painted from the top-left corner.
    // Without a registry System Info... (pressed by Enter while it has the focus)
    // shows the one message: titled "Morvint", OK only, no icon; the box stays
    // open. The window's icon is our own opaque 32 by 32 picture; Timer1 ticks
    // once a minute.
    void aboutBoxAndPictures() {
        frmAbout box;
        box.show();
        const QImage& picture = box.picture();
        QCOMPARE(picture.size(), QSize(400, 300));
        QCOMPARE(picture.format(), QImage::Format_Indexed8);
        const QList<QRgb> colours = picture.colorTable();
        QCOMPARE(QSet<QRgb>(colours.begin(), colours.end()).size(), 256);
        QVERIFY(picture.pixelColor(0, 0).blue() > picture.pixelColor(0, 0).red() + 40);
        QVERIFY(std::any_of(colours.begin(), colours.end(), [](QRgb c) {
            return std::min({qRed(c), qGreen(c), qBlue(c)}) > 235;
        }));
        const QImage shown = box.grab().toImage();
        for (const QPoint p : {QPoint(0, 0), QPoint(399, 10), QPoint(10, 298)})
            QCOMPARE(shown.pixelColor(p).rgb(), picture.pixelColor(p).rgb());
        answerNextBox(QMessageBox::Ok);
        child(&box, "cmdSysInfo")->setFocus();
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(seenBox,
                 "Morvint | System Information Is Unavailable At This Time | 0 1024 true false");
        QVERIFY(box.isVisible());
        QVERIFY(!w_->windowIcon().isNull());
        const QImage icon(QStringLiteral(":/morvint/morvint.xpm"));
        QCOMPARE(icon.size(), QSize(32, 32));
        for (int i = 0; i < 32 * 32; ++i) QCOMPARE(qAlpha(icon.pixel(i % 32, i / 32)), 255);
        QCOMPARE(w_->timer()->interval(), 60000);
        QVERIFY(w_->timer()->isActive());
    }

    // Every caption and label of both windows shows whole in the font it resolves
    // to, which must be the family asked for (a font that is not installed
    // resolves to another). The row "desktop" keeps the platform's font, which
    // must be MORVINT_DESKTOP_FONT ("Family,points") when that is set; the scale
    // comes from the environment, and so do the controls that cannot fit even at
    // the floors of fitting (MORVINT_FLOORS, names separated by commas).
    void captionsFit_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<qreal>("points");
        const QStringList fonts = (qEnvironmentVariable("MORVINT_DESKTOP_FONT") +
                                   ";DejaVu Sans,9;DejaVu Sans,10;Noto Sans,10;Liberation Sans,9;"
                                   "Liberation Sans,10;Liberation Sans,11")
                                      .split(';');
        for (const QString& font : fonts) {
            QTest::newRow(&font == &fonts[0] ? "desktop" : qPrintable(font))
                << font.section(',', 0, 0) << font.section(',', 1).toDouble();
        }
    }
    void captionsFit() {
        QFETCH(QString, family);
        QFETCH(qreal, points);
        const QFont standard = QApplication::font();
        if (QTest::currentDataTag() != QLatin1String("desktop")) {
            QFont font(family);
            font.setPointSizeF(points);
            QApplication::setFont(font);
        } else if (!family.isEmpty()) {
            QCOMPARE(QFontInfo(standard).family(), family);
            QCOMPARE(standard.pointSizeF(), points);
        }
        cleanup();
        init();
        const QString expected = family.isEmpty() ? QFontInfo(standard).family() : family;
        morvint::View view = w_->game().view();
        view.panels[1].text = "scropion: 10";
        morvint::Changes enemy;
        enemy.panels.set(1);
        w_->showView(view, enemy);
        child<QAction>(w_.get(), "aboutMnu")->trigger();
        const bool desktop = QTest::currentDataTag() == QLatin1String("desktop");
        const QString save = desktop ? qEnvironmentVariable("MORVINT_GRABS") : QString();
        QStringList wrong;
        const QStringList floors = qEnvironmentVariable("MORVINT_FLOORS").split(',');
        for (QWidget* window : {static_cast<QWidget*>(w_.get()), w_->aboutBox()}) {
            wrong << captionProblems(window, expected, save, floors);
        }
        QApplication::setFont(standard);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
    }

private:
    std::optional<morvint::replay::ScriptedRandom> random_;
    std::unique_ptr<frmMain> w_;
    int endings_ = 0;
};

QTEST_MAIN(test_window)
#include "test_window.moc"
