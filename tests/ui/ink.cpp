// SPDX-License-Identifier: MIT
#include "ink.h"

#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QtMath>

#include <cstdlib>

namespace {

// The first pixel in rect, row by row, that differs between the pictures and lies
// outside `free`; (-1,-1) when there is none.
QPoint firstInk(const QImage& with, const QImage& without, const QRect& rect, const QRect& free) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y) && !free.contains(x, y)) {
                return {x, y};
            }
        }
    }
    return {-1, -1};
}

}  // namespace

QRect inkBox(const QImage& with, const QImage& without, const QRect& rect) {
    QRect box;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            box |= with.pixel(x, y) != without.pixel(x, y) ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return box;
}

QStringList inkProblems(const QImage& with, const QImage& without,
                        const std::vector<InkRule>& rules) {
    QStringList problems;
    for (const InkRule& rule : rules) {
        const QRect ink = inkBox(with, without, rule.rect);
        const int m = rule.margin;
        const QRect free = rule.rect.marginsRemoved({m, m, m, m});
        QString what;
        if (ink.isEmpty()) {
            what = QStringLiteral("no ink");
        } else if (!free.contains(ink)) {
            const QPoint out = firstInk(with, without, rule.rect, free);
            what = QStringLiteral("ink within %1 px of the edge at (%2,%3)")
                       .arg(m)
                       .arg(out.x())
                       .arg(out.y());
        } else if (rule.ink.isValid() && (std::abs(ink.width() - rule.ink.width()) > 1 ||
                                          std::abs(ink.height() - rule.ink.height()) > 1)) {
            what = QStringLiteral("ink %1x%2 px, not %3x%4 as painted unclipped")
                       .arg(ink.width())
                       .arg(ink.height())
                       .arg(rule.ink.width())
                       .arg(rule.ink.height());
        }
        if (!what.isEmpty()) {
            problems << QStringLiteral("%1 (%2,%3 %4x%5): %6")
                            .arg(rule.name)
                            .arg(rule.rect.x())
                            .arg(rule.rect.y())
                            .arg(rule.rect.width())
                            .arg(rule.rect.height())
                            .arg(what);
        }
    }
    return problems;
}

namespace {

// The rules of a window's push buttons, labels and status panels, in the pixels
// of its grab: no ink within 2 px of a button's or a panel's edge, none on a
// label's edge, and a wrapped label's ink as tall as its text painted unclipped.
std::vector<InkRule> rules(QWidget* window, const QStringList& floors,
                           std::vector<QWidget*>& captioned) {
    std::vector<InkRule> found;
    const qreal dpr = window->devicePixelRatioF();
    for (QWidget* control : window->findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(control);
        // The screen reader's notice is never seen.
        if (!control->isVisibleTo(window) || control->objectName() == "notice" ||
            (!label && !qobject_cast<QPushButton*>(control))) {
            continue;
        }
        const QRectF r = QRectF(control->mapTo(window, QPoint()), control->size());
        const QRect pixels(QPoint(qCeil(r.left() * dpr), qCeil(r.top() * dpr)),
                           QPoint(qFloor(r.right() * dpr) - 1, qFloor(r.bottom() * dpr) - 1));
        const bool framed = !label || label->frameShape() != QFrame::NoFrame;
        // A label's text painted where nothing cuts it off: a one-line one wider,
        // a wrapped one taller.
        QSize ink;
        if (label) {
            QLabel unclipped(label->text());
            unclipped.setFont(label->font());
            unclipped.setWordWrap(label->wordWrap());
            unclipped.setMargin(label->margin());
            unclipped.setIndent(label->indent());
            unclipped.setAlignment(label->alignment());
            unclipped.resize(label->width() * (label->wordWrap() ? 1 : 4), label->height() * 4);
            const QImage with = unclipped.grab().toImage();
            unclipped.clear();
            ink = inkBox(with, unclipped.grab().toImage(), with.rect()).size();
        }
        const bool atFloors = floors.contains(control->objectName());
        found.push_back(
            {control->objectName(), pixels, framed && !atFloors ? qCeil(2 * dpr) : 1, ink});
        captioned.push_back(control);
    }
    return found;
}

// The controls of a window drawn in another family than `family` (the About box's
// labels in another than Liberation Sans), and what breaks the rules, grabbed with
// the captions and with them emptied; the grabs are kept in `save` when it is not
// empty.
}  // namespace

QStringList captionProblems(QWidget* window, const QString& family, const QString& save,
                            const QStringList& floors) {
    std::vector<QWidget*> captioned;
    const std::vector<InkRule> controls = rules(window, floors, captioned);
    QStringList problems;
    for (QWidget* control : captioned) {
        const bool aboutLabel =
            window->objectName() == "frmAbout" && qobject_cast<QLabel*>(control);
        const QString used = QFontInfo(control->font()).family();
        if (used != (aboutLabel ? QStringLiteral("Liberation Sans") : family)) {
            problems << control->objectName() + ": " + used;
        }
    }
    const QImage with = window->grab().toImage();
    QStringList texts;
    for (QWidget* control : captioned) {
        texts << control->property("text").toString();
        control->setProperty("text", QString());
    }
    const QImage without = window->grab().toImage();
    for (QWidget* control : captioned) {
        control->setProperty("text", texts.takeFirst());
    }
    if (!save.isEmpty()) {
        QDir().mkpath(save);
        with.save(save + "/" + window->objectName() + ".png");
        without.save(save + "/" + window->objectName() + "-empty.png");
    }
    return problems + inkProblems(with, without, controls);
}
