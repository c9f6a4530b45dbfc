// SPDX-License-Identifier: MIT
#include "captions.h"

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <cmath>

namespace {

constexpr int narrowest = 75;
constexpr qreal smallest = 7.0;

// Where a caption is drawn and how it is laid out there.
struct Place {
    QRectF area;
    int flags;
    QString text;
};

// True when the text drawn at this font stays inside the area: the ink of a
// single line, every line box of a wrapped text. The baseline falls on a whole
// pixel, as the text is drawn.
bool showsWhole(const QFont& font, const Place& place) {
    const QFontMetricsF metrics(font);
    const QRectF lines = metrics.boundingRect(place.area, place.flags, place.text);
    if (place.flags & Qt::TextWordWrap) {
        return place.area.contains(lines);
    }
    const QString shown = (place.flags & Qt::TextShowMnemonic)
                              ? QString(place.text).remove(QLatin1Char('&'))
                              : place.text;
    const qreal baseline = std::round(lines.top() + metrics.ascent());
    return place.area.contains(metrics.tightBoundingRect(shown).translated(lines.left(), baseline));
}

// The font to draw the caption with: the given one if the text fits; else at the
// largest size that fits at some stretch, the widest stretch that fits there.
QFont fitted(QFont font, const Place& place) {
    if (place.text.isEmpty() || showsWhole(font, place)) {
        return font;
    }
    for (qreal points = font.pointSizeF(); points >= smallest; points -= 0.5) {
        font.setPointSizeF(points);
        font.setStretch(narrowest);
        if (!showsWhole(font, place)) {
            continue;
        }
        // Narrow only as far as needed: the widest stretch that still fits.
        int fits = narrowest;
        int tooWide = 101;
        while (tooWide - fits > 1) {
            const int middle = (fits + tooWide) / 2;
            font.setStretch(middle);
            (showsWhole(font, place) ? fits : tooWide) = middle;
        }
        font.setStretch(fits == 100 ? QFont::AnyStretch : fits);
        return font;
    }
    font.setPointSizeF(smallest);
    font.setStretch(narrowest);
    return font;
}

// A control whose caption fits keeps its font as it is, inherited or set.
void setFitted(QWidget* control, const Place& place) {
    const QFont font = fitted(control->font(), place);
    if (font != control->font()) {
        control->setFont(font);
    }
}

}  // namespace

void fitCaption(QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    if (button->isDefault()) {
        option.features |= QStyleOptionButton::DefaultButton;
    }
    if (button->autoDefault()) {
        option.features |= QStyleOptionButton::AutoDefaultButton;
    }
    const QRect area =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    setFitted(button, {area, Qt::AlignCenter | Qt::TextShowMnemonic, button->text()});
}

void fitCaption(QLabel* label) {
    QRectF area = label->contentsRect().marginsRemoved(
        QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
    if (label->indent() > 0 && (label->alignment() & Qt::AlignLeft)) {
        area.setLeft(area.left() + label->indent());
    }
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    setFitted(label, {area, flags, label->text()});
}

void plainButtons(QMessageBox& box) {
    for (QAbstractButton* button : box.buttons()) {
        button->setIcon(QIcon());
    }
}
