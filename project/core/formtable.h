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

inline constexpr int OnWindow = -1;
inline constexpr int NoIndex = -1;

// One control. The facts of an array are given on its element 0; the other elements give
// only their own text. "%1" in a format is the text or value, "%2" the reference.
struct Control
{
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
    const char *model = nullptr;     // the MissionModel value it feeds
    const char *raw = nullptr;       // a second model value, without the unit
    const char *stored = "%1";       // the model value made of the text
    const char *shown = "%1";        // the model value as the mission file and readout show it
    const char *readout = nullptr;   // the label the rule refreshes
    const char *reference = nullptr; // the field a distance condition names
    const char *command = nullptr;   // a check box's command
    const char *var = nullptr;       // its Var line in the mission file
    int written = 0;                 // the line's place in its step, where not the form's
    const char *key = nullptr;       // its key in the project file
    Stored project = Stored::Text;
    char16_t separator = u' '; // between the elements of a list
    int saved = 0;             // the key's place in a save, where not the form's
    int loaded = 0;            // its place in loading, where not the form's
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
    {.kind = TextBox, .name = "txtLLabel", .tab = Launch, .caption = "Label", .rule = Rule::Text, .model = "LLabel", .key = "Label"},
    {.kind = TextBox, .name = "txtLStartAt", .tab = Launch, .caption = "Start At", .rule = Rule::Text, .model = "LStartAt", .shown = "T = %1", .var = "StartAt", .key = "StartAt"},
    {.kind = TextBox, .name = "txtLWakeUp", .tab = Launch, .caption = "Wake Up", .rule = Rule::Text, .model = "LWakeUp", .stored = "%1s", .shown = "T - %1", .readout = "lblLs", .var = "WakeUp", .key = "WakeUp"},
    {.kind = Readout, .name = "lblLs", .tab = Launch},
    {.kind = TextBox, .name = "txtLBase", .index = 0, .tab = Launch, .text = "[planet]", .caption = "Base", .rule = Rule::Refresh, .model = "LBase", .var = "Base", .key = "Base", .project = Stored::Boxes, .separator = u':'},
    {.kind = TextBox, .name = "txtLBase", .index = 1, .tab = Launch, .text = "[base]"},
    {.kind = TextBox, .name = "txtLBase", .index = 2, .tab = Launch, .text = "[port]"},
    {.kind = TextBox, .name = "txtLHeading", .tab = Launch, .caption = "Heading", .rule = Rule::Text, .model = "LHeading", .var = "Heading", .key = "Heading"},
    {.kind = TextBox, .name = "txtLHoverAt", .tab = Launch, .caption = "Hover At", .rule = Rule::Text, .model = "LHoverAt", .var = "HoverAt", .key = "HoverAt"},
    {.kind = TextBox, .name = "txtLThrust", .tab = Launch, .caption = "Thrust", .rule = Rule::Text, .model = "LThrust", .var = "Thrust", .key = "Thrust"},
    {.kind = TextBox, .name = "txtLOrientation", .index = 0, .tab = Launch, .caption = "Orientation", .rule = Rule::Refresh, .model = "LOrientation", .var = "Orientation", .key = "Orientation", .project = Stored::Boxes},
    {.kind = TextBox, .name = "txtLOrientation", .index = 1, .tab = Launch},
    {.kind = TextBox, .name = "txtLOrientation", .index = 2, .tab = Launch},
    {.kind = TextBox, .name = "txtLCompleteAt", .tab = Launch, .caption = "Complete At", .rule = Rule::Text, .model = "LCompleteAt", .stored = "H = %1", .readout = "lblLh", .var = "CompleteAt", .key = "CompleteAt"},
    {.kind = Readout, .name = "lblLh", .tab = Launch},

