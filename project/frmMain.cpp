// SPDX-License-Identifier: MIT

#include "frmMain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

#include "INIMod.h"
#include "appearance.h"
#include "formtable.h"
#include "pathrules.h"
#include "tworowtabwidget.h"

frmMain::frmMain(MissionModel &model, std::unique_ptr<LoadDialog> dialog,
                 std::unique_ptr<ErrorReport> errors, QWidget *parent)
    : QWidget(parent), m_model(model), m_loadDialog(std::move(dialog)), m_errors(std::move(errors))
{
    if (!m_loadDialog)
        m_loadDialog = std::make_unique<FileLoadDialog>();
    if (!m_errors)
        m_errors = std::make_unique<MessageBoxErrorReport>();
    m_loadDialog->setFilter(QStringLiteral("MFC Files(*.mfc)|*.mfc"));

    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("KORVALIN - Mission File Creator - Version Alpha-01c"));
    setFont(Platform::formFont());
    setFixedSize(674, 544);
    buildForm();
    connectHandlers();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    control(QStringLiteral("txtLLabel"))->setFocus();
    QTimer::singleShot(0, this, &frmMain::finishAppearance);
}

QWidget *frmMain::control(const char *name, int index) const
{
    return control(Form::objectName(name, index));
}

QString frmMain::text(const char *name, int index) const
{
    return static_cast<QLineEdit *>(control(name, index))->text();
}

void frmMain::setText(const char *name, const QString &text)
{
    static_cast<QLineEdit *>(control(name, -1))->setText(text);
}

bool frmMain::isChecked(const char *name) const
{
    return static_cast<QCheckBox *>(control(name, -1))->isChecked();
}

QString frmMain::fileName() const { return text("txtFileName"); }

QString frmMain::missionListEntryText() const
{
    return missionListEntry(m_model.MissionName, missionFileName(fileName()));
}

void frmMain::showMissionListEntry()
{
    static_cast<QPlainTextEdit *>(control(QStringLiteral("txtInsert")))
            ->setPlainText(missionListEntryText());
}

void frmMain::Form_Load()
{
    m_loadDialog->setInitialFolder(
            Platform::joinPath({Platform::programFolder(), QString::fromLatin1(ProjectFolder)}));
    // The boxes' texts at creation run no rule, yet the mission needs the profile.
    txtAHeight_Change(0);
    txtAPitch_Change(0);
    txtAThrust_Change(0);
    m_tabs->setCurrentIndex(0);
    setText("txtDirectory", readRememberedDirectory());
}
