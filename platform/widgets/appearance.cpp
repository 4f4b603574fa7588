// SPDX-License-Identifier: MIT

#include "appearance.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QStringList>
#include <QStyle>

#include <cmath>

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

double luminance(const QColor &colour)
{
    const auto linear = [](float channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF())
            + 0.0722 * linear(rgb.blueF());
}

// Keeps a label's coloured text readable when the palette, and so its background, changes.
class ReadableColour final : public QObject
{
public:
    ReadableColour(QLabel *label, const QColor &colour) : QObject(label), m_colour(colour)
    {
        label->installEventFilter(this);
        apply(label);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange && watched == parent())
            apply(static_cast<QLabel *>(parent()));
        return false;
    }

private:
    void apply(QLabel *label) const
    {
        QPalette palette = label->palette();
        const QColor shown = readableOn(m_colour, palette.color(label->backgroundRole()));
        // Setting the palette sends another change; it finds the colour already in place.
        if (palette.color(QPalette::WindowText) == shown
            && palette.isBrushSet(QPalette::Active, QPalette::WindowText))
            return;
        palette.setColor(QPalette::WindowText, shown);
        label->setPalette(palette);
    }

    QColor m_colour;
};

constexpr double ReadableContrast = 4.5;

bool styleArgument(QStringView argument)
{
    return argument == u"-style" || argument == u"--style" || argument.startsWith(u"-style=")
            || argument.startsWith(u"--style=");
}

bool userChoseStyle = false;

void noteStyleChoice()
{
    userChoseStyle = !qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE");
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size() && !userChoseStyle; ++i)
        userChoseStyle = styleArgument(arguments[i]);
}

} // namespace

// Qt takes "-style" out of the arguments while the application is made; this runs before.
Q_COREAPP_STARTUP_FUNCTION(noteStyleChoice)

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &colour, const QColor &background)
{
    // Below this luminance a background has more contrast with white than with black.
    constexpr double DarkBelow = 0.179;
    if (luminance(background) >= DarkBelow)
        return colour;
    QColor lighter = colour.toHsl();
    const int hue = lighter.hslHue(), saturation = lighter.hslSaturation();
    while (contrastRatio(lighter, background) < ReadableContrast && lighter.lightness() < 255)
        lighter.setHsl(hue, saturation, lighter.lightness() + 1);
    return lighter.toRgb();
}

void setTextColour(QLabel *label, const QColor &colour) { new ReadableColour(label, colour); }

QString desktopId() { return QStringLiteral("io.github.qavmaker.QAVMaker"); }

void identifyWindow(QWidget *window)
{
    QGuiApplication::setDesktopFileName(desktopId());
    QIcon builtIn;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    window->setWindowIcon(QIcon::fromTheme(desktopId(), builtIn));
}

void useLayoutStyle()
{
    const QString layoutStyle = QStringLiteral("Fusion");
    if (!userChoseStyle && QApplication::style()->name().compare(layoutStyle, Qt::CaseInsensitive))
        QApplication::setStyle(layoutStyle);
}

void fitText(QLabel *label)
{
    QFont font = label->font();
    for (int tenths = 1; tenths <= 10 && !fits(label, font); ++tenths) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, -tenths / 10.0);
        label->setFont(font);
    }
}

} // namespace Platform