    {.kind = Label, .name = "lblRequired", .index = Ascent, .tab = Ascent, .text = Required},
    {.kind = TextBox, .name = "txtAName", .tab = Ascent, .caption = "Label", .rule = Rule::Text, .model = "AName", .key = "Label"},
    {.kind = TextBox, .name = "txtAHeight", .index = 0, .tab = Ascent, .text = "2", .caption = "Height", .rule = Rule::Refresh, .ruleAtStart = true, .model = "AHeight", .raw = "AHeightRaw", .stored = "%1k", .var = "H", .written = 1, .key = "Height", .project = Stored::ModelList},
    {.kind = TextBox, .name = "txtAHeight", .index = 1, .tab = Ascent, .text = "10"},
    {.kind = TextBox, .name = "txtAHeight", .index = 2, .tab = Ascent, .text = "20"},
    {.kind = TextBox, .name = "txtAHeight", .index = 3, .tab = Ascent, .text = "60"},
    {.kind = TextBox, .name = "txtAHeight", .index = 4, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAHeight", .index = 5, .tab = Ascent, .text = "150"},
    {.kind = TextBox, .name = "txtAHeight", .index = 6, .tab = Ascent, .text = "200"},
    {.kind = TextBox, .name = "txtAHeight", .index = 7, .tab = Ascent, .text = "260"},
    {.kind = TextBox, .name = "txtAPitch", .index = 0, .tab = Ascent, .text = "70", .caption = "Pitch", .rule = Rule::Refresh, .ruleAtStart = true, .model = "APitch", .var = "Pitch", .written = 2, .key = "Pitch", .project = Stored::ModelList},
    {.kind = TextBox, .name = "txtAPitch", .index = 1, .tab = Ascent, .text = "75"},
    {.kind = TextBox, .name = "txtAPitch", .index = 2, .tab = Ascent, .text = "70"},
    {.kind = TextBox, .name = "txtAPitch", .index = 3, .tab = Ascent, .text = "60"},
    {.kind = TextBox, .name = "txtAPitch", .index = 4, .tab = Ascent, .text = "50"},
    {.kind = TextBox, .name = "txtAPitch", .index = 5, .tab = Ascent, .text = "40"},
    {.kind = TextBox, .name = "txtAPitch", .index = 6, .tab = Ascent, .text = "20"},
    {.kind = TextBox, .name = "txtAPitch", .index = 7, .tab = Ascent, .text = "0"},
    {.kind = TextBox, .name = "txtAThrust", .index = 0, .tab = Ascent, .text = "100", .caption = "Thrust", .rule = Rule::Refresh, .ruleAtStart = true, .model = "AThrust", .var = "Thrust", .written = 3, .key = "Thrust", .project = Stored::ModelList},
    {.kind = TextBox, .name = "txtAThrust", .index = 1, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAThrust", .index = 2, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAThrust", .index = 3, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAThrust", .index = 4, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAThrust", .index = 5, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAThrust", .index = 6, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtAThrust", .index = 7, .tab = Ascent, .text = "100"},
    {.kind = TextBox, .name = "txtALockVz", .tab = Ascent, .caption = "Lock Vz", .rule = Rule::Text, .model = "ALockVz", .var = "LockVz", .written = 5, .key = "LockVz"},
    {.kind = TextBox, .name = "txtAAlignWith", .tab = Ascent, .caption = "Align With", .rule = Rule::Text, .model = "AAlignWith", .var = "AlignWith", .written = 4, .key = "AlignWith"},
    {.kind = TextBox, .name = "txtACompleteAt", .tab = Ascent, .caption = "Complete At", .rule = Rule::Text, .model = "ACompleteAt", .stored = "PeD = %1M", .readout = "lblPed", .var = "CompleteAt", .written = 6, .key = "CompleteAt"},
    {.kind = Readout, .name = "lblPed", .tab = Ascent},

    {.kind = OptionButton, .name = "optPAOmmit", .index = 0, .tab = PlaneAlignment, .text = "Yes"},
    {.kind = OptionButton, .name = "optPAOmmit", .index = 1, .tab = PlaneAlignment, .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtPALabel", .tab = PlaneAlignment, .caption = "Label", .rule = Rule::Text, .model = "PALabel", .key = "Label"},
    {.kind = TextBox, .name = "txtPAReference", .tab = PlaneAlignment, .caption = "Reference", .rule = Rule::Text, .model = "PAReference", .var = "Reference", .key = "Reference"},
    {.kind = TextBox, .name = "txtPAAlign", .tab = PlaneAlignment, .caption = "Align", .rule = Rule::Text, .model = "PAAlign", .var = "Align", .key = "Align"},

    {.kind = Container, .name = "Picture2", .tab = Synchronizing},
    {.kind = OptionButton, .name = "optSOmmit", .index = 0, .tab = Synchronizing, .parent = "Picture2", .text = "Yes"},
    {.kind = OptionButton, .name = "optSOmmit", .index = 1, .tab = Synchronizing, .parent = "Picture2", .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtSName", .tab = Synchronizing, .caption = "Label", .rule = Rule::Text, .model = "SName", .key = "Label"},
    {.kind = TextBox, .name = "txtSReference", .tab = Synchronizing, .caption = "Reference", .rule = Rule::Reference, .model = "SReference", .readout = "lblD", .var = "Reference", .key = "Reference"},
    {.kind = TextBox, .name = "txtSCapDist", .tab = Synchronizing, .caption = "CaptureDist", .rule = Rule::Text, .model = "SCapDist", .stored = "%1k", .var = "CaptureDist", .key = "CaptureDist"},
    {.kind = Label, .name = "lblSCapDistUnit", .tab = Synchronizing, .text = "k"},
    {.kind = Label, .name = "lblSDOpen", .tab = Synchronizing, .text = "D("},
    {.kind = Readout, .name = "lblD", .tab = Synchronizing},
    {.kind = Label, .name = "lblSDClose", .tab = Synchronizing, .text = ") ="},
    {.kind = TextBox, .name = "txtSCompleteAt", .tab = Synchronizing, .caption = "Complete At", .rule = Rule::Distance, .model = "SCompleteAt", .stored = "D(%2) = %1k", .reference = "txtSReference", .var = "CompleteAt", .key = "CompleteAt"},
    {.kind = Label, .name = "lblSCompleteAtUnit", .tab = Synchronizing, .text = "k"},

    {.kind = Container, .name = "Picture3", .tab = Approach},
    {.kind = OptionButton, .name = "optAppOmmit", .index = 0, .tab = Approach, .parent = "Picture3", .text = "Yes"},
    {.kind = OptionButton, .name = "optAppOmmit", .index = 1, .tab = Approach, .parent = "Picture3", .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtAppName", .tab = Approach, .caption = "Label", .rule = Rule::Text, .model = "AppName", .key = "Label"},
    {.kind = TextBox, .name = "txtAppReference", .tab = Approach, .caption = "Reference", .rule = Rule::Reference, .model = "AppReference", .readout = "lblAppD", .var = "Reference", .key = "Reference"},
    {.kind = TextBox, .name = "txtAppNav", .tab = Approach, .caption = "NAV", .rule = Rule::Text, .model = "AppNav", .var = "NAV", .key = "NAV"},
    {.kind = Label, .name = "lblAppDOpen", .tab = Approach, .text = "D("},
    {.kind = Readout, .name = "lblAppD", .tab = Approach},
    {.kind = Label, .name = "lblAppDClose", .tab = Approach, .text = ") ="},
    {.kind = TextBox, .name = "txtAppCompleteAt", .tab = Approach, .caption = "Complete At", .rule = Rule::Distance, .model = "AppCompleteAt", .stored = "D(%2) = %1", .reference = "txtAppReference", .var = "CompleteAt", .key = "CompleteAt"},

    {.kind = Container, .name = "Picture4", .tab = Docking},
    {.kind = OptionButton, .name = "optDOmmit", .index = 0, .tab = Docking, .parent = "Picture4", .text = "Yes"},
    {.kind = OptionButton, .name = "optDOmmit", .index = 1, .tab = Docking, .parent = "Picture4", .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtDName", .tab = Docking, .caption = "Label", .captionName = "lblDName", .rule = Rule::Text, .model = "DName", .key = "Label", .loaded = 1},
    {.kind = TextBox, .name = "txtDReference", .tab = Docking, .caption = "Reference", .rule = Rule::Text, .model = "DReference", .var = "Reference", .key = "Reference", .loaded = 4},
    {.kind = TextBox, .name = "txtDPort", .tab = Docking, .caption = "Port", .rule = Rule::Text, .model = "DPort", .var = "Port", .key = "Port", .loaded = 3},
    {.kind = TextBox, .name = "txtDNAV", .tab = Docking, .caption = "NAV", .rule = Rule::Text, .model = "DNAV", .var = "NAV", .key = "NAV", .loaded = 2},
    {.kind = CheckBox, .name = "chkDCmdsK", .tab = Docking, .text = "Nose cone", .caption = "Commands", .rule = Rule::Command, .model = "DCmds", .command = "K", .var = "Cmds", .key = "CmdCone", .project = Stored::Check, .separator = u',', .loaded = 5},
    {.kind = CheckBox, .name = "chkDCmdsCC", .tab = Docking, .text = "Docking Clearance", .rule = Rule::Command, .model = "DCmds", .command = "^C", .var = "Cmds", .key = "CmdClearance", .project = Stored::Check, .loaded = 6},

    {.kind = Container, .name = "Picture5", .tab = Undocking},
    {.kind = OptionButton, .name = "optUOmmit", .index = 0, .tab = Undocking, .parent = "Picture5", .text = "Yes"},
    {.kind = OptionButton, .name = "optUOmmit", .index = 1, .tab = Undocking, .parent = "Picture5", .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtULabel", .tab = Undocking, .caption = "Label", .rule = Rule::Text, .model = "ULabel", .key = "Label", .loaded = 1},
    {.kind = TextBox, .name = "txtUStartAt", .tab = Undocking, .caption = "Start At", .rule = Rule::Text, .model = "UStartAt", .shown = "T = %1", .var = "StartAt", .key = "StartAt", .loaded = 4},
    {.kind = TextBox, .name = "txtUReference", .tab = Undocking, .caption = "Reference", .rule = Rule::Text, .model = "UReference", .var = "Reference", .key = "Reference", .loaded = 3},
    {.kind = TextBox, .name = "txtUPort", .tab = Undocking, .caption = "Port", .rule = Rule::Text, .model = "UPort", .var = "Port", .key = "Port", .loaded = 2},
    {.kind = TextBox, .name = "txtUVRel", .tab = Undocking, .caption = "VRel", .rule = Rule::Text, .model = "UVRel", .var = "VRel", .key = "VRel", .loaded = 5},
    {.kind = Label, .name = "lblUCmds", .tab = Undocking, .text = "K", .caption = "Commands", .var = "Cmds", .key = "Commands", .project = Stored::Fixed},

    {.kind = Container, .name = "Picture6", .tab = Reentry},
    {.kind = OptionButton, .name = "optROmmit", .index = 0, .tab = Reentry, .parent = "Picture6", .text = "Yes"},
    {.kind = OptionButton, .name = "optROmmit", .index = 1, .tab = Reentry, .parent = "Picture6", .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtRName", .tab = Reentry, .caption = "Label", .rule = Rule::Text, .model = "RName", .key = "Label"},
    {.kind = TextBox, .name = "txtRStartAt", .tab = Reentry, .caption = "Start At", .rule = Rule::Text, .model = "RStartAt", .shown = "T = %1", .var = "StartAt", .key = "StartAt"},
    {.kind = TextBox, .name = "txtRAoa", .tab = Reentry, .caption = "AOA", .rule = Rule::Text, .model = "RAoa", .var = "AOA", .key = "AOA"},
    {.kind = TextBox, .name = "txtRBase", .tab = Reentry, .caption = "Base", .rule = Rule::Text, .model = "RBase", .var = "Base", .key = "Base"},
    {.kind = TextBox, .name = "txtRCompleteAt", .tab = Reentry, .caption = "Complete At", .rule = Rule::Text, .model = "RCompleteAt", .shown = "H = %1k", .readout = "lblRCompleteAt", .var = "CompleteAt", .key = "CompleteAt"},
    {.kind = Readout, .name = "lblRCompleteAt", .tab = Reentry},

    {.kind = Container, .name = "Picture7", .tab = Landing},
    {.kind = OptionButton, .name = "optLndOmmit", .index = 0, .tab = Landing, .parent = "Picture7", .text = "Yes"},
    {.kind = OptionButton, .name = "optLndOmmit", .index = 1, .tab = Landing, .parent = "Picture7", .text = "No", .checked = true},
    {.kind = TextBox, .name = "txtLndName", .tab = Landing, .caption = "Label", .rule = Rule::Text, .model = "LndName", .key = "Label"},
    {.kind = TextBox, .name = "txtLndBase", .tab = Landing, .caption = "Base", .rule = Rule::Text, .model = "LndBase", .var = "Base", .key = "Base"},
    {.kind = TextBox, .name = "txtLndHoverPad", .index = 0, .tab = Landing, .caption = "Hover Pad", .rule = Rule::Text, .model = "LndHoverPad", .var = "HoverPad", .key = "HoverPad", .project = Stored::ModelList},
    {.kind = TextBox, .name = "txtLndHoverPad", .index = 1, .tab = Landing},
    {.kind = TextBox, .name = "txtLndNAV", .tab = Landing, .caption = "NAV", .rule = Rule::Text, .model = "LndNAV", .var = "NAV", .key = "NAV"},

    {.kind = Label, .name = "lblRequired", .index = MakeFile, .tab = MakeFile, .text = Required},
    {.kind = TextBox, .name = "txtFileName", .tab = MakeFile, .caption = "File Name", .rule = Rule::FileName, .key = "FileName", .saved = 2, .loaded = 2},
    {.kind = Label, .name = "lblFileExtension", .tab = MakeFile, .text = ".qav"},
    {.kind = TextBox, .name = "txtDirectory", .tab = MakeFile, .text = DefaultDirectory, .caption = "Directory", .rule = Rule::Directory, .key = "Directory", .saved = 1, .loaded = 1},
    {.kind = TextBox, .name = "txtMissionName", .tab = MakeFile, .caption = "Mission Name", .rule = Rule::MissionName, .key = "Label", .saved = 3, .loaded = 3},
    {.kind = MultiLineBox, .name = "txtInsert", .tab = MakeFile, .caption = "Please insert into \"missions.lst\""},
    {.kind = Button, .name = "cmdMakeMission", .tab = MakeFile, .text = "Make Mission"},
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
    int facts = -1; // the row with the facts of its array (element 0), or itself
    int first = -1; // the array's first and last element, or itself twice
    int last = -1;
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
        const bool array = c.index != NoIndex && c.kind != Kind::Label;
        Links &l = links[Id{row}];
        // The elements of an array stand one after the other, from element 0.
        l.facts = array ? row - c.index : row;
        if (l.facts < 0 || std::string_view(Table::Controls[l.facts].name) != c.name)
            throw "the elements of an array must stand together, in order";
        l.first = l.facts;
        l.last = row;
        while (array && l.last + 1 < RowCount
               && std::string_view(Table::Controls[l.last + 1].name) == c.name)
            ++l.last;
        const Control &f = Table::Controls[l.facts];
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

// The row that holds the facts of an array (its element 0), or the control itself.
const Control &facts(Id id);
// The elements of the array a control belongs to, in order; the control alone otherwise.
QList<Id> elements(Id id);
// The fields of a step that have the column (a Var line, a key), one for each array (its
// element 0), in table order or, given a rank, sorted by it (stable).
QList<Id> stepFields(int step, const char *Control::*column, int Control::*rank = nullptr);
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
