// SPDX-License-Identifier: MIT

// Times reading the simulator's installation above a folder, many times over, and prints the
// median. Without a folder it reads one of the stock installation's shape made in a temporary
// folder: the solar system's bodies and 40 bases of Earth, each of about 2 KB with pads and
// beacons, and a body file of 160 KB. Not a test: run it by hand, with a real installation's
// mission folder as the first argument to measure that.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

#include "installation.h"

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void makeStockShape(const QString &root)
{
    write(root + QStringLiteral("/Orbiter.exe"), {});
    QByteArray system = "Name = Sol\r\nStar1 = Sun\r\n";
    const char *planets[] = {"Mercury", "Venus",  "Earth",  "Mars",
                             "Jupiter", "Saturn", "Uranus", "Neptune"};
    int number = 0;
    for (const char *planet : planets) {
        system += "Planet" + QByteArray::number(++number) + " = " + planet + "\r\n";
        for (int moon = 1; moon <= 4; ++moon) {
            const QByteArray name = planet + QByteArray("Moon") + QByteArray::number(moon);
            system +=
                    planet + QByteArray(":Moon") + QByteArray::number(moon) + " = " + name + "\r\n";
            write(root + "/Config/" + name + ".cfg", "Name = " + name + "\r\n");
        }
        QByteArray body = "Name = " + QByteArray(planet) + "\r\n";
        if (qstrcmp(planet, "Earth") == 0) {
            body += "BEGIN_SURFBASE\r\nDIR Earth\\Base\r\nEND_SURFBASE\r\n";
            body += QByteArray("VOR ABC +12.8805 +18.9815 113.90 270 ; a beacon\r\n")
                            .repeated(3000);
        }
        write(root + "/Config/" + planet + ".cfg", body);
    }
    write(root + QStringLiteral("/Config/Sol.cfg"), system);
    for (int base = 1; base <= 40; ++base) {
        QByteArray text = "BASE-V2.0\r\nName = Base " + QByteArray::number(base)
                + "\r\nLocation = -80.6 +28.5\r\nBEGIN_NAVBEACON\r\nVOR KSC -80.5 28.4 112.70 "
                  "500\r\nEND_NAVBEACON\r\nBEGIN_OBJECTLIST\r\n";
        text += QByteArray("BLOCK\r\n\tPOS 6985 0 -2252.5\r\n\tSCALE 30 20 15\r\n\tTEX1 Fcd07 1 "
                           "1\r\nEND\r\n")
                        .repeated(20);
        text += QByteArray("LPAD2\r\n\tPOS 100 0 200\r\n\tTEX Lpad02\r\n\tNAV 128.10\r\nEND\r\n")
                        .repeated(4);
        text += "END_OBJECTLIST\r\n";
        write(root + "/Config/Earth/Base/Base" + QByteArray::number(base) + ".cfg", text);
    }
    write(root + QStringLiteral("/Scenarios/(Current state).scn"),
          "BEGIN_ENVIRONMENT\r\n  System Sol\r\nEND_ENVIRONMENT\r\nBEGIN_SHIPS\r\n"
          "ISS:ProjectAlpha_ISS\r\n  STATUS Orbiting Earth\r\nEND\r\n"
          "GL-01:DeltaGlider\r\n  STATUS Landed Earth\r\nEND\r\nEND_SHIPS\r\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTemporaryDir dir;
    const QString directory =
            arguments.size() > 1 ? arguments[1] : dir.path() + QStringLiteral("/Orbiter/QAV");
    if (arguments.size() <= 1)
        makeStockShape(dir.path() + QStringLiteral("/Orbiter"));
    const int runs = arguments.size() > 2 ? arguments[2].toInt() : 50;

    std::vector<qint64> nanoseconds;
    OrbiterInstallation installation;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        installation = readInstallation(directory);
        nanoseconds.push_back(timer.nsecsElapsed());
    }
    if (!installation.found()) {
        QTextStream(stderr) << "no installation found above " << directory << '\n';
        return 1;
    }
    qsizetype bases = 0;
    for (const OrbiterBody &body : installation.bodies)
        bases += body.bases.size();
    std::sort(nanoseconds.begin(), nanoseconds.end());
    QTextStream(stdout) << "Reading the installation (" << installation.bodies.size() << " bodies, "
                        << bases << " bases, " << installation.vessels.size() << " vessels), "
                        << runs << " runs: median " << nanoseconds[nanoseconds.size() / 2] / 1e6
                        << " ms, min " << nanoseconds.front() / 1e6 << " ms, max "
                        << nanoseconds.back() / 1e6 << " ms\n";
    return 0;
}
