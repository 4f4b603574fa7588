// SPDX-License-Identifier: MIT

#include "appearance.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

namespace Platform {

QFont formFont(qreal pointSize)
{
    // Substitutes are resolved when text is first drawn or measured, so naming them costs
    // nothing at start-up.
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Microsoft Sans Serif"),
                                    QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(pointSize);
    return font;
}

namespace {

bool fits(const QLabel *label, const QFont &font)
{
    const QFontMetrics metrics(font);
    if (!label->wordWrap())
        return metrics.horizontalAdvance(label->text()) <= label->contentsRect().width();
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
