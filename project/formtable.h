// SPDX-License-Identifier: MIT

// The window described as data: every control with its kind, tab, text at creation,
// position in twips and the caption beside it, plus the ruled lines of the tabs.
// frmMain builds itself from these tables; tests read them to find what to check.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <span>

namespace Form {

enum class Kind {
    TextBox,      // one line of free text
    MultiLineBox, // several lines with a vertical scroll bar
    CheckBox,
    OptionButton, // one of an option pair
    Button,
    Label,   // fixed text
    Readout, // a label whose caption the program writes
    Frame,
    Picture,
    Container, // holds an option pair
    Tabs,
};

enum class Style {
    Plain,
    RowCaption,  // right-aligned caption at the left of a row
    Centred,     // readouts
    FixedLeft,   // "k", "K", ") =", ".qav"
    FixedRight,  // "D("
    Ommit,       // the bold red "Ommit:" above every tab's rows
    CannotOmmit, // the italic note on tabs that cannot be left out
    FileEdit,    // the blue project name
};

inline constexpr int TwipsPerPixel = 15;
inline constexpr int OnWindow = -1;
inline constexpr int NoIndex = -1;

struct Twips
{
    int left, top, width, height;
    constexpr QRect toPixels() const
    {
        return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                height / TwipsPerPixel};
    }
};

struct Control
{
    Kind kind;
    const char *name;
    int index;          // element of a control array, or NoIndex
    int tab;            // 0 to 9, or OnWindow
    const char *parent; // a container on the tab or window, or nullptr
    const char *text;   // text, caption or value at creation
    Twips geometry;     // relative to the tab container, or to the parent when one is named
    Style style = Style::Plain;
    const char *caption = nullptr;     // the row caption beside the control
    const char *captionName = nullptr; // its label's name, when it has a historic one
};

// A ruled line on a tab, from one point to another (twips, tab container coordinates).
struct Line
{
    int tab;
    int x1, y1, x2, y2;
};

std::span<const Control> controls();
std::span<const Line> lines();
QStringList tabCaptions();

// The tab container's caption rows are this high (twips).
inline constexpr int TabRowHeight = 495;
// Every tab has the "Ommit:" row and two rules under and beside the row captions.
inline constexpr Twips OmmitCaption{3360, 1320, 1215, 255};
inline constexpr Line HeaderRule{-1, 240, 1680, 9360, 1680};
inline constexpr Line CaptionRule{-1, 1560, 1680, 1560, 5040};
// Row captions end at the same x on every tab.
inline constexpr int CaptionLeft = 240;
inline constexpr int CaptionWidth = 1215;
inline constexpr int CaptionHeight = 255;
inline constexpr int TwoLineCaptionHeight = 375;

// "txtAHeight(3)" for an array element, the bare name otherwise.
QString objectName(const char *name, int index);
QString objectName(const Control &control);
// The label that carries a control's row caption.
QString captionObjectName(const Control &control);
Twips captionGeometry(const Control &control);

} // namespace Form

namespace Form {
// Tabs 3 to 9 hold the optional steps, in their order.
inline constexpr int FirstOptionalTab = 2;
// How a message names a control: its row caption, with the element's number in an array.
QString displayName(const Control &control);
// What assistive tools call a field: its caption, and for a box of an array the part of the
// row it holds: "Base (port)" where the box starts with "[port]", "Height 4" otherwise.
QString accessibleName(const Control &control);
// The row that describes a control, or nullptr.
const Control *find(QStringView objectName);
} // namespace Form
