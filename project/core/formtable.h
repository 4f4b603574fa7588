// SPDX-License-Identifier: MIT

// The form described as data, each fact once: every control with its kind, tab, text at
// creation and the caption beside it; for each field also the rule that copies its text into
// the MissionModel, how the model value is made and shown, its line in the mission file and
// its key in the project file; and the steps. The form, the mission writer, the project file
// and the window read these tables; where each control stands is the window's own
// (formlayout.h), so that nothing lists a field a second time.
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <span>
#include <string_view>

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

// What a change of a field does; each field's change rule (txtLStartAt_Change,
// txtAHeight_Change, chkDCmdsK_Click, txtFileName_Change, ...) is its row's kind.
enum class Rule {
    None,
    Text,      // the model value is the text as `stored` makes it; the readout shows it
    Reference, // as Text, and the distance condition built on it follows
    Distance,  // the text with the present text of the reference field
    Refresh,   // every element of the array is read again, whichever changed
    Command,   // a check box: its command while ticked
    FileName,  // the mission path and the catalogue entry
    MissionName,
    Directory, // the mission path, once there is a file name
};

// How the project file keeps a field.
enum class Stored {
    Text,      // the field's text
    Check,     // "Yes" for a ticked box, "No" otherwise
    Boxes,     // the texts of an array's boxes, joined
    ModelList, // the model values of an array without units, joined
    Fixed,     // the label's own text
};

// What a field names in the simulator, which its installation knows: completion offers these
// names, and a check reports a name it does not know.
enum class Names {
    None,
    Body,     // a planet or moon
    BodyBase, // a base of the body the field before it names
    Pad,      // a pad's number at the base the field before it names
    Base,     // a base of the launch body, or of any body
    Vessel,   // a vessel of the last flight, or a body
};

inline constexpr int OnWindow = -1;
inline constexpr int NoIndex = -1;

// What the mission file needs of a field: its Var line, and how the line shows the model
// value ("%1"). The readout beside the field shows the value as the line does.
struct MissionLine
{
    const char *var = nullptr;
    const char *format = "%1";
};

// What the project file needs of a field: its key in the step's section, and what is kept.
struct ProjectEntry
{
    const char *key = nullptr;
    Stored stored = Stored::Text;
};

// One control. An array is declared by its element 0; the other elements give only their own
// text. "%1" in a format is the text or value, "%2" the reference.
struct Control
{
    // The form and its rules.
    Kind kind;
    const char *name;
    int index = NoIndex;               // element of a control array
    int tab = OnWindow;                // 0 to 9
    const char *parent = nullptr;      // a container on the tab or window
    const char *text = "";             // text, caption or value at creation
    const char *caption = nullptr;     // the row caption beside the control
    const char *captionName = nullptr; // its label's name, when it has a historic one
    bool checked = false;              // ticked or chosen at creation
    Rule rule = Rule::None;
    bool ruleAtStart = false;        // start-up runs it, so that the text at creation counts
    const char *modelFormat = "%1";  // the model value made of the text
    const char *readout = nullptr;   // the label the rule refreshes
    const char *reference = nullptr; // the field a distance condition names
    const char *command = nullptr;   // a check box's command
    char16_t separator = u' ';       // between the elements of a list

    MissionLine mission{};
    ProjectEntry project{};

    // The simulator's installation.
    Names names = Names::None;
};

// A flight step, or the last tab, which makes the file.
struct Step
{
    const char *caption;   // of its tab
    const char *section;   // in the project file
    const char *flagKey;   // for a step that can be left out: its flag in "Settings"
    const char *processor; // its processor line in the mission file
};

