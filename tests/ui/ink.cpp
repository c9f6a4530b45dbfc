// SPDX-License-Identifier: MIT
#include "ink.h"

#include <cstdlib>
#include <optional>

namespace {

// The ink within rect: its bounding box, and its first pixel outside `free`.
struct Ink {
    QRect box;
    std::optional<QPoint> outside;
};

Ink scan(const QImage& with, const QImage& without, const QRect& rect, const QRect& free) {
    Ink ink;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (with.pixel(x, y) == without.pixel(x, y)) {
                continue;
            }
            ink.box |= QRect(x, y, 1, 1);
            if (!ink.outside && !free.contains(x, y)) {
                ink.outside = QPoint(x, y);
            }
        }
    }
    return ink;
}

}  // namespace

QRect inkBox(const QImage& with, const QImage& without, const QRect& rect) {
    return scan(with, without, rect, rect).box;
}

QStringList inkProblems(const QImage& with, const QImage& without,
                        const std::vector<InkRule>& rules) {
    QStringList problems;
    for (const InkRule& rule : rules) {
        const int m = rule.margin;
        const Ink ink = scan(with, without, rule.rect, rule.rect.marginsRemoved({m, m, m, m}));
        const auto say = [&](const QString& what, QPoint at) {
            problems << QStringLiteral("%1 (%2,%3 %4x%5): %6, pixel (%7,%8)")
                            .arg(rule.name)
                            .arg(rule.rect.x())
                            .arg(rule.rect.y())
                            .arg(rule.rect.width())
                            .arg(rule.rect.height())
                            .arg(what)
                            .arg(at.x())
                            .arg(at.y());
        };
        if (ink.box.isEmpty()) {
            say(QStringLiteral("no ink"), rule.rect.topLeft());
        } else if (ink.outside) {
            say(QStringLiteral("ink within %1 px of the edge").arg(m), *ink.outside);
        } else if (rule.height != 0 && std::abs(ink.box.height() - rule.height) > 1) {
            say(QStringLiteral("ink %1 px high, not %2").arg(ink.box.height()).arg(rule.height),
                ink.box.bottomLeft());
        }
    }
    return problems;
}
