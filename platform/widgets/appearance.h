// SPDX-License-Identifier: MIT

// How the window looks on the desktop: the face its texts are set in ("MS Sans Serif" where
// the system has it, otherwise a face of the same width class, so that the fixed-size labels
// hold their text), the style its fixed layout was made for, coloured texts kept readable
// under any palette, and the names and icon that tie the window to its desktop entry.
#pragma once

#include <QColor>
#include <QFont>

class QLabel;
class QWidget;

namespace Platform {

QFont formFont(qreal pointSize = 8.0);

// Where a face runs a little wider than the one the layout was made for, closes up the
// letters of a label until its text fits its box, by at most a pixel a letter.
void fitText(QLabel *label);

// The ratio of the lighter colour's relative luminance to the darker's, each plus 0.05, as
// WCAG measures the contrast of text: 1 for equal colours, 21 for black on white.
double contrastRatio(const QColor &a, const QColor &b);

// The colour on a light background; on a dark one, the same hue lightened until text in it
// reaches a contrast of 4.5 (or white, where nothing lighter does).
QColor readableOn(const QColor &colour, const QColor &background);

// Sets a label's text in a colour, by readableOn against the label's own background, and
// again whenever the palette changes (a theme switched while the program runs).
void setTextColour(QLabel *label, const QColor &colour);

// The name of the desktop entry, which is also the Wayland app id and the icon's name.
QString desktopId();

// Ties a window to its desktop entry: the application's desktop file name, and the installed
// icon (the one built in where the icon theme has none).
void identifyWindow(QWidget *window);

// The Fusion style, which the fixed layout was made for, unless the user chose another on
// the command line ("-style") or in the environment.
void useLayoutStyle();

} // namespace Platform
