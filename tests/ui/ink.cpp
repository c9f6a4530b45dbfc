// SPDX-License-Identifier: MIT
#include "ink.h"

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
        } else if (rule.height != 0 && std::abs(ink.height() - rule.height) > 1) {
            what = QStringLiteral("ink %1 px high, not %2").arg(ink.height()).arg(rule.height);
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
