// SPDX-License-Identifier: MIT

#include "frmMain.h"

#include "INIMod.h"
#include "pathrules.h"

using Form::Id;

frmMain::frmMain(MissionModel &model, const std::function<QString()> &rememberedDirectory,
                 QObject *parent)
    : QObject(parent), m_model(model)
{
    for (int row = 0; row < Form::RowCount; ++row) {
        const Form::Id id{row};
        m_texts[id] = Form::textAtCreation(id);
        m_checked[id] = id.control().checked;
        m_enabled[id] = true;
    }
    Form_Load(rememberedDirectory);
}

void frmMain::Form_Load(const std::function<QString()> &rememberedDirectory)
{
    // Projects are saved below the working folder, which is the program's own folder when it
    // is started from there, so the dialog opens where they are.
    m_projectFolder =
            Platform::joinPath({Platform::workingFolder(), QString::fromLatin1(ProjectFolder)});
    // Texts at creation run no rule, yet the mission needs the ascent profile's.
    for (int row = 0; row < Form::RowCount; ++row) {
        if (Form::Table::Controls[row].ruleAtStart)
            runRule({row});
    }
    setText(Form::id("txtDirectory"), rememberedDirectory());
}

void frmMain::setText(Id id, const QString &text)
{
    QString &current = m_texts[id];
    if (current == text)
        return;
    current = text;
    runRule(id);
    emit textChanged(id, text);
}

void frmMain::setChecked(Id id, bool checked)
{
    const Form::Control &control = id.control();
    if (isChecked(id) == checked || (control.kind == Form::Kind::OptionButton && !checked))
        return;
    m_checked[id] = checked;
    emit checkedChanged(id, checked);
    if (control.kind == Form::Kind::OptionButton) {
        const Id other = Form::option(control.tab, 1 - control.index);
        m_checked[other] = false;
        emit checkedChanged(other, false);
        return;
    }
    runRule(id);
}

void frmMain::setEnabled(Id id, bool enabled)
{
    if (isEnabled(id) == enabled)
        return;
    m_enabled[id] = enabled;
    emit enabledChanged(id, enabled);
}

Omissions frmMain::omissions() const
{
    return omissionsOf([this](Id id) { return isChecked(id); });
}

QString frmMain::missionListEntryText() const
{
    return missionListEntry(m_model.MissionName, missionFileName(fileName()));
}

void frmMain::showMissionListEntry() { setText(Form::id("txtInsert"), missionListEntryText()); }

// A mission needs a file name and a directory, and every text it writes must read back as
// typed. Fields of steps left out are not written, so they do not count.
MissionProblem frmMain::missionProblem(Directory directory) const
{
    if (fileName().isEmpty())
        return {MissionProblem::NoFileName};
    if (directory == Directory::Needed && text(Form::id("txtDirectory")).isEmpty())
        return {MissionProblem::NoDirectory};
    const Omissions omitted = omissions();
    for (int row = 0; row < Form::RowCount; ++row) {
        const Form::Control &control = Form::Table::Controls[row];
        if (control.kind != Form::Kind::TextBox || control.tab < 0
            || omitted[std::size_t(control.tab)])
            continue;
        const QString &text = m_texts[Form::Id{row}];
        if (const qsizetype at = firstUnwritable(text); at >= 0) {
            const QChar c = text[at];
            const bool pair =
                    c.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
            return {MissionProblem::UnwritableText, Id{row},
                    pair ? QChar::surrogateToUcs4(c, text[at + 1]) : char32_t(c.unicode())};
        }
    }
    return {};
}
