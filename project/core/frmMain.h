// SPDX-License-Identifier: MIT

// The form: what each control of the window holds (texts, captions, ticks, the chosen option
// of each pair, whether a button is enabled), the change rules that keep the MissionModel up
// to date, start-up, and the two actions. It needs no display: the window shows it and hands
// it the user's edits, and a loaded project or qavmake fill it in the same way. Every change
// it makes is announced, so that whatever shows it can follow.
#pragma once

#include <QObject>

#include <array>
#include <functional>

#include "QAVMmod.h"
#include "formtable.h"

class frmMain : public QObject
{
    Q_OBJECT

public:
    // Creates the form with the texts of the table and runs start-up, which takes the
    // directory from "settings.dat" unless told otherwise.
    explicit frmMain(MissionModel &model,
                     const std::function<QString()> &rememberedDirectory = readRememberedDirectory,
                     QObject *parent = nullptr);

    MissionModel &model() const { return m_model; }

    // A text box's text, or a label's caption.
    QString text(Form::Id id) const { return m_texts[id]; }
    // Runs the field's rule when the text changes; an equal text changes nothing.
    void setText(Form::Id id, const QString &text);
    bool isChecked(Form::Id id) const { return m_checked[id]; }
    // A check box runs its rule on every change; selecting an option clears the other of
    // its pair, and an option is only ever selected, never cleared, by itself.
    void setChecked(Form::Id id, bool checked);
    bool isEnabled(Form::Id id) const { return m_enabled[id]; }

    // Where the open-file dialog starts, and what it offers.
    QString projectFolder() const { return m_projectFolder; }
    static QString dialogFilter() { return QStringLiteral("MFC Files(*.mfc)|*.mfc"); }

    QString fileName() const { return text(Form::id("txtFileName")); }
    Omissions omissions() const;
    QString missionListEntryText() const;

    // What keeps the mission from being made; a mission written elsewhere than the
    // directory shown needs no directory.
    enum class Directory { Needed, NotNeeded };
    MissionProblem missionProblem(Directory directory = Directory::Needed) const;

    // "Make Mission": writes the mission file, "settings.dat" and the project file, and
    // says what went wrong, or nothing.
    QString cmdMakeMission_Click();
    // "Load MFC File" before its dialog shows; it can be pressed only once.
    void cmdOpen_Click();
    // Loads a project file as "Load MFC File" does once it is chosen.
    bool loadProjectFile(const QString &path, QString *error);
    // The keys a save writes, with the values the form holds.
    QList<struct ProfileEntry> projectEntries() const;
    // One step of loading: a text, a tick or an option, set as the user would.
    void apply(const struct FieldAssignment &assignment);

signals:
    void textChanged(Form::Id id, const QString &text);
    void checkedChanged(Form::Id id, bool checked);
    void enabledChanged(Form::Id id, bool enabled);

private:
    void Form_Load(const std::function<QString()> &rememberedDirectory);
    void runRule(Form::Id id);
    void store(Form::Id id, const QString &value);
    void setEnabled(Form::Id id, bool enabled);
    void showMissionListEntry();

    MissionModel &m_model;
    Form::PerRow<QString> m_texts;
    Form::PerRow<bool> m_checked{};
    Form::PerRow<bool> m_enabled{};
    QString m_projectFolder;
    QString m_loadedProject; // the file "Load MFC File" read, if any
};
