// SPDX-License-Identifier: MIT

// The mission model and everything that turns it into text. The window's change rules
// write the model; the mission writer reads it together with the omission choices.
// Nothing here touches a widget, and only WriteMissionFile touches a file.
#pragma once

#include <QString>

#include <array>

template<std::size_t N>
using Texts = std::array<QString, N>;

struct MissionModel
{
    QString LLabel, LStartAt, LWakeUp;
    Texts<3> LBase;
    QString LHeading, LHoverAt, LThrust;
    Texts<3> LOrientation;
    QString LCompleteAt;

    QString AName;
    Texts<8> AHeight, AHeightRaw, APitch, AThrust;
    QString ALockVz, AAlignWith, ACompleteAt;

    QString PALabel, PAReference, PAAlign;

    QString SName, SReference, SCapDist, SCompleteAt;

    QString AppName, AppReference, AppNav, AppCompleteAt;

    QString DName, DReference, DPort, DNAV;
    Texts<2> DCmds;

    QString ULabel, UStartAt, UReference, UPort, UVRel;

    QString RName, RStartAt, RAoa, RBase, RCompleteAt;

    QString LndName, LndBase;
    Texts<2> LndHoverPad;
    QString LndNAV;

    QString MissionPath;
    QString MissionName;
};

// The model of this run of the program.
MissionModel &missionModel();

template<std::size_t N>
QString joinTexts(const Texts<N> &texts, QStringView separator)
{
    QString joined;
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0)
            joined += separator;
        joined += texts[i];
    }
    return joined;
}

// Where the mission file of this directory and file name goes.
QString missionPath(const QString &directory, const QString &fileName);

// The bare name the catalogue refers to.
QString missionFileName(const QString &fileName);

// The entry for "missions.lst", four lines joined by CR LF, markup characters escaped.
QString missionListEntry(const QString &missionName, const QString &missionFileName);

// Where a text stops being one the program's files hold as typed (a line break, or a
// character outside the 8-bit code page), or -1.
qsizetype firstUnwritable(QStringView text);

// "&", "<" and ">" as XML entities.
QString escapeMarkup(const QString &text);

// "settings.dat" in the working directory remembers the last mission directory.
inline constexpr char SettingsFileName[] = "settings.dat";
QString defaultDirectory();
// The whole first line without its line end; the default for an empty file.
QString directoryFromSettings(QByteArrayView contents);
// The remembered directory, or the default when the file is missing or unreadable.
QString readRememberedDirectory();

// The seven steps a mission may leave out, in the order they are written.
enum class OptionalStep {
    PlaneAlignment,
    Synchronizing,
    Approach,
    Docking,
    Undocking,
    Reentry,
    Landing
};
inline constexpr std::size_t OptionalStepCount = 7;
// True where the user chose to leave the step out.
using Omissions = std::array<bool, OptionalStepCount>;

inline bool isOmitted(const Omissions &omissions, OptionalStep step)
{
    return omissions[std::size_t(step)];
}

// The mission file's text, lines ended by CR LF, markup characters in values escaped.
QString renderMission(const MissionModel &model, const Omissions &omissions);

// "settings.dat" as bytes: the directory and CR LF.
QByteArray settingsBytes(const QString &directory);

// What could not be written, where, and the system's description of why.
struct WriteFailure
{
    enum What { MissionFile, SettingsFile, ProjectFile, ProjectFolder } what;
    QString path;
    QString error;
};

// Writes the mission file whole at the given path.
bool writeMission(const QString &path, const MissionModel &model, const Omissions &omissions,
                  WriteFailure *failure);

// Writes the mission file at the model's MissionPath, then "settings.dat" in the working
// directory. Stops at the first failure, which it describes.
bool WriteMissionFile(const MissionModel &model, const Omissions &omissions,
                      const QString &directory, WriteFailure *failure);
