// The About box: its window, controls, fonts, version, keys, picture and the
// System Info... button.

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

#include "frmAbout.h"

namespace {

template <typename T>
T* child(QWidget& w, const QString& name) {
    T* found = w.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no control named %s", qPrintable(name));
    }
    return found;
}

QString accessibleName(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface != nullptr ? iface->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

// What a message box showed.
struct Shown {
    int count = 0;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QMessageBox::StandardButtons buttons;
};

// Records and closes with OK the modal box that is open at the next turn of the
// event loop.
void answerNextBox(Shown* shown) {
    QTimer::singleShot(0, [shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        ++shown->count;
        shown->title = box->windowTitle();
        shown->text = box->text();
        shown->icon = box->icon();
        shown->buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
}

// Lets a closed box finish deleting itself.
void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A machine whose registry names a tool that starts.
class StartingPlatform final : public morvint::SysInfoPlatform {
public:
    std::vector<std::string>* started;
    explicit StartingPlatform(std::vector<std::string>* s) : started(s) {}
    bool regOpenKey(std::uint32_t, const std::string&, Key& key) override {
        key = 1;
        return true;
    }
    bool regQueryValue(Key, const std::string&, std::uint32_t& type, std::vector<char>& buffer,
                       std::uint32_t& size) override {
        const std::string path = "C:\\Tools\\msinfo32.exe";
        std::copy(path.begin(), path.end(), buffer.begin());
        type = morvint::regSz;
        size = static_cast<std::uint32_t>(path.size() + 1);
        return true;
    }
    void regCloseKey(Key) override {}
    bool fileExists(const std::string&) override { return false; }
    bool startProgram(const std::string& path) override {
        started->push_back(path);
        return true;
    }
};

}  // namespace

class tst_frmAbout : public QObject {
    Q_OBJECT

private slots:
    // Borderless, fixed in place and size, deleted when closed, with its
    // never-shown caption.
    void window() {
        auto* box = new frmAbout;
        QPointer<frmAbout> guard(box);
        QVERIFY(box->isWindow());
        QVERIFY(box->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(box->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(box->windowTitle(), QStringLiteral("About MyApp"));
        QCOMPARE(box->pos(), QPoint(153, 107));
        QCOMPARE(box->size(), QSize(400, 299));
        QCOMPARE(box->minimumSize(), QSize(400, 299));
        QCOMPARE(box->maximumSize(), QSize(400, 299));
        box->show();
        QCOMPARE(box->geometry(), QRect(153, 107, 400, 299));
        box->close();
        flushDeletes();
        QVERIFY(guard.isNull());
    }

    // Each control: kind, text, place in pixels (twips / 15) and accessible name.
    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("accessible");
        const QString description = QStringLiteral(
            "A text-based maze which you navigate your way through. The object is to find the "
            "gold and escape the maze alive. Be careful though, monsters lurk within the maze.");
        QTest::newRow("cmdOK") << "cmdOK"
                               << "OK" << QRect(208, 264, 84, 23) << "OK";
        QTest::newRow("cmdSysInfo")
            << "cmdSysInfo"
            << "&System Info..." << QRect(304, 264, 83, 23) << "System Info...";
        QTest::newRow("lblDescription")
            << "lblDescription" << description << QRect(32, 128, 339, 118) << description;
        QTest::newRow("lblTitle") << "lblTitle"
                                  << "Morvint" << QRect(70, 16, 259, 32) << "Morvint";
        QTest::newRow("lblVersion") << "lblVersion"
                                    << "Version 1.0.0" << QRect(70, 64, 259, 15) << "Version 1.0.0";
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, place);
        QFETCH(QString, accessible);
        frmAbout box;
        QWidget* control = child<QWidget>(box, name);
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), text);
        } else {
            auto* label = qobject_cast<QLabel*>(control);
            QVERIFY(label != nullptr);
            QCOMPARE(label->text(), text);
        }
        QCOMPARE(control->geometry(), place);
        QCOMPARE(accessibleName(control), accessible);
    }

    // The labels' requested fonts, colours, wrapping, transparency and focus.
    void labels_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("black");
        QTest::addColumn<bool>("wraps");
        QTest::newRow("lblDescription") << "lblDescription" << 13.5 << true << true;
        QTest::newRow("lblTitle") << "lblTitle" << 24.0 << true << false;
        QTest::newRow("lblVersion") << "lblVersion" << 9.75 << false << false;
    }
    void labels() {
        QFETCH(QString, name);
        QFETCH(qreal, points);
        QFETCH(bool, black);
        QFETCH(bool, wraps);
        frmAbout box;
        auto* label = child<QLabel>(box, name);
        QCOMPARE(label->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(label->font().pointSizeF(), points);
        QCOMPARE(label->font().weight(), QFont::Normal);
        QVERIFY(!label->font().italic());
        const QColor defaultText = QApplication::palette(label).color(QPalette::WindowText);
        QCOMPARE(label->palette().color(QPalette::WindowText),
                 black ? QColor(Qt::black) : defaultText);
        QCOMPARE(label->wordWrap(), wraps);
        QVERIFY(!label->autoFillBackground());
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    // OK then System Info... in the tab order, OK the default button with the focus.
    void focusAndTabOrder() {
        frmAbout box;
        auto* ok = child<QPushButton>(box, QStringLiteral("cmdOK"));
        auto* sysInfo = child<QPushButton>(box, QStringLiteral("cmdSysInfo"));
        QVERIFY(ok->isDefault());
        QVERIFY(!sysInfo->isDefault());
        QCOMPARE(box.focusWidget(), ok);
        QCOMPARE(ok->nextInFocusChain(), sysInfo);
        QVERIFY(ok->focusPolicy() & Qt::TabFocus);
        QVERIFY(sysInfo->focusPolicy() & Qt::TabFocus);
    }

    // Escape and Enter press OK, which closes and deletes the box.
    void keysPressOK_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }
    void keysPressOK() {
        QFETCH(int, key);
        auto* box = new frmAbout;
        QPointer<frmAbout> guard(box);
        box->show();
        QTest::keyClick(child<QPushButton>(*box, QStringLiteral("cmdOK")), Qt::Key(key));
        QVERIFY(!guard.isNull() && !box->isVisible());
        flushDeletes();
        QVERIFY(guard.isNull());
    }

    // Escape still presses OK while System Info... has the focus.
    void escapeFromSysInfo() {
        auto* box = new frmAbout;
        QPointer<frmAbout> guard(box);
        box->show();
        auto* sysInfo = child<QPushButton>(*box, QStringLiteral("cmdSysInfo"));
        sysInfo->setFocus();
        QTest::keyClick(sysInfo, Qt::Key_Escape);
        flushDeletes();
        QVERIFY(guard.isNull());
    }

    // Other keys leave the box open.
    void otherKeysKeepItOpen() {
        auto* box = new frmAbout;
        QPointer<frmAbout> guard(box);
        box->show();
        QTest::keyClick(child<QPushButton>(*box, QStringLiteral("cmdOK")), Qt::Key_A);
        QTest::keyClick(box, Qt::Key_F1);
        flushDeletes();
        QVERIFY(!guard.isNull());
        QVERIFY(box->isVisible());
        delete box;
    }

    // The OK button closes and deletes the box.
    void okCloses() {
        auto* box = new frmAbout;
        QPointer<frmAbout> guard(box);
        box->show();
        child<QPushButton>(*box, QStringLiteral("cmdOK"))->click();
        flushDeletes();
        QVERIFY(guard.isNull());
    }

    // 400 by 300 pixels, 256 different colours in 8-bit indexes: light blue
    // sky with white clouds, painted from the top-left corner.
    void picture() {
        frmAbout box;
        const QImage& picture = box.picture();
        QCOMPARE(picture.size(), QSize(400, 300));
        QCOMPARE(picture.format(), QImage::Format_Indexed8);
        QCOMPARE(picture.colorCount(), 256);
        const QList<QRgb> colours = picture.colorTable();
        QCOMPARE(QSet<QRgb>(colours.begin(), colours.end()).size(), 256);
        QCOMPARE(picture, frmAbout::drawSkyPicture());

        int sky = 0;
        int cloud = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                if (c.red() > 235 && c.green() > 235 && c.blue() > 235) {
                    ++cloud;
                } else if (c.blue() > c.red() + 40 && c.blue() > 200) {
                    ++sky;
                }
            }
        }
        const int all = picture.width() * picture.height();
        QVERIFY2(sky > all / 4, qPrintable(QString::number(sky)));
        QVERIFY2(cloud > all / 50 && cloud < all / 2, qPrintable(QString::number(cloud)));

        const QImage shown = box.grab().toImage();
        QCOMPARE(shown.size(), QSize(400, 299));
        for (const QPoint p : {QPoint(0, 0), QPoint(5, 5), QPoint(399, 10), QPoint(10, 298)}) {
            QCOMPARE(shown.pixelColor(p).rgb(), picture.pixelColor(p).rgb());
        }
    }

    // Without a registry the button shows the one message: titled "Morvint",
    // OK only, no icon; the box stays open.
    void sysInfoUnavailable() {
#ifdef Q_OS_WIN
        QSKIP("the registry of this machine may name the tool");
#endif
        frmAbout box;
        box.show();
        Shown shown;
        answerNextBox(&shown);
        child<QPushButton>(box, QStringLiteral("cmdSysInfo"))->click();
        QCOMPARE(shown.count, 1);
        QCOMPARE(shown.title, QStringLiteral("Morvint"));
        QCOMPARE(shown.text, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(shown.icon, QMessageBox::NoIcon);
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(box.isVisible());
    }

    // Enter on a focused System Info... presses it, not OK.
    void enterOnSysInfo() {
        frmAbout box;
        std::vector<std::string> started;
        box.setSysInfoPlatform(std::make_unique<StartingPlatform>(&started));
        box.show();
        auto* sysInfo = child<QPushButton>(box, QStringLiteral("cmdSysInfo"));
        sysInfo->setFocus();
        QTest::keyClick(sysInfo, Qt::Key_Return);
        QCOMPARE(started, std::vector<std::string>{"C:\\Tools\\msinfo32.exe"});
        QVERIFY(box.isVisible());
    }

    // A tool that starts: no message.
    void sysInfoStarts() {
        frmAbout box;
        std::vector<std::string> started;
        box.setSysInfoPlatform(std::make_unique<StartingPlatform>(&started));
        Shown shown;
        answerNextBox(&shown);
        child<QPushButton>(box, QStringLiteral("cmdSysInfo"))->click();
        QCoreApplication::processEvents();
        QCOMPARE(shown.count, 0);
        QCOMPARE(started, std::vector<std::string>{"C:\\Tools\\msinfo32.exe"});
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmabout.moc"
