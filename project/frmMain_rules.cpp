// SPDX-License-Identifier: MIT

// The change rules: each copies its field's text into the model, some with a unit letter
// or prefix, and some refresh the readout beside the field.
#include "frmMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

void setCaption(QWidget *label, const QString &caption)
{
    static_cast<QLabel *>(label)->setText(caption);
}

} // namespace

template<std::size_t N>
void frmMain::readArray(const char *name, Texts<N> &into, QStringView unit) const
{
    for (std::size_t i = 0; i < N; ++i)
        into[i] = text(name, int(i)) + unit.toString();
}

void frmMain::connectHandlers()
{
    struct TextRule
    {
        const char *name;
        void (frmMain::*rule)();
    };
    static constexpr TextRule TextRules[] = {
            {"txtLLabel", &frmMain::txtLLabel_Change},
            {"txtLStartAt", &frmMain::txtLStartAt_Change},
            {"txtLWakeUp", &frmMain::txtLWakeUp_Change},
            {"txtLHeading", &frmMain::txtLHeading_Change},
            {"txtLHoverAt", &frmMain::txtLHoverAt_Change},
            {"txtLThrust", &frmMain::txtLThrust_Change},
            {"txtLCompleteAt", &frmMain::txtLCompleteAt_Change},
            {"txtAName", &frmMain::txtAName_Change},
            {"txtALockVz", &frmMain::txtALockVz_Change},
            {"txtAAlignWith", &frmMain::txtAAlignWith_Change},
            {"txtACompleteAt", &frmMain::txtACompleteAt_Change},
            {"txtPALabel", &frmMain::txtPALabel_Change},
            {"txtPAReference", &frmMain::txtPAReference_Change},
            {"txtPAAlign", &frmMain::txtPAAlign_Change},
            {"txtSName", &frmMain::txtSName_Change},
            {"txtSReference", &frmMain::txtSReference_Change},
            {"txtSCapDist", &frmMain::txtSCapDist_Change},
            {"txtSCompleteAt", &frmMain::txtSCompleteAt_Change},
            {"txtAppName", &frmMain::txtAppName_Change},
            {"txtAppReference", &frmMain::txtAppReference_Change},
            {"txtAppNav", &frmMain::txtAppNav_Change},
            {"txtAppCompleteAt", &frmMain::txtAppCompleteAt_Change},
            {"txtDName", &frmMain::txtDName_Change},
            {"txtDReference", &frmMain::txtDReference_Change},
            {"txtDPort", &frmMain::txtDPort_Change},
            {"txtDNAV", &frmMain::txtDNAV_Change},
            {"txtULabel", &frmMain::txtULabel_Change},
            {"txtUStartAt", &frmMain::txtUStartAt_Change},
            {"txtUReference", &frmMain::txtUReference_Change},
            {"txtUPort", &frmMain::txtUPort_Change},
            {"txtUVRel", &frmMain::txtUVRel_Change},
            {"txtRName", &frmMain::txtRName_Change},
            {"txtRStartAt", &frmMain::txtRStartAt_Change},
            {"txtRAoa", &frmMain::txtRAoa_Change},
            {"txtRBase", &frmMain::txtRBase_Change},
            {"txtRCompleteAt", &frmMain::txtRCompleteAt_Change},
            {"txtLndName", &frmMain::txtLndName_Change},
            {"txtLndBase", &frmMain::txtLndBase_Change},
            {"txtLndNAV", &frmMain::txtLndNAV_Change},
            {"txtFileName", &frmMain::txtFileName_Change},
            {"txtMissionName", &frmMain::txtMissionName_Change},
            {"txtDirectory", &frmMain::txtDirectory_Change},
    };
    struct ArrayRule
    {
        const char *name;
        void (frmMain::*rule)(int);
    };
    static constexpr ArrayRule ArrayRules[] = {
            {"txtLBase", &frmMain::txtLBase_Change},
            {"txtLOrientation", &frmMain::txtLOrientation_Change},
            {"txtAHeight", &frmMain::txtAHeight_Change},
            {"txtAPitch", &frmMain::txtAPitch_Change},
            {"txtAThrust", &frmMain::txtAThrust_Change},
            {"txtLndHoverPad", &frmMain::txtLndHoverPad_Change},
    };

    for (const TextRule &r : TextRules)
        connect(static_cast<QLineEdit *>(control(r.name, -1)), &QLineEdit::textChanged, this,
                r.rule);
    for (const ArrayRule &r : ArrayRules) {
        for (int i = 0; QWidget *box = control(r.name, i); ++i) {
            connect(static_cast<QLineEdit *>(box), &QLineEdit::textChanged, this,
                    [this, rule = r.rule, i] { (this->*rule)(i); });
        }
    }
    connect(static_cast<QCheckBox *>(control(QStringLiteral("chkDCmdsK"))), &QCheckBox::toggled,
            this, &frmMain::chkDCmdsK_Click);
    connect(static_cast<QCheckBox *>(control(QStringLiteral("chkDCmdsCC"))), &QCheckBox::toggled,
            this, &frmMain::chkDCmdsCC_Click);
    connect(static_cast<QPushButton *>(control(QStringLiteral("cmdMakeMission"))),
            &QPushButton::clicked, this, &frmMain::cmdMakeMission_Click);
    connect(static_cast<QPushButton *>(control(QStringLiteral("cmdOpen"))), &QPushButton::clicked,
            this, &frmMain::cmdOpen_Click);
}

