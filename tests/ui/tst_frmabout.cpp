// The About box: its window, focus, keys, picture and the System Info... button.

#include <QAccessible>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSet>

#include "frmAbout.h"
#include "window_test.h"

using morvint::testing::accessibleText;
using morvint::testing::child;
using morvint::testing::onNextBox;

namespace {

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
        QPointer<frmAbout> box = new frmAbout;
        QVERIFY(box->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(box->windowTitle(), QStringLiteral("About MyApp"));
        QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name),
                 QStringLiteral("About Morvint"));
        QCOMPARE(box->minimumSize(), QSize(400, 299));
        QCOMPARE(box->maximumSize(), QSize(400, 299));
        box->show();
        QCOMPARE(box->geometry(), QRect(153, 107, 400, 299));
        box->close();
        flushDeletes();
        QVERIFY(box.isNull());
    }

    // OK then System Info... in the tab order, OK the default button with the focus.
    void focusAndTabOrder() {
        frmAbout box;
        auto* ok = child<QPushButton>(box, QStringLiteral("cmdOK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(box.focusWidget(), ok);
        QCOMPARE(ok->nextInFocusChain(), child(box, QStringLiteral("cmdSysInfo")));
    }

    // Escape and Enter press OK, which closes and deletes the box, Escape even
    // while System Info... has the focus; other keys leave it open.
    void keys_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Escape") << "cmdOK" << int(Qt::Key_Escape) << true;
        QTest::newRow("Return") << "cmdOK" << int(Qt::Key_Return) << true;
        QTest::newRow("Enter") << "cmdOK" << int(Qt::Key_Enter) << true;
        QTest::newRow("Escape on System Info...") << "cmdSysInfo" << int(Qt::Key_Escape) << true;
        QTest::newRow("A") << "cmdOK" << int(Qt::Key_A) << false;
        QTest::newRow("F1") << "cmdOK" << int(Qt::Key_F1) << false;
    }
    void keys() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, closes);
        QPointer<frmAbout> box = new frmAbout;
        box->show();
        auto* target = child<QPushButton>(*box, focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(box->isVisible(), !closes);
        flushDeletes();
        QCOMPARE(box.isNull(), closes);
        delete box;
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
                cloud += c.red() > 235 && c.green() > 235 && c.blue() > 235 ? 1 : 0;
                sky += c.blue() > c.red() + 40 && c.blue() > 200 ? 1 : 0;
            }
        }
        const int all = picture.width() * picture.height();
        QVERIFY2(sky > all / 4 && cloud > all / 50 && cloud < all / 2,
                 qPrintable(QStringLiteral("%1 sky, %2 cloud").arg(sky).arg(cloud)));

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
        QStringList shown;
        onNextBox([&](QMessageBox& message) {
            shown = QStringList{message.windowTitle(), message.text(),
                                message.icon() == QMessageBox::NoIcon ? "no icon" : "an icon",
                                message.standardButtons() == QMessageBox::Ok ? "OK" : "other"};
            message.button(QMessageBox::Ok)->click();
        });
        child<QPushButton>(box, QStringLiteral("cmdSysInfo"))->click();
        QCOMPARE(shown, (QStringList{"Morvint", "System Information Is Unavailable At This Time",
                                     "no icon", "OK"}));
        QVERIFY(box.isVisible());
    }

    // Enter on a focused System Info... presses it, not OK: a tool that starts,
    // with no message.
    void enterStartsSysInfo() {
        frmAbout box;
        std::vector<std::string> started;
        box.setSysInfoPlatform(std::make_unique<StartingPlatform>(&started));
        box.show();
        bool message = false;
        onNextBox([&](QMessageBox& shown) {
            message = true;
            shown.close();
        });
        auto* sysInfo = child<QPushButton>(box, QStringLiteral("cmdSysInfo"));
        sysInfo->setFocus();
        QTest::keyClick(sysInfo, Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(!message);
        QCOMPARE(started, std::vector<std::string>{"C:\\Tools\\msinfo32.exe"});
        QVERIFY(box.isVisible());
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmabout.moc"
