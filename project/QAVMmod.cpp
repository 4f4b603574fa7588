#include "QAVMmod.h"

#include "ansitext.h"
#include "pathrules.h"

#include <QFile>

MissionModel &missionModel()
{
    static MissionModel model;
    return model;
}

QString missionPath(const QString &directory, const QString &fileName)
{
    return Platform::joinPath({directory, missionFileName(fileName)});
}

QString missionFileName(const QString &fileName)
{
    return fileName + QStringLiteral(".qav");
}

QString escapeMarkup(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': escaped += QStringLiteral("&amp;"); break;
        case u'<': escaped += QStringLiteral("&lt;"); break;
        case u'>': escaped += QStringLiteral("&gt;"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

QString missionListEntry(const QString &missionName, const QString &missionFileName)
{
    return QStringLiteral("<Entry>\r\n\t<Label>") + escapeMarkup(missionName) + QStringLiteral("</Label>\r\n\t<XQAV>")
            + escapeMarkup(missionFileName) + QStringLiteral("</XQAV>\r\n</Entry>");
}

QString defaultDirectory()
{
    return QStringLiteral("C:\\Orbiter\\QAV");
}

QString directoryFromSettings(QByteArrayView contents)
{
    if (contents.isEmpty())
        return defaultDirectory();
    qsizetype end = 0;
    while (end < contents.size() && contents[end] != '\r' && contents[end] != '\n')
        ++end;
    return Platform::decodeAnsi(contents.first(end));
}

QString readRememberedDirectory()
{
    QFile file(QString::fromLatin1(SettingsFileName));
    if (!file.open(QIODevice::ReadOnly))
        return defaultDirectory();
    return directoryFromSettings(file.readAll());
}