void frmMain::txtLLabel_Change() { m_model.LLabel = text("txtLLabel"); }
void frmMain::txtLStartAt_Change() { m_model.LStartAt = text("txtLStartAt"); }

void frmMain::txtLWakeUp_Change()
{
    m_model.LWakeUp = text("txtLWakeUp") + u's';
    setCaption(control(QStringLiteral("lblLs")), QStringLiteral("T - ") + m_model.LWakeUp);
}

void frmMain::txtLBase_Change(int) { readArray("txtLBase", m_model.LBase); }
void frmMain::txtLHeading_Change() { m_model.LHeading = text("txtLHeading"); }
void frmMain::txtLHoverAt_Change() { m_model.LHoverAt = text("txtLHoverAt"); }
void frmMain::txtLThrust_Change() { m_model.LThrust = text("txtLThrust"); }
void frmMain::txtLOrientation_Change(int) { readArray("txtLOrientation", m_model.LOrientation); }

void frmMain::txtLCompleteAt_Change()
{
    m_model.LCompleteAt = QStringLiteral("H = ") + text("txtLCompleteAt");
    setCaption(control(QStringLiteral("lblLh")), m_model.LCompleteAt);
}

void frmMain::txtAName_Change() { m_model.AName = text("txtAName"); }

// The mission wants the heights with their unit, the project file without.
void frmMain::txtAHeight_Change(int)
{
    readArray("txtAHeight", m_model.AHeight, u"k");
    readArray("txtAHeight", m_model.AHeightRaw);
}

void frmMain::txtAPitch_Change(int) { readArray("txtAPitch", m_model.APitch); }
void frmMain::txtAThrust_Change(int) { readArray("txtAThrust", m_model.AThrust); }
void frmMain::txtALockVz_Change() { m_model.ALockVz = text("txtALockVz"); }
void frmMain::txtAAlignWith_Change() { m_model.AAlignWith = text("txtAAlignWith"); }

void frmMain::txtACompleteAt_Change()
{
    m_model.ACompleteAt = QStringLiteral("PeD = ") + text("txtACompleteAt") + u'M';
    setCaption(control(QStringLiteral("lblPed")), m_model.ACompleteAt);
}

void frmMain::txtPALabel_Change() { m_model.PALabel = text("txtPALabel"); }
void frmMain::txtPAReference_Change() { m_model.PAReference = text("txtPAReference"); }
void frmMain::txtPAAlign_Change() { m_model.PAAlign = text("txtPAAlign"); }
void frmMain::txtSName_Change() { m_model.SName = text("txtSName"); }

// Once the distance condition exists it must name the reference shown, not an old one.
void frmMain::txtSReference_Change()
{
    m_model.SReference = text("txtSReference");
    setCaption(control(QStringLiteral("lblD")), m_model.SReference);
    if (!m_model.SCompleteAt.isEmpty())
        txtSCompleteAt_Change();
}

