// SPDX-License-Identifier: MIT
#include "ink.h"

#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QtMath>

#include <cstdlib>
#include <utility>

namespace {

// A widget grabbed with the captions of `controls`, and again with them emptied.
std::pair<QImage, QImage> grabs(QWidget* widget, const std::vector<QWidget*>& controls) {
    const QImage with = widget->grab().toImage();
    QStringList texts;
    for (QWidget* control : controls) {
        texts << control->property("text").toString();
        control->setProperty("text", QString());
    }
    const QImage without = widget->grab().toImage();
    for (QWidget* control : controls) {
        control->setProperty("text", texts.takeFirst());
    }
    return {with, without};
}

// The ink's bounding box within rect; empty where there is none.
QRect inkBox(const QImage& with, const QImage& without, const QRect& rect) {
    QRect box;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            box |= with.pixel(x, y) != without.pixel(x, y) ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return box;
}

}  // namespace

QStringList inkProblems(const QImage& with, const QImage& without,
                        const std::vector<InkRule>& rules) {
    QStringList problems;
    for (const InkRule& rule : rules) {
        const int m = rule.margin;
        const QRect free = rule.rect.marginsRemoved({m, m, m, m});
        QRect ink;
        QPoint out(-1, -1);  // the first pixel of ink outside `free`, row by row
        for (int y = rule.rect.top(); y <= rule.rect.bottom(); ++y) {
            for (int x = rule.rect.left(); x <= rule.rect.right(); ++x) {
                if (with.pixel(x, y) != without.pixel(x, y)) {
                    ink |= QRect(x, y, 1, 1);
                    out = out.x() < 0 && !free.contains(x, y) ? QPoint(x, y) : out;
                }
            }
        }
        QString what;
        if (ink.isEmpty()) {
            what = QStringLiteral("no ink");
        } else if (out.x() >= 0) {
            what =
                QString::asprintf("ink within %d px of the edge at (%d,%d)", m, out.x(), out.y());
        } else if (rule.ink.isValid() && (std::abs(ink.width() - rule.ink.width()) > 1 ||
                                          std::abs(ink.height() - rule.ink.height()) > 1)) {
            what = QString::asprintf("ink %dx%d px, not %dx%d as painted unclipped", ink.width(),
                                     ink.height(), rule.ink.width(), rule.ink.height());
        }
        const QRect& r = rule.rect;
        if (!what.isEmpty()) {
            problems << QString::asprintf("%s (%d,%d %dx%d): ", qPrintable(rule.name), r.x(), r.y(),
                                          r.width(), r.height()) +
                            what;
        }
    }
    return problems;
}

QStringList captionProblems(QWidget* window, const QString& family, const QString& save,
                            const QStringList& floors) {
    QStringList problems;
    std::vector<QWidget*> captioned;
    std::vector<InkRule> rules;
    const qreal dpr = window->devicePixelRatioF();
    for (QWidget* control : window->findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(control);
        // The screen reader's notice is never seen.
        if (!control->isVisibleTo(window) || control->objectName() == "notice" ||
            (!label && !qobject_cast<QPushButton*>(control))) {
            continue;
        }
        const QString used = QFontInfo(control->font()).family();
        const bool aboutLabel = label && window->objectName() == "frmAbout";
        if (used != (aboutLabel ? QStringLiteral("Liberation Sans") : family)) {
            problems << control->objectName() + ": " + used;
        }
        // The pixels wholly inside the control.
        const QRectF r = QRectF(control->mapTo(window, QPoint()), control->size());
        const QRect pixels(QPoint(qCeil(r.left() * dpr), qCeil(r.top() * dpr)),
                           QPoint(qFloor(r.right() * dpr) - 1, qFloor(r.bottom() * dpr) - 1));
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
            const auto [with, without] = grabs(&unclipped, {&unclipped});
            ink = inkBox(with, without, with.rect()).size();
        }
        const bool framed = !label || label->frameShape() != QFrame::NoFrame;
        const bool atFloors = floors.contains(control->objectName());
        rules.push_back(
            {control->objectName(), pixels, framed && !atFloors ? qCeil(2 * dpr) : 1, ink});
        captioned.push_back(control);
    }
    const auto [with, without] = grabs(window, captioned);
    if (!save.isEmpty()) {
        QDir().mkpath(save);
        with.save(save + "/" + window->objectName() + ".png");
        without.save(save + "/" + window->objectName() + "-empty.png");
    }
    return problems + inkProblems(with, without, rules);
}
