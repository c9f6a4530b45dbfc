// SPDX-License-Identifier: MIT
// What the window scripts cannot show: the end of the program with its windows,
// the About box's picture, the icon, and captions that fit at the fonts and
// scales of common desktops.

#include <QAction>
#include <QPushButton>
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

// Runs the event loop until the program ends: 0, or 99 if it never does.
int runUntilTheEnd() {
    QTimer::singleShot(20000, [] { QCoreApplication::exit(99); });
    const int result = QApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}

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
    // The window's icon is our own opaque 32 by 32 picture; Timer1 ticks
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
