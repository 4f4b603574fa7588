// SPDX-License-Identifier: MIT

// The change rules. Each field's rule is named by its row in the form table
// (txtLStartAt_Change, txtAHeight_Change, chkDCmdsK_Click, ...) and is one of the kinds
// below: it copies the text into the model, made as the table says, and refreshes the
// readout beside the field with the text the mission file shows.
#include "frmMain.h"

using Form::Id;
using Form::Rule;

void frmMain::store(Id id, const QString &value)
{
    m_model.values[id] = value;
    m_model.typed[id] = text(id);
    if (const std::optional<Id> readout = Form::readoutOf(id))
        setText(*readout, Form::format(Form::field(id).mission.format, value));
}

void frmMain::runRule(Id id)
{
    const Form::Control &field = Form::field(id);
    switch (field.rule) {
    case Rule::None: break;
    case Rule::Text: store(id, Form::format(field.modelFormat, text(id))); break;
    case Rule::Reference:
        store(id, Form::format(field.modelFormat, text(id)));
        // Once the distance condition exists it must name the reference shown, not an old one.
        for (int row = 0; row < Form::RowCount; ++row) {
            if (Form::RowLinks[Form::Id{row}].reference == id.row
                && !m_model.values[Form::Id{row}].isEmpty())
                runRule({row});
        }
        break;
    case Rule::Distance:
        store(id, Form::format(field.modelFormat, text(id), text({Form::RowLinks[id].reference})));
        break;
    case Rule::Refresh:
        for (const Id element : Form::elements(id)) {
            m_model.values[element] = Form::format(field.modelFormat, text(element));
            m_model.typed[element] = text(element);
        }
        break;
    case Rule::Command:
        // A cleared box takes its command out of the mission again.
        store(id, isChecked(id) ? QString::fromLatin1(field.command) : QString());
        break;
    case Rule::FileName:
        m_model.MissionPath = missionPath(text(Form::id("txtDirectory")), fileName());
        showMissionListEntry();
        break;
    case Rule::MissionName:
        m_model.MissionName = text(id);
        showMissionListEntry();
        break;
    case Rule::Directory:
        // The mission goes to the directory shown, once there is a file name to go with it.
        if (!m_model.MissionPath.isEmpty())
            m_model.MissionPath = missionPath(text(id), fileName());
        break;
    }
}
