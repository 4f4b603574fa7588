#include "INIMod.h"

#include "pathrules.h"

QString projectFilePath(const QString &fileName)
{
    return Platform::joinPath({QString::fromLatin1(ProjectFolder), fileName + QStringLiteral(".mfc")});
}
