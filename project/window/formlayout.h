// SPDX-License-Identifier: MIT

// Where the window puts each control of the form, in twips as the form was drawn, and how
// its labels look: one place per row of the form table, in the table's order (checked while
// compiling), the ruled lines and the furniture every tab has. Only the window reads this, so
// moving a box rebuilds the window alone.
#pragma once

#include <QRect>
#include <QSize>

#include <iterator>
#include <string_view>

#include "formtable.h"

namespace Layout {

inline constexpr int TwipsPerPixel = 15;

struct Twips
{
    int left, top, width, height;
    constexpr QRect toPixels() const
    {
        return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                height / TwipsPerPixel};
    }
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

// Where one control of the form stands: relative to the tab container, or to its parent.
struct Place
{
    const char *name;
    int index;
    Twips at;
    Style style = Style::Plain;
};

// A ruled line on a tab, from one point to another (twips, tab container coordinates).
struct Line
{
    int tab;
    int x1, y1, x2, y2;
};

namespace Table {

using namespace Form::Table;
using enum Style;
using Form::NoIndex;

inline constexpr Twips RequiredGeometry{4680, 1320, 3015, 255};
inline constexpr Twips PairContainer{4680, 1080, 2175, 495};
inline constexpr Twips Yes{0, 240, 975, 255};
inline constexpr Twips No{960, 240, 975, 255};

// clang-format off
inline constexpr Place Places[] = {
    {"cmdOpen", NoIndex, {480, 600, 1455, 495}},
    {"Picture1", NoIndex, {2520, 0, 5415, 1815}},
    {"Frame1", NoIndex, {120, 1920, 9855, 855}},
    {"lblFileEdit", NoIndex, {240, 360, 9255, 255}, FileEdit},
    {"SSTab1", NoIndex, {120, 3000, 9855, 5085}},
    {"lblRequired", Launch, RequiredGeometry, CannotOmmit},
    {"txtLLabel", NoIndex, {1680, 1800, 2295, 285}},
    {"txtLStartAt", NoIndex, {1680, 2160, 2295, 285}},
    {"txtLWakeUp", NoIndex, {1680, 2520, 2295, 285}},
    {"lblLs", NoIndex, {4200, 2520, 2295, 255}, Centred},
    {"txtLBase", 0, {1680, 2880, 2295, 285}},
    {"txtLBase", 1, {4200, 2880, 2295, 285}},
    {"txtLBase", 2, {6720, 2880, 495, 285}},
    {"txtLHeading", NoIndex, {1680, 3240, 2295, 285}},
    {"txtLHoverAt", NoIndex, {1680, 3600, 2295, 285}},
    {"txtLThrust", NoIndex, {1680, 3960, 2295, 285}},
    {"txtLOrientation", 0, {1680, 4320, 2295, 285}},
    {"txtLOrientation", 1, {4200, 4320, 2295, 285}},
    {"txtLOrientation", 2, {6720, 4320, 2295, 285}},
    {"txtLCompleteAt", NoIndex, {1680, 4680, 2295, 285}},
    {"lblLh", NoIndex, {4200, 4680, 2295, 255}, Centred},
    {"lblRequired", Ascent, RequiredGeometry, CannotOmmit},
    {"txtAName", NoIndex, {1680, 1800, 2295, 285}},
    {"txtAHeight", 0, {1680, 2280, 375, 285}},
    {"txtAHeight", 1, {2280, 2280, 375, 285}},
    {"txtAHeight", 2, {2880, 2280, 375, 285}},
    {"txtAHeight", 3, {3480, 2280, 375, 285}},
    {"txtAHeight", 4, {4080, 2280, 375, 285}},
    {"txtAHeight", 5, {4680, 2280, 375, 285}},
    {"txtAHeight", 6, {5280, 2280, 375, 285}},
    {"txtAHeight", 7, {5880, 2280, 375, 285}},
    {"txtAPitch", 0, {1680, 2640, 375, 285}},
    {"txtAPitch", 1, {2280, 2640, 375, 285}},
    {"txtAPitch", 2, {2880, 2640, 375, 285}},
    {"txtAPitch", 3, {3480, 2640, 375, 285}},
    {"txtAPitch", 4, {4080, 2640, 375, 285}},
    {"txtAPitch", 5, {4680, 2640, 375, 285}},
    {"txtAPitch", 6, {5280, 2640, 375, 285}},
    {"txtAPitch", 7, {5880, 2640, 375, 285}},
    {"txtAThrust", 0, {1680, 3000, 375, 285}},
    {"txtAThrust", 1, {2280, 3000, 375, 285}},
    {"txtAThrust", 2, {2880, 3000, 375, 285}},
    {"txtAThrust", 3, {3480, 3000, 375, 285}},
    {"txtAThrust", 4, {4080, 3000, 375, 285}},
    {"txtAThrust", 5, {4680, 3000, 375, 285}},
    {"txtAThrust", 6, {5280, 3000, 375, 285}},
    {"txtAThrust", 7, {5880, 3000, 375, 285}},
    {"txtALockVz", NoIndex, {1680, 3480, 2295, 285}},
    {"txtAAlignWith", NoIndex, {1680, 3840, 2295, 285}},
    {"txtACompleteAt", NoIndex, {1680, 4200, 2295, 285}},
    {"lblPed", NoIndex, {4200, 4200, 2295, 255}, Centred},
    {"optPAOmmit", 0, {4680, 1320, 975, 255}},
    {"optPAOmmit", 1, {5640, 1320, 855, 255}},
    {"txtPALabel", NoIndex, {1680, 1800, 2295, 285}},
    {"txtPAReference", NoIndex, {1680, 2160, 2295, 285}},
    {"txtPAAlign", NoIndex, {1680, 2520, 2295, 285}},
    {"Picture2", NoIndex, PairContainer},
    {"optSOmmit", 0, Yes},
    {"optSOmmit", 1, No},
    {"txtSName", NoIndex, {3480, 1800, 2295, 285}},
    {"txtSReference", NoIndex, {3480, 2160, 2295, 285}},
    {"txtSCapDist", NoIndex, {3480, 2520, 2295, 285}},
    {"lblSCapDistUnit", NoIndex, {6000, 2520, 255, 255}, FixedLeft},
    {"lblSDOpen", NoIndex, {1680, 2880, 255, 255}, FixedRight},
    {"lblD", NoIndex, {2040, 2880, 855, 255}, Centred},
    {"lblSDClose", NoIndex, {3000, 2880, 255, 255}, FixedLeft},
    {"txtSCompleteAt", NoIndex, {3480, 2880, 2295, 285}},
    {"lblSCompleteAtUnit", NoIndex, {6000, 2880, 255, 255}, FixedLeft},
    {"Picture3", NoIndex, PairContainer},
    {"optAppOmmit", 0, Yes},
    {"optAppOmmit", 1, {960, 240, 1095, 255}},
    {"txtAppName", NoIndex, {3480, 1800, 2295, 285}},
    {"txtAppReference", NoIndex, {3480, 2160, 2295, 285}},
    {"txtAppNav", NoIndex, {3480, 2520, 2295, 285}},
    {"lblAppDOpen", NoIndex, {1680, 2880, 255, 255}, FixedRight},
    {"lblAppD", NoIndex, {2040, 2880, 855, 255}, Centred},
    {"lblAppDClose", NoIndex, {3000, 2880, 255, 255}, FixedLeft},
    {"txtAppCompleteAt", NoIndex, {3480, 2880, 2295, 285}},
    {"Picture4", NoIndex, {4560, 1200, 2175, 375}},
    {"optDOmmit", 0, {120, 120, 975, 255}},
    {"optDOmmit", 1, {1080, 120, 975, 255}},
    {"txtDName", NoIndex, {1680, 1800, 2295, 285}},
    {"txtDReference", NoIndex, {1680, 2160, 2295, 285}},
    {"txtDPort", NoIndex, {1680, 2520, 2295, 285}},
    {"txtDNAV", NoIndex, {1680, 2880, 2295, 285}},
    {"chkDCmdsK", NoIndex, {1680, 3240, 1215, 255}},
    {"chkDCmdsCC", NoIndex, {3000, 3240, 1695, 255}},
    {"Picture5", NoIndex, PairContainer},
    {"optUOmmit", 0, Yes},
    {"optUOmmit", 1, No},
    {"txtULabel", NoIndex, {1680, 1800, 2295, 285}},
    {"txtUStartAt", NoIndex, {1680, 2160, 2295, 285}},
    {"txtUReference", NoIndex, {1680, 2520, 2295, 285}},
    {"txtUPort", NoIndex, {1680, 2880, 2295, 285}},
    {"txtUVRel", NoIndex, {1680, 3240, 2295, 285}},
    {"lblUCmds", NoIndex, {1680, 3600, 255, 255}, FixedLeft},
    {"Picture6", NoIndex, PairContainer},
    {"optROmmit", 0, Yes},
    {"optROmmit", 1, No},
    {"txtRName", NoIndex, {1680, 1800, 2295, 285}},
    {"txtRStartAt", NoIndex, {1680, 2160, 2295, 285}},
    {"txtRAoa", NoIndex, {1680, 2520, 2295, 285}},
    {"txtRBase", NoIndex, {1680, 2880, 2295, 285}},
    {"txtRCompleteAt", NoIndex, {1680, 3240, 2295, 285}},
    {"lblRCompleteAt", NoIndex, {4080, 3240, 2295, 255}, Centred},
    {"Picture7", NoIndex, PairContainer},
    {"optLndOmmit", 0, Yes},
    {"optLndOmmit", 1, No},
    {"txtLndName", NoIndex, {1680, 1800, 2295, 285}},
    {"txtLndBase", NoIndex, {1680, 2160, 2295, 285}},
    {"txtLndHoverPad", 0, {1680, 2520, 2295, 285}},
    {"txtLndHoverPad", 1, {4200, 2520, 2295, 285}},
    {"txtLndNAV", NoIndex, {1680, 2880, 2295, 285}},
    {"lblRequired", MakeFile, RequiredGeometry, CannotOmmit},
    {"txtFileName", NoIndex, {1680, 1800, 2295, 285}},
    {"lblFileExtension", NoIndex, {4080, 1800, 495, 255}, FixedLeft},
    {"txtDirectory", NoIndex, {1680, 2160, 7695, 285}},
    {"txtMissionName", NoIndex, {1680, 2520, 2295, 285}},
    {"txtInsert", NoIndex, {1680, 3000, 7695, 1335}},
    {"cmdMakeMission", NoIndex, {4440, 4440, 1575, 495}},
};

inline constexpr Line Lines[] = {
    {Launch, 4080, 1680, 4080, 5040},
    {Launch, 6600, 1680, 6600, 5040},
    {Ascent, 1560, 2160, 6360, 2160},
    {Ascent, 1560, 3360, 6360, 3360},
    {Ascent, 2160, 2160, 2160, 3360},
    {Ascent, 2760, 2160, 2760, 3360},
    {Ascent, 3360, 2160, 3360, 3360},
    {Ascent, 3960, 2160, 3960, 3360},
    {Ascent, 4560, 2160, 4560, 3360},
    {Ascent, 5160, 2160, 5160, 3360},
    {Ascent, 5760, 2160, 5760, 3360},
    {Ascent, 6360, 2160, 6360, 3360},
    {Ascent, 4080, 3360, 4080, 5040},
    {Synchronizing, 3360, 1680, 3360, 5040},
    {Synchronizing, 5880, 1680, 5880, 5040},
    {Approach, 3360, 1680, 3360, 5040},
    {Landing, 4080, 1680, 4080, 5040},
    {MakeFile, 240, 2880, 9360, 2880},
};
// clang-format on

} // namespace Table

// The window's size in pixels.
inline constexpr QSize WindowSize{674, 544};
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

// The place of a control of the form.
constexpr const Place &placeOf(Form::Id id) { return Table::Places[id.row]; }
// The label with a control's row caption stands left of it, on its row.
Twips captionGeometry(Form::Id id);

// Every control of the form has its place, in the table's order.
static_assert(std::size(Table::Places) == std::size_t(Form::RowCount));
static_assert(
        [] {
            for (int row = 0; row < Form::RowCount; ++row) {
                const Form::Control &control = Form::Table::Controls[row];
                if (std::string_view(Table::Places[row].name) != control.name
                    || Table::Places[row].index != control.index)
                    return false;
            }
            return true;
        }(),
        "the layout must give each control of the form table its place, in the table's order");

} // namespace Layout
