// SPDX-License-Identifier: MIT

#include "testsupport.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QFile>
#include <QLabel>
#include <QTest>

bool ScriptedLoadDialog::showOpen(QWidget *)
{
    ++shown;
    fileNameAtShow = fileName();
    if (answer.isEmpty())
        return false;
    setFileName(answer);
    return true;
}

Editor::Editor() : Editor(std::make_unique<ScriptedLoadDialog>()) { }

Editor::Editor(std::unique_ptr<LoadDialog> dialog)
{
    auto errors = std::make_unique<RecordingErrorReport>();
    m_errors = errors.get();
    window = std::make_unique<frmMain>(model, std::move(dialog), std::move(errors));
}

ScriptedLoadDialog &Editor::dialog() const
{
    return static_cast<ScriptedLoadDialog &>(window->loadDialog());
}

QString Editor::filledText(const QString &name)
{
    if (name == "txtLLabel")
        return QString::fromUtf8("Caf\u00e9 Launch");
    return name.mid(3).remove('(').remove(')');
}

void Editor::fillEveryField() const
{
    for (QLineEdit *box : window->findChildren<QLineEdit *>()) {
        const QString name = box->objectName();
        if (name != "txtDirectory" && name != "txtFileName" && name != "txtMissionName")
            box->setText(filledText(name));
    }
    find<QCheckBox>("chkDCmdsK")->setChecked(true);
    find<QCheckBox>("chkDCmdsCC")->setChecked(true);
}

bool Editor::show() const
{
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
}

void Editor::makeMission() const
{
    find<QPushButton>("cmdMakeMission")->click();
}

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(QAV_FIXTURES) + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no fixture %s", qPrintable(name));
    return file.readAll();
}

QLineEdit *Editor::box(const QString &name) const
{
    auto *box = find<QLineEdit>(name);
    if (!box)
        qFatal("no text box %s", qPrintable(name));
    return box;
}

QString Editor::caption(const QString &labelName) const
{
    auto *label = find<QLabel>(labelName);
    if (!label)
        qFatal("no label %s", qPrintable(labelName));
    return label->text();
}

WorkingDirectory::WorkingDirectory() : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

WorkingDirectory::~WorkingDirectory()
{
    QDir::setCurrent(m_previous);
}

void WorkingDirectory::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(filePath(name));
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray WorkingDirectory::read(const QString &name) const
{
    QFile file(filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

namespace {

template<std::size_t N>
QString joined(const Texts<N> &texts)
{
    return joinTexts(texts, u"|");
}

} // namespace

QString modelValue(const MissionModel &m, const QString &name)
{
    const QHash<QString, QString> values = {
            {"LLabel", m.LLabel}, {"LStartAt", m.LStartAt}, {"LWakeUp", m.LWakeUp},
            {"LBase", joined(m.LBase)}, {"LHeading", m.LHeading}, {"LHoverAt", m.LHoverAt},
            {"LThrust", m.LThrust}, {"LOrientation", joined(m.LOrientation)},
            {"LCompleteAt", m.LCompleteAt}, {"AName", m.AName}, {"AHeight", joined(m.AHeight)},
            {"AHeightRaw", joined(m.AHeightRaw)}, {"APitch", joined(m.APitch)},
            {"AThrust", joined(m.AThrust)}, {"ALockVz", m.ALockVz}, {"AAlignWith", m.AAlignWith},
            {"ACompleteAt", m.ACompleteAt}, {"PALabel", m.PALabel},
            {"PAReference", m.PAReference}, {"PAAlign", m.PAAlign}, {"SName", m.SName},
            {"SReference", m.SReference}, {"SCapDist", m.SCapDist},
            {"SCompleteAt", m.SCompleteAt}, {"AppName", m.AppName},
            {"AppReference", m.AppReference}, {"AppNav", m.AppNav},
            {"AppCompleteAt", m.AppCompleteAt}, {"DName", m.DName},
            {"DReference", m.DReference}, {"DPort", m.DPort}, {"DNAV", m.DNAV},
            {"DCmds", joined(m.DCmds)}, {"ULabel", m.ULabel}, {"UStartAt", m.UStartAt},
            {"UReference", m.UReference}, {"UPort", m.UPort}, {"UVRel", m.UVRel},
            {"RName", m.RName}, {"RStartAt", m.RStartAt}, {"RAoa", m.RAoa}, {"RBase", m.RBase},
            {"RCompleteAt", m.RCompleteAt}, {"LndName", m.LndName}, {"LndBase", m.LndBase},
            {"LndHoverPad", joined(m.LndHoverPad)}, {"LndNAV", m.LndNAV},
            {"MissionPath", m.MissionPath}, {"MissionName", m.MissionName},
    };
    if (!values.contains(name))
        qFatal("no model value %s", qPrintable(name));
    return values.value(name);
}
