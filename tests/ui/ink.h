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
    int height = 0;  // when not 0, the ink's height, give or take a pixel
};

// One line for each control that breaks its rule, naming it and a pixel.
QStringList inkProblems(const QImage& with, const QImage& without,
                        const std::vector<InkRule>& rules);

// The ink's bounding box within rect; empty where there is none.
QRect inkBox(const QImage& with, const QImage& without, const QRect& rect);
