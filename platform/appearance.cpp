#include "appearance.h"

#include <QFontDatabase>
#include <QStringList>

namespace Platform {

QFont formFont(qreal pointSize)
{
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const char *candidate : {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans",
                                      "Arial"}) {
            if (families.contains(QLatin1StringView(candidate), Qt::CaseInsensitive))
                return QString::fromLatin1(candidate);
        }
        return QFont().family();
    }();
    QFont font(family);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace Platform
