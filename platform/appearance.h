// SPDX-License-Identifier: MIT

// The face the window's texts are set in: "MS Sans Serif" where the system has it,
// otherwise a face of the same width class, so that the fixed-size labels hold their text.
#pragma once

#include <QFont>

class QLabel;

namespace Platform {

QFont formFont(qreal pointSize = 8.0);

// Where a face runs a little wider than the one the layout was made for, closes up the
// letters of a label until its text fits its box, by at most a pixel a letter.
void fitText(QLabel *label);

} // namespace Platform
