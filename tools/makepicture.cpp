// SPDX-License-Identifier: MIT

// Draws the program's artwork and saves it as PNG files: the picture at the top of the
// editor's window (365 by 124 pixels), an orbit around a planet's limb under stars, and the
// application icon (256 by 256). Run once after changing a drawing; the files it writes are
// kept in resources/. The build draws the icon at each size desktops ask for with --icon, and
// the Windows build the icon file of its programs, with the sizes Windows shows, with --ico.
//   makepicture PICTURE.png ICON.png
//   makepicture --icon SIZE ICON.png
//   makepicture --ico ICON.ico
#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

namespace {

QPainterPath spacecraft()
{
    QPainterPath craft;
    craft.moveTo(9, 0);
    craft.lineTo(-6, -5);
    craft.lineTo(-3, 0);
    craft.lineTo(-6, 5);
    craft.closeSubpath();
    return craft;
}

// Drawn on a grid of 256 and scaled, so that small sizes get their lines drawn, not shrunk.
QImage icon(int size = 256)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    QRadialGradient space(QPointF(128, 100), 150);
    space.setColorAt(0, QColor(30, 50, 110));
    space.setColorAt(1, QColor(6, 10, 34));
    p.setPen(Qt::NoPen);
    p.setBrush(space);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    QRadialGradient planet(QPointF(118, 118), 70, QPointF(100, 96));
    planet.setColorAt(0, QColor(90, 165, 235));
    planet.setColorAt(1, QColor(20, 70, 150));
    p.setBrush(planet);
    p.drawEllipse(QPointF(128, 128), 56, 56);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 200, 80), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawEllipse(QPointF(128, 128), 100, 44);
    p.translate(206, 100);
    p.rotate(-28);
    p.scale(3.2, 3.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 245, 245));
    p.drawPath(spacecraft());
    return image;
}

// An icon file of PNG images, as Windows reads it since Vista: a header, one entry a size,
// then the images, all numbers little-endian.
bool saveIco(const QString &path)
{
    const QList<int> sizes{16, 24, 32, 48, 64, 256};
    QList<QByteArray> images;
    for (const int size : sizes) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        if (!icon(size).save(&png, "PNG"))
            return false;
        images.append(png.data());
    }
    const auto word = [](QByteArray &out, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.append(char(value >> (8 * i) & 0xFF));
    };
    QByteArray ico;
    word(ico, 0, 2);
    word(ico, 1, 2); // an icon, not a cursor
    word(ico, quint32(sizes.size()), 2);
    quint32 offset = quint32(6 + 16 * sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        word(ico, quint32(sizes[i] % 256), 1); // 256 is written as 0
        word(ico, quint32(sizes[i] % 256), 1);
        word(ico, 0, 2);  // no palette, reserved
        word(ico, 1, 2);  // planes
        word(ico, 32, 2); // bits a pixel
        word(ico, quint32(images[i].size()), 4);
        word(ico, offset, 4);
        offset += quint32(images[i].size());
    }
    for (const QByteArray &image : std::as_const(images))
        ico += image;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size() && file.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    // The icon needs no fonts, and so no platform: the build runs this without a display.
    if (argc == 4 && QByteArrayView(argv[1]) == "--icon") {
        bool ok = false;
        const int size = QByteArray(argv[2]).toInt(&ok);
        return ok && size > 0 && size <= 1024 && icon(size).save(QString::fromLocal8Bit(argv[3]))
                ? 0
                : 1;
    }
    if (argc == 3 && QByteArrayView(argv[1]) == "--ico")
        return saveIco(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("picture.png");
    const QString iconOut = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("icon.png");

    QImage image(365, 124, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 124);
    sky.setColorAt(0, QColor(4, 6, 24));
    sky.setColorAt(1, QColor(16, 28, 70));
    p.fillRect(image.rect(), sky);

    QRandomGenerator stars(1969);
    for (int i = 0; i < 90; ++i) {
        const int shade = 140 + stars.bounded(115);
        p.setPen(QColor(shade, shade, 255));
        p.drawPoint(stars.bounded(365), stars.bounded(124));
    }

    // The planet's limb, lower right, with a thin atmosphere.
    const QPointF centre(300, 330);
    QRadialGradient planet(centre, 240, QPointF(260, 120));
    planet.setColorAt(0, QColor(70, 140, 220));
    planet.setColorAt(0.85, QColor(20, 70, 150));
    planet.setColorAt(1, QColor(10, 30, 80));
    p.setPen(QPen(QColor(150, 200, 255, 180), 3));
    p.setBrush(planet);
    p.drawEllipse(centre, 240, 240);

    // The transfer orbit and the spacecraft on it.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 200, 80), 1.2, Qt::DashLine));
    p.drawEllipse(QPointF(235, 205), 205, 150);
    p.save();
    p.translate(96, 92);
    p.rotate(-38);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 240, 240));
    p.drawPath(spacecraft());
    p.setBrush(QColor(255, 150, 40));
    p.drawEllipse(QPointF(-7, 0), 2.5, 1.5);
    p.restore();

    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(26);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(235, 240, 255));
    p.drawText(QRect(12, 8, 340, 34), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("QAV Mission Maker"));
    QFont line(QStringLiteral("Liberation Sans"));
    line.setPixelSize(12);
    p.setFont(line);
    p.setPen(QColor(180, 195, 230));
    p.drawText(
            QRect(14, 40, 340, 18), Qt::AlignLeft | Qt::AlignVCenter,
            QStringLiteral("Launch \u2022 Ascent \u2022 Rendezvous \u2022 Docking \u2022 Landing"));
    p.end();
    return image.save(out) && icon().save(iconOut) ? 0 : 1;
}
