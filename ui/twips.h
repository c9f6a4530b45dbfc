// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

// Layout is kept in twips: 15 twips are one pixel at 96 dots per inch. A length
// that is no whole number of pixels goes to the nearest one.
constexpr int px(int twips) {
    return (twips + 7) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}
