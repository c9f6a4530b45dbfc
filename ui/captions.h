// SPDX-License-Identifier: MIT
#pragma once

class QLabel;
class QMessageBox;
class QPushButton;

// Shows a caption whole in its control's fixed rectangle, whatever the desktop's
// font: where the text's ink would reach past the control's contents (or, for a
// label that wraps, where its lines would), the letters are narrowed, to no less
// than 75%, and then the font is made smaller, to no less than 7 points. A text
// that fits keeps its font.
void fitCaption(QPushButton* button);
void fitCaption(QLabel* label);

// A message box whose buttons carry their text only, whatever icons the style
// would put beside it.
void plainButtons(QMessageBox& box);