namespace Table {

using enum Kind;

inline constexpr int Launch = 0, Ascent = 1, PlaneAlignment = 2, Synchronizing = 3, Approach = 4,
                     Docking = 5, Undocking = 6, Reentry = 7, Landing = 8, MakeFile = 9;
inline constexpr const char *Required = "Process required, cannot ommit!";

// Where missions go until the user names a directory: the folder the autopilot reads them
// from in the simulator's usual installation. Start-up shows it when no directory is
// remembered.
inline constexpr const char *DefaultDirectory = "C:\\Orbiter\\QAV";

// clang-format off
inline constexpr Step Steps[] = {
    {"1 - Launch", "Launch", nullptr, R"(<Processor type="Launch" mode="Hover">)"},
    {"2 - Ascent", "Ascent", nullptr, R"(<Processor type="Profile">)"},
    {"3 - Plane Alignment", "Plane Alignment", "PAOmmit", R"(<Processor type="AlignOrbit">)"},
    {"4 - Synchronizing", "Synchronizing", "SOmmit", R"(<Processor type="SyncOrbit">)"},
    {"5 - Approach", "Approach", "AppOmmit", R"(<Processor type="Approach">)"},
    {"6 - Docking", "Docking", "DOmmit", R"(<Processor type="Docking" mode="Lock">)"},
    {"7 - Undocking", "Undocking", "UOmmit", R"(<Processor type="Docking" mode="Release">)"},
    {"8 - Reentry", "Reentry", "ROmmit", R"(<Processor type="Reentry">)"},
    {"9 - Landing", "Landing", "LndOmmit", R"(<Processor type="Landing" mode="Hover">)"},
    {"10 - Make File", "Settings", nullptr, nullptr},
};

// Listed tab by tab, top to bottom; the window is built in this order.
inline constexpr Control Controls[] = {
    {.kind = Button, .name = "cmdOpen", .tab = OnWindow, .text = "Load MFC File"},
    {.kind = Picture, .name = "Picture1", .tab = OnWindow},
    {.kind = Frame, .name = "Frame1", .tab = OnWindow, .text = "Edit Mission"},
    {.kind = Readout, .name = "lblFileEdit", .tab = OnWindow, .parent = "Frame1", .text = "New"},
    {.kind = Tabs, .name = "SSTab1", .tab = OnWindow},

    {.kind = Label, .name = "lblRequired", .index = Launch, .tab = Launch, .text = Required},
    {.kind = TextBox, .name = "txtLLabel", .tab = Launch, .caption = "Label", .rule = Rule::Text, .project = {.key = "Label"}},
    {.kind = TextBox, .name = "txtLStartAt", .tab = Launch, .caption = "Start At", .rule = Rule::Text, .mission = {.var = "StartAt", .format = "T = %1"}, .project = {.key = "StartAt"}},
    {.kind = TextBox, .name = "txtLWakeUp", .tab = Launch, .caption = "Wake Up", .rule = Rule::Text, .modelFormat = "%1s", .readout = "lblLs", .mission = {.var = "WakeUp", .format = "T - %1"}, .project = {.key = "WakeUp"}},
    {.kind = Readout, .name = "lblLs", .tab = Launch},
    {.kind = TextBox, .name = "txtLBase", .index = 0, .tab = Launch, .text = "[planet]", .caption = "Base", .rule = Rule::Refresh, .separator = u':', .mission = {.var = "Base"}, .project = {.key = "Base", .stored = Stored::Boxes}, .names = Names::Body},
    {.kind = TextBox, .name = "txtLBase", .index = 1, .tab = Launch, .text = "[base]", .names = Names::BodyBase},
    {.kind = TextBox, .name = "txtLBase", .index = 2, .tab = Launch, .text = "[port]", .names = Names::Pad},
    {.kind = TextBox, .name = "txtLHeading", .tab = Launch, .caption = "Heading", .rule = Rule::Text, .mission = {.var = "Heading"}, .project = {.key = "Heading"}},
    {.kind = TextBox, .name = "txtLHoverAt", .tab = Launch, .caption = "Hover At", .rule = Rule::Text, .mission = {.var = "HoverAt"}, .project = {.key = "HoverAt"}},
    {.kind = TextBox, .name = "txtLThrust", .tab = Launch, .caption = "Thrust", .rule = Rule::Text, .mission = {.var = "Thrust"}, .project = {.key = "Thrust"}},
    {.kind = TextBox, .name = "txtLOrientation", .index = 0, .tab = Launch, .caption = "Orientation", .rule = Rule::Refresh, .mission = {.var = "Orientation"}, .project = {.key = "Orientation", .stored = Stored::Boxes}},
    {.kind = TextBox, .name = "txtLOrientation", .index = 1, .tab = Launch},
    {.kind = TextBox, .name = "txtLOrientation", .index = 2, .tab = Launch},
    {.kind = TextBox, .name = "txtLCompleteAt", .tab = Launch, .caption = "Complete At", .rule = Rule::Text, .modelFormat = "H = %1", .readout = "lblLh", .mission = {.var = "CompleteAt"}, .project = {.key = "CompleteAt"}},
    {.kind = Readout, .name = "lblLh", .tab = Launch},

    {.kind = Label, .name = "lblRequired", .index = Ascent, .tab = Ascent, .text = Required},
    {.kind = TextBox, .name = "txtAName", .tab = Ascent, .caption = "Label", .rule = Rule::Text, .project = {.key = "Label"}},
    {.kind = TextBox, .name = "txtAHeight", .index = 0, .tab = Ascent, .text = "2", .caption = "Height", .rule = Rule::Refresh, .ruleAtStart = true, .modelFormat = "%1k", .mission = {.var = "H"}, .project = {.key = "Height", .stored = Stored::ModelList}},
    {.kind = TextBox, .name = "txtAHeight", .index = 1, .tab = Ascent, .text = "10"},
    {.kind = TextBox, .name = "txtAHeight", .index = 2, .tab = Ascent, .text = "20"},
    {.kind = TextBox, .name = "txtAHeight", .index = 3, .tab = Ascent, .text = "60"},
    {.kind = TextBox, .name = "txtAHeight", .index = 4, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAHeight", .index = 5, .tab = Ascent, .text = "150"},
    {.kind = TextBox, .name = "txtAHeight", .index = 6, .tab = Ascent, .text = "200"},
    {.kind = TextBox, .name = "txtAHeight", .index = 7, .tab = Ascent, .text = "260"},
    {.kind = TextBox, .name = "txtAPitch", .index = 0, .tab = Ascent, .text = "70", .caption = "Pitch", .rule = Rule::Refresh, .ruleAtStart = true, .mission = {.var = "Pitch"}, .project = {.key = "Pitch", .stored = Stored::ModelList}},
    {.kind = TextBox, .name = "txtAPitch", .index = 1, .tab = Ascent, .text = "75"},
    {.kind = TextBox, .name = "txtAPitch", .index = 2, .tab = Ascent, .text = "70"},
    {.kind = TextBox, .name = "txtAPitch", .index = 3, .tab = Ascent, .text = "60"},
    {.kind = TextBox, .name = "txtAPitch", .index = 4, .tab = Ascent, .text = "50"},
    {.kind = TextBox, .name = "txtAPitch", .index = 5, .tab = Ascent, .text = "40"},
    {.kind = TextBox, .name = "txtAPitch", .index = 6, .tab = Ascent, .text = "20"},
    {.kind = TextBox, .name = "txtAPitch", .index = 7, .tab = Ascent, .text = "0"},
    {.kind = TextBox, .name = "txtAThrust", .index = 0, .tab = Ascent, .text = "100", .caption = "Thrust", .rule = Rule::Refresh, .ruleAtStart = true, .mission = {.var = "Thrust"}, .project = {.key = "Thrust", .stored = Stored::ModelList}},
    {.kind = TextBox, .name = "txtAThrust", .index = 1, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAThrust", .index = 2, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAThrust", .index = 3, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAThrust", .index = 4, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAThrust", .index = 5, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAThrust", .index = 6, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAThrust", .index = 7, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtALockVz", .tab = Ascent, .caption = "Lock Vz", .rule = Rule::Text, .mission = {.var = "LockVz"}, .project = {.key = "LockVz"}},
    {.kind = TextBox, .name = "txtAAlignWith", .tab = Ascent, .caption = "Align With", .rule = Rule::Text, .mission = {.var = "AlignWith"}, .project = {.key = "AlignWith"}, .names = Names::Vessel},
    {.kind = TextBox, .name = "txtACompleteAt", .tab = Ascent, .caption = "Complete At", .rule = Rule::Text, .modelFormat = "PeD = %1M", .readout = "lblPed", .mission = {.var = "CompleteAt"}, .project = {.key = "CompleteAt"}},
    {.kind = Readout, .name = "lblPed", .tab = Ascent},

    {.kind = OptionButton, .name = "optPAOmmit", .index = 0, .tab = PlaneAlignment, .text = "Yes"},
    {.kind = OptionButton, .name = "optPAOmmit", .index = 1, .tab = PlaneAlignment, .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtPALabel", .tab = PlaneAlignment, .caption = "Label", .rule = Rule::Text, .project = {.key = "Label"}},
    {.kind = TextBox, .name = "txtPAReference", .tab = PlaneAlignment, .caption = "Reference", .rule = Rule::Text, .mission = {.var = "Reference"}, .project = {.key = "Reference"}, .names = Names::Vessel},
    {.kind = TextBox, .name = "txtPAAlign", .tab = PlaneAlignment, .caption = "Align", .rule = Rule::Text, .mission = {.var = "Align"}, .project = {.key = "Align"}},

    {.kind = Container, .name = "Picture2", .tab = Synchronizing},
    {.kind = OptionButton, .name = "optSOmmit", .index = 0, .tab = Synchronizing, .parent = "Picture2", .text = "Yes"},
    {.kind = OptionButton, .name = "optSOmmit", .index = 1, .tab = Synchronizing, .parent = "Picture2", .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtSName", .tab = Synchronizing, .caption = "Label", .rule = Rule::Text, .project = {.key = "Label"}},
    {.kind = TextBox, .name = "txtSReference", .tab = Synchronizing, .caption = "Reference", .rule = Rule::Reference, .readout = "lblD", .mission = {.var = "Reference"}, .project = {.key = "Reference"}, .names = Names::Vessel},
    {.kind = TextBox, .name = "txtSCapDist", .tab = Synchronizing, .caption = "CaptureDist", .rule = Rule::Text, .modelFormat = "%1k", .mission = {.var = "CaptureDist"}, .project = {.key = "CaptureDist"}},
    {.kind = Label, .name = "lblSCapDistUnit", .tab = Synchronizing, .text = "k"},
    {.kind = Label, .name = "lblSDOpen", .tab = Synchronizing, .text = "D("},
    {.kind = Readout, .name = "lblD", .tab = Synchronizing},
    {.kind = Label, .name = "lblSDClose", .tab = Synchronizing, .text = ") ="},
    {.kind = TextBox, .name = "txtSCompleteAt", .tab = Synchronizing, .caption = "Complete At", .rule = Rule::Distance, .modelFormat = "D(%2) = %1k", .reference = "txtSReference", .mission = {.var = "CompleteAt"}, .project = {.key = "CompleteAt"}},
    {.kind = Label, .name = "lblSCompleteAtUnit", .tab = Synchronizing, .text = "k"},

    {.kind = Container, .name = "Picture3", .tab = Approach},
    {.kind = OptionButton, .name = "optAppOmmit", .index = 0, .tab = Approach, .parent = "Picture3", .text = "Yes"},
    {.kind = OptionButton, .name = "optAppOmmit", .index = 1, .tab = Approach, .parent = "Picture3", .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtAppName", .tab = Approach, .caption = "Label", .rule = Rule::Text, .project = {.key = "Label"}},
    {.kind = TextBox, .name = "txtAppReference", .tab = Approach, .caption = "Reference", .rule = Rule::Reference, .readout = "lblAppD", .mission = {.var = "Reference"}, .project = {.key = "Reference"}, .names = Names::Vessel},
    {.kind = TextBox, .name = "txtAppNav", .tab = Approach, .caption = "NAV", .rule = Rule::Text, .mission = {.var = "NAV"}, .project = {.key = "NAV"}},
    {.kind = Label, .name = "lblAppDOpen", .tab = Approach, .text = "D("},
    {.kind = Readout, .name = "lblAppD", .tab = Approach},
    {.kind = Label, .name = "lblAppDClose", .tab = Approach, .text = ") ="},
    {.kind = TextBox, .name = "txtAppCompleteAt", .tab = Approach, .caption = "Complete At", .rule = Rule::Distance, .modelFormat = "D(%2) = %1", .reference = "txtAppReference", .mission = {.var = "CompleteAt"}, .project = {.key = "CompleteAt"}},

    {.kind = Container, .name = "Picture4", .tab = Docking},
    {.kind = OptionButton, .name = "optDOmmit", .index = 0, .tab = Docking, .parent = "Picture4", .text = "Yes"},
    {.kind = OptionButton, .name = "optDOmmit", .index = 1, .tab = Docking, .parent = "Picture4", .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtDName", .tab = Docking, .caption = "Label", .captionName = "lblDName", .rule = Rule::Text, .project = {.key = "Label"}},
    {.kind = TextBox, .name = "txtDReference", .tab = Docking, .caption = "Reference", .rule = Rule::Text, .mission = {.var = "Reference"}, .project = {.key = "Reference"}, .names = Names::Vessel},
    {.kind = TextBox, .name = "txtDPort", .tab = Docking, .caption = "Port", .rule = Rule::Text, .mission = {.var = "Port"}, .project = {.key = "Port"}},
    {.kind = TextBox, .name = "txtDNAV", .tab = Docking, .caption = "NAV", .rule = Rule::Text, .mission = {.var = "NAV"}, .project = {.key = "NAV"}},
    {.kind = CheckBox, .name = "chkDCmdsK", .tab = Docking, .text = "Nose cone", .caption = "Commands", .rule = Rule::Command, .command = "K", .separator = u',', .mission = {.var = "Cmds"}, .project = {.key = "CmdCone", .stored = Stored::Check}},
    {.kind = CheckBox, .name = "chkDCmdsCC", .tab = Docking, .text = "Docking Clearance", .rule = Rule::Command, .command = "^C", .mission = {.var = "Cmds"}, .project = {.key = "CmdClearance", .stored = Stored::Check}},

    {.kind = Container, .name = "Picture5", .tab = Undocking},
    {.kind = OptionButton, .name = "optUOmmit", .index = 0, .tab = Undocking, .parent = "Picture5", .text = "Yes"},
    {.kind = OptionButton, .name = "optUOmmit", .index = 1, .tab = Undocking, .parent = "Picture5", .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtULabel", .tab = Undocking, .caption = "Label", .rule = Rule::Text, .project = {.key = "Label"}},
    {.kind = TextBox, .name = "txtUStartAt", .tab = Undocking, .caption = "Start At", .rule = Rule::Text, .mission = {.var = "StartAt", .format = "T = %1"}, .project = {.key = "StartAt"}},
    {.kind = TextBox, .name = "txtUReference", .tab = Undocking, .caption = "Reference", .rule = Rule::Text, .mission = {.var = "Reference"}, .project = {.key = "Reference"}, .names = Names::Vessel},
    {.kind = TextBox, .name = "txtUPort", .tab = Undocking, .caption = "Port", .rule = Rule::Text, .mission = {.var = "Port"}, .project = {.key = "Port"}},
    {.kind = TextBox, .name = "txtUVRel", .tab = Undocking, .caption = "VRel", .rule = Rule::Text, .mission = {.var = "VRel"}, .project = {.key = "VRel"}},
    {.kind = Label, .name = "lblUCmds", .tab = Undocking, .text = "K", .caption = "Commands", .mission = {.var = "Cmds"}, .project = {.key = "Commands", .stored = Stored::Fixed}},

    {.kind = Container, .name = "Picture6", .tab = Reentry},
    {.kind = OptionButton, .name = "optROmmit", .index = 0, .tab = Reentry, .parent = "Picture6", .text = "Yes"},
    {.kind = OptionButton, .name = "optROmmit", .index = 1, .tab = Reentry, .parent = "Picture6", .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtRName", .tab = Reentry, .caption = "Label", .rule = Rule::Text, .project = {.key = "Label"}},
    {.kind = TextBox, .name = "txtRStartAt", .tab = Reentry, .caption = "Start At", .rule = Rule::Text, .mission = {.var = "StartAt", .format = "T = %1"}, .project = {.key = "StartAt"}},
    {.kind = TextBox, .name = "txtRAoa", .tab = Reentry, .caption = "AOA", .rule = Rule::Text, .mission = {.var = "AOA"}, .project = {.key = "AOA"}},
    {.kind = TextBox, .name = "txtRBase", .tab = Reentry, .caption = "Base", .rule = Rule::Text, .mission = {.var = "Base"}, .project = {.key = "Base"}, .names = Names::Base},
    {.kind = TextBox, .name = "txtRCompleteAt", .tab = Reentry, .caption = "Complete At", .rule = Rule::Text, .readout = "lblRCompleteAt", .mission = {.var = "CompleteAt", .format = "H = %1k"}, .project = {.key = "CompleteAt"}},
    {.kind = Readout, .name = "lblRCompleteAt", .tab = Reentry},

    {.kind = Container, .name = "Picture7", .tab = Landing},
    {.kind = OptionButton, .name = "optLndOmmit", .index = 0, .tab = Landing, .parent = "Picture7", .text = "Yes"},
    {.kind = OptionButton, .name = "optLndOmmit", .index = 1, .tab = Landing, .parent = "Picture7", .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtLndName", .tab = Landing, .caption = "Label", .rule = Rule::Text, .project = {.key = "Label"}},
    {.kind = TextBox, .name = "txtLndBase", .tab = Landing, .caption = "Base", .rule = Rule::Text, .mission = {.var = "Base"}, .project = {.key = "Base"}, .names = Names::Base},
    {.kind = TextBox, .name = "txtLndHoverPad", .index = 0, .tab = Landing, .caption = "Hover Pad", .rule = Rule::Text, .mission = {.var = "HoverPad"}, .project = {.key = "HoverPad", .stored = Stored::ModelList}},
    {.kind = TextBox, .name = "txtLndHoverPad", .index = 1, .tab = Landing},
    {.kind = TextBox, .name = "txtLndNAV", .tab = Landing, .caption = "NAV", .rule = Rule::Text, .mission = {.var = "NAV"}, .project = {.key = "NAV"}},

    {.kind = Label, .name = "lblRequired", .index = MakeFile, .tab = MakeFile, .text = Required},
    {.kind = TextBox, .name = "txtFileName", .tab = MakeFile, .caption = "File Name", .rule = Rule::FileName, .project = {.key = "FileName"}},
    {.kind = Label, .name = "lblFileExtension", .tab = MakeFile, .text = ".qav"},
    {.kind = TextBox, .name = "txtDirectory", .tab = MakeFile, .text = DefaultDirectory, .caption = "Directory", .rule = Rule::Directory, .project = {.key = "Directory"}},
    {.kind = TextBox, .name = "txtMissionName", .tab = MakeFile, .caption = "Mission Name", .rule = Rule::MissionName, .project = {.key = "Label"}},
    {.kind = MultiLineBox, .name = "txtInsert", .tab = MakeFile, .caption = "Please insert into \"missions.lst\""},
    {.kind = Button, .name = "cmdMakeMission", .tab = MakeFile, .text = "Make Mission"},
};

// Where a step's fields go in another order than the form's: all of them, in that order.
struct Order
{
    int step;
    std::array<const char *, 8> fields;
};

// The mission file's Var lines.
inline constexpr Order LineOrder[] = {
    {Ascent, {"txtAHeight", "txtAPitch", "txtAThrust", "txtAAlignWith", "txtALockVz", "txtACompleteAt"}},
};

// The project file's keys, as a save writes them and as loading fills the form.
inline constexpr Order SaveOrder[] = {
    {MakeFile, {"txtDirectory", "txtFileName", "txtMissionName"}},
};
inline constexpr Order LoadOrder[] = {
    {Docking, {"txtDName", "txtDNAV", "txtDPort", "txtDReference", "chkDCmdsK", "chkDCmdsCC"}},
    {Undocking, {"lblUCmds", "txtULabel", "txtUPort", "txtUReference", "txtUStartAt", "txtUVRel"}},
    {MakeFile, {"txtDirectory", "txtFileName", "txtMissionName"}},
};

// clang-format on

} // namespace Table

inline constexpr int RowCount = int(std::size(Table::Controls));
inline constexpr int StepCount = int(std::size(Table::Steps));
inline constexpr int MakeFileTab = Table::MakeFile;

// Every step keeps the field named on its label line under this key.
inline constexpr char StepLabelKey[] = "Label";

// A control by its place in the table. Made from a name, it is checked while compiling.
struct Id
{
    int row = -1;
    constexpr const Control &control() const { return Table::Controls[row]; }
    constexpr bool operator==(const Id &) const = default;
};

// One value for each row of the table, reached by the row's id.
template<class T>
class PerRow
{
public:
    constexpr T &operator[](Id id) { return m_values[std::size_t(id.row)]; }
    constexpr const T &operator[](Id id) const { return m_values[std::size_t(id.row)]; }

private:
    std::array<T, RowCount> m_values{};
};

// The control of this name (and element), or -1.
constexpr int rowOf(std::string_view name, int index = NoIndex)
{
    for (int row = 0; row < RowCount; ++row) {
        const Control &c = Table::Controls[row];
        if (name == c.name && index == c.index)
            return row;
    }
    return -1;
}

// A misspelt name does not compile.
consteval Id id(std::string_view name, int index = NoIndex)
{
    const int row = rowOf(name, index);
    if (row < 0)
        throw "no control of this name in the form table";
    return {row};
}

// What the table says about one row through the other rows, worked out while compiling.
struct Links
{
    int field = -1;     // the array's element 0, which declares it, or the row itself
    int readout = -1;   // the label its rule refreshes
    int shownBy = -1;   // for a readout: the field whose rule writes it
    int reference = -1; // for a distance condition: the reference field
    int parent = -1;    // the container it stands in, if any
};

// A name in the table that names no control of it stops the build.
constexpr int linkedRow(const char *name)
{
    if (!name)
        return -1;
    const int row = rowOf(name);
    if (row < 0)
        throw "the form table names a control it does not hold";
    return row;
}

inline constexpr auto RowLinks = [] {
    PerRow<Links> links;
    for (int row = 0; row < RowCount; ++row) {
        const Control &c = Table::Controls[row];
        Links &l = links[Id{row}];
        l.field = c.index == NoIndex ? row : rowOf(c.name, 0);
        // An array's elements follow its element 0, in order, though not always next to it.
        if (l.field < 0 || l.field > row
            || (row > l.field && Table::Controls[row - 1].name == std::string_view(c.name)
                && Table::Controls[row - 1].index >= c.index))
            throw "an array starts with its element 0 and lists its elements in order";
        const Control &f = Table::Controls[l.field];
        l.readout = linkedRow(f.readout);
        l.reference = linkedRow(f.reference);
        l.parent = linkedRow(c.parent);
    }
    for (int row = 0; row < RowCount; ++row) {
        if (links[Id{row}].readout >= 0)
            links[Id{links[Id{row}].readout}].shownBy = row;
    }
    return links;
}();

std::span<const Control> controls();
std::span<const Step> steps();
QStringList tabCaptions();

// "txtAHeight(3)" for an array element, the bare name otherwise.
QString objectName(const char *name, int index);
QString objectName(const Control &control);
QString objectName(Id id);
// The label that carries a control's row caption.
QString captionObjectName(const Control &control);

// The control of this object name, at run time; nothing for an unknown name.
std::optional<Id> find(QStringView objectName);

// The declaration of the field a control belongs to: an array's element 0, or the control.
const Control &field(Id id);
// The elements of the array a control belongs to, in order; the control alone otherwise.
QList<Id> elements(Id id);
// The fields of a step that have a Var line, one for each array (its element 0), in the
// order the mission file writes them.
QList<Id> missionFields(int step);
// The fields of a step that have a project key, one for each array, in the order given
// (Table::SaveOrder or Table::LoadOrder).
QList<Id> projectFields(int step, std::span<const Table::Order> order);
// Whether a step's fields are written only when its option pair says "No".
bool isOptional(int step);
// The option button of a step's pair: 0 "Yes", 1 "No".
Id option(int step, int index);
// The field a step's label line holds, kept under StepLabelKey.
Id labelOf(int step);
// The text a control holds when the window is created. A readout starts as its field's
// rule would show an empty text.
QString textAtCreation(Id id);
// The readout a field refreshes, and the format the mission file and the readout share.
std::optional<Id> readoutOf(Id id);
QString format(const char *pattern, const QString &value, const QString &reference = {});
// The value a text was made of with the pattern, or nothing when the text does not fit it.
std::optional<QString> unformat(const char *pattern, QStringView text);

// How a message names a control: its row caption, with the element's number in an array.
QString displayName(const Control &control);
// What assistive tools call a field: its caption, and for a box of an array the part of the
// row it holds: "Base (port)" where the box starts with "[port]", "Height 4" otherwise.
QString accessibleName(const Control &control);

} // namespace Form

// One step of filling the form, from a project or a mission file.
struct FieldAssignment
{
    enum Kind { Caption, Text, Check, Select } kind;
    Form::Id control;
    QString text;    // Caption, Text
    bool on = false; // Check
};
