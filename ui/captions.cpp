// SPDX-License-Identifier: MIT
#include "captions.h"

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextStream>

#include <algorithm>
#include <cmath>

namespace {

constexpr int narrowest = 75;
constexpr qreal smallest = 7.0;

// Where a control draws its caption: the rectangle the text is aligned in and
// the flags it is drawn with, in the control's own units; the control's size;
// the screen pixels along each edge that the ink keeps clear of; the screen
// pixels per unit; and the control's dots per inch, which size its font.
struct Place {
    QRectF layout;
    int flags;
    QString text;
    QSize size;
    int clear;
    qreal ratio;
    int dpi;
};

// The screen pixels that the text covers when it is drawn as its control draws
// it, relative to the control's top left corner; drawn without clipping, on a
// margin of a few pixels around the control, so that what would overflow the
// control counts too.
QRect inkOf(const QFont& font, const Place& place) {
    const int pad = place.clear + 3;
    const QSize canvas = (QSizeF(place.size) * place.ratio).toSize() + QSize(2 * pad, 2 * pad);
    QImage image(canvas, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(place.ratio);
    image.setDotsPerMeterX(qRound(place.dpi / 0.0254));
    image.setDotsPerMeterY(qRound(place.dpi / 0.0254));
    image.fill(0);
    QPainter painter(&image);
    painter.setFont(font);
    painter.translate(pad / place.ratio, pad / place.ratio);
    painter.drawText(place.layout, place.flags | Qt::TextDontClip, place.text);
    painter.end();
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const QRgb* end = line + image.width();
        const QRgb* first = std::find_if(line, end, [](QRgb a) { return a != 0; });
        if (first != end) {
            const auto last =
                std::find_if(std::reverse_iterator(end), std::reverse_iterator(first + 1),
                             [](QRgb a) { return a != 0; });
            ink |= QRect(int(first - line), y, int(last.base() - first), 1);
        }
    }
    return ink.translated(-pad, -pad);
}

// Where the font's metrics put a line's ink, in screen pixels, without drawing;
// the metrics are the screen's, which the control shares.
QRectF estimatedInk(const QFont& font, const Place& place) {
    const QFontMetricsF metrics(font);
    const QString shown = (place.flags & Qt::TextShowMnemonic)
                              ? QString(place.text).remove(QLatin1Char('&'))
                              : place.text;
    const QRectF line = metrics.boundingRect(place.layout, place.flags, place.text);
    const QRectF ink =
        metrics.tightBoundingRect(shown).translated(line.left(), line.top() + metrics.ascent());
    return QRectF(ink.topLeft() * place.ratio, ink.size() * place.ratio);
}

// The screen pixels that the ink may cover: inside the rectangle the text is
// clipped to, and clear of the edges. Where a unit is no whole number of pixels,
// the control may lie half a pixel off the grid: one more pixel is kept clear.
QRect allowed(const Place& place) {
    const bool whole = place.ratio == std::floor(place.ratio);
    const int clear = place.clear + (whole ? 0 : 1);
    const QSize pixels = (QSizeF(place.size) * place.ratio).toSize();
    // The control clips its text to the layout rectangle: ink beyond it is lost.
    const QRectF clip(place.layout.topLeft() * place.ratio, place.layout.size() * place.ratio);
    const QRect inside(
        QPoint(int(std::ceil(clip.left())), int(std::ceil(clip.top()))),
        QPoint(int(std::floor(clip.right())) - 1, int(std::floor(clip.bottom())) - 1));
    return QRect(QPoint(0, 0), pixels).marginsRemoved(QMargins(clear, clear, clear, clear)) &
           inside;
}

// How far a line's ink must shrink about the middle of its rectangle, where it
// is centred, to come within the area's height.
qreal heightFactor(const QRect& ink, const QRect& area, qreal middle) {
    const qreal above = middle - ink.top();
    const qreal below = ink.bottom() + 1 - middle;
    return std::min(above > 0 ? (middle - area.top()) / above : 1.0,
                    below > 0 ? (area.bottom() + 1 - middle) / below : 1.0);
}

// The font to draw the caption with: the given one if the text fits; else at the
// largest size that fits at some stretch, about the widest stretch that fits
// there. A line that the metrics show well inside is not drawn to tell.
// A line's height follows its size and not its stretch, its width both: the
// size is brought down at once to the one its height asks for, then half a point
// at a time while it does not fit; at a size tall enough, the stretch goes to the
// one its width asks for, as measured again, then a step further while it does
// not fit.
QFont fitted(QFont font, const Place& place) {
    const QRect area = allowed(place);
    const bool wrapped = place.flags & Qt::TextWordWrap;
    if (place.text.isEmpty()) {
        return font;
    }
    const qreal sure = 1;  // pixels that the metrics may be off by
    const QRectF estimate = estimatedInk(font, place);
    if (!wrapped && QRectF(area).contains(estimate.adjusted(-sure, -sure, sure, sure))) {
        return font;
    }
    // Drawn at the font it asks for, which is loaded already: a font of another
    // size or stretch costs more to load than a line costs to draw.
    QRect ink = inkOf(font, place);
    if (area.contains(ink)) {
        return font;
    }
    const qreal middle = place.layout.center().y() * place.ratio;
    bool first = true;
    const auto factor = [&] { return wrapped ? 1.0 : heightFactor(ink, area, middle); };
    for (qreal points = font.pointSizeF();;) {
        // Tall enough: narrower letters, down to the narrowest, as long as the
        // drawn line is as tall as the metrics said.
        for (int stretch = 100; stretch > narrowest && factor() >= 1;) {
            // A point narrower than the width asks, so that one try mostly does.
            stretch = wrapped ? stretch - 5
                              : std::clamp(stretch * area.width() / std::max(1, ink.width()) - 1,
                                           narrowest, stretch - 1);
            font.setStretch(stretch);
            ink = inkOf(font, place);
            if (area.contains(ink)) {
                return font;
            }
        }
        font.setStretch(QFont::AnyStretch);
        if (points <= smallest) {
            break;
        }
        // The first step goes to the size that the ink's height asks for, the
        // next ones half a point at a time.
        const qreal asked = std::floor(points * factor() * 2) / 2;
        points = std::max(smallest, first ? std::min(points - 0.5, asked) : points - 0.5);
        first = false;
        font.setPointSizeF(points);
        ink = inkOf(font, place);
        if (area.contains(ink)) {
            return font;
        }
    }
    font.setPointSizeF(smallest);
    font.setStretch(narrowest);
    return font;
}

// A control whose caption fits keeps its font as it is, inherited or set. Each
// font, caption and place is measured once.
void setFitted(QWidget* control, const Place& place) {
    static QHash<QString, QFont> known;
    const QFont font = control->font();
    QString key;
    QTextStream(&key) << font.key() << '|' << place.text << '|' << place.layout.x() << ','
                      << place.layout.y() << ',' << place.layout.width() << ','
                      << place.layout.height() << '|' << place.flags << '|' << place.size.width()
                      << ',' << place.size.height() << '|' << place.clear << '|' << place.ratio
                      << '|' << place.dpi;
    auto found = known.constFind(key);
    if (found == known.constEnd()) {
        found = known.insert(key, fitted(font, place));
    }
    if (*found != font) {
        control->setFont(*found);
    }
}

// Clear of a frame: 2 pixels of the screen, as many as 2 units cover.
int frameClear(qreal ratio) {
    return int(std::ceil(2 * ratio));
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
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const qreal ratio = button->devicePixelRatioF();
    setFitted(button, {contents, Qt::AlignCenter | Qt::TextShowMnemonic, button->text(),
                       button->size(), frameClear(ratio), ratio, button->logicalDpiY()});
}

void fitCaption(QLabel* label) {
    const int m = label->margin();
    QRect layout = label->contentsRect().marginsRemoved(QMargins(m, m, m, m));
    // The indent keeps the text off the edges it is aligned to.
    const int indent = std::max(0, label->indent());
    const Qt::Alignment align = label->alignment();
    layout.adjust(align & Qt::AlignLeft ? indent : 0, align & Qt::AlignTop ? indent : 0,
                  align & Qt::AlignRight ? -indent : 0, align & Qt::AlignBottom ? -indent : 0);
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const qreal ratio = label->devicePixelRatioF();
    // A framed label (a status panel) keeps clear of its frame as a button does;
    // a plain one keeps its outermost pixels clear.
    const int clear = label->frameShape() != QFrame::NoFrame ? frameClear(ratio) : 1;
    setFitted(label,
              {layout, flags, label->text(), label->size(), clear, ratio, label->logicalDpiY()});
}

void plainButtons(QMessageBox& box) {
    for (QAbstractButton* button : box.buttons()) {
        button->setIcon(QIcon());
    }
}
