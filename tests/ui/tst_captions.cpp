// Every caption and label of both windows shows whole at the fonts of common
// desktops: the ink of a one-line text, and every line of a wrapped one, lies
// inside the control's contents. Each row sets the standard font; the row
// "desktop" keeps the font the platform gives, which must be MORVINT_DESKTOP_FONT
// ("Family,points") when that is set. The scale comes from the environment.

#include <QDebug>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "frmAbout.h"
#include "window_test.h"

namespace {

// The text's place in the area, as the control draws it, and whether it lies inside.
QString clipped(const QFont& font, QRect area, int flags, const QString& text) {
    const QFontMetricsF metrics(font);
    const QRectF lines = metrics.boundingRect(QRectF(area), flags, text);
    QRectF ink = lines;
    if (!(flags & Qt::TextWordWrap)) {
        // Drawn on a baseline at a whole pixel.
        ink = metrics.tightBoundingRect(QString(text).remove('&'))
                  .translated(lines.left(), std::round(lines.top() + metrics.ascent()));
    }
    if (QRectF(area).contains(ink)) {
        return {};
    }
    QString why;
    QDebug(&why) << text << QFontInfo(font).family() << font.pointSizeF() << font.stretch() << "ink"
                 << ink << "outside" << area;
    return why;
}

QString clipped(QWidget* control) {
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.features =
            button->isDefault() ? QStyleOptionButton::DefaultButton : QStyleOptionButton::None;
        const QRect area =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return clipped(button->font(), area, Qt::AlignCenter | Qt::TextShowMnemonic,
                       button->text());
    }
    auto* label = qobject_cast<QLabel*>(control);
    QRect area = label->contentsRect();
    area.setLeft(area.left() + std::max(0, label->indent()));
    return clipped(label->font(), area,
                   int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0),
                   label->text());
}

}  // namespace

class tst_captions : public QObject {
    Q_OBJECT

private slots:
    void everyCaptionFits_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<qreal>("points");
        const QStringList desktop = qEnvironmentVariable("MORVINT_DESKTOP_FONT").split(',');
        QTest::newRow("desktop") << desktop.value(0) << desktop.value(1).toDouble();
        for (const auto& [family, points] : {std::pair{"DejaVu Sans", 9.0},
                                             {"DejaVu Sans", 10.0},
                                             {"Noto Sans", 10.0},
                                             {"Liberation Sans", 9.0},
                                             {"Liberation Sans", 10.0},
                                             {"Liberation Sans", 11.0}}) {
            QTest::addRow("%s %g", family, points) << family << points;
        }
    }

    void everyCaptionFits() {
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
        const QString standardFamily =
            family.isEmpty() ? QFontInfo(QApplication::font()).family() : family;
        morvint::testing::ShownWindow main;
        main.w->setPanelText(morvint::Panel::enemy, "scropion: 10");
        frmAbout about;
        about.show();
        QStringList wrong;
        for (QWidget* window : std::initializer_list<QWidget*>{main.w.get(), &about}) {
            for (QWidget* control : window->findChildren<QWidget*>()) {
                if (!control->isVisibleTo(window) ||
                    (!qobject_cast<QPushButton*>(control) && !qobject_cast<QLabel*>(control))) {
                    continue;
                }
                // A font that is not installed resolves to another family.
                const QString used = QFontInfo(control->font()).family();
                const bool aboutLabel = window == &about && qobject_cast<QLabel*>(control);
                if (used != (aboutLabel ? QStringLiteral("Liberation Sans") : standardFamily)) {
                    wrong << control->objectName() + ": " + used;
                }
                if (const QString cut = clipped(control); !cut.isEmpty()) {
                    wrong << control->objectName() + ": " + cut;
                }
            }
        }
        QApplication::setFont(standard);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
    }
};

QTEST_MAIN(tst_captions)
#include "tst_captions.moc"
