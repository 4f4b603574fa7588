// SPDX-License-Identifier: MIT

#include "formtable.h"

namespace Form {

namespace {

using enum Kind;
using enum Style;

constexpr int Launch = 0, Ascent = 1, PlaneAlignment = 2, Synchronizing = 3, Approach = 4,
              Docking = 5, Undocking = 6, Reentry = 7, Landing = 8, MakeFile = 9;
constexpr int N = NoIndex;
constexpr const char *Required = "Process required, cannot ommit!";
constexpr Twips RequiredGeometry{4680, 1320, 3015, 255};
constexpr Twips PairContainer{4680, 1080, 2175, 495};
constexpr Twips Yes{0, 240, 975, 255};
constexpr Twips No{960, 240, 975, 255};

// Listed tab by tab, top to bottom; the window is built in this order.
// clang-format off
constexpr Control Controls[] = {
    {Button, "cmdOpen", N, OnWindow, nullptr, "Load MFC File", {480, 600, 1455, 495}},
    {Picture, "Picture1", N, OnWindow, nullptr, "", {2520, 0, 5415, 1815}},
    {Frame, "Frame1", N, OnWindow, nullptr, "Edit Mission", {120, 1920, 9855, 855}},
    {Readout, "lblFileEdit", N, OnWindow, "Frame1", "New", {240, 360, 9255, 255}, FileEdit},
    {Tabs, "SSTab1", N, OnWindow, nullptr, "", {120, 3000, 9855, 5085}},

    {Label, "lblRequired", Launch, Launch, nullptr, Required, RequiredGeometry, CannotOmmit},
    {TextBox, "txtLLabel", N, Launch, nullptr, "", {1680, 1800, 2295, 285}, Plain, "Label"},
    {TextBox, "txtLStartAt", N, Launch, nullptr, "", {1680, 2160, 2295, 285}, Plain, "Start At"},
    {TextBox, "txtLWakeUp", N, Launch, nullptr, "", {1680, 2520, 2295, 285}, Plain, "Wake Up"},
    {Readout, "lblLs", N, Launch, nullptr, "T - s", {4200, 2520, 2295, 255}, Centred},
    {TextBox, "txtLBase", 0, Launch, nullptr, "[planet]", {1680, 2880, 2295, 285}, Plain, "Base"},
    {TextBox, "txtLBase", 1, Launch, nullptr, "[base]", {4200, 2880, 2295, 285}},
    {TextBox, "txtLBase", 2, Launch, nullptr, "[port]", {6720, 2880, 495, 285}},
    {TextBox, "txtLHeading", N, Launch, nullptr, "", {1680, 3240, 2295, 285}, Plain, "Heading"},
    {TextBox, "txtLHoverAt", N, Launch, nullptr, "", {1680, 3600, 2295, 285}, Plain, "Hover At"},
    {TextBox, "txtLThrust", N, Launch, nullptr, "", {1680, 3960, 2295, 285}, Plain, "Thrust"},
    {TextBox, "txtLOrientation", 0, Launch, nullptr, "", {1680, 4320, 2295, 285}, Plain,
     "Orientation"},
    {TextBox, "txtLOrientation", 1, Launch, nullptr, "", {4200, 4320, 2295, 285}},
    {TextBox, "txtLOrientation", 2, Launch, nullptr, "", {6720, 4320, 2295, 285}},
    {TextBox, "txtLCompleteAt", N, Launch, nullptr, "", {1680, 4680, 2295, 285}, Plain,
     "Complete At"},
    {Readout, "lblLh", N, Launch, nullptr, "H = ", {4200, 4680, 2295, 255}, Centred},

    {Label, "lblRequired", Ascent, Ascent, nullptr, Required, RequiredGeometry, CannotOmmit},
    {TextBox, "txtAName", N, Ascent, nullptr, "", {1680, 1800, 2295, 285}, Plain, "Label"},
    {TextBox, "txtAHeight", 0, Ascent, nullptr, "2", {1680, 2280, 375, 285}, Plain, "Height"},
    {TextBox, "txtAHeight", 1, Ascent, nullptr, "10", {2280, 2280, 375, 285}},
    {TextBox, "txtAHeight", 2, Ascent, nullptr, "20", {2880, 2280, 375, 285}},
    {TextBox, "txtAHeight", 3, Ascent, nullptr, "60", {3480, 2280, 375, 285}},
    {TextBox, "txtAHeight", 4, Ascent, nullptr, "100", {4080, 2280, 375, 285}},
    {TextBox, "txtAHeight", 5, Ascent, nullptr, "150", {4680, 2280, 375, 285}},
    {TextBox, "txtAHeight", 6, Ascent, nullptr, "200", {5280, 2280, 375, 285}},
    {TextBox, "txtAHeight", 7, Ascent, nullptr, "260", {5880, 2280, 375, 285}},
    {TextBox, "txtAPitch", 0, Ascent, nullptr, "70", {1680, 2640, 375, 285}, Plain, "Pitch"},
    {TextBox, "txtAPitch", 1, Ascent, nullptr, "75", {2280, 2640, 375, 285}},
    {TextBox, "txtAPitch", 2, Ascent, nullptr, "70", {2880, 2640, 375, 285}},
    {TextBox, "txtAPitch", 3, Ascent, nullptr, "60", {3480, 2640, 375, 285}},
    {TextBox, "txtAPitch", 4, Ascent, nullptr, "50", {4080, 2640, 375, 285}},
    {TextBox, "txtAPitch", 5, Ascent, nullptr, "40", {4680, 2640, 375, 285}},
    {TextBox, "txtAPitch", 6, Ascent, nullptr, "20", {5280, 2640, 375, 285}},
    {TextBox, "txtAPitch", 7, Ascent, nullptr, "0", {5880, 2640, 375, 285}},
    {TextBox, "txtAThrust", 0, Ascent, nullptr, "100", {1680, 3000, 375, 285}, Plain, "Thrust"},
    {TextBox, "txtAThrust", 1, Ascent, nullptr, "100", {2280, 3000, 375, 285}},
    {TextBox, "txtAThrust", 2, Ascent, nullptr, "100", {2880, 3000, 375, 285}},
    {TextBox, "txtAThrust", 3, Ascent, nullptr, "100", {3480, 3000, 375, 285}},
    {TextBox, "txtAThrust", 4, Ascent, nullptr, "100", {4080, 3000, 375, 285}},
    {TextBox, "txtAThrust", 5, Ascent, nullptr, "100", {4680, 3000, 375, 285}},
    {TextBox, "txtAThrust", 6, Ascent, nullptr, "100", {5280, 3000, 375, 285}},
    {TextBox, "txtAThrust", 7, Ascent, nullptr, "100", {5880, 3000, 375, 285}},
    {TextBox, "txtALockVz", N, Ascent, nullptr, "", {1680, 3480, 2295, 285}, Plain, "Lock Vz"},
    {TextBox, "txtAAlignWith", N, Ascent, nullptr, "", {1680, 3840, 2295, 285}, Plain,
     "Align With"},
    {TextBox, "txtACompleteAt", N, Ascent, nullptr, "", {1680, 4200, 2295, 285}, Plain,
     "Complete At"},
    {Readout, "lblPed", N, Ascent, nullptr, "PeD = M", {4200, 4200, 2295, 255}, Centred},

    {OptionButton, "optPAOmmit", 0, PlaneAlignment, nullptr, "Yes", {4680, 1320, 975, 255}},
    {OptionButton, "optPAOmmit", 1, PlaneAlignment, nullptr, "No", {5640, 1320, 855, 255}},
    {TextBox, "txtPALabel", N, PlaneAlignment, nullptr, "", {1680, 1800, 2295, 285}, Plain,
     "Label"},
    {TextBox, "txtPAReference", N, PlaneAlignment, nullptr, "", {1680, 2160, 2295, 285}, Plain,
     "Reference"},
    {TextBox, "txtPAAlign", N, PlaneAlignment, nullptr, "", {1680, 2520, 2295, 285}, Plain,
     "Align"},

    {Container, "Picture2", N, Synchronizing, nullptr, "", PairContainer},
    {OptionButton, "optSOmmit", 0, Synchronizing, "Picture2", "Yes", Yes},
    {OptionButton, "optSOmmit", 1, Synchronizing, "Picture2", "No", No},
    {TextBox, "txtSName", N, Synchronizing, nullptr, "", {3480, 1800, 2295, 285}, Plain, "Label"},
    {TextBox, "txtSReference", N, Synchronizing, nullptr, "", {3480, 2160, 2295, 285}, Plain,
     "Reference"},
    {TextBox, "txtSCapDist", N, Synchronizing, nullptr, "", {3480, 2520, 2295, 285}, Plain,
     "CaptureDist"},
    {Label, "lblSCapDistUnit", N, Synchronizing, nullptr, "k", {6000, 2520, 255, 255}, FixedLeft},
    {Label, "lblSDOpen", N, Synchronizing, nullptr, "D(", {1680, 2880, 255, 255}, FixedRight},
    {Readout, "lblD", N, Synchronizing, nullptr, "", {2040, 2880, 855, 255}, Centred},
    {Label, "lblSDClose", N, Synchronizing, nullptr, ") =", {3000, 2880, 255, 255}, FixedLeft},
    {TextBox, "txtSCompleteAt", N, Synchronizing, nullptr, "", {3480, 2880, 2295, 285}, Plain,
     "Complete At"},
    {Label, "lblSCompleteAtUnit", N, Synchronizing, nullptr, "k", {6000, 2880, 255, 255},
     FixedLeft},

    {Container, "Picture3", N, Approach, nullptr, "", PairContainer},
    {OptionButton, "optAppOmmit", 0, Approach, "Picture3", "Yes", Yes},
    {OptionButton, "optAppOmmit", 1, Approach, "Picture3", "No", {960, 240, 1095, 255}},
    {TextBox, "txtAppName", N, Approach, nullptr, "", {3480, 1800, 2295, 285}, Plain, "Label"},
    {TextBox, "txtAppReference", N, Approach, nullptr, "", {3480, 2160, 2295, 285}, Plain,
     "Reference"},
    {TextBox, "txtAppNav", N, Approach, nullptr, "", {3480, 2520, 2295, 285}, Plain, "NAV"},
    {Label, "lblAppDOpen", N, Approach, nullptr, "D(", {1680, 2880, 255, 255}, FixedRight},
    {Readout, "lblAppD", N, Approach, nullptr, "", {2040, 2880, 855, 255}, Centred},
    {Label, "lblAppDClose", N, Approach, nullptr, ") =", {3000, 2880, 255, 255}, FixedLeft},
    {TextBox, "txtAppCompleteAt", N, Approach, nullptr, "", {3480, 2880, 2295, 285}, Plain,
     "Complete At"},

    {Container, "Picture4", N, Docking, nullptr, "", {4560, 1200, 2175, 375}},
    {OptionButton, "optDOmmit", 0, Docking, "Picture4", "Yes", {120, 120, 975, 255}},
    {OptionButton, "optDOmmit", 1, Docking, "Picture4", "No", {1080, 120, 975, 255}},
    {TextBox, "txtDName", N, Docking, nullptr, "", {1680, 1800, 2295, 285}, Plain, "Label",
     "lblDName"},
    {TextBox, "txtDReference", N, Docking, nullptr, "", {1680, 2160, 2295, 285}, Plain,
     "Reference"},
    {TextBox, "txtDPort", N, Docking, nullptr, "", {1680, 2520, 2295, 285}, Plain, "Port"},
    {TextBox, "txtDNAV", N, Docking, nullptr, "", {1680, 2880, 2295, 285}, Plain, "NAV"},
    {CheckBox, "chkDCmdsK", N, Docking, nullptr, "Nose cone", {1680, 3240, 1215, 255}, Plain,
     "Commands"},
    {CheckBox, "chkDCmdsCC", N, Docking, nullptr, "Docking Clearance", {3000, 3240, 1695, 255}},

    {Container, "Picture5", N, Undocking, nullptr, "", PairContainer},
    {OptionButton, "optUOmmit", 0, Undocking, "Picture5", "Yes", Yes},
    {OptionButton, "optUOmmit", 1, Undocking, "Picture5", "No", No},
    {TextBox, "txtULabel", N, Undocking, nullptr, "", {1680, 1800, 2295, 285}, Plain, "Label"},
    {TextBox, "txtUStartAt", N, Undocking, nullptr, "", {1680, 2160, 2295, 285}, Plain,
     "Start At"},
    {TextBox, "txtUReference", N, Undocking, nullptr, "", {1680, 2520, 2295, 285}, Plain,
     "Reference"},
    {TextBox, "txtUPort", N, Undocking, nullptr, "", {1680, 2880, 2295, 285}, Plain, "Port"},
    {TextBox, "txtUVRel", N, Undocking, nullptr, "", {1680, 3240, 2295, 285}, Plain, "VRel"},
    {Label, "lblUCmds", N, Undocking, nullptr, "K", {1680, 3600, 255, 255}, FixedLeft,
     "Commands"},

    {Container, "Picture6", N, Reentry, nullptr, "", PairContainer},
    {OptionButton, "optROmmit", 0, Reentry, "Picture6", "Yes", Yes},
    {OptionButton, "optROmmit", 1, Reentry, "Picture6", "No", No},
    {TextBox, "txtRName", N, Reentry, nullptr, "", {1680, 1800, 2295, 285}, Plain, "Label"},
    {TextBox, "txtRStartAt", N, Reentry, nullptr, "", {1680, 2160, 2295, 285}, Plain,
     "Start At"},
    {TextBox, "txtRAoa", N, Reentry, nullptr, "", {1680, 2520, 2295, 285}, Plain, "AOA"},
    {TextBox, "txtRBase", N, Reentry, nullptr, "", {1680, 2880, 2295, 285}, Plain, "Base"},
    {TextBox, "txtRCompleteAt", N, Reentry, nullptr, "", {1680, 3240, 2295, 285}, Plain,
     "Complete At"},
    {Readout, "lblRCompleteAt", N, Reentry, nullptr, "H = k", {4080, 3240, 2295, 255}, Centred},

    {Container, "Picture7", N, Landing, nullptr, "", PairContainer},
    {OptionButton, "optLndOmmit", 0, Landing, "Picture7", "Yes", Yes},
    {OptionButton, "optLndOmmit", 1, Landing, "Picture7", "No", No},
    {TextBox, "txtLndName", N, Landing, nullptr, "", {1680, 1800, 2295, 285}, Plain, "Label"},
    {TextBox, "txtLndBase", N, Landing, nullptr, "", {1680, 2160, 2295, 285}, Plain, "Base"},
    {TextBox, "txtLndHoverPad", 0, Landing, nullptr, "", {1680, 2520, 2295, 285}, Plain,
     "Hover Pad"},
    {TextBox, "txtLndHoverPad", 1, Landing, nullptr, "", {4200, 2520, 2295, 285}},
    {TextBox, "txtLndNAV", N, Landing, nullptr, "", {1680, 2880, 2295, 285}, Plain, "NAV"},

    {Label, "lblRequired", MakeFile, MakeFile, nullptr, Required, RequiredGeometry, CannotOmmit},
    {TextBox, "txtFileName", N, MakeFile, nullptr, "", {1680, 1800, 2295, 285}, Plain,
     "File Name"},
    {Label, "lblFileExtension", N, MakeFile, nullptr, ".qav", {4080, 1800, 495, 255}, FixedLeft},
    {TextBox, "txtDirectory", N, MakeFile, nullptr, "C:\\Orbiter\\QAV\\", {1680, 2160, 7695, 285},
     Plain, "Directory"},
    {TextBox, "txtMissionName", N, MakeFile, nullptr, "", {1680, 2520, 2295, 285}, Plain,
     "Mission Name"},
    {MultiLineBox, "txtInsert", N, MakeFile, nullptr, "", {1680, 3000, 7695, 1335}, Plain,
     "Please insert into \"missions.lst\""},
    {Button, "cmdMakeMission", N, MakeFile, nullptr, "Make Mission", {4440, 4440, 1575, 495}},
};

constexpr Line Lines[] = {
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

} // namespace

std::span<const Control> controls() { return Controls; }

std::span<const Line> lines() { return Lines; }

QStringList tabCaptions()
{
    return {QStringLiteral("1 - Launch"),          QStringLiteral("2 - Ascent"),
            QStringLiteral("3 - Plane Alignment"), QStringLiteral("4 - Synchronizing"),
            QStringLiteral("5 - Approach"),        QStringLiteral("6 - Docking"),
            QStringLiteral("7 - Undocking"),       QStringLiteral("8 - Reentry"),
            QStringLiteral("9 - Landing"),         QStringLiteral("10 - Make File")};
}

QString objectName(const char *name, int index)
{
    const QString bare = QString::fromLatin1(name);
    return index == NoIndex ? bare : QStringLiteral("%1(%2)").arg(bare).arg(index);
}

QString objectName(const Control &control) { return objectName(control.name, control.index); }

QString captionObjectName(const Control &control)
{
    if (control.captionName)
        return QString::fromLatin1(control.captionName);
    // "txtLStartAt" gives "lblLStartAtCaption".
    return QStringLiteral("lbl") + QString::fromLatin1(control.name).mid(3)
            + QStringLiteral("Caption");
}

Twips captionGeometry(const Control &control)
{
    const int height = control.kind == Kind::MultiLineBox ? TwoLineCaptionHeight : CaptionHeight;
    return {CaptionLeft, control.geometry.top, CaptionWidth, height};
}

} // namespace Form

namespace Form {

const Control *find(QStringView name)
{
    for (const Control &control : controls()) {
        if (objectName(control) == name)
            return &control;
    }
    return nullptr;
}

QString displayName(const Control &control)
{
    if (control.index == NoIndex)
        return QString::fromUtf8(control.caption ? control.caption : control.name);
    const Control *first = find(objectName(control.name, 0));
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(first->caption)).arg(control.index + 1);
}

QString accessibleName(const Control &control)
{
    const QString text = QString::fromUtf8(control.text);
    if (control.index == NoIndex || !text.startsWith(u'[') || !text.endsWith(u']'))
        return displayName(control);
    const Control *first = find(objectName(control.name, 0));
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(first->caption),
                                         text.mid(1, text.size() - 2));
}

} // namespace Form
