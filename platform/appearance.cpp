#include "appearance.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
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

namespace {

bool fits(const QLabel *label, const QFont &font)
{
    const QFontMetrics metrics(font);
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = metrics.boundingRect(label->contentsRect(), flags, label->text());
    // The last line's descent may reach a pixel past the box without cutting a letter.
    return needed.width() <= label->contentsRect().width()
            && needed.height() <= label->contentsRect().height() + 1;
}

} // namespace

void fitText(QLabel *label)
{
    QFont font = label->font();
    for (int tenths = 1; tenths <= 10 && !fits(label, font); ++tenths) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, -tenths / 10.0);
        label->setFont(font);
    }
}

} // namespace Platform
