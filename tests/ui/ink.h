// SPDX-License-Identifier: MIT
// Whether captions show whole, judged on the pixels drawn: the ink of a control
// is every pixel that differs between a picture of the window with its captions
// and one with its captions emptied. Any front end's screenshots can be checked.
#pragma once

#include <QImage>
#include <QRect>
#include <QStringList>

#include <vector>

struct InkRule {
    QString name;
    QRect rect;      // in the pictures' pixels
    int margin = 0;  // pixels along each edge that must stay free of ink
    QSize ink;       // when valid, the ink's size, give or take a pixel each way
};

// One line for each control that breaks its rule, naming it and a pixel.
QStringList inkProblems(const QImage& with, const QImage& without,
                        const std::vector<InkRule>& rules);

class QWidget;

// A Qt window's push buttons, labels and status panels: each drawn in `family`
// (the About box's labels in Liberation Sans), no ink within 2 px of a button's
// or a panel's edge, none on a label's edge, and a label's ink as large as its
// text painted unclipped (a label cuts off what does not fit). The controls named in `floors`,
// which cannot fit even at the floors of fitting, need only keep their ink off the edge. The window
// is grabbed with its captions and with them emptied; the grabs are kept in the folder `save`
// unless it is empty.
QStringList captionProblems(QWidget* window, const QString& family, const QString& save,
                            const QStringList& floors);