void frmMain::txtSCapDist_Change() { m_model.SCapDist = text("txtSCapDist") + u'k'; }

void frmMain::txtSCompleteAt_Change()
{
    m_model.SCompleteAt = QStringLiteral("D(") + text("txtSReference") + QStringLiteral(") = ")
            + text("txtSCompleteAt") + u'k';
}

void frmMain::txtAppName_Change() { m_model.AppName = text("txtAppName"); }

void frmMain::txtAppReference_Change()
{
    m_model.AppReference = text("txtAppReference");
    setCaption(control(QStringLiteral("lblAppD")), m_model.AppReference);
    if (!m_model.AppCompleteAt.isEmpty())
        txtAppCompleteAt_Change();
}

void frmMain::txtAppNav_Change() { m_model.AppNav = text("txtAppNav"); }

void frmMain::txtAppCompleteAt_Change()
{
    m_model.AppCompleteAt = QStringLiteral("D(") + text("txtAppReference") + QStringLiteral(") = ")
            + text("txtAppCompleteAt");
}

void frmMain::txtDName_Change() { m_model.DName = text("txtDName"); }
void frmMain::txtDReference_Change() { m_model.DReference = text("txtDReference"); }
void frmMain::txtDPort_Change() { m_model.DPort = text("txtDPort"); }
void frmMain::txtDNAV_Change() { m_model.DNAV = text("txtDNAV"); }

// A cleared box takes its command out of the mission again.
void frmMain::chkDCmdsK_Click()
{
    m_model.DCmds[0] = isChecked("chkDCmdsK") ? QStringLiteral("K") : QString();
}

void frmMain::chkDCmdsCC_Click()
{
    m_model.DCmds[1] = isChecked("chkDCmdsCC") ? QStringLiteral("^C") : QString();
}

void frmMain::txtULabel_Change() { m_model.ULabel = text("txtULabel"); }
void frmMain::txtUStartAt_Change() { m_model.UStartAt = text("txtUStartAt"); }
void frmMain::txtUReference_Change() { m_model.UReference = text("txtUReference"); }
void frmMain::txtUPort_Change() { m_model.UPort = text("txtUPort"); }
void frmMain::txtUVRel_Change() { m_model.UVRel = text("txtUVRel"); }
void frmMain::txtRName_Change() { m_model.RName = text("txtRName"); }
void frmMain::txtRStartAt_Change() { m_model.RStartAt = text("txtRStartAt"); }
void frmMain::txtRAoa_Change() { m_model.RAoa = text("txtRAoa"); }
void frmMain::txtRBase_Change() { m_model.RBase = text("txtRBase"); }

// The writer puts its own "H = " and "k" around the height; only the readout shows them.
void frmMain::txtRCompleteAt_Change()
{
    m_model.RCompleteAt = text("txtRCompleteAt");
    setCaption(control(QStringLiteral("lblRCompleteAt")),
               QStringLiteral("H = ") + m_model.RCompleteAt + u'k');
}

void frmMain::txtLndName_Change() { m_model.LndName = text("txtLndName"); }
void frmMain::txtLndBase_Change() { m_model.LndBase = text("txtLndBase"); }

void frmMain::txtLndHoverPad_Change(int index)
{
    m_model.LndHoverPad[std::size_t(index)] = text("txtLndHoverPad", index);
}

void frmMain::txtLndNAV_Change() { m_model.LndNAV = text("txtLndNAV"); }

void frmMain::txtFileName_Change()
{
    m_model.MissionPath = missionPath(text("txtDirectory"), text("txtFileName"));
    showMissionListEntry();
}

void frmMain::txtMissionName_Change()
{
    m_model.MissionName = text("txtMissionName");
    showMissionListEntry();
}

// The mission goes to the directory shown, once there is a file name to go with it.
void frmMain::txtDirectory_Change()
{
    if (!m_model.MissionPath.isEmpty())
        m_model.MissionPath = missionPath(text("txtDirectory"), text("txtFileName"));
}
