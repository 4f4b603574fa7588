// SPDX-License-Identifier: MIT

#include "messages.h"

#include "QAVMmod.h"

namespace Messages {

namespace {

QString describe(QChar c)
{
    const QString code = QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
    if (c == u'\r' || c == u'\n')
        return QStringLiteral("a line break (%1)").arg(code);
    if (c.isPrint() && !c.isSurrogate())
        return QStringLiteral("the character \"%1\" (%2)").arg(c).arg(code);
    return QStringLiteral("the character %1").arg(code);
}

} // namespace

QString makeMissionTitle() { return QStringLiteral("Make Mission"); }

QString loadProjectTitle() { return QStringLiteral("Load MFC File"); }

QString noFileName()
{
    return QStringLiteral("The mission has no file name. Type one into \"File Name\" on the tab "
                          "\"10 - Make File\".\n\nNothing was written.");
}

QString unwritableCharacter(const QString &field, const QString &tab, QChar character)
{
    return QStringLiteral("The field \"%1\" on the tab \"%2\" holds %3, which the mission and "
                          "project files cannot hold.\n\nNothing was written.")
            .arg(field, tab, describe(character));
}

QString writeFailed(const WriteFailure &failure)
{
    QString what;
    switch (failure.what) {
    case WriteFailure::MissionFile: what = QStringLiteral("the mission file"); break;
    case WriteFailure::SettingsFile: what = QStringLiteral("the settings file"); break;
    case WriteFailure::ProjectFile: what = QStringLiteral("the project file"); break;
    case WriteFailure::ProjectFolder: what = QStringLiteral("the project folder"); break;
    }
    return QStringLiteral("Could not write %1:\n%2\n\n%3").arg(what, failure.path, failure.error);
}

QString readFailed(const QString &path, const QString &error)
{
    return QStringLiteral("Could not read the project file:\n%1\n\n%2\n\nNothing was loaded.")
            .arg(path, error);
}

} // namespace Messages
